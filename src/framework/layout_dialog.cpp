#include "layout_dialog.h"

#include <exception>

#include "application.h"

namespace {

bool ModifierHeld() {
  return ((GetKeyState(VK_SHIFT) | GetKeyState(VK_CONTROL) | GetKeyState(VK_MENU)) & 0x8000) != 0;
}

bool IsKeyMessage(UINT msg) {
  return msg >= WM_KEYFIRST && msg <= WM_KEYLAST;
}

// Posted to itself whenever the focus may have moved between or away from the buttons.
constexpr UINT kMsgUpdateDefaultButton = WM_APP + 1;

}  // namespace

TLayoutDialog::TLayoutDialog(const TFormLayout &layout, const char *className, HWND owner)
    : layout_(layout), className_(className), owner_(owner) {
  Color = GetSysColor(COLOR_BTNFACE);
}

TLayoutDialog::~TLayoutDialog() {
  // The controls go before the fonts they were given.
  if (HandleAllocated())
    DestroyWindow(Handle());
}

void TLayoutDialog::AdjustWindowParams(TCreateParams &p) {
  scale_ = MeasureLayoutScale(layout_.Font);
  font_ = CreateLayoutFont(layout_.Font, FontHeightForDpi(layout_.Font.Height, scale_.Dpi()));
  for (const TControlDef &row : layout_)
    if (row.Font)
      ownFont_ = CreateLayoutFont(*row.Font, scale_.OwnFontHeight(row.Font->Height));

  p.Caption = layout_.Caption;
  p.ClassName = className_;
  p.Style |= layout_.Style;
  p.ExStyle |= layout_.ExStyle;
  if (owner_)
    p.WndParent = owner_;
  // No close box, and Alt+F4 must not close it either: only the buttons do.
  p.ClassStyle |= CS_NOCLOSE;
  p.Background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);

  RECT frame = {0, 0, scale_.Length(layout_.ClientWidth), scale_.Length(layout_.ClientHeight)};
  AdjustWindowRectEx(&frame, p.Style, FALSE, p.ExStyle);
  p.Width = frame.right - frame.left;
  p.Height = frame.bottom - frame.top;
  const POINT origin = CentredOrigin(p.Width, p.Height);
  p.X = origin.x;
  p.Y = origin.y;
}

// On the owner when there is one, else on the screen.
POINT TLayoutDialog::CentredOrigin(int width, int height) const {
  RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (owner_)
    GetWindowRect(owner_, &area);
  return POINT{area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2};
}

void TLayoutDialog::CreateControls() {
  window_ = Handle();
  for (const TControlDef &row : layout_)
    CreateLayoutControl(window_, row, scale_, FontOf(row));
  ControlsCreated();
}

// The frame computed before creation may differ from the one the system draws; the client
// area is what the layout fixes.
void TLayoutDialog::FitClientArea() {
  HWND self = Handle();
  RECT client = {}, window = {};
  GetClientRect(self, &client);
  GetWindowRect(self, &window);
  const int dx = scale_.Length(layout_.ClientWidth) - client.right;
  const int dy = scale_.Length(layout_.ClientHeight) - client.bottom;
  if (dx == 0 && dy == 0)
    return;
  const int width = window.right - window.left + dx;
  const int height = window.bottom - window.top + dy;
  const POINT origin = CentredOrigin(width, height);
  SetWindowPos(self, nullptr, origin.x, origin.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND TLayoutDialog::Control(int id) const {
  return HandleAllocated() ? GetDlgItem(window_, id) : nullptr;
}

const TControlDef *TLayoutDialog::Row(int id) const {
  for (const TControlDef &row : layout_)
    if (row.Id == id)
      return &row;
  return nullptr;
}

HFONT TLayoutDialog::FontOf(const TControlDef &row) const {
  return static_cast<HFONT>(row.Font ? ownFont_.get() : font_.get());
}

void TLayoutDialog::ButtonClick(int id) {
  // The result comes first: whatever the click handler does, the dialog then closes.
  try {
    if (id == IDOK) {
      ModalResult = mrOk;
      OKBtnClick();
    } else if (id == IDCANCEL) {
      ModalResult = mrCancel;
    } else {
      ButtonClicked(id);
    }
  } catch (...) {
    Application.ShowException(std::current_exception());
  }
}

void TLayoutDialog::OnCommand(WORD id, WORD code) {
  const TControlDef *row = Row(id);
  if (!row || row->Kind != TControlKind::Button)
    return;
  switch (code) {
    case BN_CLICKED:
      ButtonClick(id);
      break;
    case BN_SETFOCUS:
    case BN_KILLFOCUS:
      PostMessageA(Handle(), kMsgUpdateDefaultButton, 0, 0);
      break;
  }
}

bool TLayoutDialog::IsPushButton(HWND control) const {
  const TControlDef *row = control ? Row(GetDlgCtrlID(control)) : nullptr;
  return row && row->Kind == TControlKind::Button && Control(row->Id) == control;
}

// The focused button is the one Enter presses; away from the buttons, OK is.
HWND TLayoutDialog::DefaultButton() const {
  const HWND focus = GetFocus();
  return IsPushButton(focus) ? focus : Control(IDOK);
}

// The thick frame marks the button Enter presses. The dialog manager strips it from every
// button when Tab moves the focus, so it is put back once the move is over.
void TLayoutDialog::UpdateDefaultButton() {
  const HWND to = DefaultButton();
  for (const TControlDef &row : layout_) {
    if (row.Kind != TControlKind::Button)
      continue;
    HWND button = Control(row.Id);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(button, GWL_STYLE));
    const DWORD type = button == to ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((style & BS_TYPEMASK) != type)
      SendMessageA(button, BM_SETSTYLE, (style & 0xFFFF & ~DWORD(BS_TYPEMASK)) | type, TRUE);
  }
}

bool TLayoutDialog::AnyListOpen() const {
  for (const TControlDef &row : layout_)
    if (row.Kind == TControlKind::ComboBox &&
        SendMessageA(Control(row.Id), CB_GETDROPPEDSTATE, 0, 0) != 0)
      return true;
  return false;
}

// The dialog manager serves Tab, Enter, Escape and the mnemonics. Two cases must not reach
// it: keys while a drop-down list is open, which belong to the list, and Enter or Escape
// with a modifier held, which press nothing. The open list runs no loop of its own (its
// keys are posted to the combo box, which keeps the focus), so the modal loop sees every
// key first, as a message filter hook would.
bool TLayoutDialog::PreTranslateMessage(const MSG &msg) {
  HWND self = HandleAllocated() ? Handle() : nullptr;
  if (!self || !IsKeyMessage(msg.message) || (msg.hwnd != self && !IsChild(self, msg.hwnd)))
    return false;
  const bool listOpen = AnyListOpen();
  const bool modifiedKey = msg.message == WM_KEYDOWN &&
                           (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) && ModifierHeld();
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && !listOpen)
    PostMessageA(self, kMsgUpdateDefaultButton, 0, 0);
  if (!listOpen && !modifiedKey)
    return false;
  MSG copy = msg;
  TranslateMessage(&copy);
  DispatchMessageA(&copy);
  return true;
}

bool TLayoutDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT &result) {
  switch (msg) {
    case WM_CREATE:
      CreateControls();
      FitClientArea();
      result = 0;
      return true;
    case WM_COMMAND:
      OnCommand(LOWORD(wp), HIWORD(wp));
      result = 0;
      return true;
    case DM_GETDEFID:
      result = MAKELRESULT(GetDlgCtrlID(DefaultButton()), DC_HASDEFID);
      return true;
    case WM_NEXTDLGCTL:
      // The dialog manager's way with a label's mnemonic: first to the label, then on to
      // the control after it in tab order.
      if (lp) {
        mnemonicFrom_ = reinterpret_cast<HWND>(wp);
      } else {
        HWND from = mnemonicFrom_ ? mnemonicFrom_ : GetFocus();
        mnemonicFrom_ = nullptr;
        if (HWND next = GetNextDlgTabItem(Handle(), from, wp != 0))
          SetFocus(next);
      }
      result = 0;
      return true;
    case kMsgUpdateDefaultButton:
      UpdateDefaultButton();
      result = 0;
      return true;
    case WM_DRAWITEM: {
      const auto *item = reinterpret_cast<const DRAWITEMSTRUCT *>(lp);
      const TControlDef *row = Row(static_cast<int>(item->CtlID));
      if (!row || row->Kind != TControlKind::Label)
        return false;
      DrawLayoutLabel(*item, *row, FontOf(*row));
      result = TRUE;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wp);
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      return true;
    }
    case WM_ACTIVATE:
      // As a dialog does: the focus leaves with the activation and comes back to the same
      // control.
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus))
          focused_ = focus;
      } else if (focused_) {
        SetFocus(focused_);
      }
      result = 0;
      return true;
    case WM_SETFOCUS:
      if (focused_)
        SetFocus(focused_);
      result = 0;
      return true;
  }
  return TForm::HandleMessage(msg, wp, lp, result);
}
