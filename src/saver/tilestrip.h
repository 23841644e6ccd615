// The tile strip: the nine 32 x 48 bamboo faces side by side, rank r at x = (r - 1) * 32,
// selected into a memory DC for as long as the strip lives so tiles can be copied from it.
#pragma once

#include <windows.h>

#include "handles.h"

class TTileStrip {
 public:
  // Loads the strip from the program's bitmap resource.
  explicit TTileStrip(HINSTANCE instance);
  // Takes an already loaded bitmap (tests).
  explicit TTileStrip(HBITMAP bitmap);
  TTileStrip(const TTileStrip &) = delete;
  TTileStrip &operator=(const TTileStrip &) = delete;

  HDC Dc() const { return dc_.get(); }

 private:
  UniqueGdiObject bitmap_;
  UniqueMemoryDc dc_;
  SelectGuard select_;  // declared last: the bitmap leaves the DC before either is deleted
};
