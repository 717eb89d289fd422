#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace trochodraw {

// Reads a whole file; throws EImageError with the system's message when it cannot.
std::vector<uint8_t> ReadWholeFile(const std::string& FileName);

// Writes Data to a temporary file beside FileName and renames it over FileName only when
// everything was written, so a failure never leaves a half-written file in place of a good
// one. Throws EImageError("Cannot create file %s") when the file cannot be made.
void WriteFileAtomically(const std::string& FileName, const std::vector<uint8_t>& Data);

}  // namespace trochodraw
