#include "cli/cli_gallery.h"

#include <QGuiApplication>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "cli/cli_args.h"
#include "cli/cli_patterns.h"
#include "cli/cli_status.h"
#include "explore/contact_sheet.h"
#include "explore/thumbnail.h"
#include "imagefiles/save_figure.h"

namespace trochodraw::cli {

namespace {

const char* const kUsage =
    "usage: trochodraw-cli gallery [options] -o FILE\n"
    "  writes a contact sheet: every pattern of the library as a small picture of its whole\n"
    "  figure (or of its near closure, or of --max-ticks ticks), its name under it\n"
    "  --patterns-file PATH   the library to draw (default: the user's Gyrotracer.ini, else the\n"
    "                         built-in patterns)\n"
    "  --cell WxH             size of each picture (default 200x150)\n"
    "  --columns N            pictures a row (default 4)\n"
    "  --max-ticks N          most ticks a picture may take (default 100000)\n"
    "  --figure-size WxH      the figure the pictures stand for (default 640x480)\n"
    "  --background RRGGBB    the figures' background (default FFFFFF)\n"
    "  --colour RRGGBB        the pen's colour (default 000000)\n"
    "  --threads N            worker threads (default: one per core)\n"
    "  -o FILE                the sheet, in the format of its extension (as render -o)\n";

// Captions need fonts, and fonts need Qt's GUI application; no display is needed.
std::unique_ptr<QGuiApplication> StartFonts(char* Program) {
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Qt's notes about the session (no runtime folder and the like) are no status of ours.
  qInstallMessageHandler([](QtMsgType Type, const QMessageLogContext&, const QString& Message) {
    if (Type == QtCriticalMsg || Type == QtFatalMsg) std::cerr << Message.toStdString() << "\n";
  });
  static int argc = 1;
  static char* argv[] = {Program, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

int RunGallery(int argc, char** argv) {
  std::string output, patternsFile;
  TThumbnailOptions options;
  TContactSheetLayout layout;
  int threads = 0;
  bool quiet = false;
  TPatternArray list;
  try {
    TArgs a(argc, argv, 1);
    while (!a.Done()) {
      const std::string opt = a.Next();
      if (opt == "-o" || opt == "--output") {
        output = a.Value(opt);
      } else if (opt == "--patterns-file") {
        patternsFile = a.Value(opt);
      } else if (opt == "--cell") {
        a.Size(opt, options.Width, options.Height, 4000);
      } else if (opt == "--columns") {
        layout.Columns = static_cast<int>(a.Integer(opt, 1, 100));
      } else if (opt == "--max-ticks") {
        options.MaxTicks = static_cast<uint64_t>(a.Integer(opt, 1, 100000000));
      } else if (opt == "--figure-size") {
        a.Size(opt, options.FigureWidth, options.FigureHeight, 100000);
      } else if (opt == "--background") {
        options.Background = a.Colour(opt);
      } else if (opt == "--colour" || opt == "--color") {
        options.Lines.SingleColor = a.Colour(opt);
      } else if (opt == "--threads") {
        threads = static_cast<int>(a.Integer(opt, 1, 256));
      } else if (opt == "--quiet") {
        quiet = true;
      } else if (opt == "-h" || opt == "--help") {
        std::cout << kUsage << kQuietUsage;
        return 0;
      } else {
        throw EUsage("unknown option: " + opt);
      }
    }
    if (output.empty()) throw EUsage("gallery needs -o FILE");
    list = LoadPatternLibrary(patternsFile, SystemFormatSettings());
  } catch (const EUsage& e) {
    std::cerr << "trochodraw-cli gallery: " << e.what() << "\n";
    return 2;
  } catch (const std::exception& e) {
    std::cerr << "trochodraw-cli gallery: " << e.what() << "\n";
    return 1;
  }
  try {
    const auto app = StartFonts(argv[0]);
    layout.CellWidth = options.Width;
    layout.CellHeight = options.Height;
    std::vector<TBitmap> pictures;
    std::vector<std::string> names;
    for (TThumbnail& t : RenderThumbnails(list, options, threads)) pictures.push_back(std::move(t.Image));
    for (const TPattern& p : list) names.push_back(p.Name);
    const TBitmap sheet = ContactSheet(pictures, names, layout);
    SaveFigureConverted(sheet, output);
    StatusStream(quiet) << "wrote " << output << " (" << sheet.Width() << "x" << sheet.Height() << ", " << list.size()
                        << " patterns)\n";
  } catch (const std::exception& e) {
    std::cerr << "trochodraw-cli gallery: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace trochodraw::cli
