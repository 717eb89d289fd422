#include "imagefiles/save_picture_dialog.h"

#include <gtest/gtest.h>

#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <fstream>

#include "imagefiles/format_registry.h"
#include "imagefiles/save_figure.h"
#include "support/run_command.h"

namespace trochodraw {
namespace {

TEST(SavePictureDialogTest, TakesTheRegistryPairsAllFirst) {
  const std::vector<TFilterPair> Pairs = ParseFilterText(FilterText());
  ASSERT_EQ(Pairs.size(), 14u);
  EXPECT_TRUE(Pairs[0].Text.startsWith("All (*.jpg;*.gif;*.png;"));
  EXPECT_EQ(Pairs[0].Masks.size(), 13);
  EXPECT_EQ(Pairs[1].Text, "JPEG Files (*.jpg)");
  EXPECT_EQ(Pairs[1].Masks, QStringList{"*.jpg"});
  EXPECT_EQ(Pairs[13].Text, "Metafiles (*.wmf)");

  TSavePictureDialog Dialog(nullptr, FilterText());
  EXPECT_TRUE(Dialog.testOption(QFileDialog::DontUseNativeDialog));
  EXPECT_TRUE(Dialog.testOption(QFileDialog::DontConfirmOverwrite));
  EXPECT_TRUE(Dialog.defaultSuffix().isEmpty());
  EXPECT_EQ(Dialog.acceptMode(), QFileDialog::AcceptSave);
  EXPECT_EQ(Dialog.nameFilters().size(), 14);
  EXPECT_EQ(Dialog.selectedNameFilter(), Pairs[0].Text);
  // The file list is filtered by the pair's own masks, not by Qt's reading of its text.
  auto* Model = Dialog.findChild<QFileSystemModel*>();
  ASSERT_NE(Model, nullptr);
  EXPECT_EQ(Model->nameFilters(), Pairs[0].Masks);
}

TEST(SavePictureDialogTest, ParsesOddAndEmptyFilters) {
  EXPECT_TRUE(ParseFilterText("").empty());
  const auto One = ParseFilterText("Bitmaps (*.bmp)|*.bmp");
  ASSERT_EQ(One.size(), 1u);
  EXPECT_EQ(One[0].Masks, QStringList{"*.bmp"});
  const auto Odd = ParseFilterText("A|*.a|B");
  ASSERT_EQ(Odd.size(), 2u);
  EXPECT_TRUE(Odd[1].Masks.isEmpty());
}

TEST(SavePictureDialogTest, FitsPicturesIntoThePane) {
  struct TCase {
    QSize Picture, Box, Fit;
  };
  const TCase Cases[] = {
      {{640, 480}, {160, 160}, {160, 120}}, {{100, 50}, {160, 160}, {100, 50}}, {{100, 1000}, {160, 160}, {16, 160}},
      {{0, 10}, {160, 160}, {0, 0}},        {{10000, 1}, {100, 100}, {100, 1}},
  };
  for (const TCase& C : Cases) EXPECT_EQ(FitPictureSize(C.Picture, C.Box), C.Fit) << C.Picture.width();
}

TEST(SavePictureDialogTest, PreviewShowsReadableFilesAndNoneOtherwise) {
  testing::TTempDir Dir;
  TBitmap Figure(64, 32);
  const std::string Png = Dir.File("a.png");
  SaveFigure(Figure, Png);
  const std::string Broken = Dir.File("b.png");
  std::ofstream(Broken) << "not a picture";

  TPicturePreviewPane Pane;
  Pane.SelectionChanged(QString::fromStdString(Png));
  EXPECT_EQ(Pane.PictureLabel->text(), " (64x32)");
  EXPECT_TRUE(Pane.PreviewButton->isEnabled());
  EXPECT_FALSE(Pane.ImageArea->pixmap().isNull());

  for (const std::string& Name : {Broken, Dir.File("missing.png"), Dir.Path().string(), Dir.File("x.xyz")}) {
    Pane.SelectionChanged(QString::fromStdString(Name));
    EXPECT_EQ(Pane.PictureLabel->text(), "Picture:") << Name;
    EXPECT_EQ(Pane.ImageArea->text(), "(None)") << Name;
    EXPECT_FALSE(Pane.PreviewButton->isEnabled()) << Name;
  }
}

}  // namespace
}  // namespace trochodraw
