#pragma once

#include <iosfwd>

namespace trochodraw::cli {

// Where a command says what it wrote: standard error, so that standard output holds nothing
// but the data a command writes there (such as `render --path -`); nowhere with --quiet.
std::ostream& StatusStream(bool Quiet);

// The help lines of --quiet.
extern const char* const kQuietUsage;

}  // namespace trochodraw::cli
