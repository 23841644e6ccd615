// The puzzle canvas on an X window: Xlib for tiles and frames, Xft for the labels (a core
// font where Xft cannot open one).
#pragma once

#include <X11/Xlib.h>

#include <map>
#include <memory>
#include <vector>

#include "canvas.h"
#include "strip_image.h"

class TXCanvas : public TPuzzleCanvas {
 public:
  // window must exist; its depth, visual and colormap are those of everything drawn.
  TXCanvas(Display *display, Window window, const TStripImage &strip);
  ~TXCanvas() override;
  TXCanvas(const TXCanvas &) = delete;
  TXCanvas &operator=(const TXCanvas &) = delete;

  void Fill(const TBox &box, TColor color) override;
  // One copy from a pixmap that holds the strip at this scale (made on first use).
  void DrawFace(int rank, int x, int y) override;
  // Xft with Liberation Sans or DejaVu Sans Bold, or a core font where Xft opens neither,
  // on an opaque black box as GDI writes it.
  void WriteText(int x, int y, const char *text, TTextSize size) override;

 private:
  struct TFont;
  unsigned long Pixel(TColor color);
  void MakeFaces(TScale scale);
  TFont &FontOf(int pixels);
  void Write(TFont &font, int x, int y, const char *text);

  Display *display_;
  Window window_;
  Visual *visual_ = nullptr;
  Colormap colormap_ = 0;
  int depth_ = 0;
  GC gc_;
  const TStripImage &strip_;
  std::map<TColor, unsigned long> pixels_;
  // The strip at the last two scales drawn, the latest first: a puzzle and the smaller rows
  // under its answer take turns without making either again.
  Pixmap faces_[2] = {};
  TScale facesScale_[2];
  std::map<int, std::unique_ptr<TFont>> fonts_;  // by pixel size
};
