#include "controls/locale_separators.h"

#include <QLocale>

namespace trochodraw {

namespace {

bool PlainChar(const QString& S, char& C) {
  if (S.size() != 1 || S[0].unicode() < 32 || S[0].unicode() >= 127) return false;
  C = static_cast<char>(S[0].unicode());
  return true;
}

}  // namespace

TFormatSettings SeparatorsOf(const QLocale& Locale) {
  TFormatSettings FS;
  char C = 0;
  FS.DecimalSeparator = PlainChar(Locale.decimalPoint(), C) ? C : '.';
  const QString Group = Locale.groupSeparator();
  if (PlainChar(Group, C))
    FS.ThousandSeparator = C;
  else if (Group.size() == 1 && Group[0].isSpace())
    FS.ThousandSeparator = ' ';
  else
    FS.ThousandSeparator = ',';
  // One byte for both would turn every decimal separator into a thousands one.
  if (FS.ThousandSeparator == FS.DecimalSeparator) FS.ThousandSeparator = FS.DecimalSeparator == ',' ? '.' : ',';
  return FS;
}

TFormatSettings SystemSeparators() { return SeparatorsOf(QLocale::system()); }

}  // namespace trochodraw
