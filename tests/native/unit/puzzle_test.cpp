#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop.h"
#include "puzzle.h"
#include "puzzle_geometry.h"

namespace {

// Records what a puzzle draws, one line per call.
class TRecordingCanvas : public TPuzzleCanvas {
 public:
  std::vector<std::string> calls;
  std::vector<TBox> faces;  // each face's box in pixels

  std::vector<TBox> fills;  // every box filled but black

  void Fill(const TBox &b, TColor c) override {
    if (c != Black)
      fills.push_back(b);
    Add(c == Black ? "erase" : "fill", b.Left, b.Top, b.Right, b.Bottom, static_cast<int>(c));
  }
  void DrawFace(int rank, int x, int y) override {
    Add("face", rank, x, y, Scale().Mul, Scale().Div);
    faces.push_back({x, y, x + Scale().Px(PuzzleGeometry::FaceWidth),
                     y + Scale().Px(PuzzleGeometry::FaceHeight)});
  }
  void WriteText(int x, int y, const char *text, TTextSize size) override {
    calls.push_back((size == TTextSize::Small ? "small " : "text ") + std::string(text) +
                    Numbers({x, y, Scale().Mul}));
  }

 private:
  static std::string Numbers(std::initializer_list<int> v) {
    std::string s;
    for (int n : v)
      s += ' ' + std::to_string(n);
    return s;
  }
  template <typename... T>
  void Add(const char *what, T... v) {
    calls.push_back(what + Numbers({v...}));
  }
};

const ProblemRules kRules{true, 2, 0, 0, false};

std::string Boxes(const std::vector<TBox> &boxes) {
  std::string s;
  for (const TBox &b : boxes)
    s += "(" + std::to_string(b.Left) + " " + std::to_string(b.Top) + " " +
         std::to_string(b.Right) + " " + std::to_string(b.Bottom) + ")";
  return s;
}

std::string HandText(const Problem &p) {
  std::string s;
  for (int i = 1; i <= HandSize; ++i)
    s += static_cast<char>('0' + p.Hand[i]);
  return s;
}

std::vector<std::string> Since(const std::vector<std::string> &calls, size_t from) {
  return {calls.begin() + static_cast<std::ptrdiff_t>(from), calls.end()};
}

}  // namespace

// The puzzle must show exactly the problems the engine makes, where it places them.
TEST(Puzzle, FollowsTheEngineAtScaleOne) {
  TPuzzle puzzle(kRules, TRandom{0}, {{0, 0, 640, 480}});
  TRandom random{0};
  Problem expected{};
  ProblemRules rules = kRules;
  rules.AreaWidth = 640;
  rules.AreaHeight = 480;
  MakeProblem(expected, rules, random);  // the unshown first problem
  TRecordingCanvas canvas;
  for (int i = 0; i < 20; ++i) {
    MakeProblem(expected, rules, random);
    canvas.faces.clear();
    puzzle.Step(canvas);
    ASSERT_EQ(1, puzzle.Phase());
    ASSERT_EQ(expected.HandX, puzzle.Current().HandX);
    ASSERT_EQ(expected.HandY, puzzle.Current().HandY);
    ASSERT_EQ(HandSize, static_cast<int>(canvas.faces.size()));
    EXPECT_EQ(expected.HandX + 12 * PuzzleGeometry::TileStep, canvas.faces.back().Left);
    puzzle.Step(canvas);
    ASSERT_EQ(0, puzzle.Phase());
  }
}

TEST(Puzzle, AnswerShowsEveryWaitOrNone) {
  TPuzzle puzzle(ProblemRules{true, 12, 0, 0, false}, TRandom{0}, {{0, 0, 640, 480}});
  TRecordingCanvas canvas;
  int none = 0;
  for (int i = 0; i < 60; ++i) {
    puzzle.Step(canvas);
    canvas.faces.clear();
    const size_t before = canvas.calls.size();
    puzzle.Step(canvas);
    const Problem &p = puzzle.Current();
    const std::string label =
        "text Answer : " + std::to_string(p.HandX + 34) + " " + std::to_string(p.HandY + 76) + " 1";
    ASSERT_EQ(label, canvas.calls[before]);
    if (p.Waits[NoWait]) {
      ++none;
      EXPECT_EQ(
          "text None " + std::to_string(p.HandX + 136) + " " + std::to_string(p.HandY + 76) + " 1",
          canvas.calls[before + 1]);
      EXPECT_TRUE(canvas.faces.empty());
      continue;
    }
    int waits = 0;
    for (int r = 1; r <= 9; ++r)
      if (p.Waits[r]) {
        ASSERT_LT(static_cast<size_t>(waits), canvas.faces.size());
        EXPECT_EQ(p.HandX + 136 + 34 * waits, canvas.faces[waits].Left);
        EXPECT_EQ(p.HandY + 64, canvas.faces[waits].Top);
        ++waits;
      }
    ASSERT_EQ(static_cast<size_t>(waits), canvas.faces.size());
  }
  EXPECT_GT(none, 0);
}

// A repaint draws what the steps drew since the last erase, in the same order.
TEST(Puzzle, RedrawRepeatsTheShownPuzzle) {
  TPuzzle puzzle(kRules, TRandom{7}, {{0, 0, 1024, 768}});
  TRecordingCanvas steps, redraw;
  puzzle.Redraw(redraw);
  EXPECT_TRUE(redraw.calls.empty());  // nothing shown yet
  for (int phase = 0; phase < 4; ++phase) {
    puzzle.Step(steps);
    redraw.calls.clear();
    puzzle.Redraw(redraw);
    std::vector<std::string> shown;
    for (size_t i = steps.calls.size(); i-- > 0;)
      if (steps.calls[i].rfind("erase", 0) == 0) {
        shown = Since(steps.calls, i + 1);
        break;
      }
    EXPECT_EQ(shown, redraw.calls) << "after step " << phase;
  }
}

// At a whole scale the same hands come at s times the places over an s times larger area,
// and a reduction's over a smaller one at the reduced places; the box, and every tile drawn,
// stays inside the area. With the splits where they fit, a row of fifteen more tiles a wait.
TEST(Puzzle, ScaleMultipliesPlacesAndKeepsTheSequence) {
  struct Row {
    TScale scale;
    int width, height;  // of the area at that scale; at scale 1 both times Div / Mul
    int boxWidth;
    bool splits = false;
  };
  for (const Row &r : {Row{{2, 1}, 1601, 1201, 2 * PuzzleWidth}, Row{{1, 2}, 400, 300, 227},
                       Row{{1, 3}, 267, 200, 151},
                       Row{{2, 1}, 906, 2 * PuzzleBoxHeight(true, true), 2 * PuzzleWidth, true},
                       Row{{1, 2}, 400, 200, 227, true}}) {
    SCOPED_TRACE(std::to_string(r.scale.Mul) + "/" + std::to_string(r.scale.Div));
    const int w1 = r.width * r.scale.Div / r.scale.Mul, h1 = r.height * r.scale.Div / r.scale.Mul;
    for (bool counts : {false, true}) {
      TPuzzle one(kRules, TRandom{99}, {{0, 0, w1, h1}}, {}, counts, r.splits);
      TPuzzle scaled(kRules, TRandom{99}, {{0, 0, r.width, r.height}}, r.scale, counts, r.splits);
      const bool rows = r.splits && r.scale.Div == 1;
      TRecordingCanvas c1, c2;
      for (int i = 0; i < 10; ++i) {
        one.Step(c1);
        c2.faces.clear();
        c2.fills.clear();
        scaled.Step(c2);
        scaled.Step(c2);
        one.Step(c1);
        ASSERT_EQ(one.Current().HandX, scaled.Current().HandX);
        ASSERT_EQ(one.Current().HandY, scaled.Current().HandY);
        const TBox b = scaled.Box();
        EXPECT_EQ(r.boxWidth, b.Width());
        EXPECT_EQ(r.scale.Px(one.Box().Left), b.Left);
        EXPECT_LE(b.Right, r.width);
        EXPECT_LE(b.Bottom, r.height);
        const int waits = WaitCount(scaled.Current().Waits);
        EXPECT_EQ(static_cast<size_t>(HandSize + waits * (rows ? 15 : 1)), c2.faces.size());
        if (rows) {
          EXPECT_EQ(r.scale.Px(PuzzleBoxHeight(counts, true)), b.Height());
        }
        for (const std::vector<TBox> *drawn : {&c2.faces, &c2.fills})
          for (const TBox &d : *drawn)
            ASSERT_TRUE(d.Left >= b.Left && d.Top >= b.Top && d.Right <= b.Right &&
                        d.Bottom <= b.Bottom)
                << Boxes({d}) << " outside " << Boxes({b});
      }
    }
  }
}

// The largest whole scale up to the screen's that fits, else the largest reduction.
TEST(Puzzle, FitScale) {
  struct Row {
    int most, width, height, boxHeight;
    TScale scale;
  };
  for (const Row &r : {Row{2, 1920, 1080, PuzzleHeight, {2, 1}}, Row{2, 800, 600, PuzzleHeight, {1, 1}},
                       Row{3, 665, 373, PuzzleHeight, {1, 1}}, Row{1, 453, 125, PuzzleHeight, {1, 1}},
                       Row{1, 453, 124, PuzzleHeight, {1, 2}}, Row{1, 300, 200, PuzzleHeight, {1, 2}},
                       Row{1, 226, 200, PuzzleHeight, {1, 3}}, Row{1, 160, 120, PuzzleHeight, {1, 3}},
                       Row{1, 100, 50, PuzzleHeight, {1, 3}}, Row{0, 906, 250, PuzzleHeight, {1, 1}},
                       Row{4, 1812, 500, PuzzleBoxHeight(true), {3, 1}}})
    EXPECT_EQ(r.scale, FitScale(r.most, r.width, r.height, r.boxHeight))
        << r.most << " " << r.width << "x" << r.height;
  // With the splits: the largest whole scale that has room for them, else as without them.
  EXPECT_EQ((TScale{2, 1}), FitScale(2, 1920, 1080, false, true));
  EXPECT_EQ((TScale{1, 1}), FitScale(2, 1366, 768, false, true));
  EXPECT_EQ((TScale{1, 1}), FitScale(1, 800, 300, false, true));
}

// Monitors left of and above the primary one have negative origins; each question goes to
// the next area in turn and lies wholly inside it, even when an area is too small.
TEST(Puzzle, AreasTakeTurnsAndHoldTheirPuzzles) {
  const std::vector<TBox> areas = {{0, 0, 1024, 768}, {-1280, -200, 0, 824}, {1024, 0, 1324, 100}};
  TPuzzle puzzle(kRules, TRandom{5}, areas);
  TRecordingCanvas canvas;
  for (int i = 0; i < 12; ++i) {
    puzzle.Step(canvas);
    const TBox &a = areas[i % 3];
    const TBox b = puzzle.Box();
    EXPECT_EQ(a.Left + puzzle.Current().HandX, b.Left) << i;
    EXPECT_EQ(a.Top + puzzle.Current().HandY, b.Top) << i;
    if (a.Width() >= PuzzleWidth && a.Height() >= PuzzleHeight) {
      EXPECT_LE(b.Right, a.Right) << i;
      EXPECT_LE(b.Bottom, a.Bottom) << i;
    }
    puzzle.Step(canvas);
  }
}

// With the counts the box is the taller one, which the placement keeps inside even an area
// of exactly its size; the hands stay those drawn without them. Under each answer tile the
// tiles of its rank not in the hand, their total under the label; nothing under "None".
TEST(Puzzle, ShowCountsGrowsTheBoxAndWritesTheRowUnderTheAnswer) {
  using namespace PuzzleGeometry;
  for (int s : {1, 2}) {
    SCOPED_TRACE(s);
    const std::vector<TBox> areas = {{0, 0, 1024 * s, 768 * s},
                                     {-PuzzleWidth * s, 0, 0, PuzzleHeightWithCounts * s}};
    const ProblemRules rules{true, 12, 0, 0, false};
    TPuzzle plain(rules, TRandom{1}, areas, {s, 1}), counted(rules, TRandom{1}, areas, {s, 1}, true);
    TRecordingCanvas ignored, canvas;
    int none = 0, single = 0, twoDigits = 0;  // the seed gives all three
    for (int i = 0; i < 40; ++i) {
      plain.Step(ignored);
      counted.Step(canvas);
      const Problem &p = counted.Current();
      ASSERT_EQ(HandText(plain.Current()), HandText(p)) << i;
      const TBox &a = areas[i % 2], b = counted.Box();
      EXPECT_EQ(PuzzleWidth * s, b.Width());
      EXPECT_EQ(PuzzleHeightWithCounts * s, b.Height());
      EXPECT_TRUE(b.Left >= a.Left && b.Top >= a.Top && b.Right <= a.Right && b.Bottom <= a.Bottom)
          << Boxes({b}) << " in " << Boxes({a});
      const size_t before = canvas.calls.size();
      plain.Step(ignored);
      counted.Step(canvas);
      std::vector<std::string> expected;
      if (p.Waits[NoWait])
        ++none;
      int k = 0, total = 0;
      const int y = b.Top + CountY * s;
      for (int r = 1; r <= 9 && !p.Waits[NoWait]; ++r) {
        if (!p.Waits[r])
          continue;
        int held = 0;
        for (int j = 1; j <= HandSize; ++j)
          held += p.Hand[j] == r;
        total += 4 - held;
        const int x = b.Left + (AnswerX + k++ * TileStep + CountX) * s;
        expected.push_back("small " + std::to_string(4 - held) + " " + std::to_string(x) + " " +
                           std::to_string(y) + " " + std::to_string(s));
      }
      single += total == 1;
      twoDigits += total >= 10;
      if (total)
        expected.push_back("small " + std::to_string(total) + (total == 1 ? " tile " : " tiles ") +
                           std::to_string(b.Left + LabelX * s) + " " + std::to_string(y) + " " +
                           std::to_string(s));
      std::vector<std::string> small;
      for (const std::string &c : Since(canvas.calls, before))
        if (c.rfind("small", 0) == 0)
          small.push_back(c);
      EXPECT_EQ(expected, small) << i;
    }
    EXPECT_GT(none, 0);
    EXPECT_GT(single, 0);
    EXPECT_GT(twoDigits, 0);
  }
}

TEST(Puzzle, ScaleForDpi) {
  struct Row {
    int dpi, scale;
  };
  for (Row r :
       {Row{0, 1}, Row{-96, 1}, Row{72, 1}, Row{96, 1}, Row{120, 1}, Row{143, 1}, Row{144, 2},
        Row{192, 2}, Row{240, 3}, Row{288, 3}, Row{384, 4}, Row{2147483647, 22369621}})
    EXPECT_EQ(r.scale, ScaleForDpi(r.dpi)) << r.dpi;
}

// The window covers the virtual screen, whose origin is negative with a monitor left of the
// primary; the areas are the monitors in the window's coordinates, primary first. Windows 95
// and NT 4.0 know neither the virtual screen nor monitors: the primary screen is all.
TEST(Desktop, AreasAreTheMonitorsInTheWindowOfTheWholeDesktop) {
  const TBox primary{0, 0, 1024, 768}, left{-800, 100, 0, 700};
  const TDesktop d = DesktopOf({-800, 0, 1024, 768}, primary, {primary, left});
  EXPECT_EQ(Boxes({{-800, 0, 1024, 768}}), Boxes({d.Screen}));
  EXPECT_EQ(Boxes({{800, 0, 1824, 768}, {0, 100, 800, 700}}), Boxes(PuzzleAreas(d, true)));
  EXPECT_EQ(Boxes({{800, 0, 1824, 768}}), Boxes(PuzzleAreas(d, false)));
  const TDesktop old = DesktopOf({0, 0, 0, 0}, primary, {});
  EXPECT_EQ(Boxes({primary}), Boxes({old.Screen}));
  EXPECT_EQ(Boxes({primary}), Boxes(PuzzleAreas(old, true)));
}
