#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "app/trochodraw_application.h"
#include "support/run_command.h"

namespace {

// One application object for all tests, and a configuration folder of its own, so that no
// pattern file of the user is read or written.
class TAppEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    FConfig = std::make_unique<trochodraw::testing::TTempDir>();
    ::setenv("XDG_CONFIG_HOME", FConfig->Path().c_str(), 1);
    static int Argc = 1;
    static char Name[] = "test_app";
    static char* Argv[] = {Name, nullptr};
    FApp = std::make_unique<trochodraw::TApplication>(Argc, Argv);
  }
  void TearDown() override {
    FApp.reset();
    FConfig.reset();
  }

 private:
  std::unique_ptr<trochodraw::testing::TTempDir> FConfig;
  std::unique_ptr<trochodraw::TApplication> FApp;
};

[[maybe_unused]] ::testing::Environment* const Environment = ::testing::AddGlobalTestEnvironment(new TAppEnvironment);

}  // namespace
