#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/help_mapping.h"

class QObject;

namespace trochodraw {

// The help manager's side that a viewer talks to.
class IHelpManager {
 public:
  virtual ~IHelpManager() = default;
  // The window help windows belong to (the main window).
  virtual QObject* GetHandle() = 0;
  virtual std::string GetHelpFile() = 0;
  virtual void Release(int ViewerID) = 0;
};

// A help viewer as the help manager uses it.
class ICustomHelpViewer {
 public:
  virtual ~ICustomHelpViewer() = default;
  virtual std::string GetViewerName() = 0;
  virtual int UnderstandsKeyword(const std::string& HelpString) = 0;
  virtual std::vector<std::string> GetHelpStrings(const std::string& HelpString) = 0;
  virtual bool CanShowTableOfContents() = 0;
  virtual void ShowTableOfContents() = 0;
  virtual void ShowHelp(const std::string& HelpString) = 0;
  virtual void NotifyID(int ViewerID) = 0;
  virtual void SoftShutDown() = 0;
  virtual void ShutDown() = 0;
};

class IExtendedHelpViewer {
 public:
  virtual ~IExtendedHelpViewer() = default;
  virtual bool UnderstandsTopic(const std::string& Topic) = 0;
  virtual void DisplayTopic(const std::string& Topic) = 0;
  virtual bool UnderstandsContext(int64_t ContextID, const std::string& HelpFileName) = 0;
  virtual void DisplayHelpByContext(int64_t ContextID, const std::string& HelpFileName) = 0;
};

// Asked whether the old help engine can show a request.
class IWinHelpTester {
 public:
  virtual ~IWinHelpTester() = default;
  virtual bool CanShowALink(const std::string& ALink, const std::string& FileName) = 0;
  virtual bool CanShowTopic(const std::string& Topic, const std::string& FileName) = 0;
  virtual bool CanShowContext(int64_t Context, const std::string& FileName) = 0;
  virtual std::vector<std::string> GetHelpStrings(const std::string& ALink) = 0;
  virtual std::string GetHelpPath() = 0;
  virtual std::string GetDefaultHelpFile() = 0;
};

// The application's help: the help file setting, the help hook that may take every request,
// and the help manager with its registered viewers for what the hook leaves.
class THelpSystem final : public IHelpManager {
 public:
  // Command, Data; set CallHelp false to keep the help manager out. Returns the request's result.
  using THelpEvent = std::function<bool(uint16_t Command, const THelpData& Data, bool& CallHelp)>;

  static THelpSystem& Instance();

  std::string HelpFile() const { return FHelpFile; }
  void SetHelpFile(const std::string& Value) { FHelpFile = Value; }
  // The owner of help windows that the manager opens.
  void SetMainWindow(QObject* Window) { FMainWindow = Window; }

  THelpEvent OnHelp;

  // A help request of the application: the hook first, then, if it lets it, the manager.
  bool HelpCommand(uint16_t Command, const THelpData& Data);
  bool HelpContext(int64_t Context) { return HelpCommand(HELP_CONTEXT, Context); }
  bool HelpKeyword(const std::string& Keyword) { return HelpCommand(HELP_KEY, Keyword); }

  // Registers a viewer, tells it its number and returns the manager it talks to.
  IHelpManager* RegisterViewer(std::shared_ptr<ICustomHelpViewer> Viewer);
  int ViewerCount() const { return static_cast<int>(FViewers.size()); }

  std::shared_ptr<IWinHelpTester> WinHelpTester;

  QObject* GetHandle() override { return FMainWindow; }
  std::string GetHelpFile() override { return FHelpFile; }
  void Release(int ViewerID) override;

 private:
  THelpSystem() = default;
  bool ManagerHelp(uint16_t Command, const THelpData& Data);

  struct TEntry {
    int ID;
    std::shared_ptr<ICustomHelpViewer> Viewer;
  };
  std::string FHelpFile;
  QObject* FMainWindow = nullptr;
  std::vector<TEntry> FViewers;
  int FNextID = 1;
};

}  // namespace trochodraw
