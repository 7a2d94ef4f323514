#include "framework/win32/text_messages.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "base/utf8.h"
#include "framework/win32/wide_text.h"

namespace framework::win32 {
namespace {

bool TakesText(UINT message) {
  switch (message) {
    case WM_SETTEXT:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
    case LB_SELECTSTRING:
    case CB_ADDSTRING:
    case CB_INSERTSTRING:
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
    case CB_SELECTSTRING:
      return true;
    default:
      return false;
  }
}

// An owner-drawn list or combo box without the has-strings style keeps item
// data, not texts, in the parameter of its line messages.
bool KeepsTexts(HWND window, UINT message) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  if (message >= LB_ADDSTRING && message <= LB_MSGMAX) {
    return (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) == 0 || (style & LBS_HASSTRINGS) != 0;
  }
  if (message >= CB_GETEDITSEL && message <= CB_MSGMAX) {
    return (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) == 0 || (style & CBS_HASSTRINGS) != 0;
  }
  return true;
}

// The whole text of the window (WM_GETTEXT) or of its line `index`; nothing
// when there is no such line.
std::optional<std::string> ReadText(HWND window, UINT textMessage, WPARAM index) {
  const bool windowText = textMessage == WM_GETTEXT;
  const UINT lengthMessage = windowText                  ? WM_GETTEXTLENGTH
                             : textMessage == LB_GETTEXT ? LB_GETTEXTLEN
                                                         : CB_GETLBTEXTLEN;
  const LRESULT length = SendMessageW(window, lengthMessage, windowText ? 0 : index, 0);
  if (length < 0) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const WPARAM first = windowText ? text.size() : index;
  const LRESULT copied = SendMessageW(window, textMessage, first, reinterpret_cast<LPARAM>(text.data()));
  if (copied < 0) return std::nullopt;
  text.resize(std::min(static_cast<std::size_t>(copied), static_cast<std::size_t>(length)));
  return Narrow(text);
}

// WM_GETTEXT's copy into a buffer of `size` bytes: as much as fits with the
// terminator, cut between characters.
LRESULT CopyCut(const std::string& text, WPARAM size, LPARAM buffer) {
  return static_cast<LRESULT>(base::CopyUtf8Cut(text, reinterpret_cast<char*>(buffer), size));
}

}  // namespace

LRESULT SendTextMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (TakesText(message) && KeepsTexts(window, message)) {
    const char* text = reinterpret_cast<const char*>(lParam);
    const std::wstring wide = Widen(text != nullptr ? text : "");
    return SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  switch (message) {
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(WindowText(window).size());
    case WM_GETTEXT:
      return CopyCut(WindowText(window), wParam, lParam);
    case LB_GETTEXTLEN:
    case CB_GETLBTEXTLEN:
    case LB_GETTEXT:
    case CB_GETLBTEXT: {
      if (!KeepsTexts(window, message)) return SendMessageW(window, message, wParam, lParam);
      const UINT textMessage = message == LB_GETTEXTLEN || message == LB_GETTEXT ? LB_GETTEXT : CB_GETLBTEXT;
      const std::optional<std::string> line = ReadText(window, textMessage, wParam);
      if (!line) return LB_ERR;  // CB_ERR alike
      if (message == LB_GETTEXTLEN || message == CB_GETLBTEXTLEN) return static_cast<LRESULT>(line->size());
      // The caller's buffer holds the length that the LEN message reported.
      std::memcpy(reinterpret_cast<char*>(lParam), line->c_str(), line->size() + 1);
      return static_cast<LRESULT>(line->size());
    }
    default:
      return SendMessageW(window, message, wParam, lParam);
  }
}

std::string WindowText(HWND window) { return ReadText(window, WM_GETTEXT, 0).value_or(std::string()); }

}  // namespace framework::win32
