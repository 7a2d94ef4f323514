#include "bench/headless_program.h"

#include "framework/framework.h"
#include "framework/linux/input.h"
#include "framework/linux/resources.h"
#include "res/resource_tables.h"
#include "winapi/stand_in.h"

namespace bench {

HeadlessProgram::HeadlessProgram() {
  framework::UseModule(res::ProgramModule());
  winapi::SetDebugSink([](const char*) {});
}

HeadlessProgram::~HeadlessProgram() { winapi::SetDebugSink(nullptr); }

int HeadlessProgram::Run(const std::function<bool(HWND dialog)>& atIdle) {
  m_backend.onIdle = [&atIdle] { return atIdle(framework::TopDialog()); };
  const int exitCode = AfxGetApp()->Run();
  m_backend.onIdle = nullptr;
  framework::DiscardPendingMessages();
  return exitCode;
}

}  // namespace bench
