#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>

namespace trochodraw {

// The application's help commands.
inline constexpr uint16_t HELP_CONTEXT = 1;
inline constexpr uint16_t HELP_QUIT = 2;
inline constexpr uint16_t HELP_CONTENTS = 3;
inline constexpr uint16_t HELP_CONTEXTPOPUP = 8;
inline constexpr uint16_t HELP_FINDER = 11;
inline constexpr uint16_t HELP_KEY = 257;

// The HTML help viewer's commands.
inline constexpr unsigned HH_DISPLAY_TOPIC = 0;
inline constexpr unsigned HH_DISPLAY_TOC = 1;
inline constexpr unsigned HH_DISPLAY_INDEX = 2;
inline constexpr unsigned HH_KEYWORD_LOOKUP = 13;
inline constexpr unsigned HH_HELP_CONTEXT = 15;
inline constexpr unsigned HH_CLOSE_ALL = 18;

// The keyword-lookup record of HH_KEYWORD_LOOKUP. Several keywords are separated by ';'.
struct THHAKLink {
  int cbStruct = 32;
  bool fReserved = false;
  std::string pszKeywords;
  std::string pszUrl;
  std::string pszMsgText;
  std::string pszMsgTitle;
  std::string pszWindow;
  bool fIndexOnFail = true;
  friend bool operator==(const THHAKLink&, const THHAKLink&) = default;
};

// The data of an application help request: a number (a context) or a text (a keyword).
using THelpData = std::variant<int64_t, std::string>;
// The data of a viewer call: a number, a keyword, or a keyword-lookup record.
using THtmlHelpData = std::variant<int64_t, std::string, THHAKLink>;

struct THtmlHelpRequest {
  unsigned Command = HH_DISPLAY_TOPIC;
  THtmlHelpData Data = int64_t{0};
  friend bool operator==(const THtmlHelpRequest&, const THtmlHelpRequest&) = default;
};

// The viewer call that answers an application help command.
THtmlHelpRequest MapHelpCommand(uint16_t Command, const THelpData& Data);

// A help file counts as compiled HTML when its extension is ".chm", in any letter case;
// as an old-engine file when it is ".hlp".
bool IsCompiledHtml(const std::string& HelpFile);
bool IsWinHelpFile(const std::string& HelpFile);

// The viewer's file argument for a topic: File::/Topic, File::Topic when the topic begins
// with '/', File alone for no topic.
std::string TopicFile(const std::string& HelpFile, const std::string& Topic);

// The HTML manual that stands in for the compiled help file on this platform: a folder
// holding index.html (the contents), beside the program as help/ or, installed, in
// share/trochodraw/help next to the program's bin folder. Pages: a topic is a file of the
// manual; a keyword names the page keyword.html in lower case with every run of other than
// letters and digits as '-'; context number N is the page context-N.html; the keyword index
// is keywords.html. Whatever cannot be found falls back on the contents.
std::optional<std::filesystem::path> FindManualFolder(const std::string& HelpFile);

struct TManualPage {
  std::filesystem::path File;
  std::string Fragment;  // the part after '#' of a topic
  friend bool operator==(const TManualPage&, const TManualPage&) = default;
};

// The page that answers a viewer call, or none (no manual, or nothing to show).
std::optional<TManualPage> ManualPage(const std::string& File, unsigned Command, const THtmlHelpData& Data);

}  // namespace trochodraw
