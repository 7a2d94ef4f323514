#include "framework/linux/backend.h"

#include <algorithm>

#include "framework/linux/window.h"

namespace framework {
namespace {

constexpr int kLineHeight = 8;         // dialog units: a line of the dialog's font
constexpr int kComboFieldHeight = 12;  // dialog units: a combo's field above its list

Backend* g_backend = nullptr;

// In use while no backend has been made: no input ever comes and no box is
// answered. Made when first needed, it stays under every backend made later.
class NoBackend final : public Backend {
 public:
  bool WaitForInput() override { return false; }
  int MessageBox(HWND, const std::string&, const std::string&, UINT type) override { return UnansweredBoxResult(type); }
};

}  // namespace

Backend::Backend() : m_previous(g_backend) { g_backend = this; }

Backend::~Backend() {
  if (g_backend == this) g_backend = m_previous;
}

int Backend::PageLines(HWND control) {
  int height = control->rect.bottom - control->rect.top;
  if (control->kind == WindowKind::ComboBox) height -= kComboFieldHeight;
  return std::max(height / kLineHeight, 1);
}

int UnansweredBoxResult(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OK:
      return IDOK;
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
      return IDCANCEL;
    default:
      return IDNO;
  }
}

Backend& CurrentBackend() {
  if (g_backend == nullptr) {
    static NoBackend none;  // installs itself
  }
  return *g_backend;
}

}  // namespace framework
