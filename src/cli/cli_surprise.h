#pragma once

namespace trochodraw::cli {

int RunSurprise(int argc, char** argv);  // argv[0] is the "surprise" word

}  // namespace trochodraw::cli
