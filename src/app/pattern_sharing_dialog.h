#pragma once

#include <QString>
#include <string>

#include "patterns/pattern.h"

class QMenu;

namespace trochodraw {

class TForm1;

// File > Import Patterns... and File > Export Patterns...: the library shared as pattern files.
void AddImportPatternsItem(TForm1& Main, QMenu& Menu);
void AddExportPatternsItem(TForm1& Main, QMenu& Menu);

// What an import or export did, in words for the user.
struct TSharingOutcome {
  bool Ok = false;
  QString Message;
};

// Adds every pattern of FileName to the end of the library and writes the library's file; a
// faulty file, or a library file that cannot be written, changes nothing.
TSharingOutcome ImportPatterns(TForm1& Main, const std::string& FileName);
TSharingOutcome ExportPatterns(const TPatternArray& List, const std::string& FileName);

// Asks for a file name, exports List there and tells how it went.
void ExportPatternsWithDialog(TForm1& Main, const TPatternArray& List, const QString& Caption);

}  // namespace trochodraw
