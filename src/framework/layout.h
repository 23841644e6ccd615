// Window layouts as data: each control of a form with its kind, name, place, caption and
// style, and the few designed properties of its kind. The forms add behaviour; the
// functions here only build what the table says.
#pragma once

#include <windows.h>

#include <cstddef>

#include "handles.h"
#include "layout_scale.h"

enum class TControlKind { CheckBox, ComboBox, TrackBar, Button, Label };

struct TFontDef {
  const char *Name;
  int Height;  // pixels on the design screen; negative: character height
  bool Italic;
  BYTE CharSet;
};

struct TTrackBarDef {
  int Min, Max;
  int TickFrequency;
  int LineSize, PageSize;
  int Position;  // the designed position; forms usually replace it
};

struct TComboListDef {
  const char *const *Items;
  int ItemCount;
  int DropDownCount;  // items visible while the list is open
};

struct TControlDef {
  TControlKind Kind;
  const char *Name;
  TLayoutRect Bounds;  // design-screen pixels in the client area
  const char *Caption;
  DWORD Style;  // besides WS_CHILD and WS_VISIBLE
  int Id;
  // Labels: sized to the caption with the left edge fixed, and drawn with these flags.
  bool AutoSize = false;
  UINT DrawFormat = 0;
  const TFontDef *Font = nullptr;  // null: the form's font
  const TTrackBarDef *TrackBar = nullptr;
  const TComboListDef *ComboList = nullptr;
};

struct TFormLayout {
  const char *Name;
  const char *Caption;
  DWORD Style;
  DWORD ExStyle;
  int ClientWidth, ClientHeight;
  TFontDef Font;
  // In tab order; controls that take no focus follow, but for a label whose mnemonic
  // leads to the control right after it.
  const TControlDef *Controls;
  size_t ControlCount;

  const TControlDef *begin() const { return Controls; }
  const TControlDef *end() const { return Controls + ControlCount; }
};

// The window class a kind of control is made from.
const char *ControlClassName(TControlKind kind);

// The font of a layout or of one control, at the height this screen and scale call for.
UniqueGdiObject CreateLayoutFont(const TFontDef &font, int height);

// The scale for this screen: the form font's height adjusted to the screen's dots per
// inch, and the height of "0" measured in that font.
TLayoutScale MeasureLayoutScale(const TFontDef &formFont);

// Creates one control from its row, scaled, with its font and its designed properties.
HWND CreateLayoutControl(HWND parent, const TControlDef &def, const TLayoutScale &scale,
                         HFONT font);

// Gives an auto-sized label the size of its current text in its font; the left and top
// edges stay where they are.
void FitLabelToText(HWND label, const TControlDef &def, HFONT font);

// Paints an owner-drawn label: background of the button face, black text, the row's flags.
void DrawLayoutLabel(const DRAWITEMSTRUCT &item, const TControlDef &def, HFONT font);
