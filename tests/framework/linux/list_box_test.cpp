// Lines, items and selections of list boxes and combo boxes as the program
// sees them through its messages.
#include <gtest/gtest.h>

#include <functional>

#include "tests/framework/linux/test_dialog.h"

using namespace test_ids;

namespace {

class ListControls : public ::testing::Test {
 protected:
  void SetUp() override { framework::DiscardPendingMessages(); }

  // Runs `body` on the initialised dialog, which then ends for want of input.
  void WithDialog(std::function<void(TestDialog&)> body) {
    dialog.onInit = std::move(body);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_EQ(dialog.log, std::vector<std::string>{"init"}) << "a selection by the program notified";
  }

  static std::vector<std::string> Lines(const CListBox& list) {
    std::vector<std::string> lines;
    for (int k = 0; k < list.GetCount(); ++k) {
      std::string line(static_cast<std::size_t>(list.GetTextLen(k)), '?');
      list.GetText(k, line.data());
      lines.push_back(line);
    }
    return lines;
  }

  framework::HeadlessBackend backend;
  TestDialog dialog;
};

// An equal line goes before the equal line the platform's binary search meets
// first, as Wine puts them.
TEST_F(ListControls, SortedListKeepsTextOrderAndPutsEqualLinesWhereTheSearchMeetsThem) {
  WithDialog([](TestDialog& d) {
    EXPECT_EQ(d.sortedList.AddString("COM2-b"), 0);
    EXPECT_EQ(d.sortedList.AddString("COM10-x"), 0);
    EXPECT_EQ(d.sortedList.AddString("COM1-y"), 1);
    EXPECT_EQ(d.sortedList.AddString("com1-Y"), 1);
    EXPECT_EQ(Lines(d.sortedList), (std::vector<std::string>{"COM10-x", "com1-Y", "COM1-y", "COM2-b"}));
  });
}

TEST_F(ListControls, SortedListPutsAThirdEqualLineBeforeTheFirstOfTwo) {
  WithDialog([](TestDialog& d) {
    for (const char* line : {"COM1-Y", "com1-y", "COM1-y"}) d.sortedList.AddString(line);
    EXPECT_EQ(Lines(d.sortedList), (std::vector<std::string>{"COM1-y", "com1-y", "COM1-Y"}));
  });
}

TEST_F(ListControls, UnsortedListKeepsTheOrderOfAdding) {
  WithDialog([](TestDialog& d) {
    for (const char* line : {"COM3", "COM1", "COM2"}) d.plainList.AddString(line);
    EXPECT_EQ(Lines(d.plainList), (std::vector<std::string>{"COM3", "COM1", "COM2"}));
  });
}

TEST_F(ListControls, DeletingALineMovesOrClearsTheSelection) {
  WithDialog([](TestDialog& d) {
    for (const char* line : {"a", "b", "c", "d"}) d.plainList.AddString(line);
    d.plainList.SetCurSel(2);                   // "c"
    EXPECT_EQ(d.plainList.DeleteString(0), 3);  // above: moves up
    EXPECT_EQ(d.plainList.GetCurSel(), 1);
    EXPECT_EQ(d.plainList.DeleteString(2), 2);  // below: stays
    EXPECT_EQ(d.plainList.GetCurSel(), 1);
    EXPECT_EQ(d.plainList.DeleteString(1), 1);  // the selected line: cleared
    EXPECT_EQ(d.plainList.GetCurSel(), LB_ERR);
    EXPECT_EQ(d.plainList.DeleteString(5), LB_ERR);
    EXPECT_EQ(Lines(d.plainList), std::vector<std::string>{"b"});
  });
}

TEST_F(ListControls, AddingAtOrAboveTheSelectionKeepsTheSameLineSelected) {
  WithDialog([](TestDialog& d) {
    d.sortedList.AddString("b");
    d.sortedList.AddString("d");
    d.sortedList.SetCurSel(1);
    d.sortedList.AddString("c");  // at the selection
    d.sortedList.AddString("a");  // above
    d.sortedList.AddString("e");  // below
    EXPECT_EQ(d.sortedList.GetCurSel(), 3);
    EXPECT_EQ(Lines(d.sortedList)[3], "d");
  });
}

TEST_F(ListControls, ListSelectionByIndex) {
  WithDialog([](TestDialog& d) {
    d.plainList.AddString("a");
    d.plainList.AddString("b");
    EXPECT_EQ(d.plainList.SetCurSel(1), 1);
    EXPECT_EQ(d.plainList.SetCurSel(2), LB_ERR);  // out of range: kept
    EXPECT_EQ(d.plainList.GetCurSel(), 1);
    EXPECT_EQ(d.plainList.SetCurSel(-1), LB_ERR);  // -1: none
    EXPECT_EQ(d.plainList.GetCurSel(), LB_ERR);
  });
}

TEST_F(ListControls, LineTextIsCopiedWithItsTerminator) {
  WithDialog([](TestDialog& d) {
    d.plainList.AddString("COM7");
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(d.plainList.GetTextLen(0), 4);
    EXPECT_EQ(d.plainList.GetText(0, buffer), 4);
    EXPECT_STREQ(buffer, "COM7");
    EXPECT_EQ(d.plainList.GetTextLen(1), LB_ERR);
    EXPECT_EQ(d.plainList.GetText(1, buffer), LB_ERR);
  });
}

TEST_F(ListControls, ComboSelectionSetsAndClearsTheShownText) {
  WithDialog([](TestDialog& d) {
    for (const char* item : {"Auto_Scan", "9600"}) d.editCombo.AddString(item);
    EXPECT_EQ(d.editCombo.SetCurSel(1), 1);
    EXPECT_STREQ(d.editCombo.GetWindowText(), "9600");
    EXPECT_EQ(d.editCombo.SetCurSel(-1), CB_ERR);
    EXPECT_STREQ(d.editCombo.GetWindowText(), "");
    d.editCombo.SetCurSel(0);
    EXPECT_EQ(d.editCombo.SetCurSel(2), CB_ERR);  // out of range: cleared
    EXPECT_EQ(d.editCombo.GetCurSel(), CB_ERR);
    char buffer[16];
    EXPECT_EQ(d.editCombo.GetLBText(0, buffer), 9);
    EXPECT_STREQ(buffer, "Auto_Scan");
  });
}

TEST_F(ListControls, OnlyAComboWithAnEditFieldTakesText) {
  WithDialog([](TestDialog& d) {
    d.editCombo.SetWindowText("19200");
    EXPECT_STREQ(d.editCombo.GetWindowText(), "19200");
    d.dropList.AddString("Enable");
    d.dropList.SetCurSel(0);
    EXPECT_EQ(d.dropList.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("typed")), CB_ERR);
    EXPECT_STREQ(d.dropList.GetWindowText(), "Enable");
  });
}

TEST_F(ListControls, TextIsNeverCutInsideACharacter) {
  WithDialog([](TestDialog& d) {
    d.GetDlgItem(kLabel)->SetWindowText("ab\xc3\xa9");
    char buffer[4];
    EXPECT_EQ(SendMessageA(d.Control(kLabel), WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer)), 2);
    EXPECT_STREQ(buffer, "ab");
  });
}

}  // namespace
