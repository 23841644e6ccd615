#include "x11_canvas.h"

#include <X11/Xft/Xft.h>

#include <cstdio>
#include <cstring>
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
  if (faces_)
    XFreePixmap(display_, faces_);
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

void TXCanvas::Erase(const TBox &box) {
  if (box.Width() <= 0 || box.Height() <= 0)
    return;
  XSetForeground(display_, gc_, Pixel(Black));
  XFillRectangle(display_, window_, gc_, box.Left, box.Top, static_cast<unsigned>(box.Width()),
                 static_cast<unsigned>(box.Height()));
}

// The strip is drawn once per scale into a pixmap of the window's depth, a rectangle list
// per colour, so faces then cost one copy each and no image format needs converting.
void TXCanvas::MakeFaces(int scale) {
  if (faces_ && faceScale_ == scale)
    return;
  if (faces_)
    XFreePixmap(display_, faces_);
  faces_ =
      XCreatePixmap(display_, window_, static_cast<unsigned>(strip_.Width * scale),
                    static_cast<unsigned>(strip_.Height * scale), static_cast<unsigned>(depth_));
  faceScale_ = scale;
  const unsigned s = static_cast<unsigned>(scale);
  std::vector<XRectangle> runs[16];
  for (int y = 0; y < strip_.Height; ++y)
    for (int x = 0; x < strip_.Width;) {
      const uint8_t index = strip_.At(x, y) & 0x0F;
      int end = x + 1;
      while (end < strip_.Width && strip_.At(end, y) == index)
        ++end;
      runs[index].push_back(XRectangle{static_cast<short>(x * scale), static_cast<short>(y * scale),
                                       static_cast<unsigned short>((end - x) * scale),
                                       static_cast<unsigned short>(s)});
      x = end;
    }
  for (int i = 0; i < 16; ++i) {
    if (runs[i].empty())
      continue;
    XSetForeground(display_, gc_, Pixel(strip_.Palette[i]));
    XFillRectangles(display_, faces_, gc_, runs[i].data(), static_cast<int>(runs[i].size()));
  }
}

void TXCanvas::DrawFace(int rank, int x, int y, int scale) {
  using namespace PuzzleGeometry;
  if (rank < 1 || rank * FaceWidth > strip_.Width || strip_.Height < FaceHeight)
    return;
  MakeFaces(scale);
  XCopyArea(display_, faces_, window_, gc_, (rank - 1) * FaceWidth * scale, 0,
            static_cast<unsigned>(FaceWidth * scale), static_cast<unsigned>(FaceHeight * scale), x,
            y);
}

// One pixel wide at scale 1, where X draws the level, upright and 45-degree lines of a tile
// with GDI's pixels; CapNotLast leaves out a line's last point, as GDI does. At scale s the
// line is s wide and moved by s/2 right and down, so it covers the s x s blocks that stand
// for the scale-1 pixels: a line centred on the path would put half its width outside the
// puzzle's box, where the next erase does not reach. Round ends and joins keep the
// corners inside too.
void TXCanvas::StrokePath(std::vector<XPoint> &p, TColor pen, int scale) {
  XSetForeground(display_, gc_, Pixel(pen));
  if (scale > 1) {
    for (XPoint &q : p) {
      q.x = static_cast<short>(q.x + scale / 2);
      q.y = static_cast<short>(q.y + scale / 2);
    }
    XSetLineAttributes(display_, gc_, static_cast<unsigned>(scale), LineSolid, CapRound, JoinRound);
  } else {
    XSetLineAttributes(display_, gc_, 0, LineSolid, CapNotLast, JoinMiter);
  }
  XDrawLines(display_, window_, gc_, p.data(), static_cast<int>(p.size()), CoordModeOrigin);
}

namespace {
std::vector<XPoint> XPoints(const TPoint *points, int count) {
  std::vector<XPoint> p;
  for (int i = 0; i < count; ++i)
    p.push_back(XPoint{static_cast<short>(points[i].x), static_cast<short>(points[i].y)});
  return p;
}
}  // namespace

void TXCanvas::Polygon(const TPoint *points, int count, TColor pen, TColor brush, int scale) {
  if (count < 2)
    return;
  std::vector<XPoint> p = XPoints(points, count);
  // The interior by the even-odd rule, as GDI's ALTERNATE fill, then the closed outline.
  XSetForeground(display_, gc_, Pixel(brush));
  XSetFillRule(display_, gc_, EvenOddRule);
  XFillPolygon(display_, window_, gc_, p.data(), count, Complex, CoordModeOrigin);
  p.push_back(p.front());
  StrokePath(p, pen, scale);
}

void TXCanvas::Polyline(const TPoint *points, int count, TColor pen, int scale) {
  if (count < 2)
    return;
  std::vector<XPoint> p = XPoints(points, count);
  StrokePath(p, pen, scale);
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

void TXCanvas::WriteText(int x, int y, const char *text, TTextSize size, int scale) {
  const int label = PuzzleGeometry::LabelPixels * scale;
  Write(FontOf(size == TTextSize::Small ? PuzzleGeometry::SmallTextPixels(label) : label), x, y,
        text);
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
