#include "app/export_animation_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include "app/main_window.h"
#include "colouring/coloring_dialog.h"
#include "controls/file_row_widget.h"
#include "controls/real_spin_widget.h"

namespace trochodraw {

namespace {

constexpr int kPreviewWidth = 240;
constexpr int kMinWidth = 16;

QImage FrameImage(const TAnimationFrame& F) {
  return QImage(F.Pixels.data(), F.Width, F.Height, F.Width * 3, QImage::Format_RGB888).copy();
}

QString SizeText(uint64_t Bytes) {
  if (Bytes < 1024 * 1024) return QString("%1 KB").arg((Bytes + 1023) / 1024);
  return QString("%1 MB").arg(static_cast<double>(Bytes) / (1024.0 * 1024.0), 0, 'f', 1);
}

// Runs Work on a thread of its own, parented to Owner so that its destructor can wait for it.
QThread* StartThread(QObject* Owner, std::function<void()> Work) {
  QThread* t = QThread::create(std::move(Work));
  t->setParent(Owner);
  QObject::connect(t, &QThread::finished, t, &QObject::deleteLater);
  t->start();
  return t;
}

}  // namespace

TExportAnimationDialog::TExportAnimationDialog(std::function<TFigureStart()> Start, QWidget* Parent)
    : QDialog(Parent), FStart(std::move(Start)) {
  setObjectName("ExportAnimationDlg");
  setWindowTitle("Export Animation");
  auto* top = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  top->addLayout(form);

  const TFileRow fileRow = AddFileRow(form, this, "figure.gif, figure.webp or figure.mp4");
  FileEdit = fileRow.Edit;
  QPushButton* browse = fileRow.Browse;

  ContentCombo = new QComboBox(this);
  ContentCombo->setObjectName("ContentCombo");
  ContentCombo->addItems({"Figure", "Figure and machine"});
  form->addRow("Show:", ContentCombo);

  auto* sizeRow = new QHBoxLayout;
  WidthSpin = new QSpinBox(this);
  WidthSpin->setObjectName("WidthSpin");
  WidthSpin->setSuffix(" px");
  SizeLabel = new QLabel(this);
  SizeLabel->setObjectName("SizeLabel");
  sizeRow->addWidget(WidthSpin);
  sizeRow->addWidget(SizeLabel, 1);
  form->addRow("Width:", sizeRow);

  FpsSpin = new QSpinBox(this);
  FpsSpin->setObjectName("FpsSpin");
  FpsSpin->setRange(kMinFps, kMaxFps);
  FpsSpin->setValue(30);
  form->addRow("Frames per second:", FpsSpin);

  DurationSpin = new QDoubleSpinBox(this);
  DurationSpin->setObjectName("DurationSpin");
  DurationSpin->setRange(0.1, 600.0);
  DurationSpin->setDecimals(1);
  DurationSpin->setValue(kDefaultDurationSeconds);
  DurationSpin->setSuffix(" s");
  form->addRow("Duration:", DurationSpin);

  WholeFigureChk = new QCheckBox("One whole figure, spread over the duration", this);
  WholeFigureChk->setObjectName("WholeFigureChk");
  form->addRow(WholeFigureChk);
  SpanLabel = new QLabel(this);
  SpanLabel->setObjectName("SpanLabel");
  SpanLabel->setWordWrap(true);
  form->addRow(SpanLabel);

  QualitySpin = new QSpinBox(this);
  QualitySpin->setObjectName("QualitySpin");
  QualitySpin->setRange(-1, 100);
  QualitySpin->setValue(-1);
  QualitySpin->setSpecialValueText("lossless");
  form->addRow("WebP quality:", QualitySpin);

  auto* preview = new QGridLayout;
  FirstFrameLabel = new QLabel(this);
  FirstFrameLabel->setObjectName("FirstFrameLabel");
  LastFrameLabel = new QLabel(this);
  LastFrameLabel->setObjectName("LastFrameLabel");
  for (QLabel* l : {FirstFrameLabel, LastFrameLabel}) {
    l->setFixedSize(kPreviewWidth, kPreviewWidth * 3 / 4);
    l->setAlignment(Qt::AlignCenter);
    l->setFrameShape(QFrame::StyledPanel);
  }
  preview->addWidget(new QLabel("First frame", this), 0, 0);
  preview->addWidget(new QLabel("Last frame", this), 0, 1);
  preview->addWidget(FirstFrameLabel, 1, 0);
  preview->addWidget(LastFrameLabel, 1, 1);
  top->addLayout(preview);
  PreviewStatus = new QLabel(this);
  PreviewStatus->setObjectName("PreviewStatus");
  top->addWidget(PreviewStatus);

  ErrorLabel = new QLabel(this);
  ErrorLabel->setObjectName("ErrorLabel");
  ErrorLabel->setWordWrap(true);
  top->addWidget(ErrorLabel);
  ExportProgressBar = new QProgressBar(this);
  ExportProgressBar->setObjectName("ExportProgressBar");
  ExportProgressBar->setVisible(false);
  top->addWidget(ExportProgressBar);

  auto* buttons = new QDialogButtonBox(this);
  ExportBtn = buttons->addButton("Export", QDialogButtonBox::AcceptRole);
  ExportBtn->setObjectName("ExportBtn");
  CancelBtn = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
  CancelBtn->setObjectName("CancelBtn");
  CancelBtn->setEnabled(false);
  CloseBtn = buttons->addButton("Close", QDialogButtonBox::DestructiveRole);
  CloseBtn->setObjectName("CloseBtn");
  top->addWidget(buttons);

  PreviewTimer = new QTimer(this);
  PreviewTimer->setSingleShot(true);
  PreviewTimer->setInterval(250);

  connect(browse, &QPushButton::clicked, this, &TExportAnimationDialog::Browse);
  connect(ExportBtn, &QPushButton::clicked, this, [this] { StartExport(); });
  connect(CancelBtn, &QPushButton::clicked, this, &TExportAnimationDialog::CancelExport);
  connect(CloseBtn, &QPushButton::clicked, this, &QDialog::close);
  connect(PreviewTimer, &QTimer::timeout, this, &TExportAnimationDialog::StartPreview);
  connect(ContentCombo, &QComboBox::currentIndexChanged, this, [this] {
    UpdateSize();
    SettingsChanged();
  });
  connect(WidthSpin, &QSpinBox::valueChanged, this, [this] {
    UpdateSize();
    SettingsChanged();
  });
  connect(FileEdit, &QLineEdit::textChanged, this, [this] { UpdateSize(); });
  for (auto* spin : {FpsSpin, QualitySpin}) connect(spin, &QSpinBox::valueChanged, this, [this] { UpdateSize(); });
  connect(DurationSpin, &QDoubleSpinBox::valueChanged, this, &TExportAnimationDialog::SettingsChanged);
  connect(WholeFigureChk, &QCheckBox::toggled, this, &TExportAnimationDialog::SettingsChanged);
}

TExportAnimationDialog::~TExportAnimationDialog() {
  if (FPreviewCancel) *FPreviewCancel = true;
  if (FExportCancel) *FExportCancel = true;
  for (QThread* t : findChildren<QThread*>(QString(), Qt::FindDirectChildrenOnly)) t->wait();
}

void TExportAnimationDialog::ShowForFigure() {
  if (!Exporting()) {
    FSnapshot = FStart();
    UpdateSize();
    SettingsChanged();
  }
  show();
  raise();
  activateWindow();
}

void TExportAnimationDialog::SetFileName(const QString& Name) { FileEdit->setText(Name); }

TAnimationOptions TExportAnimationDialog::Options() const {
  TAnimationOptions o;
  o.Content = ContentCombo->currentIndex() == 1 ? TAnimationContent::acFigureAndMechanism : TAnimationContent::acFigure;
  o.Fps = FpsSpin->value();
  o.DurationSeconds = DurationSpin->value();
  o.Width = WidthSpin->value();
  o.Quality = QualitySpin->value();
  try {
    o.Format = AnimationFormatOf(QFile::encodeName(FileEdit->text().trimmed()).toStdString());
  } catch (const EAnimationError&) {
    o.Format = TAnimationFormat::afGIF;  // the file is checked on export; the preview needs none
  }
  if (o.Format != TAnimationFormat::afWebP) o.Quality = -1;
  return o;
}

TSpanTicks TExportAnimationDialog::Span() const {
  return AnimationSpanTicks(FSnapshot.Settings,
                            WholeFigureChk->isChecked() ? TAnimationSpan::asWholeFigure : TAnimationSpan::asRealTime,
                            DurationSpin->value());
}

void TExportAnimationDialog::UpdateSize() {
  const TAnimationOptions o = Options();
  const TFrameSize natural = NaturalFrameSize(o.Content, FSnapshot.Figure, FSnapshot.Mechanism);
  const bool atNatural = WidthSpin->value() == WidthSpin->maximum() || WidthSpin->value() == 0;
  {
    QSignalBlocker block(WidthSpin);
    WidthSpin->setRange(std::min(kMinWidth, natural.Width), natural.Width);
    if (atNatural) WidthSpin->setValue(natural.Width);
  }
  try {
    const TFrameSize s = AnimationFrameSize(Options(), natural);
    SizeLabel->setText(QString("frames of %1 x %2 pixels").arg(s.Width).arg(s.Height));
  } catch (const EAnimationError& e) {
    SizeLabel->setText(QString::fromStdString(e.what()));
  }
  QualitySpin->setEnabled(o.Format == TAnimationFormat::afWebP);
}

void TExportAnimationDialog::SettingsChanged() {
  const TSpanTicks span = Span();
  SpanLabel->setText(QString::fromStdString(span.Text));
  PreviewTimer->start();
}

void TExportAnimationDialog::StopPreview() {
  if (FPreviewCancel) *FPreviewCancel = true;
  FPreviewThread = nullptr;
}

void TExportAnimationDialog::StartPreview() {
  StopPreview();
  const TSpanTicks span = Span();
  if (!span.Ok) {
    FirstFrameLabel->clear();
    LastFrameLabel->clear();
    FFirst = FLast = QImage();
    PreviewStatus->setText("No preview: " + QString::fromStdString(span.Text));
    return;
  }
  const uint64_t generation = ++FPreviewGeneration;
  auto cancel = FPreviewCancel = std::make_shared<std::atomic<bool>>(false);
  PreviewStatus->setText("Drawing the preview...");
  const TFigureStart start = FSnapshot;
  const TAnimationOptions options = Options();
  const uint64_t ticks = span.Ticks;
  FPreviewThread = StartThread(this, [this, start, options, ticks, cancel, generation] {
    QImage first, last;
    QString error;
    try {
      TAnimationJob job(start);
      const auto frames = job.FirstAndLast(ticks, options, [cancel] { return !*cancel; });
      first = FrameImage(frames.first);
      last = FrameImage(frames.second);
    } catch (const EAnimationCancelled&) {
      return;
    } catch (const std::exception& e) {
      error = QString::fromStdString(e.what());
    }
    QMetaObject::invokeMethod(
        this,
        [this, first, last, error, generation] {
          if (generation != FPreviewGeneration) return;
          FPreviewThread = nullptr;
          FFirst = first;
          FLast = last;
          auto show = [](QLabel* L, const QImage& I) {
            L->setPixmap(I.isNull()
                             ? QPixmap()
                             : QPixmap::fromImage(I.scaled(L->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
          };
          show(FirstFrameLabel, first);
          show(LastFrameLabel, last);
          PreviewStatus->setText(error.isEmpty() ? QString() : "No preview: " + error);
        },
        Qt::QueuedConnection);
  });
}

bool TExportAnimationDialog::StartExport() {
  if (Exporting()) return false;
  const std::string file = QFile::encodeName(FileEdit->text().trimmed()).toStdString();
  TAnimationOptions options;
  TSpanTicks span;
  try {
    if (file.empty()) throw EAnimationError("Enter a file name ending in .gif, .webp or .mp4");
    options = CheckedAnimationOptions(Options(), file);
    span = Span();
    if (!span.Ok) throw EAnimationError(span.Text);
  } catch (const std::exception& e) {
    ErrorLabel->setStyleSheet("color: #b00000");
    ErrorLabel->setText(QString::fromStdString(e.what()));
    return false;
  }
  ErrorLabel->clear();
  SetExporting(true);
  auto cancel = FExportCancel = std::make_shared<std::atomic<bool>>(false);
  const TFigureStart start = FSnapshot;
  const uint64_t ticks = span.Ticks;
  FExportThread = StartThread(this, [this, start, options, ticks, file, cancel] {
    bool ok = false, cancelled = false;
    QString message;
    int shown = -1;
    try {
      TAnimationJob job(start);
      const TAnimationResult r = job.Write(ticks, options, file, [&](int Done, int Total) {
        if (Done != shown) {
          shown = Done;
          QMetaObject::invokeMethod(
              this, [this, Done, Total] { ExportProgress(Done, Total); }, Qt::QueuedConnection);
        }
        return !*cancel;
      });
      ok = true;
      message = QString("Wrote %1 (%2, %3 frames of %4 x %5, %6).")
                    .arg(QFile::decodeName(file.c_str()), AnimationFormatName(r.Format))
                    .arg(r.Frames)
                    .arg(r.Size.Width)
                    .arg(r.Size.Height)
                    .arg(SizeText(r.Bytes));
    } catch (const EAnimationCancelled&) {
      cancelled = true;
      message = "Cancelled; no file was written.";
    } catch (const std::exception& e) {
      message = QString::fromStdString(e.what());
    }
    QMetaObject::invokeMethod(
        this, [this, ok, cancelled, message] { ExportFinished(ok, cancelled, message); }, Qt::QueuedConnection);
  });
  return true;
}

void TExportAnimationDialog::CancelExport() {
  if (FExportCancel) *FExportCancel = true;
}

void TExportAnimationDialog::ExportProgress(int Done, int Total) {
  ExportProgressBar->setRange(0, Total);
  ExportProgressBar->setValue(Done);
}

void TExportAnimationDialog::ExportFinished(bool Ok, bool Cancelled, const QString& Message) {
  FExportThread = nullptr;
  SetExporting(false);
  ErrorLabel->setStyleSheet(Ok || Cancelled ? QString() : QString("color: #b00000"));
  ErrorLabel->setText(Message);
  Q_EMIT ExportEnded(Ok, Cancelled, Message);
}

void TExportAnimationDialog::SetExporting(bool On) {
  ExportProgressBar->setVisible(On);
  ExportProgressBar->setValue(0);
  ExportBtn->setEnabled(!On);
  CancelBtn->setEnabled(On);
  for (QWidget* w : std::initializer_list<QWidget*>{FileEdit, ContentCombo, WidthSpin, FpsSpin, DurationSpin,
                                                    WholeFigureChk, QualitySpin})
    w->setEnabled(!On);
  if (!On) UpdateSize();
}

void TExportAnimationDialog::Browse() {
  QFileDialog dlg(this, "Export Animation", FileEdit->text(),
                  "GIF animations (*.gif);;WebP animations (*.webp);;MP4 videos (*.mp4)");
  dlg.setOption(QFileDialog::DontUseNativeDialog);
  dlg.setAcceptMode(QFileDialog::AcceptSave);
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return;
  QString name = dlg.selectedFiles().first();
  try {
    AnimationFormatOf(QFile::encodeName(name).toStdString());
  } catch (const EAnimationError&) {
    const QString filter = dlg.selectedNameFilter();
    name += filter.startsWith("WebP") ? ".webp" : filter.startsWith("MP4") ? ".mp4" : ".gif";
  }
  FileEdit->setText(name);
}

void TExportAnimationDialog::closeEvent(QCloseEvent* Event) {
  // Closing the dialog ends its work: an unfinished export leaves no file.
  CancelExport();
  StopPreview();
  QDialog::closeEvent(Event);
}

void AddExportAnimationAction(TForm1& Form, QMenu* Menu) {
  QAction* action = Menu->addAction("Export &Animation...");
  action->setObjectName("ExportAnimation1");
  QObject::connect(action, &QAction::triggered, &Form, [&Form] {
    auto* dlg = Form.findChild<TExportAnimationDialog*>("ExportAnimationDlg", Qt::FindDirectChildrenOnly);
    if (!dlg) {
      dlg = new TExportAnimationDialog(
          [&Form] {
            Form.ReadTickSettings();
            TFigureStart s;
            s.Settings = Form.Sim.Settings;
            s.Lines = LineColoringState().Settings;
            s.BackColor = Form.Sim.BackColor;
            s.Figure = {Form.Sim.FigureImage.Width(), Form.Sim.FigureImage.Height()};
            s.Mechanism = {Form.Sim.MechanismImage.Width(), Form.Sim.MechanismImage.Height()};
            s.Angles[0] = Form.Angle1Spin->Value();
            s.Angles[1] = Form.Angle2Spin->Value();
            s.Angles[2] = Form.Angle1ASpin->Value();
            s.Angles[3] = Form.Angle2ASpin->Value();
            return s;
          },
          &Form);
    }
    dlg->ShowForFigure();
  });
}

}  // namespace trochodraw
