#include "imagefiles/save_picture_dialog.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include "render/bitmap_qimage.h"

namespace trochodraw {

std::vector<TFilterPair> ParseFilterText(const std::string& Filter) {
  const QStringList Parts = QString::fromStdString(Filter).split('|');
  std::vector<TFilterPair> Pairs;
  for (qsizetype i = 0; i < Parts.size(); i += 2) {
    if (Parts[i].isEmpty() && i + 1 >= Parts.size()) break;
    TFilterPair P{Parts[i], {}};
    if (i + 1 < Parts.size()) P.Masks = Parts[i + 1].split(';', Qt::SkipEmptyParts);
    Pairs.push_back(P);
  }
  return Pairs;
}

QSize FitPictureSize(QSize Picture, QSize Box) {
  if (Picture.isEmpty() || Box.isEmpty()) return {0, 0};
  if (Picture.width() <= Box.width() && Picture.height() <= Box.height()) return Picture;
  return Picture.scaled(Box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

TPicturePreviewPane::TPicturePreviewPane(QWidget* Parent) : QWidget(Parent) {
  setObjectName("PreviewPane");
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(4, 0, 0, 0);
  PictureLabel = new QLabel(this);
  PictureLabel->setObjectName("PictureLabel");
  ImageArea = new QLabel(this);
  ImageArea->setObjectName("ImagePanel");
  ImageArea->setFrameShape(QFrame::StyledPanel);
  ImageArea->setFrameShadow(QFrame::Sunken);
  ImageArea->setAlignment(Qt::AlignCenter);
  ImageArea->setMinimumSize(160, 160);
  ImageArea->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  PreviewButton = new QPushButton("Preview", this);
  PreviewButton->setObjectName("PreviewButton");
  Layout->addWidget(PictureLabel);
  Layout->addWidget(ImageArea, 1);
  Layout->addWidget(PreviewButton, 0, Qt::AlignLeft);
  connect(PreviewButton, &QPushButton::clicked, this, &TPicturePreviewPane::ShowFullSize);
  ShowState();
}

void TPicturePreviewPane::SelectionChanged(const QString& FileName) {
  if (!FPreview.SelectionChanged(FileName.toStdString())) return;
  FPicture = FPreview.Picture() ? BitmapToQImage(*FPreview.Picture()) : QImage();
  ShowState();
}

void TPicturePreviewPane::ShowState() {
  PictureLabel->setText(QString::fromStdString(FPreview.Label()));
  PreviewButton->setEnabled(FPreview.PreviewEnabled());
  ImageArea->setToolTip(QString::fromStdString(FPreview.Failure()));
  if (FPicture.isNull()) {
    ImageArea->setPixmap(QPixmap());
    ImageArea->setText(QString::fromStdString(FPreview.PanelText()));
    return;
  }
  const QSize Box = ImageArea->contentsRect().size() - QSize(4, 4);
  const QSize Size = FitPictureSize(FPicture.size(), Box);
  if (Size.isEmpty()) return;
  ImageArea->setPixmap(QPixmap::fromImage(FPicture.scaled(Size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
}

void TPicturePreviewPane::resizeEvent(QResizeEvent* Event) {
  QWidget::resizeEvent(Event);
  if (!FPicture.isNull()) ShowState();
}

void TPicturePreviewPane::ShowFullSize() {
  if (FPicture.isNull()) return;
  QDialog Full(window());
  Full.setObjectName("FullPreview");
  // The label holds only the size; the title names the file as well.
  Full.setWindowTitle(QFileInfo(QString::fromStdString(FPreview.ShownName())).fileName() + PictureLabel->text());
  auto* Layout = new QVBoxLayout(&Full);
  Layout->setContentsMargins(0, 0, 0, 0);
  auto* Scroll = new QScrollArea(&Full);
  auto* Picture = new QLabel(Scroll);
  Picture->setPixmap(QPixmap::fromImage(FPicture));
  Scroll->setWidget(Picture);
  Layout->addWidget(Scroll);
  QSize Limit(800, 600);
  if (const QScreen* S = screen()) Limit = S->availableGeometry().size() * 9 / 10;
  Full.resize(FPicture.size().boundedTo(Limit) + QSize(4, 4));
  Full.exec();
}

TSavePictureDialog::TSavePictureDialog(QWidget* Parent, const std::string& Filter) : QFileDialog(Parent) {
  setObjectName("SavePictureDialog1");
  setOption(QFileDialog::DontUseNativeDialog, true);
  setOption(QFileDialog::DontConfirmOverwrite, true);
  setOption(QFileDialog::ReadOnly, false);
  setAcceptMode(QFileDialog::AcceptSave);
  setFileMode(QFileDialog::AnyFile);
  setWindowTitle("Save Image As");

  FPairs = ParseFilterText(Filter);
  QStringList Texts;
  for (const TFilterPair& P : FPairs) Texts << P.Text;
  setNameFilters(Texts);
  // Qt reads a filter's masks from its text and, in a save dialog, rewrites the typed
  // extension when the filter changes; the registry's masks are ';'-separated and the name
  // is to stay as typed, so the filter list is driven here instead.
  if (auto* Combo = findChild<QComboBox*>("fileTypeCombo")) {
    disconnect(Combo, nullptr, this, nullptr);
    connect(Combo, &QComboBox::activated, this, &TSavePictureDialog::UseFilter);
  }
  UseFilter(0);

  PreviewPane = new TPicturePreviewPane(this);
  if (auto* Grid = qobject_cast<QGridLayout*>(layout())) {
    Grid->addWidget(PreviewPane, 0, Grid->columnCount(), Grid->rowCount(), 1);
  }
  connect(this, &QFileDialog::currentChanged, PreviewPane, &TPicturePreviewPane::SelectionChanged);
  resize(780, 440);
}

QStringList TSavePictureDialog::ActiveMasks() const {
  return FFilterIndex >= 0 && FFilterIndex < static_cast<int>(FPairs.size()) ? FPairs[FFilterIndex].Masks
                                                                             : QStringList();
}

void TSavePictureDialog::UseFilter(int Index) {
  FFilterIndex = Index;
  if (auto* Combo = findChild<QComboBox*>("fileTypeCombo"); Combo && Combo->currentIndex() != Index) {
    Combo->setCurrentIndex(Index);
  }
  if (auto* Model = findChild<QFileSystemModel*>()) Model->setNameFilters(ActiveMasks());
}

bool TSavePictureDialog::Execute() {
  FFileName.clear();
  if (exec() != QDialog::Accepted) return false;
  const QStringList Files = selectedFiles();
  if (Files.isEmpty() || Files.first().isEmpty()) return false;
  FFileName = Files.first();
  return true;
}

}  // namespace trochodraw
