// A drawing surface on a device context: the current pen, brush and font, and the few
// drawing operations the saver uses. Pen and brush are the DC's own colour objects, so
// changing a colour creates no GDI object.
#pragma once

#include <windows.h>

#include <memory>

#include "handles.h"

class TSurface {
 public:
  explicit TSurface(HDC dc);
  TSurface(const TSurface &) = delete;
  TSurface &operator=(const TSurface &) = delete;
  ~TSurface();

  HDC Dc() const { return dc_; }

  void SetBrushColor(COLORREF c) { SetDCBrushColor(dc_, c); }
  COLORREF BrushColor() const { return GetDCBrushColor(dc_); }
  void SetPenColor(COLORREF c) { SetDCPenColor(dc_, c); }
  COLORREF PenColor() const { return GetDCPenColor(dc_); }

  // Sets the font: face, size in points at the screen's vertical pixels per inch, weight.
  void SetFont(const char *face, int points, int pixelsPerInch, int weight, COLORREF color);

  // Fills with the brush; right and bottom edges excluded.
  void FillRect(int left, int top, int right, int bottom);
  // Writes text with its top-left corner at (x, y), on an opaque ground of the brush colour.
  void WriteText(int x, int y, const char *text);

 private:
  HDC dc_;
  SelectGuard pen_;
  SelectGuard brush_;
  UniqueGdiObject font_;
  std::unique_ptr<SelectGuard> fontSelected_;
};

// The screen's vertical pixels per inch.
int ScreenPixelsPerInch();
