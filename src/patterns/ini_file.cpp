#include "patterns/ini_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "imagefiles/file_io.h"

namespace trochodraw {

namespace {

bool IsBlank(char C) { return C == ' ' || C == '\t'; }

std::string Trim(const std::string& S) {
  size_t b = 0, e = S.size();
  while (b < e && IsBlank(S[b])) ++b;
  while (e > b && IsBlank(S[e - 1])) --e;
  return S.substr(b, e - b);
}

std::string Lower(std::string S) {
  for (char& c : S)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return S;
}

bool IsHeader(const std::string& Trimmed) { return !Trimmed.empty() && Trimmed[0] == '['; }

std::string HeaderName(const std::string& Trimmed) {
  const size_t close = Trimmed.find(']');
  return Trim(Trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

// The lower-case key of a "key=value" line, or empty for any other line.
std::string LineKey(const std::string& Line) {
  const size_t eq = Line.find('=');
  if (eq == std::string::npos) return {};
  return Lower(Trim(Line.substr(0, eq)));
}

const char kByteOrderMark[] = "\xEF\xBB\xBF";

}  // namespace

TIniFile::TIniFile(std::string FileName, TFormatSettings FS) : FFileName(std::move(FileName)), FFormat(FS) {
  FSections.emplace_back();
  std::error_code ec;
  const auto status = std::filesystem::status(FFileName, ec);
  if (ec || !std::filesystem::exists(status)) return;
  FExists = true;
  if (!std::filesystem::is_regular_file(status)) {
    FReadFailed = true;
    return;
  }
  try {
    const std::vector<uint8_t> data = ReadWholeFile(FFileName);
    Parse(std::string(data.begin(), data.end()));
  } catch (const std::exception&) {
    FReadFailed = true;
  }
}

void TIniFile::Parse(const std::string& Text) {
  size_t pos = 0;
  if (Text.compare(0, 3, kByteOrderMark) == 0) {
    FByteOrderMark = true;
    pos = 3;
  }
  const size_t firstBreak = Text.find('\n', pos);
  if (firstBreak != std::string::npos && firstBreak > pos && Text[firstBreak - 1] == '\r') FLineBreak = "\r\n";
  while (pos < Text.size()) {
    size_t end = Text.find('\n', pos);
    if (end == std::string::npos) end = Text.size();
    std::string line = Text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    pos = end + 1;
    const std::string trimmed = Trim(line);
    if (IsHeader(trimmed)) {
      TSection s;
      s.Header = line;
      FSectionIndex.emplace(Lower(HeaderName(trimmed)), FSections.size());
      FSections.push_back(std::move(s));
      continue;
    }
    TSection& s = FSections.back();
    s.Lines.push_back(line);
    const size_t index = s.Lines.size() - 1;
    // Keys before the first section belong to no section and are never found.
    if (FSections.size() > 1) {
      const std::string key = LineKey(line);
      if (!key.empty()) s.Keys.emplace(key, index);
    }
    if (!trimmed.empty()) s.InsertAt = index + 1;
  }
}

const std::string* TIniFile::FindRawValue(const std::string& Section, const std::string& Key) const {
  const auto sec = FSectionIndex.find(Lower(Section));
  if (sec == FSectionIndex.end()) return nullptr;
  const TSection& s = FSections[sec->second];
  const auto key = s.Keys.find(Lower(Trim(Key)));
  if (key == s.Keys.end()) return nullptr;
  return &s.Lines[key->second];
}

bool TIniFile::ValueExists(const std::string& Section, const std::string& Key) const {
  return FindRawValue(Section, Key) != nullptr;
}

std::string TIniFile::ReadString(const std::string& Section, const std::string& Key, const std::string& Default) const {
  const std::string* line = FindRawValue(Section, Key);
  if (!line) return Default;
  std::string v = Trim(line->substr(line->find('=') + 1));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
  if (v.size() > kMaxValueLength) v.resize(kMaxValueLength);
  return v;
}

int32_t TIniFile::ReadInteger(const std::string& Section, const std::string& Key, int32_t Default) const {
  std::string text = ReadString(Section, Key, "");
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text = "$" + text.substr(2);
  int32_t v = 0;
  return TryStrToInt32(text, v) ? v : Default;
}

double TIniFile::ReadFloat(const std::string& Section, const std::string& Key, double Default) const {
  const std::string text = ReadString(Section, Key, "");
  double v = 0.0;
  if (text.empty() || !TryTextToFloat(text, v, FFormat)) return Default;
  return v;
}

TIniFile::TSection& TIniFile::SectionFor(const std::string& Section) {
  const auto found = FSectionIndex.find(Lower(Section));
  if (found != FSectionIndex.end()) return FSections[found->second];
  TSection s;
  s.Header = "[" + Section + "]";
  FSectionIndex.emplace(Lower(Section), FSections.size());
  FSections.push_back(std::move(s));
  return FSections.back();
}

void TIniFile::WriteString(const std::string& Section, const std::string& Key, const std::string& Value) {
  std::string line = Key + "=" + Value;
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r' || c == '\0'; }, ' ');
  TSection& s = SectionFor(Section);
  const std::string key = Lower(Trim(Key));
  const auto found = s.Keys.find(key);
  if (found != s.Keys.end()) {
    s.Lines[found->second] = line;
    return;
  }
  // Only blank lines follow InsertAt, so no indexed line moves.
  s.Lines.insert(s.Lines.begin() + static_cast<std::ptrdiff_t>(s.InsertAt), line);
  s.Keys.emplace(key, s.InsertAt);
  ++s.InsertAt;
}

void TIniFile::WriteInteger(const std::string& Section, const std::string& Key, int64_t Value) {
  WriteString(Section, Key, std::to_string(Value));
}

void TIniFile::WriteFloat(const std::string& Section, const std::string& Key, double Value) {
  WriteString(Section, Key, FormatGeneral(Value, FFormat));
}

std::string TIniFile::Content() const {
  std::string out = FByteOrderMark ? kByteOrderMark : "";
  for (const TSection& s : FSections) {
    if (&s != &FSections.front()) out += s.Header + FLineBreak;
    for (const std::string& line : s.Lines) out += line + FLineBreak;
  }
  return out;
}

void TIniFile::UpdateFile() {
  namespace fs = std::filesystem;
  const std::string shownName = fs::path(FFileName).filename().string();
  const auto refuse = [&] { throw EIniFileException("Unable to write to " + shownName); };
  if (FReadFailed) refuse();
  fs::path target(FFileName);
  std::error_code ec;
  // A linked file is replaced where it really lives; the link stays.
  if (fs::is_symlink(target, ec)) {
    const fs::path real = fs::weakly_canonical(target, ec);
    if (ec) refuse();
    target = real;
  }
  if (target.has_parent_path()) {
    fs::create_directories(target.parent_path(), ec);
    if (ec) refuse();
  }
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) {
    // A read-only file stays as it is, also for a user whose rights would allow replacing it.
    const bool writable = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && ::access(target.c_str(), W_OK) == 0;
    if (!S_ISREG(st.st_mode) || !writable) refuse();
  }
  const std::string text = Content();
  try {
    WriteFileAtomically(target.string(), std::vector<uint8_t>(text.begin(), text.end()));
  } catch (const std::exception&) {
    refuse();
  }
  FExists = true;
}

}  // namespace trochodraw
