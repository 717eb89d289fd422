#pragma once

namespace trochodraw::cli {

// trochodraw-cli convert IN OUT: reads IN with the reader its extension selects and writes
// OUT in the format its extension selects.
int RunConvert(int argc, char** argv);

}  // namespace trochodraw::cli
