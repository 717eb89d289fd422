#include "patterns/pattern_list_editor.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "patterns/pattern_file.h"
#include "support/run_command.h"

using namespace trochodraw;
using trochodraw::testing::TTempDir;

namespace {

// Captures a fixed setting and records what is applied.
class TFakeHost : public TPatternHost {
 public:
  TPattern Current{"ignored", 1, 10, 20, 30, 40, 2, 1.5, 3, 4, 5, 6, 7, 8};
  std::vector<std::string> Applied;
  int AfterApply = 0;
  TPattern CapturePattern() override {
    TPattern p = Current;
    p.Name.clear();
    return p;
  }
  void ApplyPattern(const TPattern& P) override { Applied.push_back(P.Name); }
  void PatternApplied() override { ++AfterApply; }
};

class PatternListEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Editor.PatternFileName = Dir.File("Gyrotracer.ini");
    Editor.OnGridChanged = [this] { ++GridChanges; };
  }
  // A list of N built-in patterns with the grid set up as the dialog does when it opens.
  void UseList(size_t N, int Row) {
    List.assign(DefaultPatterns().begin(), DefaultPatterns().begin() + static_cast<std::ptrdiff_t>(N));
    Editor.UpdateGridRowCount();
    if (Row >= 1) {
      ASSERT_TRUE(Editor.SelectCell(1, Row));
    } else {
      Editor.FillPatternCombo(-1);  // opening the dialog with no combo selection
      Editor.ShowSettings();
      ASSERT_EQ(Editor.Row(), 0);
    }
  }
  std::string NameAt(size_t I) const { return List[I].Name; }

  TTempDir Dir;
  TPatternArray List;
  TFakeHost Host;
  TPatternListEditor Editor{List, Host};
  int GridChanges = 0;
};

TEST_F(PatternListEditorTest, GridCellsAndSelection) {
  UseList(3, 1);
  EXPECT_EQ(Editor.RowCount(), 11) << "at least ten pattern rows";
  EXPECT_EQ(Editor.CellText(0, 0), "#");
  EXPECT_EQ(Editor.CellText(1, 0), "Description");
  EXPECT_EQ(Editor.CellText(0, 3), "3");
  EXPECT_EQ(Editor.CellText(1, 3), "Carabiner");
  EXPECT_EQ(Editor.CellText(1, 4), "");
  EXPECT_FALSE(Editor.SelectCell(1, 4)) << "rows past the list cannot be chosen";
  EXPECT_FALSE(Editor.SelectCell(1, 0));
  EXPECT_TRUE(Editor.SelectCell(1, 3));
  EXPECT_EQ(Editor.CurrentIndex(), 2);
  EXPECT_FALSE(Editor.CanEditCell(0, 2));
  EXPECT_FALSE(Editor.CanEditCell(1, 4));
  Editor.SetEditText(1, 2, "Bagel");
  EXPECT_EQ(Editor.GetEditText(1, 2), "Bagel");
  Editor.SetEditText(1, 5, "nowhere");
  EXPECT_EQ(List.size(), 3u);
  UseList(19, 19);
  EXPECT_EQ(Editor.RowCount(), 20);
}

TEST_F(PatternListEditorTest, InsertGoesBeforeTheCurrentPatternOrAtTheEnd) {
  UseList(5, 3);
  Editor.InsertPatternBtnClick();
  EXPECT_EQ(NameAt(2), "New Pattern");
  EXPECT_EQ(NameAt(3), "Carabiner");
  EXPECT_EQ(List[2].Radius1, 10) << "the captured setting";
  EXPECT_EQ(Editor.ComboIndex(), 2);
  EXPECT_EQ(Editor.ComboItems().size(), 6u);

  UseList(5, 0);  // the header row is current
  Editor.InsertCurrentPattern("");
  EXPECT_EQ(List.size(), 6u);
  EXPECT_EQ(NameAt(5), "");
  EXPECT_EQ(Editor.ComboIndex(), 5);
}

TEST_F(PatternListEditorTest, OverwriteKeepsNameAndPlace) {
  UseList(5, 2);
  ASSERT_TRUE(Editor.OverwriteCurrentPattern());
  TPattern want = Host.Current;
  want.Name = "Donut";
  EXPECT_EQ(List[1], want);
  EXPECT_EQ(Editor.ComboIndex(), 1);
  EXPECT_EQ(Editor.OverwriteWarning(), "About to overwrite: Donut");
  EXPECT_EQ(Editor.DeleteWarning(), "About to delete: Donut");
}

TEST_F(PatternListEditorTest, MovesFollowTheSelection) {
  struct Case {
    int Row;
    bool Up;
    bool Moves;
    int RowAfter;
    const char* NameAtRowAfter;
  };
  for (const Case& c : {Case{1, true, false, 1, "Mobius"}, Case{19, false, false, 19, "Flying Saucer"},
                        Case{3, false, true, 4, "Carabiner"}, Case{3, true, true, 2, "Carabiner"},
                        Case{18, false, true, 19, "Lozenge"}}) {
    UseList(19, c.Row);
    EXPECT_EQ(c.Up ? Editor.MoveUp() : Editor.MoveDown(), c.Moves) << c.Row;
    EXPECT_EQ(Editor.Row(), c.RowAfter) << c.Row;
    EXPECT_EQ(NameAt(static_cast<size_t>(c.RowAfter - 1)), c.NameAtRowAfter) << c.Row;
  }
  UseList(19, 3);
  Editor.MoveDown();
  EXPECT_EQ(NameAt(2), "Loop") << "entries 2 and 3 exchanged";
}

TEST_F(PatternListEditorTest, DeleteKeepsTheRowUnlessTheGridLosesIt) {
  UseList(5, 5);
  ASSERT_TRUE(Editor.DeleteCurrentPattern());
  EXPECT_EQ(List.size(), 4u);
  EXPECT_EQ(Editor.Row(), 5) << "past the end of a short list";
  EXPECT_FALSE(Editor.HasCurrentPattern());
  EXPECT_FALSE(Editor.DeleteCurrentPattern());
  EXPECT_FALSE(Editor.MoveUp());
  EXPECT_FALSE(Editor.MoveDown());
  EXPECT_FALSE(Editor.OverwriteCurrentPattern());
  EXPECT_EQ(Editor.DeleteWarning(), "");
  Editor.InsertCurrentPattern("Tail");
  EXPECT_EQ(NameAt(4), "Tail") << "appended";

  UseList(19, 19);
  ASSERT_TRUE(Editor.DeleteCurrentPattern());
  EXPECT_EQ(Editor.RowCount(), 19);
  EXPECT_EQ(Editor.Row(), 18);
  EXPECT_EQ(NameAt(static_cast<size_t>(Editor.CurrentIndex())), "Lozenge");
}

TEST_F(PatternListEditorTest, FindIsExactAndNeverWrapsAround) {
  UseList(19, 2);
  Editor.StartSearch();
  EXPECT_TRUE(Editor.FindNext("Donut")) << "the first search includes the current pattern";
  EXPECT_EQ(Editor.Row(), 2);
  EXPECT_FALSE(Editor.FirstFind());
  EXPECT_FALSE(Editor.FindNext("Donut"));
  EXPECT_EQ(Editor.Row(), 2);
  for (const char* miss : {"donut", "Don", "Mobius"}) {
    Editor.StartSearch();
    EXPECT_FALSE(Editor.FindNext(miss)) << miss;
  }
  Editor.StartSearch();
  EXPECT_TRUE(Editor.FindNext("Smile"));
  EXPECT_EQ(Editor.Row(), 15);
  UseList(19, 0);
  Editor.StartSearch();
  EXPECT_TRUE(Editor.FindNext("Mobius")) << "from the header row the search starts at the top";
  EXPECT_EQ(Editor.Row(), 1);
  EXPECT_EQ(Host.Applied.size(), 0u) << "finding applies nothing";
}

TEST_F(PatternListEditorTest, ComboKeepsItsItemsUntilRefilled) {
  UseList(5, 2);
  Editor.FillPatternCombo(1);
  Editor.MoveUp();
  EXPECT_EQ(Editor.ComboItems()[0], "Mobius") << "the old order";
  Editor.PatternComboSelect(0);
  EXPECT_EQ(Host.Applied, std::vector<std::string>{"Donut"}) << "the entry now at that position";
  EXPECT_EQ(Host.AfterApply, 1);
  ASSERT_TRUE(Editor.SelectCell(1, 5));
  Editor.DeleteCurrentPattern();
  Editor.PatternComboSelect(4);
  EXPECT_EQ(Host.Applied.size(), 1u) << "the combo's last item has no entry any more";
  EXPECT_EQ(Editor.ComboCompletion("cAr"), 2);
  EXPECT_EQ(Editor.ComboCompletion("zz"), -1);
}

TEST_F(PatternListEditorTest, StartUpWithoutAFileUsesTheBuiltInList) {
  Editor.InitialisePatterns();
  EXPECT_EQ(List, DefaultPatterns());
  EXPECT_EQ(Editor.ComboItems().size(), 19u);
  EXPECT_EQ(Editor.ComboIndex(), 0);
  EXPECT_EQ(Host.Applied, std::vector<std::string>{"Mobius"});
  EXPECT_FALSE(std::filesystem::exists(Editor.PatternFileName)) << "reading never writes";

  Editor.SavePattern("Test");
  EXPECT_EQ(NameAt(0), "Test") << "Row is 1 before the dialog was shown";
  EXPECT_EQ(Editor.ComboIndex(), 0);
  TPatternArray saved;
  EXPECT_EQ(LoadPatterns(saved, Editor.PatternFileName, {}), 20);

  TPatternArray other;
  TFakeHost otherHost;
  TPatternListEditor second(other, otherHost);
  second.PatternFileName = Editor.PatternFileName;
  second.InitialisePatterns();
  EXPECT_EQ(other, List);
  EXPECT_EQ(otherHost.Applied, std::vector<std::string>{"Test"});
}

TEST_F(PatternListEditorTest, SettingsDialogOpensAtTheComboSelectionAndSavesOnClose) {
  UseList(19, 1);
  Editor.FillPatternCombo(5);
  Editor.ShowSettings();
  EXPECT_EQ(Editor.Row(), 6);
  EXPECT_EQ(Editor.TopRow(), 6);
  ASSERT_TRUE(Editor.SelectCell(1, 9));
  Editor.FormClose();
  EXPECT_EQ(Editor.ComboIndex(), 8);
  EXPECT_EQ(Host.Applied.size(), 0u) << "closing selects but does not apply";
  TPatternArray saved;
  EXPECT_EQ(LoadPatterns(saved, Editor.PatternFileName, {}), 19);

  Editor.FillPatternCombo(-1);
  Editor.ShowSettings();
  EXPECT_EQ(Editor.Row(), 0) << "no selection: the header row";

  while (!List.empty()) {
    ASSERT_TRUE(Editor.SelectCell(1, 1));
    Editor.DeleteCurrentPattern();
  }
  Editor.FormClose();
  EXPECT_TRUE(Editor.ComboItems().empty());
  EXPECT_EQ(Editor.ComboIndex(), -1);
  EXPECT_EQ(LoadPatterns(saved, Editor.PatternFileName, {}), 0);
}

TEST_F(PatternListEditorTest, FailedCloseKeepsTheDialogStateAndTheCombo) {
  UseList(3, 1);
  Editor.FillPatternCombo(0);
  std::filesystem::create_directory(Editor.PatternFileName);  // cannot be written
  ASSERT_TRUE(Editor.SelectCell(1, 2));
  Editor.DeleteCurrentPattern();
  EXPECT_THROW(Editor.FormClose(), EIniFileException);
  EXPECT_EQ(Editor.ComboItems().size(), 3u) << "not rebuilt";
  EXPECT_EQ(List.size(), 2u) << "changes kept for the next try";
  EXPECT_THROW(Editor.SavePattern("Kept"), EIniFileException);
  EXPECT_EQ(NameAt(1), "Kept") << "the new pattern stays in the list";
  EXPECT_EQ(Editor.ComboItems().size(), 3u);
  EXPECT_EQ(Editor.ComboItems()[1], "Kept");
}

TEST_F(PatternListEditorTest, ShowSettingsKeepsTheRowInsideAShrunkenGrid) {
  UseList(19, 1);
  Editor.FillPatternCombo(18);
  for (int i = 0; i < 14; ++i) {
    ASSERT_TRUE(Editor.SelectCell(1, 1));
    Editor.DeleteCurrentPattern();
  }
  Editor.ShowSettings();  // the combo still shows 19 items
  EXPECT_LT(Editor.Row(), Editor.RowCount());
  Editor.InsertCurrentPattern("Last");
  EXPECT_EQ(NameAt(5), "Last");
  EXPECT_EQ(List.size(), 6u);
}

}  // namespace
