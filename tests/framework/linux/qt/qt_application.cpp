// One QApplication for every test of the program, made before the first test
// runs (and not when the tests are only listed), and the program's module.
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "framework/linux/resources.h"
#include "res/resource_tables.h"

namespace {

class QtApplicationEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    m_application = std::make_unique<QApplication>(m_argc, m_argv);
    framework::UseModule(res::ProgramModule());
  }
  void TearDown() override { m_application.reset(); }

 private:
  int m_argc = 1;
  char m_name[17] = "qt_backend_tests";
  char* m_argv[2] = {m_name, nullptr};
  std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] testing::Environment* const kApplication =
    testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace
