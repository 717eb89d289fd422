#pragma once

#include "patterns/number_text.h"

class QLocale;

namespace trochodraw {

// The decimal and thousands separators of a locale as the single bytes the number text
// takes. A separator that is not one plain character becomes '.' (decimal) or ',' (thousands);
// a non-ASCII space used as thousands separator becomes a plain space; the two never end
// up the same byte.
TFormatSettings SeparatorsOf(const QLocale& Locale);
// Those of the user's regional settings (QLocale::system()).
TFormatSettings SystemSeparators();

}  // namespace trochodraw
