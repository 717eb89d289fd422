// The menu: saving and copying the figure, the dialogs, the help and the about box.
#include <QAction>
#include <QFile>
#include <QMessageBox>
#include <memory>

#include "app/about_dialog.h"
#include "app/main_window.h"
#include "colouring/coloring_dialog.h"
#include "controls/application_error.h"
#include "controls/help_system.h"
#include "imagefiles/figure_clipboard.h"
#include "imagefiles/save_figure.h"
#include "imagefiles/save_picture_dialog.h"
#include "patterns/settings_dialog.h"
#include "vector/export_drawing.h"
#include "vector/export_drawing_dialog.h"

namespace trochodraw {

namespace {

template <class F>
void Bind(QAction* Action, QObject* Context, F Handler) {
  QObject::connect(Action, &QAction::triggered, Context, [Handler] { InvokeGuarded(Handler); });
}

}  // namespace

void TForm1::BindMenuHandlers() {
  // "Exit" closes the window, as its frame's close box does.
  Bind(Exit1, this, [this] { close(); });
  Bind(SaveAs1, this, [this] { SaveAs1Click(); });
  Bind(ExportDrawing1, this, [this] { ExportDrawing1Click(); });
  Bind(Copy1, this, [this] { Copy1Click(); });
  Bind(Settings2, this, [this] { Settings2Click(); });
  Bind(Colors1, this, [this] { Colors1Click(); });
  Bind(Contents1, this, [this] { Contents1Click(); });
  Bind(About1, this, [this] { About1Click(); });
}

void TForm1::SaveAs1Click() {
  if (!SavePictureDialog1->Execute()) return;
  SaveFigure(Sim.FigureImage, QFile::encodeName(SavePictureDialog1->FileName()).toStdString());
}

void TForm1::ExportDrawing1Click() {
  TExportDrawingDialog dlg(this);
  // The dialog works out the plot statistics while the machine may go on drawing: both it and
  // the export use the strokes as they are now.
  CaptureFigure(StrokeRecord, Sim);
  const auto snapshot = std::make_shared<const TStrokeRecord>(StrokeRecord);
  dlg.SetRecord(snapshot, PeriodCutOf(*snapshot, Sim.Settings));
  if (dlg.exec() != QDialog::Accepted) return;
  const TExportResult result = ExportDrawing(*snapshot, dlg.Options(), dlg.FileName());
  QString text = QString("Wrote %1 paths (%2 segments).").arg(result.Paths).arg(result.Segments);
  if (result.Plotted)
    text += QString("\nPlot: %1 mm drawn, %2 mm pen up, %3 pen lifts, about %4.")
                .arg(result.Stats.DrawnMM, 0, 'f', 0)
                .arg(result.Stats.TravelMM, 0, 'f', 0)
                .arg(result.Stats.PenLifts)
                .arg(QString::fromStdString(DurationText(result.Stats.Seconds)));
  for (const std::string& note : result.Notes) text += "\n" + QString::fromStdString(note);
  QMessageBox::information(this, "Export Drawing", text);
}

void TForm1::Copy1Click() { CopyFigure(Sim.FigureImage); }

void TForm1::Settings2Click() {
  if (!SettingsDlg) return;
  Patterns.ShowSettings();
  SettingsDlg->ShowSettings();
}

void TForm1::Colors1Click() {
  if (ColoringDlg) ColoringDlg->ShowColoring();
}

void TForm1::Contents1Click() { THelpSystem::Instance().HelpCommand(HELP_CONTENTS, int64_t{0}); }

void TForm1::About1Click() {
  if (AboutDlg) AboutDlg->exec();
}

}  // namespace trochodraw
