#pragma once

#include <QObject>
#include <memory>

#include "controls/help_system.h"

namespace trochodraw {

// The compiled-HTML help viewer as the help manager sees it. Its help file is the one the
// manager reports.
class THTMLHelpViewer final : public ICustomHelpViewer, public IExtendedHelpViewer {
 public:
  THTMLHelpViewer() = default;

  void SetHelpManager(IHelpManager* Manager) { FHelpManager = Manager; }
  IHelpManager* HelpManager() const { return FHelpManager; }
  int ViewerID() const { return FViewerID; }

  std::string GetViewerName() override { return "HTMLHelp Viewer"; }
  int UnderstandsKeyword(const std::string& HelpString) override;
  std::vector<std::string> GetHelpStrings(const std::string& HelpString) override;
  bool CanShowTableOfContents() override { return IsCompiled(); }
  void ShowTableOfContents() override;
  void ShowHelp(const std::string& HelpString) override;
  void NotifyID(int ViewerID) override { FViewerID = ViewerID; }
  void SoftShutDown() override;
  void ShutDown() override;

  bool UnderstandsTopic(const std::string&) override { return IsCompiled(); }
  void DisplayTopic(const std::string& Topic) override;
  bool UnderstandsContext(int64_t, const std::string&) override { return IsCompiled(); }
  void DisplayHelpByContext(int64_t ContextID, const std::string& HelpFileName) override;

 private:
  std::string HelpFile() const;
  bool IsCompiled() const { return IsCompiledHtml(HelpFile()); }
  QObject* Window() const;

  IHelpManager* FHelpManager = nullptr;
  int FViewerID = 0;
};

// The tester for the old help engine: it claims only ".hlp" files.
class TWinHelpMakeBehave final : public IWinHelpTester {
 public:
  bool CanShowALink(const std::string&, const std::string& FileName) override { return IsWinHelpFile(FileName); }
  bool CanShowTopic(const std::string&, const std::string& FileName) override { return IsWinHelpFile(FileName); }
  bool CanShowContext(int64_t, const std::string& FileName) override { return IsWinHelpFile(FileName); }
  std::vector<std::string> GetHelpStrings(const std::string&) override { return {}; }
  std::string GetHelpPath() override { return {}; }
  std::string GetDefaultHelpFile() override { return {}; }
};

// Routes every help request of the application to the HTML help viewer. The main window
// owns one for its whole run.
class TCHMHelper : public QObject {
  Q_OBJECT

 public:
  // While Designing the component leaves the application's help alone.
  explicit TCHMHelper(QObject* Owner = nullptr, bool Designing = false);
  ~TCHMHelper() override;

  const std::shared_ptr<THTMLHelpViewer>& Viewer() const { return FViewer; }

  // The application's help hook: keeps the help manager out and answers the request with
  // the viewer call of the command, owned by the control that has the keyboard focus.
  bool ApplicationHelp(uint16_t Command, const THelpData& Data, bool& CallHelp);

 private:
  std::shared_ptr<THTMLHelpViewer> FViewer;
  std::shared_ptr<TWinHelpMakeBehave> FTester;
  bool FHooked = false;
};

}  // namespace trochodraw
