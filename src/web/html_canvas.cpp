#include "html_canvas.h"

#include <cstring>

#include "puzzle_geometry.h"

// What the page's glue gives the module (module.js, "page").
#define PAGE_IMPORT(name) __attribute__((import_module("page"), import_name(name)))
extern "C" {
PAGE_IMPORT("fill") void PageFill(int x, int y, int width, int height, TColor color);
PAGE_IMPORT("face") void PageFace(int rank, int x, int y, int mul, int div);
PAGE_IMPORT("text") void PageText(int x, int y, const char *text, int length, int pixels);
}

void THtmlCanvas::Fill(const TBox &box, TColor color) {
  PageFill(box.Left, box.Top, box.Width(), box.Height(), color);
}

void THtmlCanvas::DrawFace(int rank, int x, int y) {
  PageFace(rank, x, y, Scale().Mul, Scale().Div);
}

void THtmlCanvas::WriteText(int x, int y, const char *text, TTextSize size) {
  PageText(x, y, text, static_cast<int>(strlen(text)), PuzzleGeometry::TextPixels(Scale(), size));
}
