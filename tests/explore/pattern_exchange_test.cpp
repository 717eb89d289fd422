#include "explore/pattern_exchange.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "patterns/pattern_file.h"
#include "patterns/pattern_list_editor.h"
#include "support/run_command.h"
#include "support/text_file.h"

using namespace trochodraw;
using trochodraw::testing::TTempDir;
using trochodraw::testing::ReadText;
using trochodraw::testing::WriteText;

namespace {

// The built-in library and entries that stretch the format: odd mode bytes, signs, tiny and
// large numbers, names with the characters an INI line gives meaning to.
TPatternArray Library() {
  TPatternArray list = DefaultPatterns();
  TPattern odd;
  odd.Name = "Odd = [one]; \xC3\xA9t\xC3\xA9";
  odd.ArmMode = 255;
  odd.PlanetMode = 7;
  odd.Radius1 = 1e-6;
  odd.Radius2 = 123456789012345;
  odd.RPM1 = -99.95;
  odd.Scale = 0.1;
  odd.OffsetX = -1.5e20;
  odd.Angle2A = 359.9;
  list.push_back(odd);
  list.push_back(TPattern{});  // empty name, all zero
  return list;
}

TEST(PatternExchangeTest, WritingAndReadingGiveTheLibraryBackExactly) {
  TTempDir dir;
  for (char separator : {'.', ','}) {
    const TFormatSettings fs{separator, separator == '.' ? ',' : '.'};
    const std::string name = dir.File(std::string("shared") + separator + ".ini");
    WritePatternFile(name, Library(), fs);
    EXPECT_EQ(ReadPatternFile(name, fs), Library()) << "separator " << separator;
    // The library's own reading takes it the same way.
    TPatternArray loaded;
    EXPECT_EQ(LoadPatterns(loaded, name, fs), static_cast<int>(Library().size()));
    EXPECT_EQ(loaded, Library());
  }
}

TEST(PatternExchangeTest, AnExportReplacesTheWholeFile) {
  TTempDir dir;
  const std::string name = dir.File("old.ini");
  WriteText(name, "[Other]\nKeep=me\n[Patterns]\nCount=30\nName29=Stale\n");
  const TPatternArray two(DefaultPatterns().begin(), DefaultPatterns().begin() + 2);
  WritePatternFile(name, two, {});
  const std::string text = ReadText(name);
  EXPECT_EQ(text.find("Stale"), std::string::npos);
  EXPECT_EQ(text.find("Keep"), std::string::npos);
  EXPECT_EQ(text.rfind("[Patterns]\nCount=2\nName0=Mobius\n", 0), 0u) << text;
  EXPECT_EQ(ReadPatternFile(name, {}), two);
  EXPECT_EQ(PatternFileText(two, {}), text);
}

TEST(PatternExchangeTest, AFileThatCannotBeWrittenStaysAsItWas) {
  TTempDir dir;
  const std::string name = dir.File("locked.ini");
  WriteText(name, "precious");
  ::chmod(name.c_str(), 0444);
  EXPECT_THROW(WritePatternFile(name, DefaultPatterns(), {}), EPatternExchange);
  EXPECT_EQ(ReadText(name), "precious");
  EXPECT_THROW(WritePatternFile(dir.Path().string(), DefaultPatterns(), {}), EPatternExchange) << "a folder";
}

TEST(PatternExchangeTest, BrokenFilesAreRefusedWithTheFirstFault) {
  TTempDir dir;
  // A whole, good pattern 0 to build broken files from.
  std::string good = PatternFileText({DefaultPatterns()[11]}, {});
  const auto with = [&](const std::string& From, const std::string& To) {
    std::string t = good;
    const size_t at = t.find(From);
    EXPECT_NE(at, std::string::npos) << From;
    return t.replace(at, From.size(), To);
  };
  struct Case {
    std::string Text;
    std::string Message;
  };
  const Case cases[] = {
      {"", "broken.ini is not a pattern file: it has no [Patterns] section with a Count"},
      {"\x89PNG\r\n\x1a\n\x00\x00binary",
       "broken.ini is not a pattern file: it has no [Patterns] section with a Count"},
      {with("Count=1", "Count=0"), "broken.ini holds no patterns (Count is \"0\")"},
      {with("Count=1", "Count=many"), "broken.ini holds no patterns (Count is \"many\")"},
      {with("Count=1", "Count=20000"), "broken.ini says it holds 20000 patterns, more than 10000"},
      {with("Count=1", "Count=2"), "broken.ini: pattern 2 has no name (key Name1)"},
      {with("Radius10=54\n", ""), "broken.ini: pattern 1 has no Radius1 (key Radius10)"},
      {with("RPM20=-40", "RPM20=-40,5"),
       "broken.ini: pattern 1 has RPM2 \"-40,5\", not a number written with \".\" as decimal separator (key RPM20)"},
      {with("Scale0=1.5", "Scale0="),
       "broken.ini: pattern 1 has Scale \"\", not a number written with \".\" as decimal separator (key Scale0)"},
      {with("PlanetMode0=2", "PlanetMode0=300"),
       "broken.ini: pattern 1 has PlanetMode \"300\", not a whole number from 0 to 255 (key PlanetMode0)"},
  };
  const std::string name = dir.File("broken.ini");
  for (const Case& c : cases) {
    WriteText(name, c.Text);
    try {
      ReadPatternFile(name, {});
      ADD_FAILURE() << "accepted: " << c.Text;
    } catch (const EPatternExchange& e) {
      EXPECT_EQ(std::string(e.what()), c.Message);
    }
  }
  EXPECT_THROW(ReadPatternFile(dir.File("missing.ini"), {}), EPatternExchange);
  EXPECT_THROW(ReadPatternFile(dir.Path().string(), {}), EPatternExchange);
}

class TNoHost : public TPatternHost {
 public:
  TPattern CapturePattern() override { return {}; }
  void ApplyPattern(const TPattern&) override {}
};

TEST(PatternExchangeTest, AppendingChangesNothingWhenTheLibraryCannotBeWritten) {
  TTempDir dir;
  TPatternArray list(DefaultPatterns().begin(), DefaultPatterns().begin() + 3);
  TNoHost host;
  TPatternListEditor editor(list, host);
  editor.PatternFileName = dir.File("Gyrotracer.ini");
  editor.FillPatternCombo(1);
  const TPatternArray more(DefaultPatterns().begin() + 10, DefaultPatterns().begin() + 12);
  editor.AppendPatterns(more);
  ASSERT_EQ(list.size(), 5u);
  EXPECT_EQ(list[3], more[0]);
  EXPECT_EQ(editor.ComboItems().size(), 5u);
  EXPECT_EQ(editor.ComboIndex(), 1) << "the combo keeps its choice";
  TPatternArray saved;
  LoadPatterns(saved, editor.PatternFileName, {});
  EXPECT_EQ(saved, list);

  // A library file that is a folder cannot be written: the list stays at five.
  editor.PatternFileName = dir.Path().string();
  EXPECT_THROW(editor.AppendPatterns(more), std::exception);
  EXPECT_EQ(list.size(), 5u);
  EXPECT_EQ(editor.ComboItems().size(), 5u);
}

}  // namespace
