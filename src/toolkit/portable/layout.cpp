// Layout arithmetic of the window toolkit.
#include "toolkit/portable/layout.h"

#include <cstddef>
#include <cstdint>

namespace toolkit {
namespace {

// A rectangle whose right is left of its left (or bottom above top) collapses to zero
// width (height) at its left (top) edge.
Rect Normalised(Rect r) {
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  return r;
}

bool InPass(Align align, int pass) {
  switch (align) {
    case Align::Top:
    case Align::Bottom:
      return pass == 0;
    case Align::Left:
    case Align::Right:
      return pass == 1;
    case Align::Client:
      return pass == 2;
    case Align::None:
      break;
  }
  return false;
}

}  // namespace

std::vector<Rect> AlignChildren(const Rect& client, const Margins& margins, int gap,
                                const std::vector<AlignItem>& children) {
  std::vector<Rect> placed(children.size());
  Rect r{client.left + margins.left, client.top + margins.top, client.right - margins.right,
         client.bottom - margins.bottom};
  const int g = gap;
  for (int pass = 0; pass < 3; ++pass) {
    for (size_t i = 0; i < children.size(); ++i) {
      const AlignItem& c = children[i];
      if (!c.visible || !InPass(c.align, pass)) continue;
      Rect p;
      switch (c.align) {
        case Align::Top:
          p = {r.left + g, r.top + g, r.right - g, r.top + g + c.height};
          r.top += c.height + g;
          break;
        case Align::Bottom:
          p = {r.left + g, r.bottom - g - c.height, r.right - g, r.bottom - g};
          r.bottom -= c.height + g;
          break;
        case Align::Left:
          p = {r.left + g, r.top + g, r.left + g + c.width, r.bottom - g};
          r.left += c.width + g;
          break;
        case Align::Right:
          p = {r.right - g - c.width, r.top + g, r.right - g, r.bottom - g};
          r.right -= c.width + g;
          break;
        case Align::Client:
          p = {r.left + g, r.top + g, r.right - g, r.bottom - g};
          break;
        case Align::None:
          break;
      }
      placed[i] = Normalised(p);
    }
  }
  return placed;
}

int CentredOffset(int areaSize, int size) {
  // Floor division by two, like an arithmetic shift, on a difference that cannot overflow.
  const int64_t diff = static_cast<int64_t>(areaSize) - size;
  const int64_t half = diff >= 0 ? diff / 2 : -((-diff + 1) / 2);
  return static_cast<int>(half);
}

std::vector<int> StatusPanelEdges(int width, int count) {
  std::vector<int> edges;
  if (count <= 0) return edges;
  const int step = width / count;
  for (int i = 1; i < count; ++i) edges.push_back(step * i);
  edges.push_back(-1);  // the last panel reaches the right edge
  return edges;
}

}  // namespace toolkit
