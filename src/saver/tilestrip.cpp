#include "tilestrip.h"

#include <stdexcept>

TTileStrip::TTileStrip(HINSTANCE instance)
    : TTileStrip(static_cast<HBITMAP>(
          LoadImageA(instance, "TILESTRIP", IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))) {}

TTileStrip::TTileStrip(HBITMAP bitmap)
    : bitmap_(bitmap), dc_(CreateCompatibleDC(nullptr)), select_(dc_.get(), bitmap_.get()) {
  if (!bitmap_ || !dc_)
    throw std::runtime_error("The tile strip cannot be loaded");
}
