#include "layout_scale.h"

#include <cstdint>

int MulDivRound(int value, int numerator, int denominator) {
  if (denominator == 0)
    return 0;
  int64_t product = static_cast<int64_t>(value) * numerator;
  int64_t d = denominator;
  if (d < 0) {
    product = -product;
    d = -d;
  }
  const int64_t half = d / 2;
  const int64_t q = product >= 0 ? (product + half) / d : -((-product + half) / d);
  return static_cast<int>(q);
}

int FontHeightForDpi(int designHeight, int dpi) {
  return MulDivRound(designHeight, dpi, kDesignDpi);
}

TLayoutScale::TLayoutScale(int dpi, int textHeight)
    : dpi_(dpi),
      textHeight_(textHeight),
      scaled_(dpi != kDesignDpi && textHeight > 0 && textHeight != kDesignTextHeight) {}

int TLayoutScale::Length(int value) const {
  return scaled_ ? MulDivRound(value, textHeight_, kDesignTextHeight) : value;
}

TLayoutRect TLayoutScale::Rect(const TLayoutRect &d) const {
  const int left = Length(d.Left);
  const int top = Length(d.Top);
  const int right = Length(d.Left + d.Width);
  const int bottom = Length(d.Top + d.Height);
  return TLayoutRect{left, top, right - left, bottom - top};
}

int TLayoutScale::OwnFontHeight(int designHeight) const {
  if (!scaled_ || dpi_ <= 0)
    return designHeight;
  const int points = MulDivRound(designHeight, 72, dpi_);
  return MulDivRound(MulDivRound(points, textHeight_, kDesignTextHeight), dpi_, 72);
}
