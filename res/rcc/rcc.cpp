// tavrin_rcc SCRIPT.rc OUTPUT.cpp: compiles the resource script into the C++
// tables of res/resource_data.h. Errors go to standard error as
// "file:line: message" and fail the build.
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "res/rcc/lib/rc_lexer.h"
#include "res/rcc/lib/rc_parser.h"
#include "res/rcc/lib/table_writer.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: tavrin_rcc SCRIPT.rc OUTPUT.cpp\n";
    return 2;
  }
  const std::string scriptPath = argv[1];
  const std::string outputPath = argv[2];
  try {
    const rcc::ResourceScript script = rcc::ParseScript(rcc::TokenizeFile(scriptPath));
    const std::string tables = rcc::WriteTables(script, std::filesystem::path(scriptPath).filename().string());
    std::ofstream output(outputPath, std::ios::binary | std::ios::trunc);
    output << tables;
    output.close();
    if (!output) {
      std::cerr << outputPath << ": cannot write the tables\n";
      std::filesystem::remove(outputPath);
      return 1;
    }
  } catch (const std::exception& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
  return 0;
}
