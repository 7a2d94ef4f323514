#include "tests/framework/linux/test_dialog.h"

#include <memory>

using namespace test_ids;

namespace {

constexpr std::uint32_t kChild = WS_CHILD | WS_VISIBLE;

const res::ControlTemplate kTestControls[] = {
    {kGroup, "BUTTON", "Frame", 0, kChild | BS_GROUPBOX, 0, 0, 200, 100},
    {kSortedList, "LISTBOX", "", 0, kChild | WS_TABSTOP | LBS_NOTIFY | LBS_SORT, 5, 5, 50, 80},
    {kPlainList, "LISTBOX", "", 0, kChild | WS_TABSTOP | LBS_NOTIFY, 60, 5, 50, 80},
    {kDropList, "COMBOBOX", "", 0, kChild | WS_TABSTOP | CBS_DROPDOWNLIST, 120, 5, 50, 40},
    {kEditCombo, "COMBOBOX", "", 0, kChild | WS_TABSTOP | CBS_DROPDOWN, 120, 30, 50, 40},
    {kAct, "BUTTON", "Act", 0, kChild | WS_TABSTOP, 120, 60, 40, 14},
    {kDisabled, "BUTTON", "Off", 0, kChild | WS_TABSTOP | WS_DISABLED, 120, 80, 40, 14},
    {kHidden, "BUTTON", "Secret", 0, WS_CHILD | WS_TABSTOP, 160, 80, 40, 14},
    {IDOK, "BUTTON", "OK", 0, kChild | WS_TABSTOP, 160, 60, 40, 14},
    {kLabel, "STATIC", "Label", 0, kChild, 5, 90, 50, 8},
};

const res::ControlTemplate kNestedControls[] = {
    {IDOK, "BUTTON", "OK", 0, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 10, 10, 40, 14},
};

}  // namespace

const res::DialogTemplate kTestTemplate = {
    500,   false, 1033,         WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 210, 110, "Test", 9, "Sans", 0,
    false, 1,     kTestControls};
const res::DialogTemplate kNestedTemplate = {
    501,   false, 1033,           WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 60, 30, "Nested", 9, "Sans", 0,
    false, 1,     kNestedControls};

TestDialog::TestDialog(const res::DialogTemplate& dialogTemplate, CWnd* parent) : CDialog(0, parent) {
  InitModalIndirect(&dialogTemplate);
}

BEGIN_MESSAGE_MAP(TestDialog, CDialog)
  ON_BN_CLICKED(kAct, &TestDialog::OnAct)
  ON_BN_CLICKED(kHidden, &TestDialog::OnHidden)
  ON_LBN_SELCHANGE(kSortedList, &TestDialog::OnSortedSelChange)
  ON_LBN_SELCHANGE(kPlainList, &TestDialog::OnPlainSelChange)
  ON_CBN_SELCHANGE(kDropList, &TestDialog::OnDropSelChange)
  ON_CBN_SELCHANGE(kEditCombo, &TestDialog::OnEditSelChange)
  ON_WM_SYSCOMMAND()
  ON_WM_CLOSE()
  ON_WM_PAINT()
END_MESSAGE_MAP()

void TestDialog::DoDataExchange(CDataExchange* pDX) {
  DDX_Control(pDX, kSortedList, sortedList);
  DDX_Control(pDX, kPlainList, plainList);
  DDX_Control(pDX, kDropList, dropList);
  DDX_Control(pDX, kEditCombo, editCombo);
}

BOOL TestDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  log.push_back("init");
  if (onInit) onInit(*this);
  return initResult;
}

BOOL TestDialog::PreTranslateMessage(MSG* pMsg) {
  if (pMsg->message == WM_KEYDOWN) log.push_back("key " + std::to_string(pMsg->wParam));
  return CDialog::PreTranslateMessage(pMsg);
}

void TestDialog::OnOK() {
  log.push_back("OnOK");
  CDialog::OnOK();
}

void TestDialog::OnCancel() {
  log.push_back("OnCancel");
  CDialog::OnCancel();
}

void TestDialog::OnAct() {
  log.push_back("act");
  if (onAct) onAct(*this);
}

void TestDialog::OnHidden() { log.push_back("hidden"); }
void TestDialog::OnSortedSelChange() { log.push_back("sorted " + std::to_string(sortedList.GetCurSel())); }
void TestDialog::OnPlainSelChange() { log.push_back("plain " + std::to_string(plainList.GetCurSel())); }
void TestDialog::OnDropSelChange() { log.push_back("drop " + std::to_string(dropList.GetCurSel())); }
void TestDialog::OnEditSelChange() { log.push_back("edit " + std::to_string(editCombo.GetCurSel())); }

void TestDialog::OnSysCommand(UINT nID, LPARAM /*lParam*/) {
  log.push_back("syscommand " + std::to_string(nID));
  Default();
}

void TestDialog::OnClose() {
  log.push_back("OnClose");
  Default();
}

void TestDialog::OnPaint() { log.push_back(IsIconic() ? "paint iconic" : "paint"); }

void RunSteps(framework::HeadlessBackend& backend, std::vector<std::function<void()>> steps) {
  auto next = std::make_shared<std::size_t>(0);
  backend.onIdle = [steps = std::move(steps), next] {
    if (*next == steps.size()) return false;
    steps[(*next)++]();
    return true;
  };
}
