#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <vector>

#include "controls/chm_helper.h"
#include "controls/html_help_viewer.h"
#include "controls/open_document.h"
#include "controls/real_spin_widget.h"
#include "controls/shell_error.h"
#include "controls/web_link_label.h"
#include "widget_test_support.h"

using namespace trochodraw;
using namespace trochodraw::testing;

namespace {

// Records what is handed to the desktop; Handled decides whether a handler takes it.
class TDesktop {
 public:
  TDesktop()
      : FPrevious(SetUrlOpener([this](const QUrl& U) {
          Opened.push_back(U);
          return Handled;
        })) {}
  ~TDesktop() { SetUrlOpener(FPrevious); }
  std::vector<QUrl> Opened;
  bool Handled = true;

 private:
  TUrlOpener FPrevious;
};

std::string OpenError(const std::string& Target) {
  try {
    OpenDocument(Target);
  } catch (const EShellError& E) {
    return E.what();
  }
  return "no error";
}

TEST(OpenDocument, FailuresCarryTheShellMessages) {
  TDesktop Desktop;
  QTemporaryDir Dir;
  const std::string Folder = Dir.path().toStdString();
  EXPECT_EQ(OpenError(Folder + "/missing.txt"), "The specified file was not found.");
  EXPECT_EQ(OpenError(Folder + "/no/such/folder/a.txt"), "The specified path was not found.");
  EXPECT_EQ(OpenError(""), "The specified file was not found.");
  EXPECT_TRUE(Desktop.Opened.empty());

  const QString File = Dir.filePath("figure.xyz");
  QFile(File).open(QIODevice::WriteOnly);
  Desktop.Handled = false;
  EXPECT_EQ(OpenError(File.toStdString()), "There is no application associated with the given filename extension.");
  Desktop.Handled = true;
  EXPECT_EQ(ShellOpen(File.toStdString()), 33);
  EXPECT_EQ(Desktop.Opened.back(), QUrl::fromLocalFile(File));
  EXPECT_EQ(ShellOpen("https://example.org/x"), 33);
  EXPECT_EQ(Desktop.Opened.back(), QUrl("https://example.org/x"));
  EXPECT_EQ(ShellOpen("www.example.org"), 33);
  EXPECT_EQ(Desktop.Opened.back(), QUrl("http://www.example.org"));
}

TEST(WebLinkLabel, ClickOpensTheHintWhateverTheCaptionSays) {
  TDesktop Desktop;
  TTestWindow Window;
  auto* Link = new TWebLinkLabel(&Window);
  EXPECT_EQ(Link->Hint(), Link->Caption()) << "a new label shows and opens its default address";
  EXPECT_EQ(Link->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_TRUE(Link->font().underline());
  EXPECT_EQ(Link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  Link->SetCaption("Visit the home page");
  Link->SetHint("https://example.org/home");
  Link->resize(200, 20);
  Link->show();
  QTest::mouseClick(Link, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  ASSERT_EQ(Desktop.Opened.size(), 1u);
  EXPECT_EQ(Desktop.Opened[0], QUrl("https://example.org/home"));

  TErrorBox Box;
  Desktop.Handled = false;
  QTest::mouseClick(Link, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  EXPECT_EQ(Box.Messages,
            std::vector<std::string>{"There is no application associated with the given filename extension."});
  EXPECT_EQ(Link->Caption(), "Visit the home page");

  int Own = 0;
  Link->OnClick = [&](QObject*) { ++Own; };
  QTest::mouseClick(Link, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  EXPECT_EQ(Own, 1);
  EXPECT_EQ(Desktop.Opened.size(), 2u);
}

// One viewer call as the helper made it.
struct TCall {
  QObject* Owner;
  std::string File;
  unsigned Command;
  THtmlHelpData Data;
};

class CHMHelper : public ::testing::Test {
 protected:
  CHMHelper()
      : FPrevious(SetHtmlHelpFunction(
            [this](QObject* Owner, const std::string& File, unsigned Command, const THtmlHelpData& Data) {
              Calls.push_back({Owner, File, Command, Data});
              return true;
            })) {
    THelpSystem::Instance().SetHelpFile("/opt/trochodraw/Trochodraw.chm");
  }
  ~CHMHelper() override { SetHtmlHelpFunction(FPrevious); }

  std::vector<TCall> Calls;

 private:
  THtmlHelpFunction FPrevious;
};

TEST_F(CHMHelper, EveryHelpRequestEndsInTheViewerOwnedByTheFocusedControl) {
  TTestWindow Window;
  auto* Spin = new TRealSpin(&Window);
  Spin->show();
  Spin->setFocus();
  {
    TCHMHelper Helper(&Window);
    THelpSystem& Help = THelpSystem::Instance();
    EXPECT_TRUE(Help.HelpCommand(HELP_CONTENTS, int64_t{0}));
    EXPECT_TRUE(Help.HelpContext(42));
    EXPECT_TRUE(Help.HelpKeyword("Wheels"));
    ASSERT_EQ(Calls.size(), 3u);
    EXPECT_EQ(Calls[0].Owner, Spin);
    EXPECT_EQ(Calls[0].File, "/opt/trochodraw/Trochodraw.chm");
    EXPECT_EQ(Calls[0].Command, HH_DISPLAY_TOC);
    EXPECT_EQ(Calls[1].Command, HH_HELP_CONTEXT);
    EXPECT_EQ(Calls[1].Data, THtmlHelpData(int64_t{42}));
    EXPECT_EQ(Calls[2].Command, HH_DISPLAY_INDEX);
    EXPECT_EQ(Calls[2].Data, THtmlHelpData(std::string("Wheels")));
    EXPECT_EQ(Help.ViewerCount(), 1);
    Calls.clear();
  }
  // Destruction closes the help windows, unhooks and unregisters.
  ASSERT_EQ(Calls.size(), 1u);
  EXPECT_EQ(Calls[0].Command, HH_CLOSE_ALL);
  EXPECT_EQ(Calls[0].Owner, nullptr);
  EXPECT_EQ(THelpSystem::Instance().ViewerCount(), 0);
  EXPECT_FALSE(THelpSystem::Instance().OnHelp);
}

TEST_F(CHMHelper, ViewerAnswersFollowTheHelpFileKind) {
  TCHMHelper Helper;
  THTMLHelpViewer& Viewer = *Helper.Viewer();
  EXPECT_EQ(Viewer.GetViewerName(), "HTMLHelp Viewer");
  for (const char* File : {"/a/Trochodraw.chm", "/a/TROCHODRAW.CHM", "/a/Old.hlp", ""}) {
    THelpSystem::Instance().SetHelpFile(File);
    const bool Chm = IsCompiledHtml(File);
    EXPECT_EQ(Viewer.UnderstandsKeyword("Wheels"), Chm ? 1 : 0) << File;
    EXPECT_EQ(Viewer.GetHelpStrings("Wheels"), Chm ? std::vector<std::string>{"Wheels"} : std::vector<std::string>{});
    EXPECT_EQ(Viewer.CanShowTableOfContents(), Chm);
    EXPECT_EQ(Viewer.UnderstandsTopic("x"), Chm);
    EXPECT_EQ(Viewer.UnderstandsContext(3, File), Chm);
  }
  TWinHelpMakeBehave Tester;
  EXPECT_TRUE(Tester.CanShowTopic("x", "Old.HLP"));
  EXPECT_FALSE(Tester.CanShowContext(1, "Trochodraw.chm"));
  EXPECT_TRUE(Tester.GetHelpStrings("x").empty());
}

TEST_F(CHMHelper, ViewerCallsCarryTheirArguments) {
  TCHMHelper Helper;
  THTMLHelpViewer& Viewer = *Helper.Viewer();
  QObject Main;
  THelpSystem::Instance().SetMainWindow(&Main);
  Viewer.ShowHelp("Spin edits");
  Viewer.DisplayTopic("intro.html");
  Viewer.DisplayTopic("/intro.html");
  Viewer.DisplayTopic("");
  Viewer.DisplayHelpByContext(9, "/b/Other.chm");
  Viewer.ShutDown();
  THelpSystem::Instance().SetMainWindow(nullptr);
  ASSERT_EQ(Calls.size(), 6u);
  THHAKLink Link;
  Link.pszKeywords = "Spin edits";
  EXPECT_EQ(Calls[0].Command, HH_KEYWORD_LOOKUP);
  EXPECT_EQ(Calls[0].Data, THtmlHelpData(Link));
  EXPECT_EQ(std::get<THHAKLink>(Calls[0].Data).cbStruct, 32);
  EXPECT_TRUE(std::get<THHAKLink>(Calls[0].Data).fIndexOnFail);
  EXPECT_EQ(Calls[0].Owner, &Main);
  EXPECT_EQ(Calls[1].File, "/opt/trochodraw/Trochodraw.chm::/intro.html");
  EXPECT_EQ(Calls[2].File, "/opt/trochodraw/Trochodraw.chm::/intro.html");
  EXPECT_EQ(Calls[3].File, "/opt/trochodraw/Trochodraw.chm");
  EXPECT_EQ(Calls[1].Command, HH_DISPLAY_TOPIC);
  EXPECT_EQ(Calls[4].File, "/b/Other.chm");
  EXPECT_EQ(Calls[4].Data, THtmlHelpData(int64_t{9}));
  EXPECT_EQ(Calls[5].Command, HH_CLOSE_ALL);
  EXPECT_EQ(Viewer.HelpManager(), nullptr);
}

TEST(ManualViewer, OpensTheManualPageInTheBrowserAndClosesNothing) {
  TDesktop Desktop;
  QTemporaryDir Dir;
  QDir(Dir.path()).mkpath("help");
  QFile(Dir.filePath("help/index.html")).open(QIODevice::WriteOnly);
  const std::string Chm = Dir.filePath("Trochodraw.chm").toStdString();
  EXPECT_TRUE(HtmlHelpA(nullptr, Chm, HH_DISPLAY_TOC, int64_t{0}));
  ASSERT_EQ(Desktop.Opened.size(), 1u);
  EXPECT_EQ(Desktop.Opened[0], QUrl::fromLocalFile(Dir.filePath("help/index.html")));
  EXPECT_TRUE(HtmlHelpA(nullptr, "", HH_CLOSE_ALL, int64_t{0}));
  EXPECT_FALSE(HtmlHelpA(nullptr, "/nowhere/Trochodraw.chm", HH_DISPLAY_TOC, int64_t{0}));
  EXPECT_EQ(Desktop.Opened.size(), 1u);
}

}  // namespace
