// A small dialog of every control kind, driven by the headless backend. It
// logs what its handlers see, in order, as short words.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/framework.h"
#include "framework/linux/headless/headless_backend.h"
#include "framework/linux/input.h"
#include "framework/linux/window.h"
#include "res/resource_tables.h"

namespace test_ids {
constexpr int kGroup = 10;
constexpr int kSortedList = 11;
constexpr int kPlainList = 12;
constexpr int kDropList = 13;   // CBS_DROPDOWNLIST
constexpr int kEditCombo = 14;  // CBS_DROPDOWN
constexpr int kAct = 20;
constexpr int kDisabled = 21;  // created disabled
constexpr int kHidden = 22;    // created hidden
constexpr int kLabel = 30;
}  // namespace test_ids

// Tab stops in template order: 11, 12, 13, 14, 20, 21 (disabled), 22 (hidden), 1.
extern const res::DialogTemplate kTestTemplate;
// One OK button, as a nested box.
extern const res::DialogTemplate kNestedTemplate;

class TestDialog : public CDialog {
 public:
  explicit TestDialog(const res::DialogTemplate& dialogTemplate = kTestTemplate, CWnd* parent = nullptr);

  std::vector<std::string> log;
  CListBox sortedList;
  CListBox plainList;
  CComboBox dropList;
  CComboBox editCombo;
  BOOL initResult = TRUE;
  std::function<void(TestDialog&)> onInit;  // runs at the end of OnInitDialog
  std::function<void(TestDialog&)> onAct;   // runs when the Act button is clicked

  HWND Control(int id) const { return m_hWnd->Child(id); }

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  void OnOK() override;
  void OnCancel() override;

  void OnAct();
  void OnHidden();
  void OnSortedSelChange();
  void OnPlainSelChange();
  void OnDropSelChange();
  void OnEditSelChange();
  void OnSysCommand(UINT nID, LPARAM lParam);
  void OnClose();
  void OnPaint();

  DECLARE_MESSAGE_MAP()
};

// Runs one step each time the modal loop waits for input; once the steps are
// used up, no more input comes.
void RunSteps(framework::HeadlessBackend& backend, std::vector<std::function<void()>> steps);
