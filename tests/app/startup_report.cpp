#include "tests/app/startup_report.h"

#include <vector>

#include "bench/headless_program.h"
#include "framework/linux/window.h"
#include "res/resource.h"
#include "tests/app/process_census.h"
#include "tests/support/process_probes.h"

namespace robustness {
namespace {

std::string Joined(const std::vector<std::string>& texts, const std::string& separator) {
  std::string joined;
  for (const std::string& text : texts) joined += (joined.empty() ? "" : separator) + text;
  return joined;
}

}  // namespace

std::string StartUpReport() {
  const int descriptorsBefore = test_support::OpenDescriptorCount();
  std::string ports = "the dialog never waited";
  std::vector<std::string> boxes;
  {
    bench::HeadlessProgram program;
    program.Run([&](HWND dialog) {
      if (dialog != nullptr) ports = Joined(dialog->Child(IDC_PORT_LIST)->List().items, " ");
      return false;
    });
    for (const auto& box : program.Boxes()) boxes.push_back("\"" + box.text + "\"");
  }
  return "ports: " + ports + "; boxes: " + (boxes.empty() ? "none" : Joined(boxes, ", ")) +
         "; descriptors left: " + std::to_string(test_support::OpenDescriptorCount() - descriptorsBefore) + "; " +
         StandInHandles();
}

}  // namespace robustness
