// CWinApp: the one application object and the platform's start of it.
#include "framework/framework.h"  // windows.h first, for commctrl.h

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "framework/win32/modal_loop.h"
#include "framework/win32/wide_text.h"

namespace {

CWinApp* g_app = nullptr;

// The program file's name without folder and extension.
LPCSTR ProgramName() {
  static const std::string name = [] {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file(path);
    file.erase(0, file.find_last_of(L"\\/") + 1);
    file.erase(std::min(file.size(), file.find_last_of(L'.')));
    return framework::win32::Narrow(file);
  }();
  return name.c_str();
}

}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

// Without a name of its own the application is called after its program file.
CWinApp::CWinApp(LPCSTR lpszAppName) : m_pszAppName(lpszAppName != nullptr ? lpszAppName : ProgramName()) {
  if (g_app == nullptr) g_app = this;
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return framework::win32::QuitExitCode(); }

int CWinApp::Run() {
  // The dialog's controls in the version the manifest asks for.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  if (InitInstance()) framework::win32::RunApplicationLoop();
  return ExitInstance();
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
  return LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(nIDResource));
}

BOOL CWinApp::OnCmdMsg(UINT nID, int nCode) {
  return AfxDispatchThroughMap(this, WM_COMMAND, MAKEWPARAM(nID, nCode), 0, nullptr) ? TRUE : FALSE;
}

CWinApp* AfxGetApp() { return g_app; }

// No dialog of the program hosts an ActiveX control.
void AfxEnableControlContainer() {}
