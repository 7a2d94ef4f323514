#include "framework/linux/combo_edit.h"

#include <algorithm>

#include "base/utf8.h"
#include "framework/linux/backend.h"
#include "framework/linux/list_state.h"

namespace framework {
namespace {

// A changed text moves the list with it: while the list is dropped the first
// item that begins with the text is selected, while it is closed none is, so
// that the program never reads an item the field no longer shows. The caret
// goes to that item, else to the first.
void FollowText(HWND combo) {
  ComboPart& part = combo->Combo();
  const int match = FindLineStartingWith(*combo, part.editText, -1);
  part.selection = part.droppedDown ? match : -1;
  part.caret = std::max(match, 0);
  CurrentBackend().WindowChanged(combo);
}

std::size_t PreviousCharacter(const std::string& text, std::size_t at) {
  return at == 0 ? 0 : base::Utf8FittingLength(text, at - 1);
}

std::size_t NextCharacter(const std::string& text, std::size_t at) {
  std::size_t length = 0;
  base::DecodeUtf8(std::string_view(text).substr(at), length);
  return std::min(text.size(), at + std::max<std::size_t>(length, 1));
}

void PlaceCursor(ComboPart& part, std::size_t at) { part.selectionStart = part.selectionEnd = at; }

}  // namespace

void ReplaceEditText(HWND combo, std::string text) {
  ComboPart& part = combo->Combo();
  part.editText = std::move(text);
  PlaceCursor(part, part.editText.size());
  FollowText(combo);
}

bool MoveEditCursor(HWND combo, UINT key) {
  ComboPart& part = combo->Combo();
  const std::size_t from = std::min(part.selectionEnd, part.editText.size());
  switch (key) {
    case VK_HOME:
      PlaceCursor(part, 0);
      break;
    case VK_END:
      PlaceCursor(part, part.editText.size());
      break;
    case VK_LEFT:
      PlaceCursor(part, PreviousCharacter(part.editText, from));
      break;
    case VK_RIGHT:
      PlaceCursor(part, NextCharacter(part.editText, from));
      break;
    default:
      return false;
  }
  CurrentBackend().WindowChanged(combo);
  return true;
}

bool TypeIntoEdit(HWND combo, char32_t character) {
  ComboPart& part = combo->Combo();
  std::size_t start = std::min({part.selectionStart, part.selectionEnd, part.editText.size()});
  const std::size_t end = std::min(std::max(part.selectionStart, part.selectionEnd), part.editText.size());
  std::string typed;
  if (character == '\b') {
    if (start == end) start = PreviousCharacter(part.editText, start);
  } else if (character >= 0x20 && character != 0x7F) {
    base::AppendUtf8(typed, character);
  } else {
    return false;  // other control characters type nothing
  }
  if (start == end && typed.empty()) return false;
  part.editText.replace(start, end - start, typed);
  PlaceCursor(part, start + typed.size());
  FollowText(combo);
  return true;
}

void SelectAllEditText(HWND combo) {
  ComboPart& part = combo->Combo();
  part.selectionStart = 0;
  part.selectionEnd = part.editText.size();
  CurrentBackend().WindowChanged(combo);
}

}  // namespace framework
