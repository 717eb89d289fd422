#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace {

// One application object for all widget tests; listing the tests needs none.
class TQtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int Argc = 1;
    static char Name[] = "test_controls_widgets";
    static char* Argv[] = {Name, nullptr};
    FApp = std::make_unique<QApplication>(Argc, Argv);
  }
  void TearDown() override { FApp.reset(); }

 private:
  std::unique_ptr<QApplication> FApp;
};

[[maybe_unused]] ::testing::Environment* const Environment = ::testing::AddGlobalTestEnvironment(new TQtEnvironment);

}  // namespace
