#include "toolkit/portable/layout.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using namespace toolkit;

TEST(AlignChildren, Table) {
  using A = Align;
  // clang-format off
  const struct {
    const char* what; Rect client; Margins margins; int gap;
    std::vector<AlignItem> children; std::vector<Rect> expected;  // empty: invisible, unaligned
  } cases[] = {
      {"gap around and between all four sides and the client", {0, 0, 100, 100}, {}, 2, {{A::Top, 0, 10}, {A::Bottom, 0, 10}, {A::Left, 10, 0}, {A::Right, 10, 0}, {A::Client, 0, 0}}, {{2, 2, 98, 12}, {2, 88, 98, 98}, {2, 14, 12, 86}, {88, 14, 98, 86}, {14, 14, 86, 86}}},
      {"top and bottom take the full width even when created after left and right", {0, 0, 100, 50}, {}, 0, {{A::Client, 0, 0}, {A::Left, 20, 0}, {A::Right, 30, 0}, {A::Bottom, 0, 5}, {A::Top, 0, 7}}, {{20, 7, 70, 45}, {0, 7, 20, 45}, {70, 7, 100, 45}, {0, 45, 100, 50}, {0, 0, 100, 7}}},
      {"several children of one side stack in creation order", {0, 0, 100, 100}, {}, 1, {{A::Bottom, 0, 10}, {A::Bottom, 0, 20}, {A::Left, 5, 0}, {A::Left, 6, 0}}, {{1, 89, 99, 99}, {1, 68, 99, 88}, {1, 1, 6, 67}, {7, 1, 13, 67}}},
      {"margins inset the area (a group box's left one cleared)", {0, 0, 200, 100}, {22, 2, 0, 2}, 0, {{A::Client, 0, 0}}, {{0, 22, 198, 98}}},
      {"client area off the origin", {10, 20, 110, 70}, {1, 2, 3, 4}, 0, {{A::Top, 0, 5}, {A::Client, 0, 0}}, {{13, 21, 106, 26}, {13, 26, 106, 68}}},
      {"overfull left: the client child zero wide", {0, 0, 10, 10}, {}, 0, {{A::Left, 20, 0}, {A::Client, 0, 0}}, {{0, 0, 20, 10}, {20, 0, 20, 10}}},
      {"a gap larger than the area gives zero width and height", {0, 0, 2, 2}, {}, 2, {{A::Client, 0, 0}}, {{2, 2, 2, 2}}},
      {"margins larger than the area collapse", {0, 0, 10, 10}, {8, 8, 8, 8}, 0, {{A::Top, 0, 1}, {A::Left, 1, 0}}, {{8, 8, 8, 9}, {8, 9, 9, 9}}},
      {"invisible and unaligned children take no space", {0, 0, 100, 100}, {}, 0, {{A::Left, 30, 0, false}, {A::None, 40, 40}, {A::Top, 0, 50, false}, {A::Left, 10, 0}, {A::Client, 0, 0, false}, {A::Client, 0, 0}}, {{}, {}, {}, {0, 0, 10, 100}, {}, {10, 0, 100, 100}}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<Rect> placed = AlignChildren(c.client, c.margins, c.gap, c.children);
    ASSERT_EQ(placed.size(), c.children.size());
    for (size_t i = 0; i < placed.size(); ++i) EXPECT_EQ(placed[i], c.expected[i]) << "child " << i;
  }
}

TEST(CentredOffsetAndStatusPanelEdges, RoundsDownWithoutOverflowAndLeavesTheLastEdgeOpen) {
  EXPECT_EQ(CentredOffset(401, 128), 136);
  EXPECT_EQ(CentredOffset(640, 700), -30);  // wider than the screen: off its left edge
  EXPECT_EQ(CentredOffset(100, 101), -1);
  EXPECT_EQ(CentredOffset(INT_MIN, INT_MAX), INT_MIN);
  EXPECT_EQ(CentredOffset(INT_MAX, INT_MIN), INT_MAX);
  EXPECT_EQ(StatusPanelEdges(590, 3), (std::vector<int>{196, 392, -1}));
  EXPECT_EQ(StatusPanelEdges(590, 1), (std::vector<int>{-1}));
  EXPECT_EQ(StatusPanelEdges(2, 3), (std::vector<int>{0, 0, -1}));
  EXPECT_TRUE(StatusPanelEdges(590, 0).empty() && StatusPanelEdges(590, -1).empty());
}
