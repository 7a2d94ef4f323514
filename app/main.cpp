#include "resource_tables.h"
#include "resources.h"
#include "startup.h"

int main(int argc, char** argv) {
  framework::UseModule(res::ProgramModule());
  return framework::RunWithSystemBackend(argc, argv);
}
