#include "toolkit/layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <vector>

namespace toolkit {

// Readable failure messages for rectangles.
static void PrintTo(const Rect& r, std::ostream* os) {
  *os << "{" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << "}";
}

namespace {

AlignItem Item(Align align, int width, int height, bool visible = true) {
  AlignItem item;
  item.align = align;
  item.width = width;
  item.height = height;
  item.visible = visible;
  return item;
}

struct AlignCase {
  const char* what;
  Rect client;
  Margins margins;
  int gap;
  std::vector<AlignItem> children;
  std::vector<Rect> expected;  // only compared for aligned, visible children
};

TEST(AlignChildren, Table) {
  using A = Align;
  // clang-format off
  const AlignCase cases[] = {
      {"gap around and between all four sides and the client", {0, 0, 100, 100}, {}, 2,
       {Item(A::Top, 0, 10), Item(A::Bottom, 0, 10), Item(A::Left, 10, 0), Item(A::Right, 10, 0), Item(A::Client, 0, 0)},
       {{2, 2, 98, 12}, {2, 88, 98, 98}, {2, 14, 12, 86}, {88, 14, 98, 86}, {14, 14, 86, 86}}},
      {"top and bottom take the full width even when created after left and right", {0, 0, 100, 50}, {}, 0,
       {Item(A::Client, 0, 0), Item(A::Left, 20, 0), Item(A::Right, 30, 0), Item(A::Bottom, 0, 5), Item(A::Top, 0, 7)},
       {{20, 7, 70, 45}, {0, 7, 20, 45}, {70, 7, 100, 45}, {0, 45, 100, 50}, {0, 0, 100, 7}}},
      {"several children of one side stack in creation order", {0, 0, 100, 100}, {}, 1,
       {Item(A::Bottom, 0, 10), Item(A::Bottom, 0, 20), Item(A::Left, 5, 0), Item(A::Left, 6, 0)},
       {{1, 89, 99, 99}, {1, 68, 99, 88}, {1, 1, 6, 67}, {7, 1, 13, 67}}},
      {"margins inset the area; group box with its left margin cleared", {0, 0, 200, 100}, {22, 2, 0, 2}, 0,
       {Item(A::Client, 0, 0)}, {{0, 22, 198, 98}}},
      {"client area offset from the origin", {10, 20, 110, 70}, {1, 2, 3, 4}, 0,
       {Item(A::Top, 0, 5), Item(A::Client, 0, 0)}, {{13, 21, 106, 26}, {13, 26, 106, 68}}},
      {"an overfull left side leaves the client child zero wide", {0, 0, 10, 10}, {}, 0,
       {Item(A::Left, 20, 0), Item(A::Client, 0, 0)}, {{0, 0, 20, 10}, {20, 0, 20, 10}}},
      {"a gap larger than the area gives zero width and height", {0, 0, 2, 2}, {}, 2,
       {Item(A::Client, 0, 0)}, {{2, 2, 2, 2}}},
      {"margins larger than the client area collapse the child", {0, 0, 10, 10}, {8, 8, 8, 8}, 0,
       {Item(A::Top, 0, 1), Item(A::Left, 1, 0)}, {{8, 8, 8, 9}, {8, 9, 9, 9}}},
  };
  // clang-format on
  for (const AlignCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<Rect> placed = AlignChildren(c.client, c.margins, c.gap, c.children);
    ASSERT_EQ(placed.size(), c.children.size());
    for (size_t i = 0; i < placed.size(); ++i) EXPECT_EQ(placed[i], c.expected[i]) << "child " << i;
  }
}

TEST(AlignChildren, InvisibleAndUnalignedChildrenTakeNoSpace) {
  const std::vector<AlignItem> children = {Item(Align::Left, 30, 0, false),  Item(Align::None, 40, 40),
                                           Item(Align::Top, 0, 50, false),   Item(Align::Left, 10, 0),
                                           Item(Align::Client, 0, 0, false), Item(Align::Client, 0, 0)};
  const std::vector<Rect> placed = AlignChildren({0, 0, 100, 100}, {}, 0, children);
  ASSERT_EQ(placed.size(), 6u);
  EXPECT_EQ(placed[3], (Rect{0, 0, 10, 100}));
  EXPECT_EQ(placed[5], (Rect{10, 0, 100, 100}));
}

// The main window: client area 582 x 378 of a 590 x 432 form, 19 pixels of status bar as
// its bottom margin, gap 0; children in the order the window creates them.
TEST(AlignChildren, MainWindowArrangement) {
  const Rect client{0, 0, 582, 378};
  Margins margins;
  margins.bottom = 19;
  const std::vector<AlignItem> children = {
      Item(Align::Bottom, 0, 21),  // BottomPanel
      Item(Align::Client, 0, 0),   // PreviewPanel
      Item(Align::Left, 209, 0),   // ListPanel
      Item(Align::Left, 6, 0),     // PanelSplitter
  };
  const std::vector<Rect> placed = AlignChildren(client, margins, 0, children);
  ASSERT_EQ(placed.size(), 4u);
  EXPECT_EQ(placed[0], (Rect{0, 338, 582, 359}));
  EXPECT_EQ(placed[1], (Rect{215, 0, 582, 338}));
  EXPECT_EQ(placed[2], (Rect{0, 0, 209, 338}));
  EXPECT_EQ(placed[3], (Rect{209, 0, 215, 338}));

  // The preview group box fills PreviewPanel; its scroll box sits inside the group-box
  // margins with the left one cleared.
  Margins group;
  group.top = 22;
  group.bottom = 2;
  group.right = 2;
  const std::vector<Rect> inGroup =
      AlignChildren({0, 0, placed[1].Width(), placed[1].Height()}, group, 0, {Item(Align::Client, 0, 0)});
  EXPECT_EQ(inGroup[0], (Rect{0, 22, 365, 336}));

  // The paint box sits 2 pixels inside the scroll box (gap 2), whose client area is 2
  // pixels smaller on each side for its sunken edge.
  const std::vector<Rect> inScroll = AlignChildren({0, 0, 361, 310}, {}, 2, {Item(Align::Client, 0, 0)});
  EXPECT_EQ(inScroll[0], (Rect{2, 2, 359, 308}));
}

TEST(CentredOffset, RoundsTowardMinusInfinity) {
  const struct {
    int area, size, offset;
  } cases[] = {
      {100, 100, 0},
      {401, 128, 136},
      {100, 99, 0},
      {1024, 300, 362},
      {768, 400, 184},
      {640, 700, -30},  // wider than the screen: off its left edge
      {100, 101, -1},
      {100, 104, -2},
      {100, 105, -3},
      {0, 1, -1},
      {0, 0, 0},
      {INT_MIN, INT_MAX, INT_MIN},
      {INT_MAX, INT_MIN, INT_MAX},
      {-5, 0, -3},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CentredOffset(c.area, c.size), c.offset) << c.area << " " << c.size;
  }
}

TEST(StatusPanelEdges, EqualPanelsWithOpenLastEdge) {
  const struct {
    int width, count;
    std::vector<int> edges;
  } cases[] = {
      {590, 3, {196, 392, -1}},  // the main window's three panels
      {590, 2, {295, -1}},      {590, 1, {-1}}, {2, 3, {0, 0, -1}},
      {0, 3, {0, 0, -1}},       {590, 0, {}},   {590, -1, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StatusPanelEdges(c.width, c.count), c.edges) << c.width << " / " << c.count;
  }
}

}  // namespace
}  // namespace toolkit
