// A drawing surface on a device context: the current pen and brush, and the few drawing
// operations the saver uses. Each colour's pen and brush is made on its first use
// and kept for the surface's life, so changing a colour creates no GDI object. (The DC's
// own colour objects would do the same with less code, but Windows 95 and NT 4.0 lack
// them.)
#pragma once

#include <windows.h>

#include <vector>

#include "handles.h"

class TSurface {
 public:
  explicit TSurface(HDC dc);
  TSurface(const TSurface &) = delete;
  TSurface &operator=(const TSurface &) = delete;

  HDC Dc() const { return dc_; }

  void SetBrushColor(COLORREF c);
  COLORREF BrushColor() const { return brushColor_; }
  void SetPenColor(COLORREF c);
  COLORREF PenColor() const { return penColor_; }

  // Fills with the brush; right and bottom edges excluded.
  void FillRect(int left, int top, int right, int bottom);
  // Writes text in the font and colour with its top-left corner at (x, y), on an opaque
  // ground of the brush colour.
  void WriteText(int x, int y, const char *text, HGDIOBJ font, COLORREF color);

 private:
  struct ColorObject {
    COLORREF Color;
    UniqueGdiObject Object;
  };
  static HGDIOBJ Find(std::vector<ColorObject> &made, COLORREF c, HGDIOBJ (*make)(COLORREF));

  HDC dc_;
  // Declared before the guards: the guards put the DC's own objects back before these go.
  std::vector<ColorObject> pens_;
  std::vector<ColorObject> brushes_;
  COLORREF penColor_ = RGB(0, 0, 0);
  COLORREF brushColor_ = RGB(255, 255, 255);
  HBRUSH brush_ = nullptr;
  SelectGuard penSelected_;
  SelectGuard brushSelected_;
};

// A font of face, character height in pixels and weight, owned by the caller.
UniqueGdiObject MakeFont(const char *face, int pixels, int weight);

// The screen's vertical pixels per inch.
int ScreenPixelsPerInch();
