// Layout arithmetic of the window toolkit: alignment of children, centring, status bar
// panel edges. Pure functions, so they are tested without a window.
#pragma once
#include <vector>

namespace toolkit {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Rect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

enum class Align { None, Left, Top, Right, Bottom, Client };

struct Margins {
  int top = 0, bottom = 0, left = 0, right = 0;
};

// One child as the alignment sees it: its alignment and its current size (width is kept
// for left/right, height for top/bottom).
struct AlignItem {
  Align align = Align::None;
  int width = 0;
  int height = 0;
  bool visible = true;
};

// Places the children inside `client` (the parent's client area) reduced by `margins`,
// with `gap` between and around them: three passes (top/bottom, left/right, client), in
// creation order within each pass. Children with Align::None or not visible keep an
// empty result and must not be moved by the caller (placed[i] is meaningless for them).
// Rectangles that would be inverted get zero width or height.
std::vector<Rect> AlignChildren(const Rect& client, const Margins& margins, int gap,
                                const std::vector<AlignItem>& children);

// Position that centres a size within an area of the given size: (area - size) / 2
// rounded toward minus infinity (arithmetic shift).
int CentredOffset(int areaSize, int size);

// Right edges of `count` equal status panels over `width`: step, 2*step, ..., -1 last.
std::vector<int> StatusPanelEdges(int width, int count);

}  // namespace toolkit
