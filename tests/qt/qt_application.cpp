// One QApplication for every test of the program, made before the first test
// runs (and not when the tests are only listed), and the program's module.
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "resource_tables.h"
#include "resources.h"

namespace {

class QtApplicationEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    application_ = std::make_unique<QApplication>(argc_, argv_);
    framework::UseModule(res::ProgramModule());
  }
  void TearDown() override { application_.reset(); }

 private:
  int argc_ = 1;
  char name_[17] = "qt_backend_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> application_;
};

[[maybe_unused]] testing::Environment* const kApplication =
    testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace
