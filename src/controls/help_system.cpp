#include "controls/help_system.h"

#include <algorithm>

namespace trochodraw {

THelpSystem& THelpSystem::Instance() {
  static THelpSystem System;
  return System;
}

bool THelpSystem::HelpCommand(uint16_t Command, const THelpData& Data) {
  bool CallHelp = true;
  bool Result = false;
  if (OnHelp) Result = OnHelp(Command, Data, CallHelp);
  if (CallHelp) Result = ManagerHelp(Command, Data);
  return Result;
}

bool THelpSystem::ManagerHelp(uint16_t Command, const THelpData& Data) {
  // A copy: a viewer may release itself while it is called.
  const std::vector<TEntry> Viewers = FViewers;
  switch (Command) {
    case HELP_CONTENTS:
      for (const TEntry& E : Viewers)
        if (E.Viewer->CanShowTableOfContents()) {
          E.Viewer->ShowTableOfContents();
          return true;
        }
      return false;
    case HELP_CONTEXT:
    case HELP_CONTEXTPOPUP: {
      const auto* N = std::get_if<int64_t>(&Data);
      if (!N) return false;
      for (const TEntry& E : Viewers)
        if (auto* X = dynamic_cast<IExtendedHelpViewer*>(E.Viewer.get()); X && X->UnderstandsContext(*N, FHelpFile)) {
          X->DisplayHelpByContext(*N, FHelpFile);
          return true;
        }
      return false;
    }
    case HELP_KEY:
    case HELP_FINDER: {
      const auto* Keyword = std::get_if<std::string>(&Data);
      if (!Keyword) return false;
      for (const TEntry& E : Viewers)
        if (E.Viewer->UnderstandsKeyword(*Keyword) > 0) {
          E.Viewer->ShowHelp(*Keyword);
          return true;
        }
      return false;
    }
    case HELP_QUIT:
      for (const TEntry& E : Viewers) E.Viewer->SoftShutDown();
      return true;
    default:
      return false;
  }
}

IHelpManager* THelpSystem::RegisterViewer(std::shared_ptr<ICustomHelpViewer> Viewer) {
  const int ID = FNextID++;
  FViewers.push_back({ID, Viewer});
  Viewer->NotifyID(ID);
  return this;
}

void THelpSystem::Release(int ViewerID) {
  FViewers.erase(std::remove_if(FViewers.begin(), FViewers.end(), [&](const TEntry& E) { return E.ID == ViewerID; }),
                 FViewers.end());
}

}  // namespace trochodraw
