#include "cli/cli_patterns.h"

#include <QLocale>
#include <iostream>

#include "cli/cli_args.h"
#include "cli/cli_status.h"
#include "explore/pattern_exchange.h"
#include "patterns/pattern_file.h"
#include "patterns/properties_text.h"

namespace trochodraw::cli {

namespace {

const char* const kUsage =
    "usage: trochodraw-cli patterns [--patterns-file PATH] list|show INDEX|show-all|import FILE|export FILE\n"
    "  list                 the names of the library, one per line with their index\n"
    "  show INDEX           the properties of one pattern\n"
    "  show-all             the properties of every pattern, one line each\n"
    "  import FILE          add every pattern of the pattern file FILE to the end of the library\n"
    "                       and write the library; a faulty FILE changes nothing\n"
    "  export FILE          write the library as a pattern file of its own (replaced whole)\n"
    "  --patterns-file PATH the pattern library (default: the user's Gyrotracer.ini)\n";

// A one-byte separator; a blank-like one (such as a no-break space) becomes a blank.
char Separator(const QString& S, char Fallback) {
  if (S.size() != 1) return Fallback;
  const QChar c = S.at(0);
  if (c.unicode() > 32 && c.unicode() < 127) return static_cast<char>(c.unicode());
  return c.isSpace() ? ' ' : Fallback;
}

int ParseIndex(const std::string& Text, size_t Count) {
  int64_t v = 0;
  if (!TryStrToInt64(Text, v) || Text.find('$') != std::string::npos || v < 0 || v >= static_cast<int64_t>(Count))
    throw EUsage("no pattern " + Text + " (the library holds " + std::to_string(Count) + ", from 0)");
  return static_cast<int>(v);
}

}  // namespace

TFormatSettings SystemFormatSettings() {
  const QLocale locale = QLocale::system();
  TFormatSettings fs;
  fs.DecimalSeparator = Separator(locale.decimalPoint(), '.');
  fs.ThousandSeparator = Separator(locale.groupSeparator(), ',');
  return fs;
}

TPatternArray LoadPatternLibrary(const std::string& FileName, const TFormatSettings& FS) {
  const std::string path = FileName.empty() ? DefaultPatternFileName() : FileName;
  const TIniFile file(path, FS);
  if (!FileName.empty() && !file.Exists()) throw EUsage("no pattern file " + path);
  if (file.ReadFailed()) throw std::runtime_error("Cannot read pattern file " + path);
  TPatternArray list;
  if (LoadPatterns(list, file) <= 0) list = DefaultPatterns();
  return list;
}

int RunPatterns(int argc, char** argv) {
  std::string fileName, verb, index;
  bool quiet = false;
  TPatternArray list;
  const TFormatSettings fs = SystemFormatSettings();
  try {
    TArgs a(argc, argv, 1);
    while (!a.Done()) {
      const std::string arg = a.Next();
      if (arg == "--patterns-file") {
        fileName = a.Value(arg);
      } else if (arg == "-h" || arg == "--help") {
        std::cout << kUsage;
        return 0;
      } else if (arg == "--quiet") {
        quiet = true;
      } else if ((verb == "show" || verb == "import" || verb == "export") && index.empty()) {
        index = arg;
      } else if (verb.empty() &&
                 (arg == "list" || arg == "show" || arg == "show-all" || arg == "import" || arg == "export")) {
        verb = arg;
      } else {
        throw EUsage("unexpected argument: " + arg);
      }
    }
    if (verb.empty()) throw EUsage("needs list, show INDEX, show-all, import FILE or export FILE");
    if (verb == "show" && index.empty()) throw EUsage("show needs an INDEX");
    if ((verb == "import" || verb == "export") && index.empty()) throw EUsage(verb + " needs a FILE");
    list = LoadPatternLibrary(fileName, fs);
    std::string memo;
    if (verb == "import") {
      const TPatternArray more = ReadPatternFile(index, fs);
      const std::string library = fileName.empty() ? DefaultPatternFileName() : fileName;
      list.insert(list.end(), more.begin(), more.end());
      SavePatterns(list, library, fs);
      StatusStream(quiet) << "imported " << more.size() << " patterns from " << index << " into " << library << " ("
                          << list.size() << " now)\n";
    } else if (verb == "export") {
      WritePatternFile(index, list, fs);
      StatusStream(quiet) << "exported " << list.size() << " patterns to " << index << "\n";
    } else if (verb == "list") {
      for (size_t i = 0; i < list.size(); ++i) std::cout << i << '\t' << list[i].Name << '\n';
    } else if (verb == "show") {
      AppendPatternProperties(memo, list[static_cast<size_t>(ParseIndex(index, list.size()))], fs, "\n");
    } else {
      AppendAllPatternProperties(memo, list, fs, "\n");
    }
    std::cout << memo << std::flush;
  } catch (const EUsage& e) {
    std::cerr << "trochodraw-cli patterns: " << e.what() << "\n";
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "trochodraw-cli patterns: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace trochodraw::cli
