#include "framework/linux/headless/headless_backend.h"

#include <algorithm>

#include "framework/linux/input.h"

namespace framework {

void HeadlessBackend::QueueAnswer(int answer) { m_answers.push_back(answer); }

int HeadlessBackend::AnswerFromQueue(UINT type, bool* answered) {
  *answered = !m_answers.empty();
  if (!*answered) return UnansweredBoxResult(type);
  const int answer = m_answers.front();
  m_answers.pop_front();
  return answer;
}

bool HeadlessBackend::IsButtonOf(UINT type, int answer) {
  switch (type & MB_TYPEMASK) {
    case MB_OK:
      return answer == IDOK;
    case MB_OKCANCEL:
      return answer == IDOK || answer == IDCANCEL;
    case MB_YESNOCANCEL:
      return answer == IDYES || answer == IDNO || answer == IDCANCEL;
    case MB_YESNO:
      return answer == IDYES || answer == IDNO;
    default:
      return false;
  }
}

std::size_t HeadlessBackend::UnansweredBoxes() const {
  return static_cast<std::size_t>(
      std::count_if(m_boxes.begin(), m_boxes.end(), [](const Box& box) { return !box.answered; }));
}

bool HeadlessBackend::WaitForInput() {
  while (!HasPendingMessages()) {
    if (!onIdle || !onIdle()) return false;
  }
  return true;
}

int HeadlessBackend::MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type) {
  bool answered = true;
  const int answer = answerBox ? answerBox(owner, text, caption, type) : AnswerFromQueue(type, &answered);
  m_boxes.push_back({owner, text, caption, type, answer, answered});
  return answer;
}

void HeadlessBackend::DialogStarted(HWND dialog) {
  if (onDialogStarted) onDialogStarted(dialog);
}

void HeadlessBackend::DialogEnded(HWND dialog) {
  if (onDialogEnded) onDialogEnded(dialog);
}

void HeadlessBackend::IconDrawn(HWND dialog) {
  if (onIconDrawn) onIconDrawn(dialog);
}

void HeadlessBackend::WaitCursorChanged(bool waiting) {
  m_waitCursorShown = waiting;
  if (waiting) ++m_waitCursorShowings;
}

void HeadlessBackend::OpenSystemMenu(HWND /*dialog*/) { ++m_systemMenuOpenings; }

void HeadlessBackend::BeginMove(HWND /*dialog*/) { ++m_movesBegun; }

}  // namespace framework
