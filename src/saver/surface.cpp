#include "surface.h"

#include <cstring>

namespace {
HGDIOBJ MakePen(COLORREF c) {
  return CreatePen(PS_SOLID, 1, c);
}
HGDIOBJ MakeBrush(COLORREF c) {
  return CreateSolidBrush(c);
}
}  // namespace

// The DC starts with the colours its own pen and brush would have: a black pen, a white
// brush.
TSurface::TSurface(HDC dc)
    : dc_(dc),
      brush_(static_cast<HBRUSH>(Find(brushes_, brushColor_, MakeBrush))),
      penSelected_(dc, Find(pens_, penColor_, MakePen)),
      brushSelected_(dc, brush_) {
  SetBkMode(dc_, OPAQUE);
}

HGDIOBJ TSurface::Find(std::vector<ColorObject> &made, COLORREF c, HGDIOBJ (*make)(COLORREF)) {
  for (const ColorObject &o : made)
    if (o.Color == c)
      return o.Object.get();
  HGDIOBJ object = make(c);
  if (!object)
    return nullptr;
  made.push_back({c, UniqueGdiObject(object)});
  return object;
}

void TSurface::SetPenColor(COLORREF c) {
  if (HGDIOBJ pen = Find(pens_, c, MakePen)) {
    SelectObject(dc_, pen);
    penColor_ = c;
  }
}

void TSurface::SetBrushColor(COLORREF c) {
  if (HGDIOBJ brush = Find(brushes_, c, MakeBrush)) {
    SelectObject(dc_, brush);
    brush_ = static_cast<HBRUSH>(brush);
    brushColor_ = c;
  }
}

UniqueGdiObject MakeFont(const char *face, int pixels, int weight) {
  LOGFONTA lf = {};
  lf.lfHeight = -pixels;
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
  return UniqueGdiObject(CreateFontIndirectA(&lf));
}

void TSurface::FillRect(int left, int top, int right, int bottom) {
  RECT rc = {left, top, right, bottom};
  ::FillRect(dc_, &rc, brush_);
}

void TSurface::WriteText(int x, int y, const char *text, HGDIOBJ font, COLORREF color) {
  SelectGuard selected(dc_, font);
  SetTextColor(dc_, color);
  SetBkColor(dc_, BrushColor());
  ::TextOutA(dc_, x, y, text, static_cast<int>(strlen(text)));
}

int ScreenPixelsPerInch() {
  static const int ppi = [] {
    const WindowDc screen(nullptr);
    const int v = GetDeviceCaps(screen.get(), LOGPIXELSY);
    return v > 0 ? v : 96;
  }();
  return ppi;
}
