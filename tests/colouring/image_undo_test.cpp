#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <set>

#include "colouring/bitmap_undo.h"
#include "colouring/bitmap_undoer.h"
#include "colouring/file_undo.h"
#include "colouring/image_undoer.h"
#include "colouring/temp_folder.h"
#include "colouring/test_pictures.h"

namespace trochodraw {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& P) {
  std::ifstream in(P, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A picture with many colours, so that every format keeps something worth comparing.
TBitmap Sample(int W, int H, TPixelFormat Format, int Seed) {
  TBitmap b(W, H, Format);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      b.SetPixel(x, y, RGBColor(uint8_t(x * 37 + Seed), uint8_t(y * 59 + Seed * 3), uint8_t((x ^ y) * 23)));
  b.XPelsPerMeter = 2835 + Seed;
  return b;
}

TEST(FileUndo, FilesAreCreatedExclusivelyAndDeletedWithTheStack) {
  TTempFolder folder;
  const fs::path foreign = TFileUndo::TempName(folder.Path(), "BMP", 0x1234);
  std::ofstream(foreign) << "not ours";
  std::set<std::string> names;
  {
    TFileUndo files(4);
    files.Prefix = "BMPX";
    files.Folder = folder.Path();
    files.Clock = [] { return 0x51234u; };  // the low 16 bits name the taken file first
    for (int i = 0; i < 3; ++i) {
      const std::string name = files.NewFile();
      EXPECT_TRUE(names.insert(name).second);
      EXPECT_NE(name, foreign.string());
      EXPECT_EQ(fs::path(name).parent_path(), folder.Path());
      EXPECT_EQ(fs::path(name).filename().string().substr(0, 3), "BMP");
      EXPECT_EQ(fs::path(name).extension(), ".tmp");
      struct stat st {};
      ASSERT_EQ(::stat(name.c_str(), &st), 0);
      EXPECT_EQ(st.st_size, 0);
      EXPECT_EQ(st.st_mode & 0777, 0600u);
    }
    EXPECT_EQ(*names.begin(), TFileUndo::TempName(folder.Path(), "BMP", 0x1235));
    EXPECT_EQ(files.Count(), 3);
    EXPECT_EQ(folder.FileCount(), 4);
  }
  EXPECT_EQ(folder.FileCount(), 1);
  EXPECT_EQ(Contents(foreign), "not ours");
}

TEST(FileUndo, FullRingDropsAndDeletesTheOldestFile) {
  TTempFolder folder;
  TFileUndo files(3);
  files.Folder = folder.Path();
  const std::string first = files.NewFile(), second = files.NewFile();
  const std::string third = files.NewFile();
  EXPECT_FALSE(fs::exists(first));
  EXPECT_EQ(files.Count(), 2);
  EXPECT_EQ(files.PeekFile(), third);
  EXPECT_EQ(files.PopFile(), third);
  EXPECT_TRUE(fs::exists(third));  // popped: the caller's now
  EXPECT_EQ(files.PopFile(), second);
  EXPECT_EQ(files.PopFile(), "");
  EXPECT_EQ(ErrorText<EHugeArrayError>([] { TFileUndo one(1); }), "Invalid Ring Size");
}

TEST(FileUndo, MissingFolderIsAnError) {
  TTempFolder folder;
  TFileUndo files(3);
  files.Folder = folder.Path() / "gone";
  EXPECT_EQ(ErrorText<EImageError>([&] { files.NewFile(); }).rfind("Unable to write to ", 0), 0u);
  EXPECT_EQ(files.Count(), 0);
}

TEST(BitmapUndo, RestoresSizeFormatAndPixelsOfEveryFormat) {
  const TPixelFormat formats[] = {TPixelFormat::pfDevice, TPixelFormat::pf1bit,  TPixelFormat::pf4bit,
                                  TPixelFormat::pf8bit,   TPixelFormat::pf15bit, TPixelFormat::pf16bit,
                                  TPixelFormat::pf24bit,  TPixelFormat::pf32bit, TPixelFormat::pfCustom};
  TTempFolder folder;
  TBitmapUndo undo(10);
  undo.Files.Folder = folder.Path();
  for (const TPixelFormat f : formats) {
    const TBitmap original = Sample(13, 7, f, int(f));
    undo.Store(original);
    TBitmap b = Sample(40, 3, TPixelFormat::pf24bit, 99);
    b.Transparent = true;
    ASSERT_TRUE(undo.Restore(b));
    EXPECT_EQ(b.PixelFormat(), f) << int(f);
    EXPECT_EQ(FirstDifference(b, original), "") << int(f);
    EXPECT_EQ(b.Palette(), original.Palette()) << int(f);
    EXPECT_EQ(b.XPelsPerMeter, original.XPelsPerMeter) << int(f);
    EXPECT_TRUE(b.Transparent);  // the owner's setting, not the snapshot's
  }
  EXPECT_EQ(folder.FileCount(), 0);
  TBitmap b;
  EXPECT_FALSE(undo.Restore(b));

  // An empty bitmap comes back empty, at its size and format.
  undo.Store(TBitmap(0, 4, TPixelFormat::pf8bit));
  ASSERT_TRUE(undo.Restore(b));
  EXPECT_EQ(b.Width(), 0);
  EXPECT_EQ(b.Height(), 4);
  EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf8bit);
}

class BitmapUndoerTest : public ::testing::Test {
 protected:
  void SetUp() override { Undoer.SetFolder(Folder.Path()); }
  TTempFolder Folder;
  TBitmapUndoer Undoer;
};

TEST_F(BitmapUndoerTest, UndoRedoRoundTrips) {
  const TBitmap a = Sample(20, 10, TPixelFormat::pfDevice, 1), b = Sample(30, 5, TPixelFormat::pf24bit, 2);
  TBitmap picture = a;
  Undoer.Store(picture);
  picture = b;
  EXPECT_TRUE(Undoer.Undo(picture));
  EXPECT_EQ(FirstDifference(picture, a), "");
  EXPECT_EQ(picture.PixelFormat(), TPixelFormat::pfDevice);
  EXPECT_EQ(Undoer.UndoCount(), 0);
  EXPECT_EQ(Undoer.RedoCount(), 1);
  EXPECT_FALSE(Undoer.Undo(picture));
  EXPECT_EQ(FirstDifference(picture, a), "");

  EXPECT_TRUE(Undoer.Redo(picture));
  EXPECT_EQ(FirstDifference(picture, b), "");
  EXPECT_EQ(picture.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(Undoer.UndoCount(), 1);
  EXPECT_FALSE(Undoer.Redo(picture));

  // A store after an undo forgets (and deletes) the redo level.
  Undoer.Undo(picture);
  EXPECT_EQ(Folder.FileCount(), 1);
  Undoer.Store(picture);
  EXPECT_EQ(Undoer.RedoCount(), 0);
  EXPECT_EQ(Folder.FileCount(), 1);
  Undoer.Clear();
  EXPECT_EQ(Folder.FileCount(), 0);
}

TEST_F(BitmapUndoerTest, AHundredStoresKeepNinetyNine) {
  TBitmap picture = Sample(4, 4, TPixelFormat::pf24bit, 0);
  for (int i = 0; i < 100; ++i) {
    picture.SetPixel(0, 0, TColor(i));
    Undoer.Store(picture);
  }
  EXPECT_EQ(Undoer.UndoCount(), 99);
  EXPECT_EQ(Folder.FileCount(), 99);
  for (int i = 99; i >= 1; --i) {
    ASSERT_TRUE(Undoer.Undo(picture));
    EXPECT_EQ(picture.GetPixel(0, 0), TColor(i));
  }
  EXPECT_FALSE(Undoer.Undo(picture));  // level 0 was dropped
}

TEST_F(BitmapUndoerTest, UnreadableSnapshotLeavesEverythingAsItWas) {
  const TBitmap a = Sample(20, 10, TPixelFormat::pf24bit, 1), b = Sample(8, 8, TPixelFormat::pf24bit, 2);
  TBitmap picture = a;
  Undoer.Store(picture);
  picture = b;
  for (const auto& entry : fs::directory_iterator(Folder.Path())) fs::resize_file(entry.path(), 30);
  EXPECT_EQ(ErrorText<EImageError>([&] { Undoer.Undo(picture); }), "Bitmap image is not valid");
  EXPECT_EQ(FirstDifference(picture, b), "");
  EXPECT_EQ(Undoer.UndoCount(), 1);
  EXPECT_EQ(Undoer.RedoCount(), 0);
  EXPECT_EQ(Folder.FileCount(), 1);
}

TEST(BitmapUndoer, DestroyingTheUndoerDeletesEverySnapshot) {
  TTempFolder folder;
  {
    TBitmapUndoer undoer;
    undoer.SetFolder(folder.Path());
    TBitmap picture = Sample(5, 5, TPixelFormat::pf24bit, 0);
    for (int i = 0; i < 5; ++i) undoer.Store(picture);
    undoer.Undo(picture);
    undoer.Undo(picture);
    EXPECT_EQ(folder.FileCount(), 5);
  }
  EXPECT_EQ(folder.FileCount(), 0);
}

TEST(ImageUndoer, StoreAndUndoOfTheBoundImage) {
  TTempFolder folder;
  TImageUndoer undoer;
  undoer.SetFolder(folder.Path());
  EXPECT_EQ(ErrorText<EImageError>([&] { undoer.Store(); }), "No Image Set");
  EXPECT_EQ(ErrorText<EImageError>([&] { undoer.Undo(); }), "No Image Set");
  EXPECT_EQ(ErrorText<EImageError>([&] { undoer.SetAutoUpdate(true); }), "No Image Set");

  TBitmap figure = Sample(30, 20, TPixelFormat::pfDevice, 3);
  const TBitmap original = figure;
  TImageHolder holder(figure);
  int changes = 0, shown = 0;
  bool allow = true;
  undoer.OnChange = [&] { ++changes; };
  undoer.OnStoreQuery = [&](bool& can) {
    EXPECT_TRUE(can);
    can = allow;
  };
  holder.OnPictureChanged = [&] { ++shown; };
  undoer.SetImage(&holder);

  undoer.Undo();  // nothing to undo: still a change notice
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(shown, 0);
  allow = false;
  undoer.Store();
  EXPECT_EQ(undoer.Count(), 0);
  allow = true;
  undoer.Store();
  EXPECT_EQ(undoer.Count(), 1);
  EXPECT_EQ(changes, 2);

  figure.SetSize(50, 60);  // undo brings the old size back
  undoer.Undo();
  EXPECT_EQ(FirstDifference(figure, original), "");
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(changes, 3);

  TBitmap empty;
  TImageHolder none(empty);
  undoer.SetImage(&none);
  undoer.Store();
  EXPECT_EQ(undoer.Count(), 0);
  EXPECT_EQ(changes, 3);
}

TEST(ImageUndoer, AutoUpdateStoresOnEveryCanvasChange) {
  TTempFolder folder;
  TBitmap figure = Sample(10, 10, TPixelFormat::pf24bit, 0), other = figure;
  TImageHolder holder(figure), second(other);
  {
    TImageUndoer undoer;
    undoer.SetFolder(folder.Path());
    undoer.SetImage(&holder);
    holder.CanvasChanged();
    EXPECT_EQ(undoer.Count(), 0);
    undoer.SetAutoUpdate(true);
    holder.CanvasChanged();
    holder.CanvasChanged();
    EXPECT_EQ(undoer.Count(), 2);
    undoer.SetImage(&second);  // the hook moves with the image
    holder.CanvasChanged();
    second.CanvasChanged();
    EXPECT_EQ(undoer.Count(), 3);
    undoer.SetAutoUpdate(false);
    second.CanvasChanged();
    EXPECT_EQ(undoer.Count(), 3);
    undoer.SetAutoUpdate(true);
  }
  EXPECT_FALSE(second.OnCanvasChange);  // unhooked when the undoer went
  EXPECT_EQ(folder.FileCount(), 0);
}

}  // namespace
}  // namespace trochodraw
