#include "layout.h"

#include <commctrl.h>

#include <string>

namespace {

// The trackbar class exists only once the common controls have been registered.
void RegisterBarClasses() {
  static bool registered = false;
  if (registered)
    return;
  INITCOMMONCONTROLSEX icc = {};
  icc.dwSize = sizeof icc;
  icc.dwICC = ICC_BAR_CLASSES;
  if (!InitCommonControlsEx(&icc))
    InitCommonControls();
  registered = true;
}

std::string WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthA(hwnd);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int n = GetWindowTextA(hwnd, &text[0], length + 1);
  text.resize(static_cast<size_t>(n > 0 ? n : 0));
  return text;
}

void SetUpTrackBar(HWND bar, const TTrackBarDef &def) {
  SendMessageA(bar, TBM_SETRANGEMIN, FALSE, def.Min);
  SendMessageA(bar, TBM_SETRANGEMAX, FALSE, def.Max);
  SendMessageA(bar, TBM_SETTICFREQ, def.TickFrequency, 0);
  SendMessageA(bar, TBM_CLEARSEL, FALSE, 0);
  SendMessageA(bar, TBM_SETLINESIZE, 0, def.LineSize);
  SendMessageA(bar, TBM_SETPAGESIZE, 0, def.PageSize);
  SendMessageA(bar, TBM_SETPOS, TRUE, def.Position);
}

// A drop-down list's window height is the height of the field plus the open list.
void SetUpComboList(HWND combo, const TComboListDef &def, const TLayoutRect &field) {
  for (int i = 0; i < def.ItemCount; ++i)
    SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(def.Items[i]));
  // The field's own height follows from its item height, and the window takes its new
  // height only after the change: adjust until the closed box is as tall as the layout
  // says. What CB_GETITEMHEIGHT reports for the field need not be what was set (Wine adds
  // its border), so the request is tracked here.
  int requested = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, WPARAM(-1), 0));
  int closedHeight = 0;
  for (int attempt = 0; attempt < 4; ++attempt) {
    RECT closed = {};
    GetWindowRect(combo, &closed);
    closedHeight = closed.bottom - closed.top;
    const int difference = field.Height - closedHeight;
    if (difference == 0 || requested + difference <= 0)
      break;
    requested += difference;
    SendMessageA(combo, CB_SETITEMHEIGHT, WPARAM(-1), requested);
  }
  const int item = static_cast<int>(SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0));
  const int visible = def.DropDownCount < def.ItemCount ? def.DropDownCount : def.ItemCount;
  SetWindowPos(combo, nullptr, 0, 0, field.Width, closedHeight + item * visible + 2,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

const char *ControlClassName(TControlKind kind) {
  switch (kind) {
    case TControlKind::CheckBox:
    case TControlKind::Button:
      return "BUTTON";
    case TControlKind::ComboBox:
      return "COMBOBOX";
    case TControlKind::TrackBar:
      return TRACKBAR_CLASSA;
    case TControlKind::Label:
      return "STATIC";
  }
  return "STATIC";
}

UniqueGdiObject CreateLayoutFont(const TFontDef &font, int height) {
  return UniqueGdiObject(CreateFontA(height, 0, 0, 0, FW_NORMAL, font.Italic ? TRUE : FALSE, FALSE,
                                     FALSE, font.CharSet, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.Name));
}

TLayoutScale MeasureLayoutScale(const TFontDef &formFont) {
  WindowDc screen(nullptr);
  const int dpi = GetDeviceCaps(screen.get(), LOGPIXELSY);
  if (dpi == kDesignDpi || dpi <= 0)
    return TLayoutScale();
  UniqueGdiObject font = CreateLayoutFont(formFont, FontHeightForDpi(formFont.Height, dpi));
  SIZE zero = {};
  {
    SelectGuard select(screen.get(), font.get());
    GetTextExtentPoint32A(screen.get(), "0", 1, &zero);
  }
  return TLayoutScale(dpi, zero.cy);
}

HWND CreateLayoutControl(HWND parent, const TControlDef &def, const TLayoutScale &scale,
                         HFONT font) {
  if (def.Kind == TControlKind::TrackBar)
    RegisterBarClasses();
  const TLayoutRect r = scale.Rect(def.Bounds);
  HWND control = CreateWindowExA(
      0, ControlClassName(def.Kind), def.Caption ? def.Caption : "",
      WS_CHILD | WS_VISIBLE | def.Style, r.Left, r.Top, r.Width, r.Height, parent,
      reinterpret_cast<HMENU>(INT_PTR(def.Id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
  if (!control)
    return nullptr;
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (def.TrackBar)
    SetUpTrackBar(control, *def.TrackBar);
  if (def.ComboList)
    SetUpComboList(control, *def.ComboList, r);
  if (def.AutoSize)
    FitLabelToText(control, def, font);
  return control;
}

void FitLabelToText(HWND label, const TControlDef &def, HFONT font) {
  const std::string text = WindowText(label);
  RECT extent = {0, 0, 0, 0};
  {
    WindowDc dc(label);
    SelectGuard select(dc.get(), font);
    DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent,
              (def.DrawFormat & ~UINT(DT_WORDBREAK)) | DT_CALCRECT);
  }
  SetWindowPos(label, nullptr, 0, 0, extent.right - extent.left, extent.bottom - extent.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(label, nullptr, TRUE);
}

void DrawLayoutLabel(const DRAWITEMSTRUCT &item, const TControlDef &def, HFONT font) {
  HDC dc = item.hDC;
  RECT box = item.rcItem;
  FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
  const std::string text = WindowText(item.hwndItem);
  SelectGuard select(dc, font);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour = SetTextColor(dc, RGB(0, 0, 0));
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, def.DrawFormat);
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}
