// The application framework the program is written over: the application and
// dialog classes, control wrappers, the static message map, strings, painting,
// menus and the wait cursor. It is kept as small as the program needs.
#pragma once

#include <string>

#ifdef _WIN32
#include <windows.h>    // the system's own window manager
#define ID_HELP 0xE146  // the framework's help command
#else
#include "framework/linux/winuser.h"  // the window manager's API as the Linux build stands it in
#endif

class CWnd;
class CDialog;
class CDataExchange;

namespace res {
struct DialogTemplate;
}

// ---- Message maps ---------------------------------------------------------------
class CCmdTarget;

typedef LRESULT (*AFX_MSG_THUNK)(CCmdTarget* target, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;  // WM_COMMAND, WM_SYSCOMMAND, ...; 0 ends the table
  UINT nCode;     // notification code of a WM_COMMAND
  UINT nID;       // control or command id of a WM_COMMAND
  AFX_MSG_THUNK pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                   \
 protected:                                     \
  static const AFX_MSGMAP* GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                 \
    using ThisClass [[maybe_unused]] = theClass;                                    \
    using TheBaseClass = baseClass;                                                 \
    static const AFX_MSGMAP_ENTRY messageEntries[] = {
#define END_MESSAGE_MAP()                                                                      \
  { 0, 0, 0, nullptr }                                                                         \
  }                                                                                            \
  ;                                                                                            \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &messageEntries[0]}; \
  return &messageMap;                                                                          \
  }

#define AFX_COMMAND_ENTRY_(code, id, memberFxn)                                                                    \
  {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), [](CCmdTarget* target, WPARAM, LPARAM) -> LRESULT { \
     (static_cast<ThisClass*>(target)->*(memberFxn))();                                                            \
     return 0;                                                                                                     \
   }},

#define ON_COMMAND(id, memberFxn) AFX_COMMAND_ENTRY_(0, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) AFX_COMMAND_ENTRY_(BN_CLICKED, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) AFX_COMMAND_ENTRY_(LBN_SELCHANGE, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) AFX_COMMAND_ENTRY_(CBN_SELCHANGE, id, memberFxn)

#define ON_WM_SYSCOMMAND()                                                                \
  {WM_SYSCOMMAND, 0, 0, [](CCmdTarget* target, WPARAM wParam, LPARAM lParam) -> LRESULT { \
     static_cast<ThisClass*>(target)->OnSysCommand(static_cast<UINT>(wParam), lParam);    \
     return 0;                                                                            \
   }},
#define ON_WM_PAINT()                                                  \
  {WM_PAINT, 0, 0, [](CCmdTarget* target, WPARAM, LPARAM) -> LRESULT { \
     static_cast<ThisClass*>(target)->OnPaint();                       \
     return 0;                                                         \
   }},
#define ON_WM_QUERYDRAGICON()                                                              \
  {WM_QUERYDRAGICON, 0, 0, [](CCmdTarget* target, WPARAM, LPARAM) -> LRESULT {             \
     return reinterpret_cast<LRESULT>(static_cast<ThisClass*>(target)->OnQueryDragIcon()); \
   }},
#define ON_WM_CLOSE()                                                  \
  {WM_CLOSE, 0, 0, [](CCmdTarget* target, WPARAM, LPARAM) -> LRESULT { \
     static_cast<ThisClass*>(target)->OnClose();                       \
     return 0;                                                         \
   }},
#define ON_WM_CHAR()                                                                                        \
  {WM_CHAR, 0, 0, [](CCmdTarget* target, WPARAM wParam, LPARAM lParam) -> LRESULT {                         \
     static_cast<ThisClass*>(target)->OnChar(static_cast<UINT>(wParam), static_cast<UINT>(lParam & 0xFFFF), \
                                             static_cast<UINT>((lParam >> 16) & 0xFFFF));                   \
     return 0;                                                                                              \
   }},

// Dispatches one message through the map chain of a target: the first entry
// that matches (message; for WM_COMMAND also notification code and id) runs.
// Returns false when no entry matched.
bool AfxDispatchThroughMap(CCmdTarget* target, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

class CCmdTarget {
 public:
  virtual ~CCmdTarget() = default;

 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
  friend bool AfxDispatchThroughMap(CCmdTarget*, UINT, WPARAM, LPARAM, LRESULT*);
};

// ---- Strings ---------------------------------------------------------------------
class CString {
 public:
  CString() = default;
  CString(LPCSTR text) : m_text(text ? text : "") {}  // NOLINT(google-explicit-constructor)
  // Loads string resource nID in the language in use; a missing string gives
  // the empty text and FALSE.
  BOOL LoadString(UINT nID);
  bool IsEmpty() const { return m_text.empty(); }
  int GetLength() const { return static_cast<int>(m_text.size()); }
  operator LPCSTR() const { return m_text.c_str(); }  // NOLINT(google-explicit-constructor)
  const std::string& str() const { return m_text; }

 private:
  std::string m_text;
};

// ---- Menus, painting, cursor ---------------------------------------------------------
class CMenu {
 public:
  HMENU m_hMenu = nullptr;
  BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCSTR lpszNewItem = nullptr);
};

class CDC {
 public:
  HDC m_hDC = nullptr;
  HDC GetSafeHdc() const { return m_hDC; }
  BOOL DrawIcon(int x, int y, HICON hIcon);
};

class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* pWnd);  // BeginPaint
  ~CPaintDC();                    // EndPaint
  CPaintDC(const CPaintDC&) = delete;
  CPaintDC& operator=(const CPaintDC&) = delete;

 private:
  CWnd* m_pWnd;
};

class CWaitCursor {
 public:
  CWaitCursor();
  ~CWaitCursor();
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
};

// ---- Windows ---------------------------------------------------------------------------
class CWnd : public CCmdTarget {
 public:
  CWnd() = default;
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }

  CWnd* GetDlgItem(int nID) const;
  void SetWindowText(LPCSTR lpszString);
  CString GetWindowText() const;
  BOOL EnableWindow(BOOL bEnable = TRUE);  // returns TRUE if the window was disabled before
  BOOL IsWindowEnabled() const;
  BOOL IsWindowVisible() const;
  BOOL IsIconic() const;
  void GetClientRect(LPRECT lpRect) const;
  CMenu* GetSystemMenu(BOOL bRevert);
  HICON SetIcon(HICON hIcon, BOOL bBigIcon);
  int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK);
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  // The window that has the keyboard focus, or null when none has.
  static CWnd* GetFocus();

  // The window's message handling: the message map first, then the defaults.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Runs for every message the modal loop takes for this window or its children,
  // before it is dispatched. Nonzero: consumed.
  virtual BOOL PreTranslateMessage(MSG* pMsg);

 protected:
  // Default processing of the message now being handled.
  LRESULT Default();
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  const AFX_MSGMAP* GetMessageMap() const override;
  static const AFX_MSGMAP* GetThisMessageMap();

 private:
  CMenu m_systemMenu;
};

class CButton : public CWnd {};
class CStatic : public CWnd {};

class CListBox : public CWnd {
 public:
  int AddString(LPCSTR lpszItem);
  int DeleteString(UINT nIndex);
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int nSelect);
  int GetText(int nIndex, LPSTR lpszBuffer) const;  // the buffer must hold GetTextLen + 1
  int GetTextLen(int nIndex) const;
};

class CComboBox : public CWnd {
 public:
  int AddString(LPCSTR lpszString);
  int GetCount() const;
  int GetCurSel() const;
  int SetCurSel(int nSelect);
  int GetLBText(int nIndex, LPSTR lpszText) const;  // the buffer must hold GetLBTextLen + 1
  int GetLBTextLen(int nIndex) const;
};

// ---- Dialogs ---------------------------------------------------------------------------
class CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_pDlgWnd(pDlgWnd), m_bSaveAndValidate(bSaveAndValidate) {}
  CWnd* m_pDlgWnd;
  BOOL m_bSaveAndValidate;
};

// Attaches rControl to the dialog's control nIDC; a control that is attached
// already is left as it is.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

class CDialog : public CWnd {
 public:
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  // Creates the dialog from its template, initialises it and runs its modal
  // loop. Returns the EndDialog result, or -1 when a quit request ended it.
  virtual INT_PTR DoModal();
  // Runs the dialog from a template in memory instead of the resource nIDTemplate.
  BOOL InitModalIndirect(const res::DialogTemplate* dialogTemplate);
  void EndDialog(int nResult);
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
  // Moves the focus to one of the dialog's controls, as the dialog manager does.
  void GotoDlgCtrl(CWnd* pWndCtrl);
  UINT TemplateId() const { return m_nIDTemplate; }

  BOOL PreTranslateMessage(MSG* pMsg) override;  // the dialog manager's keyboard handling

 protected:
  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  virtual void DoDataExchange(CDataExchange* pDX);
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  const AFX_MSGMAP* GetMessageMap() const override;
  static const AFX_MSGMAP* GetThisMessageMap();

 private:
  UINT m_nIDTemplate;
  CWnd* m_pParentWnd;
  const res::DialogTemplate* m_lpDialogTemplate = nullptr;
};

// ---- The application ---------------------------------------------------------------------
class CWinApp : public CCmdTarget {
 public:
  explicit CWinApp(LPCSTR lpszAppName = nullptr);
  ~CWinApp() override;
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual BOOL InitInstance();
  virtual int ExitInstance();
  BOOL Enable3dControlsStatic() { return TRUE; }  // nothing to do on this platform
  // Starts the application as the platform's start-up does: InitInstance, and
  // when it returns FALSE, ExitInstance. Returns the process's exit code.
  int Run();
  HICON LoadIcon(UINT nIDResource) const;
  // Routes a command that no window handled through the application's map.
  BOOL OnCmdMsg(UINT nID, int nCode);

  // The handler of ID_HELP. There is no help file, so it shows nothing.
  void OnHelp() {}

  LPCSTR m_pszAppName;
  CWnd* m_pMainWnd = nullptr;

 protected:
  const AFX_MSGMAP* GetMessageMap() const override;
  static const AFX_MSGMAP* GetThisMessageMap();
};

CWinApp* AfxGetApp();
void AfxEnableControlContainer();
