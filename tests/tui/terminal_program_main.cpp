// The program as it starts over a terminal where no display is: the
// application object on the terminal backend. The end-to-end test drives it
// in a terminal multiplexer.
#include <cstdio>

#include "framework.h"
#include "resources.h"
#include "terminal_choice.h"

int main() {
  framework::SetResourceLanguage(framework::LanguageFromLocale());
  if (!framework::tui::TerminalBackendUsable()) {
    std::fprintf(stderr, "portsetup-terminal: standard input and output must be a terminal that TERM names\n");
    return 1;
  }
  const auto backend = framework::tui::MakeTerminalBackend();
  return AfxGetApp()->Run();
}
