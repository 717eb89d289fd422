#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>

namespace {

// Captions need fonts, and the batch an event loop: one GUI application for all tests.
class TGuiEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "test_explore";
    static char* argv[] = {name, nullptr};
    FApp = std::make_unique<QGuiApplication>(argc, argv);
  }
  void TearDown() override { FApp.reset(); }

 private:
  std::unique_ptr<QGuiApplication> FApp;
};

[[maybe_unused]] ::testing::Environment* const Environment = ::testing::AddGlobalTestEnvironment(new TGuiEnvironment);

}  // namespace
