#include "framework/linux/tui/list_view.h"

#include <algorithm>

namespace framework::tui {
namespace {

int LastFirst(int lines, int rows) { return std::max(0, lines - std::max(rows, 1)); }

}  // namespace

void ListView::Follow(int selection, int lines, int shownRows) {
  rows = std::max(shownRows, 1);
  if (selection != followedSelection && selection >= 0 && selection < lines) {
    if (selection < first) first = selection;
    if (selection >= first + rows) first = selection - rows + 1;
  }
  followedSelection = selection;
  first = std::clamp(first, 0, LastFirst(lines, rows));
}

void ListView::Scroll(int delta, int lines) { first = std::clamp(first + delta, 0, LastFirst(lines, rows)); }

int ThumbCell(int first, int lines, int rows, int track) {
  if (lines <= rows || track <= 0) return -1;
  const int last = LastFirst(lines, rows);
  return static_cast<int>((static_cast<long long>(std::clamp(first, 0, last)) * (track - 1) + last / 2) / last);
}

}  // namespace framework::tui
