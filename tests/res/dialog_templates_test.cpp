// The dialog templates as the program's windows are built from them: every
// control row with id, class, text, style and rectangle, and the dialogs'
// own style, caption and font.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "framework/linux/winuser.h"
#include "res/resource.h"
#include "res/resource_tables.h"

namespace {

struct ExpectedControl {
  int id;
  std::string className;
  std::string text;
  int iconResourceId;
  std::uint32_t style;
  int x, y, cx, cy;
};

void ExpectControls(const res::DialogTemplate& dialog, const std::vector<ExpectedControl>& expected) {
  ASSERT_EQ(dialog.controls.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("control row " + std::to_string(i + 1));
    const res::ControlTemplate& actual = dialog.controls[i];
    EXPECT_EQ(actual.id, expected[i].id);
    EXPECT_EQ(std::string(actual.className), expected[i].className);
    EXPECT_EQ(std::string(actual.text), expected[i].text);
    EXPECT_EQ(actual.iconResourceId, expected[i].iconResourceId);
    EXPECT_EQ(actual.style, expected[i].style) << std::hex << actual.style;
    EXPECT_EQ(actual.x, expected[i].x);
    EXPECT_EQ(actual.y, expected[i].y);
    EXPECT_EQ(actual.cx, expected[i].cx);
    EXPECT_EQ(actual.cy, expected[i].cy);
  }
}

TEST(ResourceDialogs, MainDialogFrame) {
  const res::DialogTemplate* dialog = res::FindDialog(102);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->id, IDD_PORTSETUP_DIALOG);
  EXPECT_TRUE(dialog->extended);
  EXPECT_EQ(dialog->language, 1028);
  EXPECT_EQ(dialog->style, 0x90C800C0u);
  EXPECT_EQ(dialog->exStyle, 0x00040000u);
  EXPECT_EQ(dialog->x, 0);
  EXPECT_EQ(dialog->y, 0);
  EXPECT_EQ(dialog->cx, 417);
  EXPECT_EQ(dialog->cy, 243);
  EXPECT_STREQ(dialog->caption, "TAVRIN");
  EXPECT_EQ(dialog->pointSize, 9);
  EXPECT_STREQ(dialog->faceName, "新細明體");
  EXPECT_EQ(dialog->weight, 0);
  EXPECT_FALSE(dialog->italic);
  EXPECT_EQ(dialog->charset, 1);
}

TEST(ResourceDialogs, MainDialogControlsInTemplateOrder) {
  const res::DialogTemplate* dialog = res::FindDialog(102);
  ASSERT_NE(dialog, nullptr);
  ExpectControls(*dialog, {
                              {1029, "BUTTON", "TAVRIN 設定", 0, 0x50000307, 7, 8, 403, 196},
                              {1024, "STATIC", "系統串列埠", 0, 0x50020001, 11, 23, 85, 10},
                              {1017, "LISTBOX", "", 0, 0x50A11181, 15, 37, 78, 157},
                              {1025, "STATIC", "安裝驅動程式類型", 0, 0x50020001, 108, 24, 112, 10},
                              {1006, "COMBOBOX", "", 0, 0x50210003, 108, 38, 112, 44},
                              {1007, "BUTTON", ">> 加入監控清單 >>", 0, 0x50010000, 108, 132, 112, 25},
                              {1009, "BUTTON", "<< 從監控清單移除 <<", 0, 0x50010000, 108, 167, 112, 25},
                              {1026, "STATIC", "TAVRIN 監控清單", 0, 0x50020001, 231, 22, 179, 11},
                              {1008, "LISTBOX", "", 0, 0x50A11103, 231, 37, 179, 157},
                              {1018, "BUTTON", "套用設定", 0, 0x50010000, 64, 210, 100, 25},
                              {1, "BUTTON", "離開", 0, 0x50010000, 177, 210, 100, 25},
                              {1021, "BUTTON", "重新啟動 TAVRIN", 0, 0x40010000, 310, 210, 100, 25},
                              {1027, "STATIC", "初始掃描包率", 0, 0x50020001, 108, 58, 112, 10},
                              {1022, "COMBOBOX", "", 0, 0x50210002, 108, 71, 112, 89},
                              {1028, "STATIC", "PnP 監控", 0, 0x50020001, 108, 95, 112, 10},
                              {1023, "COMBOBOX", "", 0, 0x50210002, 108, 110, 112, 34},
                          });
}

TEST(ResourceDialogs, AboutBox) {
  const res::DialogTemplate* dialog = res::FindDialog(100);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->id, IDD_ABOUTBOX);
  EXPECT_FALSE(dialog->extended);
  EXPECT_EQ(dialog->language, 1028);
  EXPECT_EQ(dialog->style, 0x80C800C0u);
  EXPECT_EQ(dialog->exStyle, 0u);
  EXPECT_EQ(dialog->x, 0);
  EXPECT_EQ(dialog->y, 0);
  EXPECT_EQ(dialog->cx, 235);
  EXPECT_EQ(dialog->cy, 55);
  EXPECT_STREQ(dialog->caption, "關於 TAVRIN");
  EXPECT_EQ(dialog->pointSize, 9);
  EXPECT_STREQ(dialog->faceName, "新細明體");
  ASSERT_EQ(dialog->controls.size(), 4u);
  const std::string legalNotice = dialog->controls[2].text;
  EXPECT_FALSE(legalNotice.empty());
  ExpectControls(*dialog, {
                              {-1, "STATIC", "", 129, 0x50000003, 11, 17, 20, 20},
                              {-1, "STATIC", "TAVRIN Utility Version 1.0", 0, 0x50020080, 40, 10, 119, 8},
                              {-1, "STATIC", legalNotice, 0, 0x50020000, 40, 25, 119, 8},
                              {1, "BUTTON", "確定", 0, 0x50030001, 178, 7, 50, 14},
                          });
}

// A screen reader names a list or combo by the nearest static before it in
// template order. Each of them stands right after its own label, whose text
// every language of the string table gives.
TEST(ResourceDialogs, EveryListAndComboStandsRightAfterItsLabel) {
  const res::DialogTemplate* dialog = res::FindDialog(IDD_PORTSETUP_DIALOG);
  ASSERT_NE(dialog, nullptr);
  const struct {
    int control, label, labelString;
  } kLabelled[] = {{IDC_PORT_LIST, IDC_PORT_LIST_LABEL, IDS_PORT_LIST_LABEL},
                   {IDC_DRIVER_TYPE_COMBO, IDC_DRIVER_TYPE_LABEL, IDS_DRIVER_TYPE_LABEL},
                   {IDC_WATCH_LIST, IDC_WATCH_LIST_LABEL, IDS_WATCH_LIST_LABEL},
                   {IDC_BAUD_RATE_COMBO, IDC_BAUD_RATE_LABEL, IDS_BAUD_RATE_LABEL},
                   {IDC_PNP_POLLING_COMBO, IDC_PNP_POLLING_LABEL, IDS_PNP_POLLING_LABEL}};
  std::set<int> labelled;
  for (std::size_t row = 0; row < dialog->controls.size(); ++row) {
    const std::string className = dialog->controls[row].className;
    if (className == "LISTBOX" || className == "COMBOBOX") labelled.insert(dialog->controls[row].id);
  }
  EXPECT_EQ(labelled.size(), std::size(kLabelled)) << "every list and combo is in the table below";
  for (const auto& expected : kLabelled) {
    SCOPED_TRACE("control " + std::to_string(expected.control));
    const auto row = std::find_if(dialog->controls.begin(), dialog->controls.end(),
                                  [&](const res::ControlTemplate& c) { return c.id == expected.control; });
    ASSERT_NE(row, dialog->controls.end());
    ASSERT_NE(row, dialog->controls.begin());
    const res::ControlTemplate& label = *(row - 1);
    EXPECT_EQ(label.id, expected.label);
    EXPECT_STREQ(label.className, "STATIC");
    EXPECT_NE(label.style & SS_TYPEMASK, static_cast<std::uint32_t>(SS_ICON));
    std::set<int> languages;
    for (const res::StringEntry& entry : res::Strings()) {
      if (entry.id != expected.labelString) continue;
      languages.insert(entry.language);
      EXPECT_NE(std::string(entry.text), "") << "language " << entry.language;
    }
    EXPECT_EQ(languages.size(), 13u);
  }
}

TEST(ResourceDialogs, OnlyTheTwoTemplatesExist) {
  EXPECT_EQ(res::FindDialog(101), nullptr);
  EXPECT_EQ(res::FindDialog(0), nullptr);
  EXPECT_EQ(res::FindDialog(30721), nullptr);
}

}  // namespace
