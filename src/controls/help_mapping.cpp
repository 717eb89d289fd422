#include "controls/help_mapping.h"

#include <algorithm>
#include <cctype>
#include <system_error>

namespace trochodraw {

namespace fs = std::filesystem;

namespace {

std::string LowerExtension(const std::string& File) {
  std::string Ext = fs::path(File).extension().string();
  std::transform(Ext.begin(), Ext.end(), Ext.begin(), [](unsigned char C) { return std::tolower(C); });
  return Ext;
}

bool IsFile(const fs::path& P) {
  std::error_code E;
  return fs::is_regular_file(P, E);
}

// A page of the manual named by a relative path that stays inside the manual; anything
// climbing out of it (or absolute) is refused.
std::optional<fs::path> PageInside(const fs::path& Manual, const std::string& Relative) {
  fs::path Rel = fs::path(Relative).lexically_normal();
  if (Rel.empty() || Rel.is_absolute() || Rel.has_root_name()) return std::nullopt;
  for (const fs::path& Part : Rel)
    if (Part == "..") return std::nullopt;
  const fs::path Page = Manual / Rel;
  if (!IsFile(Page)) return std::nullopt;
  return Page;
}

std::string KeywordPageName(const std::string& Keyword) {
  std::string Name;
  bool Dash = false;
  for (unsigned char C : Keyword) {
    if (std::isalnum(C)) {
      if (Dash && !Name.empty()) Name += '-';
      Dash = false;
      Name += static_cast<char>(std::tolower(C));
    } else {
      Dash = true;
    }
  }
  return Name.empty() ? Name : Name + ".html";
}

std::optional<fs::path> KeywordPage(const fs::path& Manual, const std::string& Keywords) {
  size_t Start = 0;
  while (Start <= Keywords.size()) {
    const size_t End = std::min(Keywords.find(';', Start), Keywords.size());
    const std::string Name = KeywordPageName(Keywords.substr(Start, End - Start));
    if (!Name.empty())
      if (auto Page = PageInside(Manual, Name)) return Page;
    Start = End + 1;
  }
  return std::nullopt;
}

TManualPage Contents(const fs::path& Manual) { return {Manual / "index.html", {}}; }

TManualPage KeywordIndex(const fs::path& Manual) {
  if (auto Page = PageInside(Manual, "keywords.html")) return {*Page, {}};
  return Contents(Manual);
}

}  // namespace

THtmlHelpRequest MapHelpCommand(uint16_t Command, const THelpData& Data) {
  auto AsHtmlData = [&]() -> THtmlHelpData {
    if (const auto* N = std::get_if<int64_t>(&Data)) return *N;
    return std::get<std::string>(Data);
  };
  switch (Command) {
    case HELP_CONTEXT:
    case HELP_CONTEXTPOPUP:
      return {HH_HELP_CONTEXT, AsHtmlData()};
    case HELP_QUIT:
      return {HH_CLOSE_ALL, int64_t{0}};
    case HELP_CONTENTS:
      return {HH_DISPLAY_TOC, int64_t{0}};
    case HELP_FINDER:
      return {HH_DISPLAY_TOPIC, AsHtmlData()};
    case HELP_KEY:
      return {HH_DISPLAY_INDEX, AsHtmlData()};
    default:
      return {HH_DISPLAY_TOPIC, int64_t{0}};
  }
}

bool IsCompiledHtml(const std::string& HelpFile) { return LowerExtension(HelpFile) == ".chm"; }
bool IsWinHelpFile(const std::string& HelpFile) { return LowerExtension(HelpFile) == ".hlp"; }

std::string TopicFile(const std::string& HelpFile, const std::string& Topic) {
  if (Topic.empty()) return HelpFile;
  if (Topic.front() == '/') return HelpFile + "::" + Topic;
  return HelpFile + "::/" + Topic;
}

std::optional<fs::path> FindManualFolder(const std::string& HelpFile) {
  if (HelpFile.empty()) return std::nullopt;
  const fs::path Folder = fs::path(HelpFile).parent_path();
  for (const fs::path& Candidate : {Folder / "help", Folder / ".." / "share" / "trochodraw" / "help"})
    if (IsFile(Candidate / "index.html")) return Candidate.lexically_normal();
  return std::nullopt;
}

std::optional<TManualPage> ManualPage(const std::string& File, unsigned Command, const THtmlHelpData& Data) {
  if (Command == HH_CLOSE_ALL) return std::nullopt;
  const size_t Sep = File.find("::");
  const std::string HelpFile = File.substr(0, Sep);
  const std::string Topic = Sep == std::string::npos ? std::string() : File.substr(Sep + 2);
  const auto Manual = FindManualFolder(HelpFile);
  if (!Manual) return std::nullopt;

  switch (Command) {
    case HH_DISPLAY_TOC:
      return Contents(*Manual);
    case HH_DISPLAY_TOPIC: {
      std::string Path = Topic;
      std::string Fragment;
      if (const size_t Hash = Path.find('#'); Hash != std::string::npos) {
        Fragment = Path.substr(Hash + 1);
        Path.erase(Hash);
      }
      while (!Path.empty() && Path.front() == '/') Path.erase(0, 1);
      if (auto Page = PageInside(*Manual, Path)) return TManualPage{*Page, Fragment};
      return Contents(*Manual);
    }
    case HH_DISPLAY_INDEX: {
      if (const auto* Keyword = std::get_if<std::string>(&Data))
        if (auto Page = KeywordPage(*Manual, *Keyword)) return TManualPage{*Page, {}};
      return KeywordIndex(*Manual);
    }
    case HH_KEYWORD_LOOKUP: {
      const auto* Link = std::get_if<THHAKLink>(&Data);
      if (Link)
        if (auto Page = KeywordPage(*Manual, Link->pszKeywords)) return TManualPage{*Page, {}};
      if (Link && !Link->fIndexOnFail) return std::nullopt;
      return KeywordIndex(*Manual);
    }
    case HH_HELP_CONTEXT: {
      if (const auto* N = std::get_if<int64_t>(&Data))
        if (auto Page = PageInside(*Manual, "context-" + std::to_string(*N) + ".html")) return TManualPage{*Page, {}};
      return Contents(*Manual);
    }
    default:
      return Contents(*Manual);
  }
}

}  // namespace trochodraw
