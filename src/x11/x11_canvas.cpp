#include "x11_canvas.h"

#include <X11/Xft/Xft.h>

#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "puzzle_geometry.h"

namespace {
// The core font for a label where Xft opens none of its fonts (bold Arial's metric twin
// Liberation Sans first, as the Windows saver writes in bold Arial).
constexpr char kCoreFontPattern[] = "-*-helvetica-bold-r-normal--%d-*-*-*-p-*-iso8859-1";
}  // namespace

struct TXCanvas::TFont {
  Display *Dpy = nullptr;
  XftFont *Xft = nullptr;
  XFontStruct *Core = nullptr;
  ~TFont() {
    if (Xft)
      XftFontClose(Dpy, Xft);
    if (Core)
      XFreeFont(Dpy, Core);
  }
};

TXCanvas::TXCanvas(Display *display, Window window, const TStripImage &strip)
    : display_(display), window_(window), strip_(strip) {
  XWindowAttributes a;
  if (!XGetWindowAttributes(display_, window_, &a))
    a = XWindowAttributes{};
  visual_ = a.visual ? a.visual : DefaultVisual(display_, DefaultScreen(display_));
  colormap_ = a.colormap ? a.colormap : DefaultColormap(display_, DefaultScreen(display_));
  depth_ = a.depth ? a.depth : DefaultDepth(display_, DefaultScreen(display_));
  XGCValues v = {};
  v.graphics_exposures = False;
  gc_ = XCreateGC(display_, window_, GCGraphicsExposures, &v);
}

TXCanvas::~TXCanvas() {
  fonts_.clear();
  for (Pixmap faces : faces_)
    if (faces)
      XFreePixmap(display_, faces);
  XFreeGC(display_, gc_);
}

// Allocated once per colour; on a TrueColor visual the server only computes the value.
unsigned long TXCanvas::Pixel(TColor color) {
  const auto found = pixels_.find(color);
  if (found != pixels_.end())
    return found->second;
  XColor c = {};
  c.red = static_cast<unsigned short>((color & 0xFF) * 0x101);
  c.green = static_cast<unsigned short>((color >> 8 & 0xFF) * 0x101);
  c.blue = static_cast<unsigned short>((color >> 16 & 0xFF) * 0x101);
  c.flags = DoRed | DoGreen | DoBlue;
  unsigned long pixel = color == Black ? BlackPixel(display_, DefaultScreen(display_))
                                       : WhitePixel(display_, DefaultScreen(display_));
  if (XAllocColor(display_, colormap_, &c))
    pixel = c.pixel;
  pixels_[color] = pixel;
  return pixel;
}

void TXCanvas::Fill(const TBox &box, TColor color) {
  if (box.Width() <= 0 || box.Height() <= 0)
    return;
  XSetForeground(display_, gc_, Pixel(color));
  XFillRectangle(display_, window_, gc_, box.Left, box.Top, static_cast<unsigned>(box.Width()),
                 static_cast<unsigned>(box.Height()));
}

// The strip is drawn once per scale into a pixmap of the window's depth, a rectangle list
// per colour, so faces then cost one copy each and no image format needs converting.
void TXCanvas::MakeFaces(TScale scale) {
  if (faces_[0] && facesScale_[0] == scale)
    return;
  std::swap(faces_[0], faces_[1]);
  std::swap(facesScale_[0], facesScale_[1]);
  if (faces_[0] && facesScale_[0] == scale)
    return;
  if (faces_[0])
    XFreePixmap(display_, faces_[0]);
  faces_[0] = 0;
  const TStripImage image = ScaledStrip(strip_, scale);
  if (image.Width <= 0 || image.Height <= 0)
    return;
  faces_[0] = XCreatePixmap(display_, window_, static_cast<unsigned>(image.Width),
                            static_cast<unsigned>(image.Height), static_cast<unsigned>(depth_));
  facesScale_[0] = scale;
  std::vector<XRectangle> runs[16];
  for (int y = 0; y < image.Height; ++y)
    for (int x = 0; x < image.Width;) {
      const uint8_t index = image.At(x, y) & 0x0F;
      int end = x + 1;
      while (end < image.Width && image.At(end, y) == index)
        ++end;
      runs[index].push_back(XRectangle{static_cast<short>(x), static_cast<short>(y),
                                       static_cast<unsigned short>(end - x), 1});
      x = end;
    }
  for (int i = 0; i < 16; ++i) {
    if (runs[i].empty())
      continue;
    XSetForeground(display_, gc_, Pixel(image.Palette[i]));
    XFillRectangles(display_, faces_[0], gc_, runs[i].data(), static_cast<int>(runs[i].size()));
  }
}

void TXCanvas::DrawFace(int rank, int x, int y) {
  using namespace PuzzleGeometry;
  if (rank < 1 || rank > 9)
    return;
  const TScale s = Scale();
  MakeFaces(s);
  if (!faces_[0])
    return;
  const int w = s.Px(FaceWidth), h = s.Px(FaceHeight);
  XCopyArea(display_, faces_[0], window_, gc_, (rank - 1) * w, 0, static_cast<unsigned>(w),
            static_cast<unsigned>(h), x, y);
}

TXCanvas::TFont &TXCanvas::FontOf(int pixels) {
  std::unique_ptr<TFont> &font = fonts_[pixels];
  if (font)
    return *font;
  font = std::make_unique<TFont>();
  font->Dpy = display_;
  font->Xft = XftFontOpen(display_, DefaultScreen(display_), XFT_FAMILY, XftTypeString,
                          "Liberation Sans", XFT_FAMILY, XftTypeString, "DejaVu Sans", XFT_FAMILY,
                          XftTypeString, "sans-serif", XFT_WEIGHT, XftTypeInteger, XFT_WEIGHT_BOLD,
                          XFT_PIXEL_SIZE, XftTypeDouble, static_cast<double>(pixels), nullptr);
  if (!font->Xft) {
    char name[96];
    snprintf(name, sizeof name, kCoreFontPattern, pixels);
    font->Core = XLoadQueryFont(display_, name);
    if (!font->Core)
      font->Core = XLoadQueryFont(display_, "fixed");
  }
  return *font;
}

void TXCanvas::WriteText(int x, int y, const char *text, TTextSize size) {
  Write(FontOf(PuzzleGeometry::TextPixels(Scale(), size)), x, y, text);
}

// GDI writes the label on an opaque black box as tall as the font, whose top is y.
void TXCanvas::Write(TFont &font, int x, int y, const char *text) {
  const int length = static_cast<int>(strlen(text));
  if (font.Xft) {
    XGlyphInfo extents;
    XftTextExtents8(display_, font.Xft, reinterpret_cast<const FcChar8 *>(text), length, &extents);
    Erase({x, y, x + extents.xOff, y + font.Xft->ascent + font.Xft->descent});
    XftDraw *draw = XftDrawCreate(display_, window_, visual_, colormap_);
    if (!draw)
      return;
    XRenderColor yellow = {0xFFFF, 0xFFFF, 0, 0xFFFF};
    XftColor colour;
    if (XftColorAllocValue(display_, visual_, colormap_, &yellow, &colour)) {
      XftDrawString8(draw, &colour, font.Xft, x, y + font.Xft->ascent,
                     reinterpret_cast<const FcChar8 *>(text), length);
      XftColorFree(display_, visual_, colormap_, &colour);
    }
    XftDrawDestroy(draw);
  } else if (font.Core) {
    XSetFont(display_, gc_, font.Core->fid);
    XSetForeground(display_, gc_, Pixel(Yellow));
    XSetBackground(display_, gc_, Pixel(Black));
    XDrawImageString(display_, window_, gc_, x, y + font.Core->ascent, text, length);
  }
}
