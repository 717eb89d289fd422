#pragma once

#include <functional>
#include <string>

#include "controls/help_mapping.h"

class QObject;

namespace trochodraw {

// The HTML help viewer call. Owner is the control the help window belongs to (may be null);
// File the help file, optionally with "::" and a topic. Returns true when help was shown.
using THtmlHelpFunction =
    std::function<bool(QObject* Owner, const std::string& File, unsigned Command, const THtmlHelpData& Data)>;

// Installs Function (an empty one restores the manual viewer) and returns the previous.
THtmlHelpFunction SetHtmlHelpFunction(THtmlHelpFunction Function);
bool HtmlHelpA(QObject* Owner, const std::string& File, unsigned Command, const THtmlHelpData& Data);

// The viewer of this platform: opens the page of the HTML manual (see ManualPage) in the
// default browser. The browser's windows are not ours, so closing all help windows closes
// nothing. A missing manual shows nothing and raises no error.
bool ShowManualPage(QObject* Owner, const std::string& File, unsigned Command, const THtmlHelpData& Data);

}  // namespace trochodraw
