#include "backend.h"

namespace framework {
namespace {

// In use while no backend is set: no input ever comes and no box is answered.
class NoBackend : public Backend {
 public:
  bool WaitForInput() override { return false; }
  int MessageBox(HWND, const std::string&, const std::string&, UINT type) override {
    return UnansweredBoxResult(type);
  }
};

NoBackend g_noBackend;
Backend* g_backend = &g_noBackend;

}  // namespace

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

Backend& CurrentBackend() { return *g_backend; }

void SetBackend(Backend* backend) { g_backend = backend != nullptr ? backend : &g_noBackend; }

}  // namespace framework
