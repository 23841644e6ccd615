// One puzzle on screen: the problem, its phase and its random state, and the steps that
// show a question and then its answer. Portable: a platform supplies the canvas and the
// areas to place puzzles in, and calls Step at its own pace.
#pragma once

#include <cstddef>
#include <vector>

#include "canvas.h"
#include "problem.h"
#include "random.h"

class TPuzzle {
 public:
  // rules gives Sort, NoAnsRate, MinWaits and Preview; the area sizes come from areas. Makes
  // a first problem that is never shown: it only gives the first question the place it
  // erases. showCounts adds the tiles left under the answer, and the box grows to hold them.
  TPuzzle(const ProblemRules &rules, TRandom random, std::vector<TBox> areas, int scale = 1,
          bool showCounts = false);

  // Where the following questions go, in turn: a new window size, or other monitors.
  void SetAreas(std::vector<TBox> areas);

  // Phase 0: erases the last puzzle and shows a new question. Phase 1: shows its answer.
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
  void DrawTile(TPuzzleCanvas &canvas, int rank, int x, int y) const;

  ProblemRules rules_;
  TRandom random_;
  std::vector<TBox> areas_;
  std::size_t turn_ = 0;  // the area of the next question
  int scale_;
  bool showCounts_;
  Problem problem_ = {};
  TPoint origin_ = {};  // the current hand's top-left corner in the window
  int phase_ = 0;
  bool shown_ = false;  // a question has been drawn
};

// One tile on its own: the face of rank 1..9 with its top-left corner at (left, top), then
// its body and outline; every length times scale. The frame alone draws only the latter.
void DrawPuzzleTile(TPuzzleCanvas &canvas, int rank, int left, int top, int scale);
void DrawPuzzleTileFrame(TPuzzleCanvas &canvas, int left, int top, int scale);

// The integer scale for a screen of dpi dots per inch: 96 is 1, 192 is 2, at least 1.
int ScaleForDpi(int dpi);
