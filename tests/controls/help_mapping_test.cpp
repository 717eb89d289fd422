#include "controls/help_mapping.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

using namespace trochodraw;
namespace fs = std::filesystem;

namespace {

TEST(HelpMapping, ApplicationCommandsBecomeViewerCalls) {
  struct TCase {
    uint16_t Command;
    THelpData Data;
    THtmlHelpRequest Expected;
  };
  const TCase Cases[] = {
      {HELP_CONTEXT, int64_t{120}, {HH_HELP_CONTEXT, int64_t{120}}},
      {HELP_CONTEXTPOPUP, int64_t{7}, {HH_HELP_CONTEXT, int64_t{7}}},
      {HELP_QUIT, int64_t{99}, {HH_CLOSE_ALL, int64_t{0}}},
      {HELP_CONTENTS, int64_t{5}, {HH_DISPLAY_TOC, int64_t{0}}},
      {HELP_FINDER, int64_t{3}, {HH_DISPLAY_TOPIC, int64_t{3}}},
      {HELP_KEY, std::string("Wheels"), {HH_DISPLAY_INDEX, std::string("Wheels")}},
      {4, int64_t{9}, {HH_DISPLAY_TOPIC, int64_t{0}}},
  };
  for (const TCase& C : Cases) EXPECT_EQ(MapHelpCommand(C.Command, C.Data), C.Expected) << "command " << C.Command;
}

TEST(HelpMapping, FileKindsAndTopicFiles) {
  EXPECT_TRUE(IsCompiledHtml("/opt/x/Trochodraw.chm"));
  EXPECT_TRUE(IsCompiledHtml("TROCHODRAW.CHM"));
  EXPECT_FALSE(IsCompiledHtml("Trochodraw.hlp"));
  EXPECT_FALSE(IsCompiledHtml("chm"));
  EXPECT_TRUE(IsWinHelpFile("old.HLP"));
  EXPECT_EQ(TopicFile("a.chm", "intro.html"), "a.chm::/intro.html");
  EXPECT_EQ(TopicFile("a.chm", "/intro.html"), "a.chm::/intro.html");
  EXPECT_EQ(TopicFile("a.chm", ""), "a.chm");
}

// A program folder with the HTML manual beside it.
class Manual : public ::testing::Test {
 protected:
  Manual() : Root(fs::temp_directory_path() / ("trochodraw_manual_" + std::to_string(::getpid()))) {
    fs::remove_all(Root);
    for (const char* Page : {"index.html", "keywords.html", "spin-edits.html", "context-20.html", "run/wheels.html"})
      Write(Root / "bin" / "help" / Page);
    Write(Root / "secret.html");
    Chm = (Root / "bin" / "Trochodraw.chm").string();
  }
  ~Manual() override { fs::remove_all(Root); }
  static void Write(const fs::path& P) {
    fs::create_directories(P.parent_path());
    std::ofstream(P) << "<html></html>";
  }
  fs::path Page(const char* Name) const { return (Root / "bin" / "help" / Name).lexically_normal(); }

  fs::path Root;
  std::string Chm;
};

TEST_F(Manual, EachViewerCallOpensItsPageOrTheContents) {
  THHAKLink Link;
  Link.pszKeywords = "Nothing;Spin Edits";
  THHAKLink Missing;
  Missing.pszKeywords = "Nothing";
  THHAKLink MissingNoIndex = Missing;
  MissingNoIndex.fIndexOnFail = false;
  struct TCase {
    std::string File;
    unsigned Command;
    THtmlHelpData Data;
    const char* Page;  // null: nothing shown
    const char* Fragment;
  };
  const TCase Cases[] = {
      {Chm, HH_DISPLAY_TOC, int64_t{0}, "index.html", ""},
      {Chm + "::/run/wheels.html#speed", HH_DISPLAY_TOPIC, int64_t{0}, "run/wheels.html", "speed"},
      {Chm + "::/absent.html", HH_DISPLAY_TOPIC, int64_t{0}, "index.html", ""},
      {Chm + "::/../../secret.html", HH_DISPLAY_TOPIC, int64_t{0}, "index.html", ""},
      {Chm, HH_DISPLAY_INDEX, std::string("spin edits"), "spin-edits.html", ""},
      {Chm, HH_DISPLAY_INDEX, std::string("nothing"), "keywords.html", ""},
      {Chm, HH_KEYWORD_LOOKUP, Link, "spin-edits.html", ""},
      {Chm, HH_KEYWORD_LOOKUP, Missing, "keywords.html", ""},
      {Chm, HH_KEYWORD_LOOKUP, MissingNoIndex, nullptr, ""},
      {Chm, HH_HELP_CONTEXT, int64_t{20}, "context-20.html", ""},
      {Chm, HH_HELP_CONTEXT, int64_t{21}, "index.html", ""},
      {Chm, HH_CLOSE_ALL, int64_t{0}, nullptr, ""},
      {(Root / "elsewhere" / "Trochodraw.chm").string(), HH_DISPLAY_TOC, int64_t{0}, nullptr, ""},
  };
  for (const TCase& C : Cases) {
    const auto Result = ManualPage(C.File, C.Command, C.Data);
    if (!C.Page) {
      EXPECT_FALSE(Result) << C.File << " command " << C.Command;
      continue;
    }
    ASSERT_TRUE(Result) << C.File << " command " << C.Command;
    EXPECT_EQ(Result->File.lexically_normal(), Page(C.Page)) << C.File << " command " << C.Command;
    EXPECT_EQ(Result->Fragment, C.Fragment);
  }
}

TEST_F(Manual, InstalledManualIsFoundInTheShareFolder) {
  fs::remove_all(Root / "bin" / "help");
  Write(Root / "share" / "trochodraw" / "help" / "index.html");
  const auto Folder = FindManualFolder(Chm);
  ASSERT_TRUE(Folder);
  EXPECT_EQ(*Folder, (Root / "share" / "trochodraw" / "help").lexically_normal());
}

}  // namespace
