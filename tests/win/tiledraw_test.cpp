// Tiles drawn into a DIB on a black ground, read back pixel by pixel.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "driver.h"
#include "handles.h"
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
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    bitmap_.reset(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
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
    HBITMAP bmp =
        static_cast<HBITMAP>(LoadImageA(nullptr, SourceFile("resources/tiles.bmp").c_str(),
                                        IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(nullptr, bmp);
    strip_ = std::make_unique<TTileStrip>(bmp);
  }
  COLORREF StripPixel(int x, int y) const { return GetPixel(strip_->Dc(), x, y); }
  std::unique_ptr<TTileStrip> strip_;
};

}  // namespace

TEST_F(TileDrawing, SingleTileStaysInItsBoxWithLayersWhereTheyBelong) {
  for (int rank = 1; rank <= 9; ++rank) {
    Canvas c(120, 100);
    const int x = 20, y = 15;
    DrawTile(c.Surface(), *strip_, rank, x, y);
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

TEST_F(TileDrawing, FrameLeavesBlackBrushAndGreyPen) {
  Canvas c(60, 70);
  c.Surface().SetPenColor(kBlack);
  DrawTileFrame(c.Surface(), 0, 0);
  EXPECT_EQ(kBlack, c.Surface().BrushColor());
  EXPECT_EQ(kGrey, c.Surface().PenColor());
  // A fill after the frame is black.
  c.Surface().FillRect(0, 0, 60, 70);
  EXPECT_EQ(kBlack, c.At(40, 30));
}

TEST_F(TileDrawing, RowOfTilesCoversTheLayersOfEachEarlierTile) {
  Canvas c(200, 80);
  const int x = 5, y = 5;
  for (int i = 0; i < 3; ++i)
    DrawTile(c.Surface(), *strip_, i + 1, static_cast<int16_t>(x + 34 * i), y);
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

TEST_F(TileDrawing, NegativeAndWrappedCoordinatesClipWithoutHarm) {
  Canvas c(60, 70);
  DrawTile(c.Surface(), *strip_, 5, -40, -50);
  // Only the lower-right corner of the body reaches into the canvas.
  EXPECT_EQ(kMaroon, c.At(2, 9));  // (42, 59) of the tile
  EXPECT_EQ(kBlack, c.At(30, 30));
}
