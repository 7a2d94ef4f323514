#include "framework/linux/resources.h"
#include "framework/linux/startup/startup.h"
#include "res/resource_tables.h"

int main(int argc, char** argv) {
  framework::UseModule(res::ProgramModule());
  return framework::RunWithSystemBackend(argc, argv);
}
