// Which lines of a list show in the rows it has: the view follows the chosen
// line when that changes, keeps its place otherwise (so the wheel can scroll
// away from it), and never shows rows past the end.
#pragma once

namespace framework::tui {

struct ListView {
  int first = 0;               // the first line shown
  int rows = 1;                // how many lines show, as last painted
  int followedSelection = -1;  // the selection the view last followed

  // Brings the view up to date for a list of `lines` lines showing `shownRows`.
  void Follow(int selection, int lines, int shownRows);
  // Scrolls by `delta` lines, within the list.
  void Scroll(int delta, int lines);
};

// Where the thumb of a scroll bar of `track` cells stands; -1 when all lines
// show and there is nothing to scroll.
int ThumbCell(int first, int lines, int rows, int track);

}  // namespace framework::tui
