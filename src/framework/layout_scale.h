// Scaling of a window layout drawn for a 96 dpi screen: plain arithmetic, no Win32 types,
// so that the rule can be checked on any host.
#pragma once

// A control's place in its parent's client area, in pixels.
struct TLayoutRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

inline bool operator==(const TLayoutRect &a, const TLayoutRect &b) {
  return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height;
}

// The screen the layouts were drawn on, and how high the text "0" stands there in the
// dialog font.
constexpr int kDesignDpi = 96;
constexpr int kDesignTextHeight = 15;

// value * numerator / denominator, rounded to the nearest whole number with halves away
// from zero, computed without overflow; 0 when the denominator is 0.
int MulDivRound(int value, int numerator, int denominator);

// A font height (negative for character height, as in LOGFONT) for a screen of dpi dots
// per inch, when the layout gives it for the design screen.
int FontHeightForDpi(int designHeight, int dpi);

// How a layout is scaled once the dialog font exists on this screen: dpi of the screen and
// the measured height of "0" in the dpi-adjusted dialog font.
class TLayoutScale {
 public:
  TLayoutScale() = default;
  TLayoutScale(int dpi, int textHeight);

  // Only a screen of another resolution whose font measures differently moves anything.
  bool Scaled() const { return scaled_; }
  int Dpi() const { return dpi_; }
  int TextHeight() const { return textHeight_; }

  // A length or coordinate, by textHeight / 15 to the nearest pixel.
  int Length(int value) const;
  // Each edge scaled on its own, so neighbouring controls stay flush.
  TLayoutRect Rect(const TLayoutRect &design) const;
  // The height of a control's own font, given in pixels for the design screen: taken as a
  // point size on this screen, scaled by textHeight / 15, back to pixels.
  int OwnFontHeight(int designHeight) const;

 private:
  int dpi_ = kDesignDpi;
  int textHeight_ = kDesignTextHeight;
  bool scaled_ = false;
};
