// The nine faces, read back from the strip's file: the white margin, the three colours, the
// bamboo sticks of ranks 2 to 9 and the bird of rank 1.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "bitmap_reader.h"
#include "tile_strip.h"

namespace {

using velkorin_strip::kGreen;
using velkorin_strip::kRed;
using velkorin_strip::kStickWidth;
using velkorin_strip::kWhite;
constexpr int kFaceW = velkorin_strip::kFaceWidth;
constexpr int kFaceH = velkorin_strip::kFaceHeight;

const TStripImage &Strip() {
  static const TStripImage strip = strip_test::DecodeBmp(velkorin_strip::TileStripBmp());
  return strip;
}

// A pixel of the face of the given rank, in face coordinates.
uint8_t Px(int rank, int x, int y) {
  return Strip().At((rank - 1) * kFaceW + x, y);
}

// A stick's rows as the tool describes them, '#' where it is coloured.
std::vector<std::string> StickRows(bool is_long) {
  std::vector<std::string> rows;
  for (const char *kind = is_long ? velkorin_strip::kLongStick : velkorin_strip::kShortStick; *kind;
       ++kind)
    rows.emplace_back(velkorin_strip::StickRowPattern(*kind));
  return rows;
}

// ---- The margin and the colours, every face ----

TEST(StripFaces, MarginIsWhite) {
  for (int rank = 1; rank <= 9; ++rank) {
    for (int y = 0; y < kFaceH; ++y) {
      for (int x = 0; x < kFaceW; ++x) {
        const bool drawable = x >= 2 && x <= 28 && y >= 2 && y <= 45;
        if (!drawable) {
          ASSERT_EQ(kWhite, Px(rank, x, y)) << "rank " << rank << " at " << x << "," << y;
        }
      }
    }
  }
}

TEST(StripFaces, OnlyWhiteGreenAndRed) {
  for (int y = 0; y < kFaceH; ++y) {
    for (int x = 0; x < 9 * kFaceW; ++x) {
      const uint8_t c = Strip().At(x, y);
      ASSERT_TRUE(c == kWhite || c == kGreen || c == kRed)
          << "colour " << int(c) << " at strip " << x << "," << y;
    }
  }
}

// ---- Ranks 2 to 7 and 9: upright sticks ----

struct Placed {
  int left;
  int top;
  bool is_long;
  uint8_t colour;
};

// Reads a face as a player sees it: every coloured pixel must belong to an upright stick of
// the described shape, one colour per stick, found from its top-left corner. False when
// some pixel belongs to no such stick.
bool ReadSticks(int rank, std::vector<Placed> &sticks) {
  std::vector<bool> claimed(kFaceW * kFaceH, false);
  auto matches = [&](int left, int top, bool is_long, uint8_t colour) {
    const std::vector<std::string> rows = StickRows(is_long);
    if (left + kStickWidth > kFaceW || top + static_cast<int>(rows.size()) > kFaceH)
      return false;
    for (size_t r = 0; r < rows.size(); ++r)
      for (int c = 0; c < kStickWidth; ++c) {
        const uint8_t px = Px(rank, left + c, top + static_cast<int>(r));
        if (rows[r][c] == '#' ? px != colour : px == colour)
          return false;
      }
    return true;
  };
  for (int y = 0; y < kFaceH; ++y)
    for (int x = 0; x < kFaceW; ++x) {
      const uint8_t colour = Px(rank, x, y);
      if (colour == kWhite || claimed[y * kFaceW + x])
        continue;
      const bool is_long = matches(x, y, true, colour);
      if (!is_long && !matches(x, y, false, colour))
        return false;
      const std::vector<std::string> rows = StickRows(is_long);
      for (size_t r = 0; r < rows.size(); ++r)
        for (int c = 0; c < kStickWidth; ++c)
          if (rows[r][c] == '#')
            claimed[(y + r) * kFaceW + x + c] = true;
      sticks.push_back({x, y, is_long, colour});
    }
  return true;
}

int Height(const Placed &s) {
  return static_cast<int>(StickRows(s.is_long).size());
}

// What a player counts on the face: the rank in sticks, the red ones where the tiles have
// them, long sticks in two rows or short ones in three.
struct UprightFace {
  int rank;
  int red;
  bool is_long;
};

class UprightSticks : public ::testing::TestWithParam<UprightFace> {};

TEST_P(UprightSticks, AreTheRankInNumberApartAndBalanced) {
  const UprightFace want = GetParam();
  std::vector<Placed> sticks;
  ASSERT_TRUE(ReadSticks(want.rank, sticks)) << "a coloured pixel outside every stick";
  ASSERT_EQ(want.rank, static_cast<int>(sticks.size()));
  int red = 0, min_left = kFaceW, max_left = 0;
  for (const Placed &s : sticks) {
    red += s.colour == kRed;
    EXPECT_EQ(want.is_long, s.is_long) << "stick at " << s.left << "," << s.top;
    min_left = std::min(min_left, s.left);
    max_left = std::max(max_left, s.left);
  }
  EXPECT_EQ(want.red, red);
  for (const Placed &a : sticks) {
    // Apart: not even a corner touches another stick, so each reads as one.
    for (const Placed &b : sticks) {
      if (&a != &b) {
        EXPECT_TRUE(a.left + kStickWidth < b.left || b.left + kStickWidth < a.left ||
                    a.top + Height(a) < b.top || b.top + Height(b) < a.top)
            << "sticks at " << a.left << "," << a.top << " and " << b.left << "," << b.top;
      }
    }
    // Balanced: the face is its own mirror image, colours included.
    bool mirrored = false;
    for (const Placed &b : sticks)
      mirrored |= b.left == min_left + max_left - a.left && b.top == a.top &&
                  b.colour == a.colour && b.is_long == a.is_long;
    EXPECT_TRUE(mirrored) << "no mirror for the stick at " << a.left << "," << a.top;
  }
}

INSTANTIATE_TEST_SUITE_P(Ranks, UprightSticks,
                         ::testing::Values(UprightFace{2, 0, true}, UprightFace{3, 0, true},
                                           UprightFace{4, 0, true}, UprightFace{5, 1, true},
                                           UprightFace{6, 0, true}, UprightFace{7, 1, false},
                                           UprightFace{9, 3, false}),
                         [](const ::testing::TestParamInfo<UprightFace> &info) {
                           return "Rank" + std::to_string(info.param.rank);
                         });

// ---- Rank 8: upright outer sticks, leaning inner pairs ----

// One face row as "#" for green and "." for anything else, from column 0 to 31.
std::string GreenRow(int rank, int y) {
  std::string s;
  for (int x = 0; x < kFaceW; ++x)
    s += Px(rank, x, y) == kGreen ? '#' : '.';
  return s;
}

// The row the four sticks of a band would make with the inner sticks' left columns at a and b.
std::string BandRow(int r, int a, int b) {
  const std::vector<std::string> rows = StickRows(true);
  std::string s(kFaceW, '.');
  for (int left : {4, a, b, 24}) {
    for (int c = 0; c < kStickWidth; ++c) {
      if (rows[r][c] == '#')
        s[left + c] = '#';
    }
  }
  return s;
}

// Looks for a way down the band's rows, a long stick's, on which every row is the four sticks' row,
// the inner pair starting at (a0, b0), moving at most one column a row towards (a1, b1) and ending
// there.
bool BandHasLeaningPair(int rank, int top, int a0, int b0, int a1, int b1) {
  const int da = a1 > a0 ? 1 : -1;
  const int db = b1 > b0 ? 1 : -1;
  std::set<std::pair<int, int>> reach;
  if (GreenRow(rank, top) == BandRow(0, a0, b0))
    reach.insert({a0, b0});
  const int rows = static_cast<int>(StickRows(true).size());
  for (int r = 1; r < rows; ++r) {
    const std::string row = GreenRow(rank, top + r);
    std::set<std::pair<int, int>> next;
    for (const auto &[a, b] : reach) {
      for (int sa : {0, da}) {
        for (int sb : {0, db}) {
          const int na = a + sa, nb = b + sb;
          const bool a_in = (na - a0) * da <= (a1 - a0) * da;
          const bool b_in = (nb - b0) * db <= (b1 - b0) * db;
          if (a_in && b_in && row == BandRow(r, na, nb))
            next.insert({na, nb});
        }
      }
    }
    reach = std::move(next);
  }
  return reach.count({a1, b1}) == 1;
}

TEST(Rank8, UpperRowLeansIntoAV) {
  EXPECT_TRUE(BandHasLeaningPair(8, 3, 8, 20, 12, 16))
      << "rows 3-20: sticks at 4 and 24, inner ones from 8 to 12 and from 20 to 16";
}

TEST(Rank8, LowerRowIsTheUpperTurnedOver) {
  EXPECT_TRUE(BandHasLeaningPair(8, 28, 12, 16, 8, 20))
      << "rows 28-45: sticks at 4 and 24, inner ones from 12 to 8 and from 16 to 20";
}

TEST(Rank8, MeetingEndsFormOneBar) {
  // Upper row: bottom ends meet over columns 12 to 20; lower row: top ends.
  for (int y : {19, 20, 28, 29}) {
    const std::string row = GreenRow(8, y);
    EXPECT_EQ(std::string(9, '#'), row.substr(12, 9)) << "row " << y;
    EXPECT_EQ('.', row[11]) << "row " << y;
    EXPECT_EQ('.', row[21]) << "row " << y;
  }
}

TEST(Rank8, AllGreenAndNothingOutsideTheTwoRows) {
  for (int y = 0; y < kFaceH; ++y) {
    for (int x = 0; x < kFaceW; ++x)
      EXPECT_NE(kRed, Px(8, x, y)) << "at " << x << "," << y;
    if ((y >= 3 && y <= 20) || (y >= 28 && y <= 45))
      continue;
    EXPECT_EQ(std::string(kFaceW, '.'), GreenRow(8, y)) << "row " << y;
  }
}

TEST(Rank8Check, RejectsOtherPictures) {
  // The search is not satisfied by pairs that stop short, lean the wrong way, or stand upright.
  EXPECT_FALSE(BandHasLeaningPair(8, 3, 8, 20, 11, 17));
  EXPECT_FALSE(BandHasLeaningPair(8, 28, 8, 20, 12, 16));
  EXPECT_FALSE(BandHasLeaningPair(8, 3, 8, 20, 8, 20));
  EXPECT_FALSE(BandHasLeaningPair(4, 3, 8, 20, 12, 16));
}

// ---- Rank 1: the bird ----

struct Box {
  int left, top, right, bottom;
  bool Holds(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

const Box kTail{12, 3, 28, 30};
const Box kHead{6, 22, 11, 30};
const Box kBeak{2, 26, 7, 29};
const Box kBody{2, 31, 22, 39};
const Box kLegs{13, 40, 20, 45};

int Count(const Box &box, uint8_t colour) {
  int n = 0;
  for (int y = box.top; y <= box.bottom; ++y) {
    for (int x = box.left; x <= box.right; ++x)
      n += Px(1, x, y) == colour;
  }
  return n;
}

int Area(const Box &box) {
  return (box.right - box.left + 1) * (box.bottom - box.top + 1);
}

TEST(Rank1Bird, StaysInItsBoxes) {
  for (int y = 0; y < kFaceH; ++y) {
    for (int x = 0; x < kFaceW; ++x) {
      const uint8_t c = Px(1, x, y);
      if (c == kGreen) {
        EXPECT_TRUE(kTail.Holds(x, y) || kHead.Holds(x, y) || kBody.Holds(x, y) ||
                    kLegs.Holds(x, y))
            << "green outside the bird at " << x << "," << y;
      } else if (c == kRed) {
        EXPECT_TRUE(kBeak.Holds(x, y)) << "red outside the beak at " << x << "," << y;
      }
    }
  }
}

TEST(Rank1Bird, EveryPartIsThere) {
  EXPECT_GT(Count(kTail, kGreen), Area(kTail) / 3) << "a large tail";
  EXPECT_GT(Count(kHead, kGreen), Area(kHead) / 3) << "a head";
  EXPECT_GT(Count(kBody, kGreen), Area(kBody) / 2) << "a broad body";
  EXPECT_GT(Count(kBeak, kRed), 4) << "a red beak";
  // Two legs: green on both sides of the legs' box, but thin.
  EXPECT_GT(Count({13, 40, 16, 43}, kGreen), 2);
  EXPECT_GT(Count({17, 40, 20, 43}, kGreen), 2);
  EXPECT_LT(Count({13, 40, 20, 43}, kGreen), Area({13, 40, 20, 43}) / 2);
  // A crest on top of the head: green in the head box above its widest row.
  EXPECT_GT(Count({6, 22, 11, 23}, kGreen), 0);
}

TEST(Rank1Bird, FacesLeftWithAnOpenBeak) {
  // The beak is left of the head.
  int head_left = kFaceW, beak_left = kFaceW;
  for (int y = kHead.top; y <= kHead.bottom; ++y) {
    for (int x = 0; x < kFaceW; ++x) {
      if (Px(1, x, y) == kGreen && x < head_left)
        head_left = x;
      if (Px(1, x, y) == kRed && x < beak_left)
        beak_left = x;
    }
  }
  EXPECT_LT(beak_left, head_left);
  // Two strokes that spread to the left: the beak's tip column shows red, white, red.
  std::string tip;
  for (int y = kBeak.top; y <= kBeak.bottom; ++y)
    tip += Px(1, beak_left, y) == kRed ? 'R' : '.';
  EXPECT_EQ('R', tip.front()) << tip;
  EXPECT_EQ('R', tip.back()) << tip;
  EXPECT_NE(std::string::npos, tip.find('.')) << tip;
}

}  // namespace
