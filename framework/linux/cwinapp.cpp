// CWinApp: the one application object and the platform's start of it.
#include <errno.h>

#include "framework/framework.h"
#include "framework/linux/message_queue.h"
#include "framework/linux/modal_loop.h"
#include "framework/linux/resources.h"
#include "winapi/stand_in.h"

namespace {

CWinApp* g_app = nullptr;

}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

// Without a name of its own the application is called after its program file.
CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_pszAppName(lpszAppName != nullptr ? lpszAppName : program_invocation_short_name) {
  if (g_app == nullptr) g_app = this;
}

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return framework::QuitExitCode(); }

// The platform's shell reports a program it cannot start in a message box of
// its own (caption "Error", as a box without one has), owned by the window its
// caller names.
int CWinApp::Run() {
  winapi::SetShellErrorBox(
      [](HWND owner, const std::string& text) { MessageBoxA(owner, text.c_str(), nullptr, MB_OK); });
  if (InitInstance()) framework::RunApplicationLoop();
  return ExitInstance();
}

HICON CWinApp::LoadIcon(UINT nIDResource) const { return framework::LoadResourceIcon(nIDResource); }

BOOL CWinApp::OnCmdMsg(UINT nID, int nCode) {
  return AfxDispatchThroughMap(this, WM_COMMAND, MAKEWPARAM(nID, nCode), 0, nullptr) ? TRUE : FALSE;
}

CWinApp* AfxGetApp() { return g_app; }

void AfxEnableControlContainer() {}
