// Which lines of a list show: following the selection, scrolling, paging and
// the scroll bar's thumb.
#include <gtest/gtest.h>

#include "framework/linux/tui/list_view.h"

namespace framework::tui {
namespace {

TEST(ListView, FollowsANewSelectionIntoView) {
  ListView view;
  view.Follow(25, 30, 17);
  EXPECT_EQ(view.first, 9);
  view.Follow(3, 30, 17);
  EXPECT_EQ(view.first, 3);
  view.Follow(10, 30, 17);  // already in view: stays
  EXPECT_EQ(view.first, 3);
}

TEST(ListView, AScrolledViewStaysWhereItIsUntilTheSelectionChanges) {
  ListView view;
  view.Follow(0, 30, 10);
  view.Scroll(12, 30);
  view.Follow(0, 30, 10);
  EXPECT_EQ(view.first, 12);
  view.Follow(1, 30, 10);
  EXPECT_EQ(view.first, 1);
}

TEST(ListView, NeverShowsRowsPastTheEnd) {
  ListView view;
  view.Follow(29, 30, 10);
  EXPECT_EQ(view.first, 20);
  view.Follow(29, 12, 10);  // lines were deleted under the view
  EXPECT_EQ(view.first, 2);
  view.Scroll(100, 12);
  EXPECT_EQ(view.first, 2);
  view.Scroll(-100, 12);
  EXPECT_EQ(view.first, 0);
  view.Follow(-1, 3, 10);
  EXPECT_EQ(view.first, 0);
}

TEST(ScrollThumb, RunsFromTheTopToTheBottomOfTheTrack) {
  EXPECT_EQ(ThumbCell(0, 30, 10, 15), 0);
  EXPECT_EQ(ThumbCell(20, 30, 10, 15), 14);
  EXPECT_EQ(ThumbCell(10, 30, 10, 15), 7);
  EXPECT_EQ(ThumbCell(0, 10, 10, 15), -1);  // everything shows
  EXPECT_EQ(ThumbCell(0, 30, 10, 0), -1);   // no track
}

}  // namespace
}  // namespace framework::tui
