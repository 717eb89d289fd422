#pragma once

namespace trochodraw::cli {

int RunGallery(int argc, char** argv);  // argv[0] is the "gallery" word

}  // namespace trochodraw::cli
