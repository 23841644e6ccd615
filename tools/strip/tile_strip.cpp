#include "tile_strip.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace velkorin_strip {

const char *StickRowPattern(char kind) {
  switch (kind) {
    case 'F':
      return "#####";
    case 'S':
      return ".#.#.";
    case 'N':
      return "#...#";
  }
  throw std::logic_error("unknown stick row");
}

namespace {

// left/top place the stick's top row; an upright stick has bottom_left == left, a leaning one
// drifts one column at a time from left to bottom_left on its way down.
struct Stick {
  const char *rows;
  uint8_t colour;
  int left;
  int top;
  int bottom_left;
};

Stick Upright(const char *rows, uint8_t colour, int left, int top) {
  return {rows, colour, left, top, left};
}

Stick Leaning(const char *rows, uint8_t colour, int left, int top, int bottom_left) {
  return {rows, colour, left, top, bottom_left};
}

// Spreads the drift evenly over the rows, rounding to the nearest column (halves away from the
// start), so that a stick and its mirror image take their steps on mirrored rows.
int DriftAt(int row, int rows, int drift) {
  const int span = rows - 1;
  const int steps = (2 * std::abs(drift) * row + span) / (2 * span);
  return drift < 0 ? -steps : steps;
}

void DrawStick(IndexedImage &strip, int face_x, const Stick &stick) {
  const int rows = static_cast<int>(std::strlen(stick.rows));
  for (int r = 0; r < rows; ++r) {
    const int left = stick.left + DriftAt(r, rows, stick.bottom_left - stick.left);
    const char *pattern = StickRowPattern(stick.rows[r]);
    for (int c = 0; c < kStickWidth; ++c) {
      if (pattern[c] == '#')
        strip.Set(face_x + left + c, stick.top + r, stick.colour);
    }
  }
}

std::vector<Stick> SticksOf(int rank) {
  const char *L = kLongStick;
  const char *S = kShortStick;
  const uint8_t G = kGreen;
  const uint8_t R = kRed;
  switch (rank) {
    case 2:
      return {Upright(L, G, 13, 3), Upright(L, G, 13, 28)};
    case 3:
      return {Upright(L, G, 13, 3), Upright(L, G, 6, 28), Upright(L, G, 20, 28)};
    case 4:
      return {Upright(L, G, 6, 3), Upright(L, G, 20, 3), Upright(L, G, 6, 28),
              Upright(L, G, 20, 28)};
    case 5:
      return {Upright(L, G, 4, 3), Upright(L, G, 22, 3), Upright(L, G, 4, 28),
              Upright(L, G, 22, 28), Upright(L, R, 13, 16)};
    case 6:
      return {Upright(L, G, 4, 3),  Upright(L, G, 13, 3),  Upright(L, G, 22, 3),
              Upright(L, G, 4, 28), Upright(L, G, 13, 28), Upright(L, G, 22, 28)};
    case 7:
      return {Upright(S, R, 14, 2),  Upright(S, G, 5, 17), Upright(S, G, 14, 17),
              Upright(S, G, 23, 17), Upright(S, G, 5, 32), Upright(S, G, 14, 32),
              Upright(S, G, 23, 32)};
    case 8:
      // The inner pairs lean into a V above and a caret below; where their ends meet, the end
      // bars of the two sticks share a column and so run together.
      return {Upright(L, G, 4, 3),      Upright(L, G, 24, 3),     Leaning(L, G, 8, 3, 12),
              Leaning(L, G, 20, 3, 16), Upright(L, G, 4, 28),     Upright(L, G, 24, 28),
              Leaning(L, G, 12, 28, 8), Leaning(L, G, 16, 28, 20)};
    case 9: {
      std::vector<Stick> sticks;
      for (int top : {2, 17, 32}) {
        sticks.push_back(Upright(S, G, 5, top));
        sticks.push_back(Upright(S, R, 14, top));
        sticks.push_back(Upright(S, G, 23, top));
      }
      return sticks;
    }
  }
  return {};
}

// The bird of rank 1, facing left: G green, R red, anything else the white ground.
constexpr const char *kBird[kFaceHeight] = {
    "................................",  // 0
    "................................",  // 1
    "................................",  // 2
    "..............GGG......GGGGG....",  // 3   tail, fanned upwards
    ".............GGGGG....GGGGGGG...",  // 4
    "............GGGGGG...GGGGGGGG...",  // 5
    "............GGGGGGG..GGGGGGGG...",  // 6
    "............GG..GGG.GGGG..GGG...",  // 7
    "............GG..GGG.GGGG..GGG...",  // 8
    "............GGGGGGG.GGGGGGGG....",  // 9
    "............GGGGGG..GGGGGGGG....",  // 10
    "............GGGGGG.GGGGGGGG.....",  // 11
    "............GGGGGG.GGGGGGG......",  // 12
    "............GGGGGG.GGGGGG.......",  // 13
    "............GGGGG..GGGGGG.......",  // 14
    ".............GGGG.GGGGGG..GG....",  // 15
    ".............GGGG.GGGGG..GGGG...",  // 16
    ".............GGGG.GGGG..GGGGG...",  // 17
    ".............GGG..GGGG.GG..GG...",  // 18
    ".............GGG.GGGG..GG..GG...",  // 19
    "..............GG.GGG..GGGGGGG...",  // 20
    "..............GG.GGG.GGGGGGG....",  // 21
    "........G.G...GG.GG.GGGGGGG.....",  // 22  crest
    "........GGG...G..GG.GGGG........",  // 23
    ".......GGGG...GG.G.GGG..........",  // 24  head
    "......GGGGGG..GG.GGGG...........",  // 25
    "..RRR.GG.GGG..GGGGGG............",  // 26  open beak, eye
    "....RRRRGGGG..GGGGG.............",  // 27
    "....RRRRGGGG.GGGGG..............",  // 28
    "..RRR..GGGGG.GGGG...............",  // 29
    ".......GGGGGGGGG................",  // 30
    ".....GGGGGGGGGGGGGGGGG..........",  // 31  body, wing
    "...GGGGGGGGGGGGGGGGGGGG.........",  // 32
    "..GGGGGGGGG...GGGGGGGGG.........",  // 33
    "..GGGGGGG.GGGG...GGGGGG.........",  // 34
    "..GGGGGG.GGGGGGGG..GGGG.........",  // 35
    "..GGGGGGG.GGGGGGGGG..GG.........",  // 36
    "...GGGGGGG..GGGGGGGGG.G.........",  // 37
    "....GGGGGGGG...GGGGGGG..........",  // 38
    "......GGGGGGGGGGGGGG............",  // 39
    "...............G...G............",  // 40  legs
    "...............G...G............",  // 41
    "...............G...G............",  // 42
    "...............G...G............",  // 43
    "..............GG..GG............",  // 44  feet
    ".............GGG.GGGG...........",  // 45
    "................................",  // 46
    "................................",  // 47
};

void DrawBird(IndexedImage &strip, int face_x) {
  for (int y = 0; y < kFaceHeight; ++y) {
    if (std::strlen(kBird[y]) != static_cast<size_t>(kFaceWidth))
      throw std::logic_error("bird row of the wrong width");
    for (int x = 0; x < kFaceWidth; ++x) {
      const char c = kBird[y][x];
      if (c == 'G')
        strip.Set(face_x + x, y, kGreen);
      else if (c == 'R')
        strip.Set(face_x + x, y, kRed);
    }
  }
}

}  // namespace

IndexedImage TileStripImage() {
  IndexedImage strip(kFaceWidth * kRanks, kFaceHeight, kWhite);
  DrawBird(strip, 0);
  for (int rank = 2; rank <= kRanks; ++rank) {
    for (const Stick &stick : SticksOf(rank))
      DrawStick(strip, (rank - 1) * kFaceWidth, stick);
  }
  return strip;
}

std::vector<uint8_t> TileStripBmp() {
  return EncodeBmp(TileStripImage());
}

}  // namespace velkorin_strip
