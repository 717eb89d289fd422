#pragma once

namespace trochodraw::cli {

int RunRender(int argc, char** argv);  // argv[0] is the "render" word

}  // namespace trochodraw::cli
