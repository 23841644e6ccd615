// One puzzle on screen: the problem, its phase and its random state, and the steps that
// show a question and then its answer. Portable: a platform supplies the canvas and the
// areas to place puzzles in, and calls Step at its own pace.
#pragma once

#include <cstddef>
#include <vector>

#include "canvas.h"
#include "tile_frame.h"
#include "problem.h"
#include "random.h"

class TPuzzle {
 public:
  // rules gives Sort, NoAnsRate, MinWaits and Preview; the area sizes come from areas. Makes
  // a first problem that is never shown: it only gives the first question the place it
  // erases. showCounts adds the tiles left under the answer, and the box grows to hold them.
  // showSplits adds each wait's split under that, where the taller box fits the area at a
  // scale that has a smaller one for the rows; elsewhere the puzzle is as without it.
  TPuzzle(const ProblemRules &rules, TRandom random, std::vector<TBox> areas, TScale scale = {},
          bool showCounts = false, bool showSplits = false);

  // Where the following questions go, in turn: a new window size, or other monitors.
  void SetAreas(std::vector<TBox> areas);

  // The scale of the following questions; the puzzle on screen keeps its own until then.
  void SetScale(TScale scale) { nextScale_ = scale; }
  TScale Scale() const { return scale_; }

  // Phase 0: erases the last puzzle and shows a new question. Phase 1: shows its answer.
  // Each step tells the canvas the puzzle's scale.
  void Step(TPuzzleCanvas &canvas);
  // Draws again what the last steps drew, on a ground the caller has made black.
  void Redraw(TPuzzleCanvas &canvas) const;

  // 0: a question is next; 1: an answer is next.
  int Phase() const { return phase_; }
  const Problem &Current() const { return problem_; }
  // The pixels the current puzzle may cover.
  TBox Box() const;

 private:
  void NextProblem();
  void DrawQuestion(TPuzzleCanvas &canvas) const;
  void DrawAnswer(TPuzzleCanvas &canvas) const;
  void DrawCounts(TPuzzleCanvas &canvas) const;
  void DrawSplits(TPuzzleCanvas &canvas) const;
  void DrawTile(TPuzzleCanvas &canvas, int rank, int x, int y) const;
  TPoint At(int x, int y) const;
  void UseScale(TScale scale);

  ProblemRules rules_;
  TRandom random_;
  std::vector<TBox> areas_;
  std::size_t turn_ = 0;  // the area of the next question
  TScale scale_;
  TScale nextScale_;
  TTileFrame frame_;  // at scale_
  bool showCounts_;
  bool showSplits_;
  bool hasRowScale_ = false;  // the splits are on and scale_ has a smaller one for the rows
  TTileFrame rowFrame_;       // at that scale
  bool splitsShown_ = false;  // the current puzzle has room for the rows
  Problem problem_ = {};
  TPoint origin_ = {};  // the current hand's top-left corner in the window
  int phase_ = 0;
  bool shown_ = false;  // a question has been drawn
};

// The height of a puzzle's box at scale 1: the answer row, or the count row under it, and the
// room for the splits under those.
int PuzzleBoxHeight(bool showCounts, bool showSplits = false);

// The scale the splits are drawn at under a puzzle at scale puzzle: the largest the canvases
// draw at that is at most half of it (1/2, then whole scales). False where none is.
bool SplitScale(TScale puzzle, TScale &rows);

// One row for each wait of problem, in rank order, from (left, top) at frame's scale: the
// thirteen tiles and the wait split into groups (SplitHand), a gap between groups, the
// wait's first tile framed in yellow. Nothing for a problem without a wait.
void DrawSplitRows(TPuzzleCanvas &canvas, const TTileFrame &frame, const Problem &problem, int left,
                   int top);

// The integer scale for a screen of dpi dots per inch: 96 is 1, 192 is 2, at least 1.
int ScaleForDpi(int dpi);

// The scale a puzzle whose box is height pixels high at scale 1 is drawn at in an area of
// width x height: the largest whole scale up to most at which the box fits, else the
// largest reduction that fits (down to a third, which is what is left where none fits).
TScale FitScale(int most, int areaWidth, int areaHeight, int height);
// As FitScale for a puzzle with the settings' rows: with the splits, the largest whole scale
// at which the box with them fits, or where none does the scale without them, at which they
// are then not drawn.
TScale FitScale(int most, int areaWidth, int areaHeight, bool showCounts, bool showSplits);
