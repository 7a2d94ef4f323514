// Texts longer than the main dialog's template lets them be: the control's
// rectangle, in the dialog font, is narrower than the text of that language.
// The template is the program's own and stays; the picture tests on Linux and
// under Wine each fail when another text is cut, or when one of these fits.
#pragma once

#include <set>

#include "res/resource.h"

namespace test_support {

struct TemplateCut {
  unsigned language;
  int controlId;
  const char* why;
};

constexpr TemplateCut kTemplateCuts[] = {
    {1031, IDC_PORT_LIST_LABEL, "\"Liste der verfügbaren COM-Schnittstellen\" in an 85-unit label"},
    {1040, IDC_BAUD_RATE_LABEL, "\"Valore di scansione baud rate iniziale\" in a 112-unit label"},
    {1043, IDC_PORT_LIST_LABEL, "\"Lijst met beschikbare COM poorten\" in an 85-unit label"},
    {1049, IDC_BAUD_RATE_LABEL, "\"Начальная скорость передачи информации \" in a 112-unit label"},
    {3082, IDC_BAUD_RATE_LABEL, "\"Inicializando escaneo de Baud Rate\" in a 112-unit label"},
};

// The controls of the language whose texts the template cuts.
inline std::set<int> TemplateCutControls(unsigned language) {
  std::set<int> controls;
  for (const TemplateCut& cut : kTemplateCuts) {
    if (cut.language == language) controls.insert(cut.controlId);
  }
  return controls;
}

}  // namespace test_support
