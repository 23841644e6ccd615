#include "puzzle.h"

#include <utility>

#include "puzzle_geometry.h"

using namespace PuzzleGeometry;

namespace {
constexpr char kAnswerLabel[] = "Answer :";
constexpr char kNoneLabel[] = "None";
}  // namespace

TPuzzle::TPuzzle(const ProblemRules &rules, TRandom random, std::vector<TBox> areas, int scale,
                 bool showCounts)
    : rules_(rules), random_(random), scale_(scale < 1 ? 1 : scale), showCounts_(showCounts) {
  // The placement keeps the taller box inside the area only when the row is drawn, so that
  // without it the places, and the draws that make them, are those they always were.
  rules_.Height = showCounts_ ? PuzzleHeightWithCounts : PuzzleHeight;
  SetAreas(std::move(areas));
  NextProblem();
  turn_ = 0;  // the unshown problem does not take a turn
}

void TPuzzle::SetAreas(std::vector<TBox> areas) {
  if (areas.empty())
    areas.push_back(TBox{});
  areas_ = std::move(areas);
  turn_ %= areas_.size();
}

// Each area is measured in scaled pixels, so the placement rule stays the one of scale 1.
void TPuzzle::NextProblem() {
  const TBox &area = areas_[turn_];
  turn_ = (turn_ + 1) % areas_.size();
  rules_.AreaWidth = area.Width() / scale_;
  rules_.AreaHeight = area.Height() / scale_;
  MakeProblem(problem_, rules_, random_);
  origin_ = {area.Left + problem_.HandX * scale_, area.Top + problem_.HandY * scale_};
}

TBox TPuzzle::Box() const {
  return {origin_.x, origin_.y, origin_.x + PuzzleWidth * scale_,
          origin_.y + rules_.Height * scale_};
}

void TPuzzle::Step(TPuzzleCanvas &canvas) {
  if (phase_ == 0) {
    canvas.Erase(Box());
    NextProblem();
    DrawQuestion(canvas);
    shown_ = true;
    phase_ = 1;
  } else {
    DrawAnswer(canvas);
    phase_ = 0;
  }
}

void TPuzzle::Redraw(TPuzzleCanvas &canvas) const {
  if (!shown_)
    return;
  DrawQuestion(canvas);
  if (phase_ == 0)
    DrawAnswer(canvas);
}

void TPuzzle::DrawQuestion(TPuzzleCanvas &canvas) const {
  for (int i = 1; i <= HandSize; ++i)
    DrawTile(canvas, problem_.Hand[i], (i - 1) * TileStep, 0);
}

void TPuzzle::DrawAnswer(TPuzzleCanvas &canvas) const {
  const int s = scale_;
  canvas.WriteText(origin_.x + LabelX * s, origin_.y + LabelY * s, kAnswerLabel, TTextSize::Label,
                   s);
  if (problem_.Waits[NoWait]) {
    canvas.WriteText(origin_.x + AnswerX * s, origin_.y + LabelY * s, kNoneLabel, TTextSize::Label,
                     s);
    return;
  }
  int x = AnswerX;
  for (int r = 1; r <= 9; ++r) {
    if (!problem_.Waits[r])
      continue;
    DrawTile(canvas, r, x, AnswerTileY);
    x += TileStep;
  }
  if (showCounts_)
    DrawCounts(canvas);
}

// "None" needs no count: no rank completes the hand, so no row is drawn.
void TPuzzle::DrawCounts(TPuzzleCanvas &canvas) const {
  const int s = scale_, y = origin_.y + CountY * s;
  int x = AnswerX + CountX;
  for (int r = 1; r <= 9; ++r) {
    if (!problem_.Waits[r])
      continue;
    const char digit[] = {static_cast<char>('0' + TilesLeft(problem_.Counts, r)), '\0'};
    canvas.WriteText(origin_.x + x * s, y, digit, TTextSize::Small, s);
    x += TileStep;
  }
  // At most nine waits of four: two digits. Written by hand, which keeps the saver smaller
  // than a string would.
  const int total = TilesLeftForWaits(problem_.Counts, problem_.Waits);
  char text[] = "00 tiles";
  char *start = text + 1;
  if (total >= 10) {
    start = text;
    text[0] = static_cast<char>('0' + total / 10 % 10);
  }
  text[1] = static_cast<char>('0' + total % 10);
  if (total == 1)
    text[7] = '\0';
  canvas.WriteText(origin_.x + LabelX * s, y, start, TTextSize::Small, s);
}

// (x, y) is the face's corner relative to the hand, at scale 1.
void TPuzzle::DrawTile(TPuzzleCanvas &canvas, int rank, int x, int y) const {
  DrawPuzzleTile(canvas, rank, origin_.x + x * scale_, origin_.y + y * scale_, scale_);
}

void DrawPuzzleTileFrame(TPuzzleCanvas &canvas, int left, int top, int s) {
  auto at = [&](int dx, int dy) { return TPoint{left + dx * s, top + dy * s}; };
  const int fw = FaceWidth, fh = FaceHeight, d = BodyDepth / 2, b = BodyDepth;
  // The white layer: right and bottom sides, half the body deep.
  const TPoint white[] = {at(fw, 0),     at(fw + d, d), at(fw + d, fh + d),
                          at(d, fh + d), at(0, fh),     at(fw, fh)};
  canvas.Polygon(white, 6, Grey, White, s);
  // The maroon layer: the same shape half the body further right and down.
  const TPoint maroon[] = {at(fw + d, d), at(fw + b, b), at(fw + b, fh + b),
                           at(b, fh + b), at(d, fh + d), at(fw + d, fh + d)};
  canvas.Polygon(maroon, 6, Grey, Maroon, s);
  // The face's outline, then the edge between the right and bottom sides.
  const TPoint outline[] = {at(fw, fh), at(0, fh),  at(0, 0),
                            at(fw, 0),  at(fw, fh), at(fw + b, fh + b)};
  canvas.Polyline(outline, 6, Grey, s);
}

void DrawPuzzleTile(TPuzzleCanvas &canvas, int rank, int left, int top, int scale) {
  canvas.DrawFace(rank, left, top, scale);
  DrawPuzzleTileFrame(canvas, left, top, scale);
}

int ScaleForDpi(int dpi) {
  if (dpi < 96)
    return 1;
  return dpi / 96 + (dpi % 96 >= 48 ? 1 : 0);  // rounded to the nearest whole scale
}
