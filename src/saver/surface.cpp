#include "surface.h"

#include <cstring>

TSurface::TSurface(HDC dc)
    : dc_(dc), pen_(dc, GetStockObject(DC_PEN)), brush_(dc, GetStockObject(DC_BRUSH)) {
  SetBkMode(dc_, OPAQUE);
}

TSurface::~TSurface() {
  fontSelected_.reset();  // the font leaves the DC before it is deleted
}

void TSurface::SetFont(const char *face, int points, int pixelsPerInch, int weight,
                       COLORREF color) {
  LOGFONTA lf = {};
  lf.lfHeight = -MulDiv(points, pixelsPerInch, 72);
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  UniqueGdiObject font(CreateFontIndirectA(&lf));
  fontSelected_.reset();
  font_ = std::move(font);
  fontSelected_ = std::make_unique<SelectGuard>(dc_, font_.get());
  SetTextColor(dc_, color);
}

void TSurface::FillRect(int left, int top, int right, int bottom) {
  RECT rc = {left, top, right, bottom};
  ::FillRect(dc_, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void TSurface::WriteText(int x, int y, const char *text) {
  SetBkColor(dc_, BrushColor());
  ::TextOutA(dc_, x, y, text, static_cast<int>(strlen(text)));
}

int ScreenPixelsPerInch() {
  static const int ppi = [] {
    HDC screen = GetDC(nullptr);
    int v = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return v > 0 ? v : 96;
  }();
  return ppi;
}
