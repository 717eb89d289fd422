#pragma once

#include <stdexcept>
#include <string>

namespace trochodraw {

// The shell's document-open result codes: above 32 is success.
inline constexpr int seFileNotFound = 2;
inline constexpr int sePathNotFound = 3;
inline constexpr int seAccessDenied = 5;
inline constexpr int seNoAssociation = 31;

// The readable message of a failed shell open; empty for a code without one.
std::string ShellErrorText(int Code);

// A failed shell open; the message is ShellErrorText(Code).
class EShellError : public std::runtime_error {
 public:
  explicit EShellError(int Code) : std::runtime_error(ShellErrorText(Code)), FCode(Code) {}
  int Code() const { return FCode; }

 private:
  int FCode;
};

}  // namespace trochodraw
