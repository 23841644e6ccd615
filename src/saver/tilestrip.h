// The tile strip: the nine 32 x 48 bamboo faces side by side, rank r at x = (r - 1) * 32, as
// the program's bitmap resource holds them, and the faces at a scale in a bitmap selected
// into a memory DC, made on first use, so tiles can be copied from it.
#pragma once

#include <windows.h>

#include "handles.h"
#include "strip_image.h"

class TTileStrip {
 public:
  // Reads the strip from the program's bitmap resource.
  explicit TTileStrip(HINSTANCE instance);
  // Takes an already read strip (tests).
  explicit TTileStrip(TStripImage image);
  TTileStrip(const TTileStrip &) = delete;
  TTileStrip &operator=(const TTileStrip &) = delete;

  const TStripImage &Image() const { return image_; }
  // The strip at scale, the faces Px(32) x Px(48) each. Keeps the last scale asked for and
  // the one before, as a puzzle and the splits under it take turns.
  HDC Faces(TScale scale);

 private:
  struct TFaces {
    TScale Scale;
    UniqueGdiObject Bitmap;
    UniqueMemoryDc Dc;
    SelectGuard Select;  // last: the bitmap leaves the DC before either is deleted
  };
  void Make(TFaces &faces, TScale scale) const;

  TStripImage image_;
  TFaces faces_[2];
};
