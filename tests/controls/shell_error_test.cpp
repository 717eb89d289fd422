#include "controls/shell_error.h"

#include <gtest/gtest.h>

using namespace trochodraw;

namespace {

TEST(ShellErrorText, MessageTable) {
  struct TCase {
    int Code;
    const char* Text;
  };
  const TCase Cases[] = {
      {0, "The operating system is out of memory or resources."},
      {2, "The specified file was not found."},
      {3, "The specified path was not found."},
      {5, "The operating system denied access to the specified file. "},
      {8, "There was not enough memory to complete the operation."},
      {11, "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image)."},
      {26, "A sharing violation occurred."},
      {27, "The filename association is incomplete or invalid."},
      {28, "The DDE transaction could not be completed because the request timed out."},
      {29, "The DDE transaction failed."},
      {30, "The DDE transaction could not be completed because other DDE transactions were being processed."},
      {31, "There is no application associated with the given filename extension."},
      {32, "The specified dynamic-link library was not found. "},
      {1, ""},
      {33, ""},
      {-1, ""},
  };
  for (const TCase& C : Cases) EXPECT_EQ(ShellErrorText(C.Code), C.Text) << "code " << C.Code;
  const EShellError E(31);
  EXPECT_EQ(E.Code(), 31);
  EXPECT_STREQ(E.what(), "There is no application associated with the given filename extension.");
}

}  // namespace
