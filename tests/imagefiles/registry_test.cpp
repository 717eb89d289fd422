#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imagefiles/format_registry.h"

namespace trochodraw {
namespace {

TEST(FormatRegistry, HoldsThirteenFormatsInStartUpOrder) {
  struct TRow {
    const char* Extension;
    const char* Description;
    const char* Class;
  };
  const std::vector<TRow> expected = {
      {"wmf", "Metafiles", "TMetafile"},       {"emf", "Enhanced Metafiles", "TMetafile"},
      {"ico", "Icons", "TIcon"},               {"bmp", "Bitmaps", "TBitmap"},
      {"lbm", "LBM Files", "TLBMBitmap"},      {"pcx", "PCX Files", "TPCXBitmap"},
      {"tga", "TGA Files", "TTGABitmap"},      {"tif", "TIFF-Format", "TTIFFBitmap"},
      {"tiff", "TIFF-Format", "TTIFFBitmap"},  {"jpeg", "JPEG Files", "TJPGBitmap"},
      {"png", "PNG Files", "TPNGBitmap"},      {"gif", "GIF Files", "TGIFBitmap"},
      {"jpg", "JPEG Files", "TJPGBitmap"},
  };
  const auto& entries = PictureFormats().Entries();
  ASSERT_EQ(entries.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(entries[i].Extension, expected[i].Extension);
    EXPECT_EQ(entries[i].Description, expected[i].Description);
    EXPECT_STREQ(entries[i].Class->Name, expected[i].Class);
  }
}

TEST(FormatRegistry, FilterTextHasTheAllPairFirstThenEveryEntryLastToFirst) {
  const std::string expected =
      "All (*.jpg;*.gif;*.png;*.jpeg;*.tiff;*.tif;*.tga;*.pcx;*.lbm;*.bmp;*.ico;*.emf;*.wmf)"
      "|*.jpg;*.gif;*.png;*.jpeg;*.tiff;*.tif;*.tga;*.pcx;*.lbm;*.bmp;*.ico;*.emf;*.wmf"
      "|JPEG Files (*.jpg)|*.jpg"
      "|GIF Files (*.gif)|*.gif"
      "|PNG Files (*.png)|*.png"
      "|JPEG Files (*.jpeg)|*.jpeg"
      "|TIFF-Format (*.tiff)|*.tiff"
      "|TIFF-Format (*.tif)|*.tif"
      "|TGA Files (*.tga)|*.tga"
      "|PCX Files (*.pcx)|*.pcx"
      "|LBM Files (*.lbm)|*.lbm"
      "|Bitmaps (*.bmp)|*.bmp"
      "|Icons (*.ico)|*.ico"
      "|Enhanced Metafiles (*.emf)|*.emf"
      "|Metafiles (*.wmf)|*.wmf";
  EXPECT_EQ(FilterText(), expected);
}

TEST(FormatRegistry, FilterTextOfSmallRegistries) {
  TPictureFormatRegistry r;
  EXPECT_EQ(r.FilterText(), "");
  r.Add("PNG", "PNG Files", PNGBitmapClass);
  EXPECT_EQ(r.FilterText(), "PNG Files (*.png)|*.png");  // one entry: no "All" pair
  r.Add("gif", "GIF Files", GIFBitmapClass);
  EXPECT_EQ(r.FilterText(), "All (*.gif;*.png)|*.gif;*.png|GIF Files (*.gif)|*.gif|PNG Files (*.png)|*.png");
}

TEST(FormatRegistry, ClassForExtensionIgnoresCase) {
  struct TCase {
    const char* Extension;
    const TPictureClass* Class;
  };
  const TCase cases[] = {
      {"png", &PNGBitmapClass},   {"PNG", &PNGBitmapClass},   {"Gif", &GIFBitmapClass},
      {"jpg", &JPGBitmapClass},   {"JPEG", &JPGBitmapClass},  {"tif", &TIFFBitmapClass},
      {"TiFf", &TIFFBitmapClass}, {"tga", &TGABitmapClass},   {"pcx", &PCXBitmapClass},
      {"LBM", &LBMBitmapClass},   {"bmp", &BitmapClass},      {"ico", &IconClass},
      {"wmf", &MetafileClass},    {"EMF", &MetafileClass},    {"xyz", nullptr},
      {"", nullptr},              {"pn", nullptr},            {"png ", nullptr},
  };
  for (const auto& c : cases) EXPECT_EQ(ClassForExtension(c.Extension), c.Class) << "'" << c.Extension << "'";
}

TEST(FormatRegistry, TheLastMatchingEntryWins) {
  TPictureFormatRegistry r;
  r.Add("png", "first", BitmapClass);
  r.Add("gif", "GIF Files", GIFBitmapClass);
  r.Add("PNG", "second", PNGBitmapClass);
  EXPECT_EQ(r.Find("Png"), &PNGBitmapClass);
  EXPECT_EQ(r.Entries()[2].Extension, "png");
}

TEST(FormatRegistry, ShutdownLeavesOnlyTheToolkitFormats) {
  TPictureFormatRegistry r;
  AddToolkitFormats(r);
  RegisterImageFormats(r);
  UnregisterImageFormats(r);
  EXPECT_EQ(r.FilterText(),
            "All (*.bmp;*.ico;*.emf;*.wmf)|*.bmp;*.ico;*.emf;*.wmf|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico"
            "|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf");
  EXPECT_EQ(r.Find("png"), nullptr);
}

TEST(FormatRegistry, FileExtensionIsTheTextAfterTheLastDotOfTheName) {
  const std::pair<const char*, const char*> cases[] = {
      {"figure.png", "png"},        {"/tmp/a.tif.png", "png"}, {"figure", ""},
      {"/tmp/dir.v2/figure", ""},   {"figure.", ""},           {"/home/u/.hidden", "hidden"},
      {"C.JPEG", "JPEG"},           {"", ""},
  };
  for (const auto& [name, ext] : cases) EXPECT_EQ(FileExtension(name), ext) << name;
}

}  // namespace
}  // namespace trochodraw
