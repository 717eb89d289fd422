#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "image_test_support.h"
#include "imagefiles/preview_load.h"
#include "imagefiles/save_figure.h"

namespace trochodraw {
namespace {

using test::TTempDir;

// The project's own codecs may still be placeholders in a build; their cases wait for them.
bool IsPlaceholderCodec(const EImageError& E) { return std::strstr(E.what(), "not supported yet") != nullptr; }

std::string Magic(const std::vector<uint8_t>& Data, size_t N) {
  return std::string(Data.begin(), Data.begin() + static_cast<std::ptrdiff_t>(std::min(N, Data.size())));
}

TEST(SaveFigure, TheLastExtensionChoosesTheFormat) {
  const std::pair<const char*, const char*> cases[] = {
      {"f.png", "\x89PNG"}, {"f.PNG", "\x89PNG"}, {"f.tif.png", "\x89PNG"}, {"f.gif", "GIF8"},
      {"f.jpg", "\xFF\xD8"}, {"f.JPEG", "\xFF\xD8"}, {"f.bmp", "BM"},       {"f.ico", "BM"},
      {"f.wmf", "BM"},      {"f.emf", "BM"},       {"f.xyz", "BM"},        {"f", "BM"},
      {"f.", "BM"},         {"f.png.bmp", "BM"},
  };
  TTempDir dir;
  const TBitmap figure = test::MakeTestPicture(TPixelFormat::pfDevice, 5, 4);
  for (const auto& [name, magic] : cases) {
    SaveFigure(figure, (dir / name).string());
    EXPECT_EQ(Magic(test::ReadBytes(dir / name), std::strlen(magic)), magic) << name;
  }
}

// A figure as freshly drawn: the display's own format, white, with a chequered block.
TBitmap FreshFigure() {
  TBitmap figure(40, 30);
  for (int y = 5; y < 25; ++y)
    for (int x = 3; x < 37; ++x) figure.SetPixel(x, y, (x / 8 + y / 8) % 2 ? clBlack : RGBColor(51, 51, 51));
  return figure;
}

// A freshly drawn figure is in the display's format; every extension but TIFF and TGA must
// take it and read back to the same picture (JPEG close to it, being lossy). The command
// line's save takes TIFF and TGA as well.
TEST(SaveFigure, AFreshFigureSavesAndReadsBackInEveryFormat) {
  TTempDir dir;
  const TBitmap figure = FreshFigure();
  const std::pair<const char*, void (*)(const TBitmap&, const std::string&)> cases[] = {
      {"bmp", SaveFigure},          {"png", SaveFigure},           {"gif", SaveFigure},          {"jpg", SaveFigure},
      {"jpeg", SaveFigure},         {"pcx", SaveFigure},           {"lbm", SaveFigure},          {"ico", SaveFigure},
      {"tif", SaveFigureConverted}, {"tiff", SaveFigureConverted}, {"tga", SaveFigureConverted},
  };
  for (const auto& [ext, save] : cases) {
    SCOPED_TRACE(ext);
    const std::string name = (dir / (std::string("fig.") + ext)).string();
    try {
      save(figure, name);
      const TBitmap back = PreviewLoad(name);
      if (!std::strcmp(ext, "jpg") || !std::strcmp(ext, "jpeg")) {
        EXPECT_LT(test::MeanChannelDifference(figure, back), 8.0);
      } else {
        EXPECT_EQ(test::FirstPixelDifference(figure, back), "");
      }
    } catch (const EImageError& e) {
      if (!IsPlaceholderCodec(e)) ADD_FAILURE() << e.what();
    }
  }
}

// TIFF and TGA take a figure only once a mosaic has made it 24-bit; the refusal creates no file.
TEST(SaveFigure, AFreshFigureIsRefusedAsTIFFAndTGA) {
  const std::pair<const char*, const char*> cases[] = {
      {"f.tif", "Invalid Pixel Format"},
      {"f.TIFF", "Invalid Pixel Format"},
      {"f.tga", "Unsupported Bitmap format"},
  };
  TTempDir dir;
  TBitmap figure = FreshFigure();
  for (const auto& [name, message] : cases) {
    try {
      SaveFigure(figure, (dir / name).string());
      ADD_FAILURE() << "saved " << name;
    } catch (const EImageError& e) {
      EXPECT_EQ(std::string(e.what()), message) << name;
    }
  }
  EXPECT_TRUE(dir.Files().empty());
  figure.SetPixelFormat(TPixelFormat::pf24bit);  // as the mosaic leaves it
  for (const auto& [name, message] : cases) {
    SaveFigure(figure, (dir / name).string());
    EXPECT_EQ(test::FirstPixelDifference(figure, PreviewLoad((dir / name).string())), "") << name;
  }
}

// The command line's save converts only where a writer refuses the picture's format: every
// other case gets the very bytes the program's save writes.
TEST(SaveFigure, TheConvertingSaveConvertsOnlyWhatAWriterRefuses) {
  TTempDir dir;
  const std::pair<const char*, TBitmap> same[] = {
      {"a.bmp", FreshFigure()},
      {"a.png", FreshFigure()},
      {"a.gif", FreshFigure()},
      {"a.pcx", FreshFigure()},
      {"a.lbm", FreshFigure()},
      {"a", FreshFigure()},
      {"b.tif", test::MakeTestPicture(TPixelFormat::pf8bit, 5, 4)},
      {"c.tga", test::MakeTestPicture(TPixelFormat::pf32bit, 5, 4)},
  };
  for (const auto& [name, picture] : same) {
    SaveFigure(picture, (dir / "plain-").string() + name);
    SaveFigureConverted(picture, (dir / "converted-").string() + name);
    EXPECT_EQ(test::ReadBytes((dir / "plain-").string() + name), test::ReadBytes((dir / "converted-").string() + name))
        << name;
  }
  const TBitmap deep = test::MakeTestPicture(TPixelFormat::pf32bit, 5, 4);
  SaveFigureConverted(deep, (dir / "deep.tif").string());
  EXPECT_EQ(test::FirstPixelDifference(deep, PreviewLoad((dir / "deep.tif").string())), "");
}

TEST(SaveFigure, AFileThatCannotBeCreatedIsReportedByName) {
  TTempDir dir;
  const TBitmap figure = test::MakeTestPicture(TPixelFormat::pf24bit, 3, 3);
  for (const std::string& name : {(dir / "missing" / "f.png").string(), dir.Path().string(), std::string()}) {
    try {
      SaveFigure(figure, name);
      ADD_FAILURE() << "saved to '" << name << "'";
    } catch (const EImageError& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot create file " + name);
    }
  }
  EXPECT_TRUE(dir.Files().empty());
}

// Whatever refuses the picture, the file already under the name stays as it was and no
// temporary file is left beside it.
TEST(SaveFigure, ARefusedSaveLeavesTheExistingFileUntouched) {
  struct TCase {
    const char* Name;
    TBitmap Figure;
  };
  TCase cases[] = {
      {"empty.png", TBitmap()},
      {"wide.gif", TBitmap(70000, 1, TPixelFormat::pf8bit)},
      {"custom.tga", TBitmap(4, 4, TPixelFormat::pf16bit)},  // TGA takes 24 and 32 bits only
      {"deep.tif", TBitmap(4, 4, TPixelFormat::pf32bit)},    // TIFF takes 1, 4, 8 and 24 bits
      {"fresh.tif", TBitmap(4, 4)},                          // the display's own format
      {"fresh.tga", TBitmap(4, 4)},
  };
  TTempDir dir;
  const std::vector<uint8_t> before = {'k', 'e', 'e', 'p'};
  for (auto& c : cases) {
    SCOPED_TRACE(c.Name);
    test::WriteBytes(dir / c.Name, before);
    EXPECT_THROW(SaveFigure(c.Figure, (dir / c.Name).string()), EImageError);
    EXPECT_EQ(test::ReadBytes(dir / c.Name), before);
  }
  EXPECT_EQ(dir.Files().size(), std::size(cases));
}

TEST(SaveFigure, ASuccessfulSaveReplacesTheFileAndKeepsItsPermissions) {
  TTempDir dir;
  const auto name = dir / "f.png";
  test::WriteBytes(name, {'o', 'l', 'd'});
  std::filesystem::permissions(name, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  SaveFigure(test::MakeTestPicture(TPixelFormat::pf24bit, 6, 2), name.string());
  EXPECT_EQ(Magic(test::ReadBytes(name), 4), "\x89PNG");
  EXPECT_EQ(std::filesystem::status(name).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  EXPECT_EQ(dir.Files(), std::vector<std::string>{"f.png"});
}

TEST(PreviewLoad, RefusesAnUnknownExtensionWithTheSystemMessage) {
  TTempDir dir;
  test::WriteBytes(dir / "a.xyz", {1, 2, 3});
  test::WriteBytes(dir / "noext", {1, 2, 3});
  const std::pair<std::string, std::string> cases[] = {
      {(dir / "a.xyz").string(), "Unknown picture file extension (.xyz)"},
      {(dir / "noext").string(), "Unknown picture file extension (.)"},
  };
  for (const auto& [name, message] : cases) {
    try {
      PreviewLoad(name);
      ADD_FAILURE() << name;
    } catch (const EImageError& e) {
      EXPECT_EQ(std::string(e.what()), message);
    }
  }
  EXPECT_THROW(PreviewLoad((dir / "missing.png").string()), EImageError);
}

class PicturePreviewTest : public ::testing::Test {
 protected:
  void ExpectEmpty(const TPicturePreview& P) {
    EXPECT_EQ(P.Label(), "Picture:");
    EXPECT_EQ(P.PanelText(), "(None)");
    EXPECT_FALSE(P.PreviewEnabled());
    EXPECT_EQ(P.Picture(), nullptr);
  }
  TTempDir Dir;
  TPicturePreview Preview;
};

TEST_F(PicturePreviewTest, StartsEmpty) { ExpectEmpty(Preview); }

TEST_F(PicturePreviewTest, ShowsAPictureWithItsSize) {
  const auto name = (Dir / "p.png").string();
  SaveFigure(test::MakeTestPicture(TPixelFormat::pf24bit, 7, 3), name);
  EXPECT_TRUE(Preview.SelectionChanged(name));
  EXPECT_EQ(Preview.Label(), " (7x3)");
  EXPECT_EQ(Preview.PanelText(), "");
  EXPECT_TRUE(Preview.PreviewEnabled());
  ASSERT_NE(Preview.Picture(), nullptr);
  EXPECT_EQ(Preview.Picture()->Width(), 7);
}

TEST_F(PicturePreviewTest, EveryFailureShowsTheEmptyState) {
  test::WriteBytes(Dir / "broken.png", {0x89, 'P', 'N', 'G', 1, 2, 3});
  test::WriteBytes(Dir / "note.xyz", {1});
  std::filesystem::create_directory(Dir / "folder.png");
  const auto good = (Dir / "good.gif").string();
  SaveFigure(test::MakeTestPicture(TPixelFormat::pf8bit, 2, 2), good);
  for (const char* name : {"broken.png", "note.xyz", "missing.png", "folder.png"}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(Preview.SelectionChanged(good));
    ASSERT_TRUE(Preview.PreviewEnabled());
    EXPECT_TRUE(Preview.SelectionChanged((Dir / name).string()));
    ExpectEmpty(Preview);
  }
  Preview.SelectionChanged((Dir / "note.xyz").string());
  Preview.SelectionChanged((Dir / "broken.png").string());
  EXPECT_FALSE(Preview.Failure().empty());
}

TEST_F(PicturePreviewTest, TheNameShownLastIsNotLoadedAgain) {
  const auto name = (Dir / "p.bmp").string();
  SaveFigure(test::MakeTestPicture(TPixelFormat::pf24bit, 4, 4), name);
  ASSERT_TRUE(Preview.SelectionChanged(name));
  std::filesystem::remove(name);
  EXPECT_FALSE(Preview.SelectionChanged(name));
  EXPECT_TRUE(Preview.PreviewEnabled());
  EXPECT_EQ(Preview.ShownName(), name);
}

}  // namespace
}  // namespace trochodraw
