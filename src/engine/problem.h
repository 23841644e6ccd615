// Waits of a thirteen-tile hand and the random problems of the drill.
#pragma once

#include "random.h"
#include "tiles.h"

// Sets flag r of waits for every rank r that completes the thirteen tiles in counts,
// and NoWait when none does. Returns true when a wait was found. The first call builds
// the table of complete hands (well under a millisecond).
bool FindWaits(const TTileCounts &counts, TWaitSet &waits);

// One puzzle: the hand as drawn, its counts, its answer and its place on the screen.
struct Problem {
  TTileHand Hand;
  TTileCounts Counts;
  TWaitSet Waits;
  int32_t HandX;
  int32_t HandY;
};

// Width and height of a drawn problem with its answer, from the hand's top-left corner;
// a drawing that adds to the answer places by a taller height (ProblemRules::Height).
constexpr int32_t PuzzleWidth = 453;
constexpr int32_t PuzzleHeight = 125;

// What a problem is made from: the user's settings and the drawing area.
struct ProblemRules {
  bool Sort;
  int32_t NoAnsRate;  // share of problems without a wait, in fortieths
  int32_t AreaWidth;
  int32_t AreaHeight;
  bool Preview;
  // Fewest waits of a problem that has any: 0 or 1 as drawn, up to MaxMinWaits. Values
  // outside 0..MaxMinWaits count as 0.
  int32_t MinWaits = 0;
  // The drawn problem's height, which the placement keeps inside the area.
  int32_t Height = PuzzleHeight;
};

// Past 7 waits a hand is so rare (8 or more in about 1 of 3,600 draws) that re-drawing
// could take longer than a step may; up to 7, making a problem stays far under 5 ms.
constexpr int32_t MaxMinWaits = 7;

// Replaces p with a new random problem. Draws RandomBelow(40) once, thirteen RandomBelow(9)
// per hand (plus one per re-draw of a full rank), then one draw for HandX and one for HandY,
// which keep PuzzleWidth x rules.Height inside the area.
// A hand is drawn again while it does not have the waits the first draw asked for: none, or
// at least one and at least rules.MinWaits. So MinWaits leaves the share without a wait
// as NoAnsRate makes it, and at 0 or 1 the draws are those of a drill without it.
void MakeProblem(Problem &p, const ProblemRules &rules, TRandom &random);
