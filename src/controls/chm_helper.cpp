#include "controls/chm_helper.h"

#include <QGuiApplication>

#include "controls/html_help_viewer.h"

namespace trochodraw {

std::string THTMLHelpViewer::HelpFile() const { return FHelpManager ? FHelpManager->GetHelpFile() : std::string(); }

QObject* THTMLHelpViewer::Window() const { return FHelpManager ? FHelpManager->GetHandle() : nullptr; }

int THTMLHelpViewer::UnderstandsKeyword(const std::string&) { return IsCompiled() ? 1 : 0; }

std::vector<std::string> THTMLHelpViewer::GetHelpStrings(const std::string& HelpString) {
  if (!IsCompiled()) return {};
  return {HelpString};
}

void THTMLHelpViewer::ShowTableOfContents() { HtmlHelpA(Window(), HelpFile(), HH_DISPLAY_TOC, int64_t{0}); }

void THTMLHelpViewer::ShowHelp(const std::string& HelpString) {
  THHAKLink Link;
  Link.pszKeywords = HelpString;
  Link.fIndexOnFail = true;
  HtmlHelpA(Window(), HelpFile(), HH_KEYWORD_LOOKUP, Link);
}

void THTMLHelpViewer::DisplayTopic(const std::string& Topic) {
  HtmlHelpA(Window(), TopicFile(HelpFile(), Topic), HH_DISPLAY_TOPIC, int64_t{0});
}

void THTMLHelpViewer::DisplayHelpByContext(int64_t ContextID, const std::string& HelpFileName) {
  HtmlHelpA(Window(), HelpFileName, HH_HELP_CONTEXT, ContextID);
}

void THTMLHelpViewer::SoftShutDown() { HtmlHelpA(nullptr, std::string(), HH_CLOSE_ALL, int64_t{0}); }

void THTMLHelpViewer::ShutDown() {
  SoftShutDown();
  FHelpManager = nullptr;
}

TCHMHelper::TCHMHelper(QObject* Owner, bool Designing) : QObject(Owner), FViewer(std::make_shared<THTMLHelpViewer>()) {
  if (Designing) return;
  THelpSystem& Help = THelpSystem::Instance();
  FTester = std::make_shared<TWinHelpMakeBehave>();
  Help.WinHelpTester = FTester;
  FViewer->SetHelpManager(Help.RegisterViewer(FViewer));
  Help.OnHelp = [this](uint16_t Command, const THelpData& Data, bool& CallHelp) {
    return ApplicationHelp(Command, Data, CallHelp);
  };
  FHooked = true;
}

TCHMHelper::~TCHMHelper() {
  if (!FHooked) return;
  THelpSystem& Help = THelpSystem::Instance();
  Help.OnHelp = nullptr;
  if (Help.WinHelpTester == FTester) Help.WinHelpTester = nullptr;
  HtmlHelpA(nullptr, std::string(), HH_CLOSE_ALL, int64_t{0});
  if (IHelpManager* Manager = FViewer->HelpManager()) Manager->Release(FViewer->ViewerID());
  FViewer->SetHelpManager(nullptr);
}

bool TCHMHelper::ApplicationHelp(uint16_t Command, const THelpData& Data, bool& CallHelp) {
  CallHelp = false;
  const THtmlHelpRequest Request = MapHelpCommand(Command, Data);
  // With no focused control the help window has no owner.
  QObject* Owner = QGuiApplication::focusObject();
  HtmlHelpA(Owner, THelpSystem::Instance().HelpFile(), Request.Command, Request.Data);
  return true;
}

}  // namespace trochodraw
