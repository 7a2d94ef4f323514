#include "startup.h"

int main(int argc, char** argv) { return framework::RunWithSystemBackend(argc, argv); }
