#include "tile_frame.h"

#include <algorithm>
#include <cstdlib>

#include "puzzle_geometry.h"

using namespace PuzzleGeometry;

namespace {

// The frame's pixels at the base size, each a colour or none.
class TGrid {
 public:
  TGrid(int w, int h) : w_(w), h_(h), cells_(static_cast<size_t>(w) * h, kNone) {}

  // As GDI draws a line: from one point towards the next, without the last pixel. The tile's
  // lines are level, upright or at 45 degrees, whose pixels this rounding gives exactly.
  void Line(TPoint from, TPoint to, TColor c) {
    const int dx = to.x - from.x, dy = to.y - from.y, n = std::max(std::abs(dx), std::abs(dy));
    for (int k = 0; k < n; ++k)
      Set(from.x + Rounded(k * dx, n), from.y + Rounded(k * dy, n), c);
  }
  void Polyline(const TPoint *p, int count, TColor pen) {
    for (int i = 0; i + 1 < count; ++i)
      Line(p[i], p[i + 1], pen);
  }
  // As GDI draws a polygon in its alternate mode: the points strictly inside in the brush,
  // then the closed outline in the pen over its edges.
  void Polygon(const TPoint *p, int count, TColor pen, TColor brush) {
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x)
        if (Inside(p, count, x, y))
          Set(x, y, brush);
    for (int i = 0; i < count; ++i)
      Line(p[i], p[(i + 1) % count], pen);
  }

  // Runs of one colour, each grown downwards over the rows that repeat it.
  std::vector<TPaintBox> Boxes() const {
    std::vector<TPaintBox> boxes;
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_;) {
        const uint64_t c = At(x, y);
        int end = x + 1;
        while (end < w_ && At(end, y) == c)
          ++end;
        if (c != kNone) {
          auto above = std::find_if(boxes.begin(), boxes.end(), [&](const TPaintBox &b) {
            return b.Box.Bottom == y && b.Box.Left == x && b.Box.Right == end && b.Color == c;
          });
          if (above != boxes.end())
            above->Box.Bottom = y + 1;
          else
            boxes.push_back({{x, y, end, y + 1}, static_cast<TColor>(c)});
        }
        x = end;
      }
    return boxes;
  }

 private:
  static constexpr uint64_t kNone = ~uint64_t{0};

  // a / b rounded to the nearest, halves away from zero, for b > 0.
  static int Rounded(int a, int b) { return a >= 0 ? (2 * a + b) / (2 * b) : -((b - 2 * a) / (2 * b)); }

  // Strictly inside by the even-odd rule: not on an edge, and an odd number of edges cross
  // the ray to the right of the point.
  static bool Inside(const TPoint *p, int count, int x, int y) {
    bool inside = false;
    for (int i = 0; i < count; ++i) {
      const TPoint a = p[i], b = p[(i + 1) % count];
      const long cross = static_cast<long>(b.x - a.x) * (y - a.y) - static_cast<long>(b.y - a.y) * (x - a.x);
      if (cross == 0 && x >= std::min(a.x, b.x) && x <= std::max(a.x, b.x) &&
          y >= std::min(a.y, b.y) && y <= std::max(a.y, b.y))
        return false;
      if ((a.y > y) != (b.y > y)) {
        // The edge's x at this row lies right of x: x < a.x + (y - a.y)(b.x - a.x)/(b.y - a.y).
        const long lhs = static_cast<long>(x - a.x) * (b.y - a.y);
        const long rhs = static_cast<long>(y - a.y) * (b.x - a.x);
        if (b.y > a.y ? lhs < rhs : lhs > rhs)
          inside = !inside;
      }
    }
    return inside;
  }

  void Set(int x, int y, TColor c) {
    if (x >= 0 && y >= 0 && x < w_ && y < h_)
      cells_[static_cast<size_t>(y) * w_ + x] = c;
  }
  uint64_t At(int x, int y) const { return cells_[static_cast<size_t>(y) * w_ + x]; }

  int w_, h_;
  std::vector<uint64_t> cells_;
};

}  // namespace

// The shapes at the base size: the reduced one for a reduction, scale 1 for a whole scale,
// whose pixels then become blocks.
TTileFrame MakeTileFrame(TScale scale) {
  const TScale base = scale.Div > 1 ? scale : TScale{};
  const int m = scale.Div > 1 ? 1 : std::max(1, scale.Mul);
  auto at = [&](int dx, int dy) { return TPoint{base.Px(dx), base.Px(dy)}; };
  const int fw = FaceWidth, fh = FaceHeight, d = BodyDepth / 2, b = BodyDepth;
  const TPoint corner = at(fw + b, fh + b);
  TGrid grid(corner.x + 1, corner.y + 1);
  // The white layer: right and bottom sides, half the body deep.
  const TPoint white[] = {at(fw, 0),     at(fw + d, d), at(fw + d, fh + d),
                          at(d, fh + d), at(0, fh),     at(fw, fh)};
  grid.Polygon(white, 6, Grey, White);
  // The maroon layer: the same shape half the body further right and down.
  const TPoint maroon[] = {at(fw + d, d), at(fw + b, b), at(fw + b, fh + b),
                           at(b, fh + b), at(d, fh + d), at(fw + d, fh + d)};
  grid.Polygon(maroon, 6, Grey, Maroon);
  // The face's outline, then the edge between the right and bottom sides.
  const TPoint outline[] = {at(fw, fh), at(0, fh),  at(0, 0),
                            at(fw, 0),  at(fw, fh), at(fw + b, fh + b)};
  grid.Polyline(outline, 6, Grey);
  TTileFrame frame{scale, grid.Boxes(), (corner.x + 1) * m, (corner.y + 1) * m};
  for (TPaintBox &p : frame.Boxes)
    p.Box = {p.Box.Left * m, p.Box.Top * m, p.Box.Right * m, p.Box.Bottom * m};
  return frame;
}

void DrawPuzzleTile(TPuzzleCanvas &canvas, const TTileFrame &frame, int rank, int left, int top,
                    TColor outline) {
  canvas.SetScale(frame.Scale);
  canvas.DrawFace(rank, left, top);
  for (const TPaintBox &p : frame.Boxes)
    canvas.Fill({left + p.Box.Left, top + p.Box.Top, left + p.Box.Right, top + p.Box.Bottom},
                p.Color == Grey ? outline : p.Color);
}
