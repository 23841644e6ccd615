#include "html_canvas.h"

#include <cstring>

#include "puzzle_geometry.h"

// What the page's glue gives the module (velkorin.js, "page").
#define PAGE_IMPORT(name) __attribute__((import_module("page"), import_name(name)))
extern "C" {
PAGE_IMPORT("fill") void PageFill(int x, int y, int width, int height, TColor color);
PAGE_IMPORT("face") void PageFace(int rank, int x, int y, int scale);
PAGE_IMPORT("text") void PageText(int x, int y, const char *text, int length, int pixels);
}

void THtmlCanvas::Erase(const TBox &box) {
  PageFill(box.Left, box.Top, box.Width(), box.Height(), Black);
}

void THtmlCanvas::DrawFace(int rank, int x, int y, int scale) {
  PageFace(rank, x, y, scale);
}

void THtmlCanvas::Polygon(const TPoint *, int, TColor, TColor, int) {}

void THtmlCanvas::Polyline(const TPoint *, int, TColor, int) {}

void THtmlCanvas::WriteText(int x, int y, const char *text, TTextSize size, int scale) {
  const int label = PuzzleGeometry::LabelPixels * scale;
  const int pixels = size == TTextSize::Label ? label : PuzzleGeometry::SmallTextPixels(label);
  PageText(x, y, text, static_cast<int>(strlen(text)), pixels);
}
