// Tiles and whole puzzles drawn into a DIB on a black ground, read back pixel by pixel.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "bitmap_reader.h"
#include "canvas_scales.h"
#include "split_rows.h"
#include "driver.h"
#include "handles.h"
#include "puzzle.h"
#include "screen.h"
#include "surface.h"
#include "tiledraw.h"
#include "tilestrip.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0), kGrey = RGB(128, 128, 128), kWhite = RGB(255, 255, 255),
                   kMaroon = RGB(128, 0, 0);

// A 32-bit top-down DIB with a DC and a surface on it, cleared to black.
class Canvas {
 public:
  Canvas(int w, int h) : w_(w), h_(h), dc_(CreateCompatibleDC(nullptr)) {
    void *bits = nullptr;
    bitmap_ = MakeTopDownDib(nullptr, w, h, &bits);
    bits_ = static_cast<const uint32_t *>(bits);
    select_ = SelectGuard(dc_.get(), bitmap_.get());
    surface_ = std::make_unique<TSurface>(dc_.get());
    surface_->SetBrushColor(kBlack);
    surface_->FillRect(0, 0, w, h);
  }
  ~Canvas() {
    surface_.reset();
    select_.reset();
  }
  TSurface &Surface() { return *surface_; }
  COLORREF At(int x, int y) const {
    GdiFlush();
    uint32_t v = bits_[y * w_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  int w() const { return w_; }
  int h() const { return h_; }
  Screenshot Shot() const {
    GdiFlush();
    return ShotOfDib(bits_, w_, h_);
  }

 private:
  int w_, h_;
  UniqueMemoryDc dc_;
  UniqueGdiObject bitmap_;
  const uint32_t *bits_ = nullptr;
  SelectGuard select_;
  std::unique_ptr<TSurface> surface_;
};

class TileDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::vector<uint8_t> bytes = strip_test::ReadFile(SourceFile("resources/tiles.bmp"));
    strip_ = std::make_unique<TTileStrip>(DecodeStripBmp(bytes.data(), bytes.size()));
  }
  COLORREF StripPixel(int x, int y) const {
    const TStripImage &s = strip_->Image();
    return s.Palette[s.At(x, y)];
  }
  // One tile at scale 1, drawn as the saver draws each tile of a puzzle.
  void DrawTile(Canvas &c, int rank, int x, int y) const {
    TGdiCanvas canvas(c.Surface(), *strip_);
    DrawPuzzleTile(canvas, MakeTileFrame({}), rank, x, y);
  }
  std::unique_ptr<TTileStrip> strip_;
};

}  // namespace

TEST_F(TileDrawing, SingleTileStaysInItsBoxWithLayersWhereTheyBelong) {
  for (int rank = 1; rank <= 9; ++rank) {
    Canvas c(120, 100);
    const int x = 20, y = 15;
    DrawTile(c, rank, x, y);
    for (int py = 0; py < c.h(); ++py)
      for (int px = 0; px < c.w(); ++px) {
        bool inBox = px >= x && px <= x + 44 && py >= y && py <= y + 60;
        if (!inBox) {
          ASSERT_EQ(kBlack, c.At(px, py)) << "outside the box at " << px << "," << py;
        }
      }
    // The face, copied unchanged inside the outline.
    for (int fy = 1; fy < 48; fy += 3)
      for (int fx = 1; fx < 32; fx += 2)
        ASSERT_EQ(StripPixel((rank - 1) * 32 + fx, fy), c.At(x + fx, y + fy)) << rank;
    // The outline lies on the face's first column and row, and just outside the face.
    EXPECT_EQ(kGrey, c.At(x, y + 20));
    EXPECT_EQ(kGrey, c.At(x + 16, y));
    EXPECT_EQ(kGrey, c.At(x + 32, y + 20));
    EXPECT_EQ(kGrey, c.At(x + 16, y + 48));
    // The white layer on the right and below, the maroon one beyond it.
    EXPECT_EQ(kWhite, c.At(x + 35, y + 30));
    EXPECT_EQ(kWhite, c.At(x + 20, y + 51));
    EXPECT_EQ(kMaroon, c.At(x + 41, y + 40));
    EXPECT_EQ(kMaroon, c.At(x + 25, y + 57));
    // Black above the sloping upper ends and below the sloping left ends.
    EXPECT_EQ(kBlack, c.At(x + 37, y + 1));
    EXPECT_EQ(kBlack, c.At(x + 43, y + 7));
    EXPECT_EQ(kBlack, c.At(x + 1, y + 53));
    EXPECT_EQ(kBlack, c.At(x + 7, y + 59));
    // The edge between the right and bottom sides runs to the box's corner.
    EXPECT_EQ(kGrey, c.At(x + 44, y + 60));
  }
}

TEST_F(TileDrawing, RowOfTilesCoversTheLayersOfEachEarlierTile) {
  Canvas c(200, 80);
  const int x = 5, y = 5;
  for (int i = 0; i < 3; ++i)
    DrawTile(c, i + 1, x + 34 * i, y);
  // Between neighbouring faces only the earlier tile's outline and one column of its
  // white layer show.
  for (int i = 0; i < 2; ++i) {
    const int right = x + 34 * i + 32;
    EXPECT_EQ(kGrey, c.At(right, y + 25)) << i;
    EXPECT_EQ(kWhite, c.At(right + 1, y + 25)) << i;
    EXPECT_EQ(kGrey, c.At(right + 2, y + 25)) << i;  // the next tile's outline
  }
  // The last tile shows its whole right side.
  EXPECT_EQ(kMaroon, c.At(x + 68 + 41, y + 40));
}

TEST_F(TileDrawing, NegativeCoordinatesClipWithoutHarm) {
  Canvas c(60, 70);
  DrawTile(c, 5, -40, -50);
  // Only the lower-right corner of the body reaches into the canvas.
  EXPECT_EQ(kMaroon, c.At(2, 9));  // (42, 59) of the tile
  EXPECT_EQ(kBlack, c.At(30, 30));
}

// The saver's steps as a person reads them, at scale 1 and 2, from the same seed: the same
// hands at twice the places, every face pixel a 2 x 2 block of the strip's.
TEST_F(TileDrawing, WholePuzzlesThroughTheCanvasAtScalesOneAndTwo) {
  for (bool counts : {false, true}) {
    SCOPED_TRACE(counts ? "with the counts" : "without the counts");
    const ProblemRules rules{true, 12, 0, 0, false};
    Canvas c1(700, 300), c2(1400, 600);
    TPuzzle p1(rules, TRandom{4242}, {{0, 0, c1.w(), c1.h()}}, {1, 1}, counts);
    TPuzzle p2(rules, TRandom{4242}, {{0, 0, c2.w(), c2.h()}}, {2, 1}, counts);
    TGdiCanvas g1(c1.Surface(), *strip_);
    TGdiCanvas g2(c2.Surface(), *strip_);
    PuzzleReader reader;
    int nones = 0, answers = 0;
    for (int step = 0; step < 16; ++step) {
      SCOPED_TRACE(step);
      p1.Step(g1);
      p2.Step(g2);
      const Problem &p = p1.Current();
      const bool answered = p1.Phase() == 0;
      std::vector<int> hand(p.Hand.v, p.Hand.v + HandSize), waits;
      for (int r = 1; r <= 9; ++r)
        if (p.Waits[r])
          waits.push_back(r);
      for (int s = 1; s <= 2; ++s) {
        const Canvas &c = s == 1 ? c1 : c2;
        const TBox box = (s == 1 ? p1 : p2).Box();
        ASSERT_EQ(p.HandX * s, box.Left);
        const Screenshot shot = c.Shot();
        SeenPuzzle seen;
        ASSERT_TRUE(reader.Read(shot, seen, s)) << "scale " << s;
        EXPECT_EQ(box.Left, seen.HandX);
        EXPECT_EQ(box.Top, seen.HandY);
        EXPECT_EQ(hand, seen.Hand);
        EXPECT_EQ(answered, seen.AnswerShown);
        if (answered) {
          std::vector<int> shown;
          for (const SeenTile &t : seen.Answer)
            shown.push_back(t.Rank);
          EXPECT_EQ(waits, shown);
          EXPECT_EQ(waits.empty(), seen.NoneShown);
        }
      }
      nones += answered && waits.empty();
      answers += answered && !waits.empty();
    }
    EXPECT_GT(answers, 0);
    EXPECT_GT(nones, 0);
  }
}

// The pictures at every scale, as every platform's canvas must draw them, and the splits.
TEST_F(TileDrawing, EveryScaleAsEveryCanvasDrawsIt) {
  class TDibCanvas : public canvas_test::TCanvasUnderTest {
   public:
    TDibCanvas(int w, int h, TTileStrip &strip) : dib_(w, h), canvas_(dib_.Surface(), strip) {}
    TPuzzleCanvas &Canvas() override { return canvas_; }
    void Snapshot() override {}
    uint32_t At(int x, int y) const override {
      const COLORREF c = dib_.At(x, y);
      return uint32_t{GetRValue(c)} << 16 | uint32_t{GetGValue(c)} << 8 | GetBValue(c);
    }

   private:
    ::Canvas dib_;
    TGdiCanvas canvas_;
  };
  const auto make = [&](int w, int h) { return std::make_unique<TDibCanvas>(w, h, *strip_); };
  canvas_test::CheckEveryScale(make, strip_->Image());
  canvas_test::CheckSplits(make, strip_->Image());
}
