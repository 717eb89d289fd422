#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/main_window.h"
#include "app/program_forms.h"
#include "colouring/coloring_dialog.h"
#include "patterns/pattern.h"
#include "support/run_command.h"

namespace trochodraw::testing {

// The program's forms as start-up makes them, from the built-in pattern list, with the undo
// snapshots kept in a folder of the test's own.
class ProgramFormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PatternList.clear();
    Forms = std::make_unique<TProgramForms>();
    W = Forms->Main.get();
    Forms->Coloring->ImageUndoer1.SetFolder(Temp.Path());
  }
  void TearDown() override { Forms.reset(); }

  TTempDir Temp;
  std::unique_ptr<TProgramForms> Forms;
  TForm1* W = nullptr;
};

}  // namespace trochodraw::testing
