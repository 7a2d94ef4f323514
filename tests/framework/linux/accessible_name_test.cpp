// The names a screen reader reads: the program's templates with the texts of
// every language of the string table, and the rule's corners on a template
// made for them.
#include "framework/linux/accessible_name.h"

#include <gtest/gtest.h>

#include <set>

#include "framework/linux/resources.h"
#include "framework/linux/window_registry.h"
#include "res/resource.h"
#include "res/resource_tables.h"

namespace {

using framework::AccessibleName;

// The windows of a template, destroyed at the end of the test.
class Windows {
 public:
  explicit Windows(const res::DialogTemplate& dialogTemplate)
      : m_dialog(framework::CreateDialogWindows(dialogTemplate, nullptr)) {}
  ~Windows() { framework::DestroyDialogWindows(m_dialog); }
  Windows(const Windows&) = delete;
  Windows& operator=(const Windows&) = delete;

  HWND__& operator[](int id) const { return *m_dialog->Child(id); }
  HWND__& Dialog() const { return *m_dialog; }

 private:
  HWND m_dialog;
};

std::string String(UINT id) {
  std::string text;
  framework::LoadResourceString(id, text);
  return text;
}

class AccessibleNames : public ::testing::Test {
 protected:
  void SetUp() override { framework::UseModule(res::ProgramModule()); }
  void TearDown() override { framework::SetResourceLanguage(1033); }
};

TEST_F(AccessibleNames, MainDialogInEveryLanguage) {
  std::set<LANGID> languages;
  for (const res::StringEntry& entry : res::Strings()) languages.insert(entry.language);
  ASSERT_EQ(languages.size(), 13u);
  // The control whose text the dialog sets from each string, and the list or
  // combo that string names.
  const struct {
    int control, string, named;
  } kTexts[] = {
      {IDC_SETTINGS_GROUP, IDS_GROUP_SETTINGS, 0},
      {IDC_PORT_LIST_LABEL, IDS_PORT_LIST_LABEL, IDC_PORT_LIST},
      {IDC_DRIVER_TYPE_LABEL, IDS_DRIVER_TYPE_LABEL, IDC_DRIVER_TYPE_COMBO},
      {IDC_BAUD_RATE_LABEL, IDS_BAUD_RATE_LABEL, IDC_BAUD_RATE_COMBO},
      {IDC_PNP_POLLING_LABEL, IDS_PNP_POLLING_LABEL, IDC_PNP_POLLING_COMBO},
      {IDC_ADD_BUTTON, IDS_ADD_BUTTON, 0},
      {IDC_REMOVE_BUTTON, IDS_REMOVE_BUTTON, 0},
      {IDC_WATCH_LIST_LABEL, IDS_WATCH_LIST_LABEL, IDC_WATCH_LIST},
      {IDC_APPLY_BUTTON, IDS_APPLY_BUTTON, 0},
      {IDOK, IDS_QUIT_BUTTON, 0},
      {IDC_RESTART_BUTTON, IDS_RESTART_BUTTON, 0},
  };
  for (const LANGID language : languages) {
    SCOPED_TRACE("language " + std::to_string(language));
    framework::SetResourceLanguage(language);
    Windows windows(*framework::FindDialogTemplate(IDD_PORTSETUP_DIALOG));
    for (const auto& text : kTexts) windows[text.control].text = String(static_cast<UINT>(text.string));
    EXPECT_EQ(AccessibleName(windows.Dialog()), "TAVRIN");
    for (const auto& text : kTexts) {
      const std::string expected = String(static_cast<UINT>(text.string));
      ASSERT_FALSE(expected.empty());
      EXPECT_EQ(AccessibleName(windows[text.control]), expected) << text.control;
      if (text.named != 0) {
        EXPECT_EQ(AccessibleName(windows[text.named]), expected) << text.named;
        EXPECT_EQ(framework::LabelOf(windows[text.named]), &windows[text.control]);
      }
    }
  }
}

TEST_F(AccessibleNames, AboutBoxIconHasNoLabel) {
  Windows windows(*framework::FindDialogTemplate(IDD_ABOUTBOX));
  const auto& controls = windows.Dialog().children;
  ASSERT_EQ(controls.size(), 4u);
  EXPECT_EQ(AccessibleName(*controls[0]), "");
  EXPECT_EQ(AccessibleName(*controls[1]), "TAVRIN Utility Version 1.0");
  EXPECT_EQ(AccessibleName(*controls[3]), "確定");
}

// A group box on the way is a label; a control with both WS_GROUP and
// WS_TABSTOP ends the search; a hidden static still labels; a button never
// does; '&' marks go.
constexpr std::uint32_t kChild = WS_CHILD | WS_VISIBLE;
const res::ControlTemplate kRuleControls[] = {
    {1, "BUTTON", "&Frame && more", 0, kChild | BS_GROUPBOX, 0, 0, 200, 100},
    {2, "LISTBOX", "", 0, kChild | WS_TABSTOP, 5, 5, 50, 80},
    {3, "BUTTON", "&Go", 0, kChild | WS_TABSTOP, 60, 5, 40, 14},
    {4, "COMBOBOX", "", 0, kChild | WS_TABSTOP | CBS_DROPDOWNLIST, 60, 25, 50, 40},
    {5, "BUTTON", "Stop", 0, kChild | WS_GROUP | WS_TABSTOP, 60, 45, 40, 14},
    {6, "LISTBOX", "", 0, kChild | WS_TABSTOP, 110, 5, 50, 80},
    {7, "STATIC", "Hidden &label", 0, WS_CHILD, 5, 90, 50, 8},
    {8, "COMBOBOX", "list", 0, kChild | WS_TABSTOP | CBS_DROPDOWN, 110, 90, 50, 40},
};
const res::DialogTemplate kRuleTemplate = {
    600, false, 1033, WS_POPUP | WS_CAPTION, 0, 0, 0, 210, 110, "&Rules", 9, "Sans", 0, false, 1, kRuleControls};

TEST_F(AccessibleNames, TheRuleWalksBackToTheNearestLabel) {
  Windows windows(kRuleTemplate);
  EXPECT_EQ(AccessibleName(windows.Dialog()), "&Rules") << "a caption is no control text";
  EXPECT_EQ(AccessibleName(windows[1]), "Frame & more");
  EXPECT_EQ(AccessibleName(windows[2]), "Frame & more") << "the group box before the list labels it";
  EXPECT_EQ(AccessibleName(windows[3]), "Go");
  EXPECT_EQ(AccessibleName(windows[4]), "Frame & more") << "a plain tab stop does not end the search";
  EXPECT_EQ(AccessibleName(windows[6]), "") << "WS_GROUP | WS_TABSTOP ends the search";
  EXPECT_EQ(framework::LabelOf(windows[6]), nullptr);
  EXPECT_EQ(AccessibleName(windows[8]), "Hidden label") << "a hidden label counts, its window text does not";
  EXPECT_EQ(framework::LabelOf(windows[3]), nullptr);
}

}  // namespace
