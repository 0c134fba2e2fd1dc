#include "toolkit/layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace toolkit {

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
  std::vector<Rect> expected;  // empty for invisible and unaligned children
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
      {"invisible and unaligned children take no space", {0, 0, 100, 100}, {}, 0,
       {Item(A::Left, 30, 0, false), Item(A::None, 40, 40), Item(A::Top, 0, 50, false), Item(A::Left, 10, 0),
        Item(A::Client, 0, 0, false), Item(A::Client, 0, 0)},
       {{}, {}, {}, {0, 0, 10, 100}, {}, {10, 0, 100, 100}}},
  };
  // clang-format on
  for (const AlignCase& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<Rect> placed = AlignChildren(c.client, c.margins, c.gap, c.children);
    ASSERT_EQ(placed.size(), c.children.size());
    for (size_t i = 0; i < placed.size(); ++i) EXPECT_EQ(placed[i], c.expected[i]) << "child " << i;
  }
}

TEST(CentredOffset, RoundsTowardMinusInfinityWithoutOverflow) {
  EXPECT_EQ(CentredOffset(401, 128), 136);
  EXPECT_EQ(CentredOffset(640, 700), -30);  // wider than the screen: off its left edge
  EXPECT_EQ(CentredOffset(100, 101), -1);
  EXPECT_EQ(CentredOffset(INT_MIN, INT_MAX), INT_MIN);
  EXPECT_EQ(CentredOffset(INT_MAX, INT_MIN), INT_MAX);
}

TEST(StatusPanelEdges, EqualPanelsWithOpenLastEdge) {
  EXPECT_EQ(StatusPanelEdges(590, 3), (std::vector<int>{196, 392, -1}));
  EXPECT_EQ(StatusPanelEdges(590, 1), (std::vector<int>{-1}));
  EXPECT_EQ(StatusPanelEdges(2, 3), (std::vector<int>{0, 0, -1}));
  EXPECT_TRUE(StatusPanelEdges(590, 0).empty());
  EXPECT_TRUE(StatusPanelEdges(590, -1).empty());
}

}  // namespace
}  // namespace toolkit
