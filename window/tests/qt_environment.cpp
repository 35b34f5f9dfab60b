// One QApplication for the whole test binary, created before the first test and destroyed
// after the last. gtest_main owns main(), so the application lives in a global environment;
// listing the tests (--gtest_list_tests) never creates it and needs no platform at all.

#include <QApplication>

#include <memory>

#include <gtest/gtest.h>

#include "velunta/window/Form1.h"

namespace {

class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    app_ = std::make_unique<QApplication>(argc_, argv_);
    QApplication::setApplicationDisplayName(velunta::window::Form1::applicationTitle());
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[13] = "window_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
