#include "framework/linux/backend.h"

namespace framework {
namespace {

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
