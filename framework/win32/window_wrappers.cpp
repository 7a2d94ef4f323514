#include "framework/win32/window_wrappers.h"

#include <iterator>
#include <map>
#include <memory>

#include "framework/framework.h"

namespace framework::win32 {
namespace {

struct Binding {
  CWnd* wrapper;
  WNDPROC original;  // the window's own procedure, when the framework took it over
};

std::map<HWND, Binding> g_permanent;
std::map<HWND, std::unique_ptr<CWnd>> g_temporary;

LRESULT CALLBACK FrameworkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wrapper = PermanentWrapper(window);
  if (wrapper == nullptr) return CallOriginalWindowProc(window, message, wParam, lParam);
  // The controls still exist while their dialog gets WM_DESTROY; the dialog's
  // own wrapper goes with its last message.
  if (message == WM_DESTROY) DetachDescendants(window);
  const LRESULT result = wrapper->WindowProc(message, wParam, lParam);
  if (message == WM_NCDESTROY) DetachWrapper(window);
  return result;
}

}  // namespace

bool AttachWrapper(HWND window, CWnd* wrapper, bool takeOverMessages) {
  if (window == nullptr || g_permanent.contains(window)) return false;
  WNDPROC original = nullptr;
  if (takeOverMessages) {
    original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FrameworkWindowProc)));
  }
  g_permanent[window] = Binding{wrapper, original};
  wrapper->m_hWnd = window;
  return true;
}

void DetachWrapper(HWND window) {
  const auto found = g_permanent.find(window);
  if (found == g_permanent.end()) return;
  if (found->second.original != nullptr) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(found->second.original));
  }
  found->second.wrapper->m_hWnd = nullptr;
  g_permanent.erase(found);
}

void DetachDescendants(HWND dialog) {
  for (auto it = g_permanent.begin(); it != g_permanent.end();) {
    const auto next = std::next(it);
    if (IsChild(dialog, it->first)) DetachWrapper(it->first);
    it = next;
  }
  std::erase_if(g_temporary, [dialog](const auto& entry) { return IsChild(dialog, entry.first) != FALSE; });
}

CWnd* PermanentWrapper(HWND window) {
  const auto found = g_permanent.find(window);
  return found != g_permanent.end() ? found->second.wrapper : nullptr;
}

CWnd* WrapperOf(HWND window) {
  if (window == nullptr) return nullptr;
  if (CWnd* wrapper = PermanentWrapper(window)) return wrapper;
  std::unique_ptr<CWnd>& temporary = g_temporary[window];
  if (!temporary) {
    temporary = std::make_unique<CWnd>();
    temporary->m_hWnd = window;
  }
  return temporary.get();
}

LRESULT CallOriginalWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto found = g_permanent.find(window);
  WNDPROC procedure = found != g_permanent.end() ? found->second.original : nullptr;
  if (procedure == nullptr) procedure = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
  if (procedure == &FrameworkWindowProc) return DefWindowProcW(window, message, wParam, lParam);
  return CallWindowProcW(procedure, window, message, wParam, lParam);
}

}  // namespace framework::win32
