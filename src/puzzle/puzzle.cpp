#include "puzzle.h"

#include <algorithm>
#include <utility>

#include "puzzle_geometry.h"
#include "split.h"

using namespace PuzzleGeometry;

namespace {
constexpr char kAnswerLabel[] = "Answer :";
constexpr char kNoneLabel[] = "None";
}  // namespace

TPuzzle::TPuzzle(const ProblemRules &rules, TRandom random, std::vector<TBox> areas, TScale scale,
                 bool showCounts, bool showSplits)
    : rules_(rules),
      random_(random),
      nextScale_(scale),
      showCounts_(showCounts),
      showSplits_(showSplits) {
  UseScale(scale);
  SetAreas(std::move(areas));
  NextProblem();
  turn_ = 0;  // the unshown problem does not take a turn
}

void TPuzzle::UseScale(TScale scale) {
  scale_ = scale;
  frame_ = MakeTileFrame(scale_);
  TScale rows;
  hasRowScale_ = showSplits_ && SplitScale(scale_, rows);
  if (hasRowScale_)
    rowFrame_ = MakeTileFrame(rows);
}

void TPuzzle::SetAreas(std::vector<TBox> areas) {
  if (areas.empty())
    areas.push_back(TBox{});
  areas_ = std::move(areas);
  turn_ %= areas_.size();
}

// Each area is measured in scale-1 pixels, so the placement rule stays the one of scale 1:
// a whole scale divides the area, a reduction multiplies it.
void TPuzzle::NextProblem() {
  if (nextScale_ != scale_)
    UseScale(nextScale_);
  const TBox &area = areas_[turn_];
  turn_ = (turn_ + 1) % areas_.size();
  rules_.AreaWidth = area.Width() * scale_.Div / scale_.Mul;
  rules_.AreaHeight = area.Height() * scale_.Div / scale_.Mul;
  // Decided before the answer is known, so the place does not give the answer away. The
  // placement keeps the taller box inside the area only when the rows are drawn, so that
  // without them the places, and the draws that make them, are those they always were.
  splitsShown_ = hasRowScale_ && PuzzleWidth <= rules_.AreaWidth &&
                 PuzzleBoxHeight(showCounts_, true) <= rules_.AreaHeight;
  rules_.Height = PuzzleBoxHeight(showCounts_, splitsShown_);
  MakeProblem(problem_, rules_, random_);
  origin_ = {area.Left + scale_.Px(problem_.HandX), area.Top + scale_.Px(problem_.HandY)};
}

TPoint TPuzzle::At(int x, int y) const {
  return {origin_.x + scale_.Px(x), origin_.y + scale_.Px(y)};
}

// The last answer tile's frame sets the width; the height is the one the placement kept inside
// the area (the answer row, the count row, the split rows), or the answer tile's frame where a
// reduction rounds that up. At a whole scale that is the scale-1 box times the scale.
TBox TPuzzle::Box() const {
  const TPoint end = At(AnswerX + (MaxWaits - 1) * TileStep, AnswerTileY);
  return {origin_.x, origin_.y, end.x + frame_.Width,
          std::max(end.y + frame_.Height, At(0, rules_.Height).y)};
}

void TPuzzle::Step(TPuzzleCanvas &canvas) {
  if (phase_ == 0) {
    canvas.SetScale(scale_);
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
  canvas.SetScale(scale_);
  const TPoint label = At(LabelX, LabelY);
  canvas.WriteText(label.x, label.y, kAnswerLabel, TTextSize::Label);
  if (problem_.Waits[NoWait]) {
    const TPoint none = At(AnswerX, LabelY);
    canvas.WriteText(none.x, none.y, kNoneLabel, TTextSize::Label);
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
  if (splitsShown_)
    DrawSplits(canvas);
}

void TPuzzle::DrawSplits(TPuzzleCanvas &canvas) const {
  const TPoint at = At(SplitsX, PuzzleBoxHeight(showCounts_) + SplitsGap);
  DrawSplitRows(canvas, rowFrame_, problem_, at.x, at.y);
  canvas.SetScale(scale_);
}

// "None" needs no count: no rank completes the hand, so no row is drawn.
void TPuzzle::DrawCounts(TPuzzleCanvas &canvas) const {
  int x = AnswerX + CountX;
  for (int r = 1; r <= 9; ++r) {
    if (!problem_.Waits[r])
      continue;
    const char digit[] = {static_cast<char>('0' + TilesLeft(problem_.Counts, r)), '\0'};
    const TPoint at = At(x, CountY);
    canvas.WriteText(at.x, at.y, digit, TTextSize::Small);
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
  const TPoint at = At(LabelX, CountY);
  canvas.WriteText(at.x, at.y, start, TTextSize::Small);
}

// (x, y) is the face's corner relative to the hand, at scale 1.
void TPuzzle::DrawTile(TPuzzleCanvas &canvas, int rank, int x, int y) const {
  const TPoint at = At(x, y);
  DrawPuzzleTile(canvas, frame_, rank, at.x, at.y);
}

namespace {

// The yellow frame around the face whose corner is at (x, y), at the canvas's scale: over the
// tile's own outline, which is yellow too, and as far outside it. u is a scale-1 pixel at
// this scale, at least one pixel: the outline is that thick, on the face's first column and
// row and just past its last, so the frame is the same width on every side.
void FrameAddedTile(TPuzzleCanvas &canvas, int x, int y) {
  const TScale s = canvas.Scale();
  const int u = s.Mul;
  const int l = x - MarkOutside * u, t = y - MarkOutside * u;
  const int r = x + s.Px(FaceWidth) + u + MarkOutside * u;
  const int b = y + s.Px(FaceHeight) + u + MarkOutside * u;
  const int inL = l + MarkWidth * u, inT = t + MarkWidth * u;
  const int inR = r - MarkWidth * u, inB = b - MarkWidth * u;
  canvas.Fill({l, t, r, inT}, Yellow);
  canvas.Fill({l, inB, r, b}, Yellow);
  canvas.Fill({l, inT, inL, inB}, Yellow);
  canvas.Fill({inR, inT, r, inB}, Yellow);
}

}  // namespace

void DrawSplitRows(TPuzzleCanvas &canvas, const TTileFrame &frame, const Problem &problem, int left,
                   int top) {
  if (problem.Waits[NoWait])
    return;
  canvas.SetScale(frame.Scale);
  const TScale s = frame.Scale;
  int row = 0;
  for (int w = 1; w <= 9; ++w) {
    if (!problem.Waits[w])
      continue;
    TTileCounts completed = problem.Counts;
    ++completed[w];
    THandSplit split;
    if (!SplitHand(completed, split))
      continue;  // not a wait after all; nothing to explain
    const int y = top + s.Px(row++ * SplitRowStep);
    int x = 0, marked = -1;
    for (int g = 0; g < split.Count; ++g) {
      for (int i = 0; i < split.Groups[g].Tiles; ++i) {
        const int rank = split.Groups[g].RankAt(i);
        const bool mark = rank == w && marked < 0;
        if (mark)
          marked = x;
        DrawPuzzleTile(canvas, frame, rank, left + s.Px(x), y, mark ? Yellow : Grey);
        x += TileStep;
      }
      x += SplitGroupGap;
    }
    if (marked >= 0)
      FrameAddedTile(canvas, left + s.Px(marked), y);
  }
}

int PuzzleBoxHeight(bool showCounts, bool showSplits) {
  return (showCounts ? PuzzleHeightWithCounts : PuzzleHeight) + (showSplits ? SplitsHeight : 0);
}

bool SplitScale(TScale puzzle, TScale &rows) {
  if (puzzle.Div > 1 || puzzle.Mul < 1)
    return false;
  rows = puzzle.Mul == 1 ? TScale{1, 2} : TScale{puzzle.Mul / 2, 1};
  return true;
}

int ScaleForDpi(int dpi) {
  if (dpi < 96)
    return 1;
  return dpi / 96 + (dpi % 96 >= 48 ? 1 : 0);  // rounded to the nearest whole scale
}

namespace {
// a / b rounded up, for a >= 0 and b > 0: the reduced box is never cut short.
int Ceiling(int a, int b) {
  return (a + b - 1) / b;
}
}  // namespace

TScale FitScale(int most, int areaWidth, int areaHeight, int height) {
  for (int m = std::max(1, most); m >= 1; --m)
    if (PuzzleWidth * m <= areaWidth && height * m <= areaHeight)
      return {m, 1};
  constexpr int kLeast = 3;
  for (int d = 2; d < kLeast; ++d)
    if (Ceiling(PuzzleWidth, d) <= areaWidth && Ceiling(height, d) <= areaHeight)
      return {1, d};
  return {1, kLeast};
}

TScale FitScale(int most, int areaWidth, int areaHeight, bool showCounts, bool showSplits) {
  if (showSplits) {
    const TScale s = FitScale(most, areaWidth, areaHeight, PuzzleBoxHeight(showCounts, true));
    if (s.Div == 1)  // a whole scale, which FitScale gives only where the box fits
      return s;
  }
  return FitScale(most, areaWidth, areaHeight, PuzzleBoxHeight(showCounts));
}
