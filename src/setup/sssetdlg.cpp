#include "sssetdlg.h"

#include <commctrl.h>

#include <cstring>
#include <exception>
#include <string>

#include "application.h"
#include "layout_setupdlg.h"

namespace {

bool ModifierHeld() {
  return ((GetKeyState(VK_SHIFT) | GetKeyState(VK_CONTROL) | GetKeyState(VK_MENU)) & 0x8000) != 0;
}

bool IsKeyMessage(UINT msg) {
  return msg >= WM_KEYFIRST && msg <= WM_KEYLAST;
}

// Posted to itself whenever the focus may have moved between or away from the buttons.
constexpr UINT kMsgUpdateDefaultButton = WM_APP + 1;

int TrackBarPosition(HWND bar) {
  return static_cast<int>(SendMessageA(bar, TBM_GETPOS, 0, 0));
}

// A time from the file as a trackbar position: whole seconds, the fraction dropped, kept
// within the bar's range.
int SecondsPosition(int32_t milliseconds, const TTrackBarDef &bar) {
  const int32_t seconds = milliseconds / 1000;
  if (seconds < bar.Min)
    return bar.Min;
  if (seconds > bar.Max)
    return bar.Max;
  return static_cast<int>(seconds);
}

}  // namespace

TScrnSaveSetupDlg::TScrnSaveSetupDlg() {
  Color = GetSysColor(COLOR_BTNFACE);
}

TScrnSaveSetupDlg::~TScrnSaveSetupDlg() {
  FormDestroy();
  // The controls go before the fonts they were given.
  if (HandleAllocated())
    DestroyWindow(Handle());
}

void TScrnSaveSetupDlg::AdjustWindowParams(TCreateParams &p) {
  const TFormLayout &layout = ScrnSaveSetupDlgLayout();
  scale_ = MeasureLayoutScale(layout.Font);
  font_ = CreateLayoutFont(layout.Font, FontHeightForDpi(layout.Font.Height, scale_.Dpi()));
  for (const TControlDef &row : layout)
    if (row.Font)
      creditFont_ = CreateLayoutFont(*row.Font, scale_.OwnFontHeight(row.Font->Height));

  p.Caption = layout.Caption;
  p.ClassName = "TScrnSaveSetupDlg";
  p.Style |= layout.Style;
  p.ExStyle |= layout.ExStyle;
  // No close box, and Alt+F4 must not close it either: only the buttons do.
  p.ClassStyle |= CS_NOCLOSE;
  p.Background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);

  RECT frame = {0, 0, scale_.Length(layout.ClientWidth), scale_.Length(layout.ClientHeight)};
  AdjustWindowRectEx(&frame, p.Style, FALSE, p.ExStyle);
  p.Width = frame.right - frame.left;
  p.Height = frame.bottom - frame.top;
  p.X = (GetSystemMetrics(SM_CXSCREEN) - p.Width) / 2;
  p.Y = (GetSystemMetrics(SM_CYSCREEN) - p.Height) / 2;
}

// Each control of the layout goes to the member of its name.
void TScrnSaveSetupDlg::CreateControls() {
  const struct {
    const char *Name;
    HWND TScrnSaveSetupDlg::*Control;
  } members[] = {
      {"TimerBar", &TScrnSaveSetupDlg::TimerBar},   {"OKBtn", &TScrnSaveSetupDlg::OKBtn},
      {"CancelBtn", &TScrnSaveSetupDlg::CancelBtn}, {"Label2", &TScrnSaveSetupDlg::Label2},
      {"SortFlag", &TScrnSaveSetupDlg::SortFlag},   {"NoAnsRate", &TScrnSaveSetupDlg::NoAnsRate},
      {"Label1", &TScrnSaveSetupDlg::Label1},       {"Label3", &TScrnSaveSetupDlg::Label3},
      {"TimerBar2", &TScrnSaveSetupDlg::TimerBar2}, {"Label4", &TScrnSaveSetupDlg::Label4},
  };
  HWND self = Handle();
  for (const TControlDef &row : ScrnSaveSetupDlgLayout()) {
    HWND control = CreateLayoutControl(self, row, scale_, FontOf(row));
    for (const auto &m : members)
      if (std::strcmp(m.Name, row.Name) == 0)
        this->*m.Control = control;
  }
  focused_ = SortFlag;
}

// The frame computed before creation may differ from the one the system draws; the client
// area is what the layout fixes.
void TScrnSaveSetupDlg::FitClientArea() {
  const TFormLayout &layout = ScrnSaveSetupDlgLayout();
  HWND self = Handle();
  RECT client = {}, window = {};
  GetClientRect(self, &client);
  GetWindowRect(self, &window);
  const int dx = scale_.Length(layout.ClientWidth) - client.right;
  const int dy = scale_.Length(layout.ClientHeight) - client.bottom;
  if (dx == 0 && dy == 0)
    return;
  const int width = window.right - window.left + dx;
  const int height = window.bottom - window.top + dy;
  SetWindowPos(self, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void TScrnSaveSetupDlg::FormCreate() {
  if (!Handle())
    return;
  Settings = std::make_unique<TSettingsFile>(SettingsFileName);
  const SaverSettings s = LoadSettings(*Settings);

  SendMessageA(SortFlag, BM_SETCHECK, s.Sort ? BST_CHECKED : BST_UNCHECKED, 0);

  const int items = static_cast<int>(SendMessageA(NoAnsRate, CB_GETCOUNT, 0, 0));
  const bool listed = s.NoAnsRate >= 0 && s.NoAnsRate < items;
  SendMessageA(NoAnsRate, CB_SETCURSEL, listed ? WPARAM(s.NoAnsRate) : WPARAM(-1), 0);

  SendMessageA(TimerBar, TBM_SETPOS, TRUE,
               SecondsPosition(s.SleepTime, *Row(kIdTimerBar)->TrackBar));
  SendMessageA(TimerBar2, TBM_SETPOS, TRUE,
               SecondsPosition(s.SleepTime2, *Row(kIdTimerBar2)->TrackBar));
  timerBarPosition_ = TrackBarPosition(TimerBar);
  timerBar2Position_ = TrackBarPosition(TimerBar2);
  TimerBarChange();
}

void TScrnSaveSetupDlg::FormDestroy() {
  Settings.reset();
}

void TScrnSaveSetupDlg::TimerBarChange() {
  SetLabel(Label2, kIdLabel2, "Interval(Q) : ", timerBarPosition_);
  SetLabel(Label3, kIdLabel3, "Interval(A) : ", timerBar2Position_);
}

void TScrnSaveSetupDlg::SetLabel(HWND label, int id, const char *prefix, int seconds) {
  const std::string text = prefix + std::to_string(seconds) + " Sec";
  SetWindowTextA(label, text.c_str());
  FitLabelToText(label, *Row(id), FontOf(*Row(id)));
}

void TScrnSaveSetupDlg::OKBtnClick() {
  if (!Settings)
    return;
  SaverSettings s;
  s.Sort = SendMessageA(SortFlag, BM_GETCHECK, 0, 0) == BST_CHECKED;
  s.NoAnsRate = static_cast<int32_t>(SendMessageA(NoAnsRate, CB_GETCURSEL, 0, 0));
  s.SleepTime = TrackBarPosition(TimerBar) * 1000;
  s.SleepTime2 = TrackBarPosition(TimerBar2) * 1000;
  SaveSettings(*Settings, s);
}

void TScrnSaveSetupDlg::ButtonClick(int modalResult) {
  // The result comes first: whatever the click handler does, the dialog then closes.
  ModalResult = modalResult;
  if (modalResult != mrOk)
    return;
  try {
    OKBtnClick();
  } catch (...) {
    Application.ShowException(std::current_exception());
  }
}

void TScrnSaveSetupDlg::OnCommand(WORD id, WORD code) {
  if (id != kIdOKBtn && id != kIdCancelBtn)
    return;
  switch (code) {
    case BN_CLICKED:
      ButtonClick(id == kIdOKBtn ? mrOk : mrCancel);
      break;
    case BN_SETFOCUS:
    case BN_KILLFOCUS:
      PostMessageA(Handle(), kMsgUpdateDefaultButton, 0, 0);
      break;
  }
}

// The focused button is the one Enter presses; away from the buttons, OK is.
HWND TScrnSaveSetupDlg::DefaultButton() const {
  return GetFocus() == CancelBtn ? CancelBtn : OKBtn;
}

// The thick frame marks the button Enter presses. The dialog manager strips it from every
// button when Tab moves the focus, so it is put back once the move is over.
void TScrnSaveSetupDlg::UpdateDefaultButton() {
  const HWND to = DefaultButton();
  for (HWND button : {OKBtn, CancelBtn}) {
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(button, GWL_STYLE));
    const DWORD type = button == to ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((style & BS_TYPEMASK) != type)
      SendMessageA(button, BM_SETSTYLE, (style & 0xFFFF & ~DWORD(BS_TYPEMASK)) | type, TRUE);
  }
}

const TControlDef *TScrnSaveSetupDlg::Row(int id) const {
  for (const TControlDef &row : ScrnSaveSetupDlgLayout())
    if (row.Id == id)
      return &row;
  return nullptr;
}

HFONT TScrnSaveSetupDlg::FontOf(const TControlDef &row) const {
  return static_cast<HFONT>(row.Font ? creditFont_.get() : font_.get());
}

// The dialog manager serves Tab, Enter, Escape and the mnemonics. Two cases must not reach
// it: keys while the list of NoAnsRate is open, which belong to the list, and Enter or
// Escape with a modifier held, which press nothing. The open list runs no loop of its own
// (its keys are posted to the combo box, which keeps the focus), so the modal loop sees
// every key first, as a message filter hook would.
bool TScrnSaveSetupDlg::PreTranslateMessage(const MSG &msg) {
  HWND self = HandleAllocated() ? Handle() : nullptr;
  if (!self || !IsKeyMessage(msg.message) || (msg.hwnd != self && !IsChild(self, msg.hwnd)))
    return false;
  const bool listOpen = SendMessageA(NoAnsRate, CB_GETDROPPEDSTATE, 0, 0) != 0;
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

bool TScrnSaveSetupDlg::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT &result) {
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
    case kMsgUpdateDefaultButton:
      UpdateDefaultButton();
      result = 0;
      return true;
    case WM_HSCROLL: {
      HWND bar = reinterpret_cast<HWND>(lp);
      if (bar != TimerBar && bar != TimerBar2)
        return false;
      (bar == TimerBar ? timerBarPosition_ : timerBar2Position_) = TrackBarPosition(bar);
      TimerBarChange();
      result = 0;
      return true;
    }
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
