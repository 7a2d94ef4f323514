// The backend without a screen: input comes from a script (the onIdle hook
// posts it through input.h) and message boxes are answered from a queue. Used
// by the unit tests and the scenario tool.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "framework/linux/backend.h"

namespace framework {

class HeadlessBackend : public Backend {
 public:
  // Runs whenever a modal loop needs input and the queue is empty: it may post
  // input through input.h and return true, or return false when no input will
  // ever come. Unset: no input will ever come.
  std::function<bool()> onIdle;

  // Decides the answer of each message box. Unset: AnswerFromQueue.
  std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT type)> answerBox;

  // The next box takes the oldest queued answer.
  void QueueAnswer(int answer);
  std::size_t QueuedAnswers() const { return m_answers.size(); }
  // Pops the oldest queued answer; with none queued, IDOK for an MB_OK box and
  // IDNO for any other, and the box counts as unanswered.
  int AnswerFromQueue(UINT type, bool* answered);
  // Whether `answer` is one of the buttons of a box of `type`.
  static bool IsButtonOf(UINT type, int answer);

  struct Box {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
    int answer;
    bool answered;  // false when the default answer stood in for a missing one
  };
  // Every box shown, in order.
  const std::vector<Box>& Boxes() const { return m_boxes; }
  std::size_t UnansweredBoxes() const;

  // Called when a dialog starts running and when it has ended.
  std::function<void(HWND dialog)> onDialogStarted;
  std::function<void(HWND dialog)> onDialogEnded;
  // Called when DrawIcon painted into a dialog.
  std::function<void(HWND dialog)> onIconDrawn;

  bool WaitCursorShown() const { return m_waitCursorShown; }
  int WaitCursorShowings() const { return m_waitCursorShowings; }
  int SystemMenuOpenings() const { return m_systemMenuOpenings; }
  int MovesBegun() const { return m_movesBegun; }

  // Backend
  bool WaitForInput() override;
  int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) override;
  void DialogStarted(HWND dialog) override;
  void DialogEnded(HWND dialog) override;
  void IconDrawn(HWND dialog) override;
  void WaitCursorChanged(bool waiting) override;
  void OpenSystemMenu(HWND dialog) override;
  void BeginMove(HWND dialog) override;

 private:
  std::deque<int> m_answers;
  std::vector<Box> m_boxes;
  bool m_waitCursorShown = false;
  int m_waitCursorShowings = 0;
  int m_systemMenuOpenings = 0;
  int m_movesBegun = 0;
};

}  // namespace framework
