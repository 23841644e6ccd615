#include "form.h"

#include <exception>

#include "application.h"

DWORD RegisterWindowClass(const WNDCLASSA &wc) {
  WNDCLASSA existing;
  if (GetClassInfoA(wc.hInstance, wc.lpszClassName, &existing)) {
    const bool same = existing.style == wc.style && existing.lpfnWndProc == wc.lpfnWndProc &&
                      existing.hbrBackground == wc.hbrBackground;
    return same ? 0 : ERROR_CLASS_ALREADY_EXISTS;
  }
  if (RegisterClassA(&wc))
    return 0;
  const DWORD error = GetLastError();
  return error ? error : ERROR_CLASS_ALREADY_EXISTS;
}

TForm::~TForm() {
  if (handle_)
    DestroyWindow(handle_);
}

void TForm::Create() {
  try {
    FormCreate();
  } catch (...) {
    Application.ShowException(std::current_exception());
  }
}

HWND TForm::Handle() {
  if (!handle_ && !destroyed_)
    CreateHandle();
  return handle_;
}

void TForm::DefaultParams(TCreateParams &p) const {
  p.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  p.ExStyle = WS_EX_CONTROLPARENT;
  p.X = Left;
  p.Y = Top;
  p.Width = Width;
  p.Height = Height;
  p.WndParent = Application.Handle();
  p.ClassStyle = CS_DBLCLKS;
  p.Icon = Application.Icon();
}

void TForm::CreateHandle() {
  TCreateParams p;
  DefaultParams(p);
  AdjustWindowParams(p);
  WNDCLASSA wc = {};
  wc.style = p.ClassStyle;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = Application.Instance();
  wc.hIcon = p.Icon;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = p.Background;
  wc.lpszClassName = p.ClassName.c_str();
  createError_ = RegisterWindowClass(wc);
  if (createError_ == 0) {
    // The window procedure attaches this object at WM_NCCREATE and sets handle_.
    SetLastError(0);
    HWND h = CreateWindowExA(p.ExStyle, wc.lpszClassName, p.Caption.c_str(), p.Style, p.X, p.Y,
                             p.Width, p.Height, p.WndParent, nullptr, wc.hInstance, this);
    if (!h)
      createError_ = GetLastError() ? GetLastError() : DWORD(ERROR_CANCELLED);
  }
  if (createError_ != 0)
    destroyed_ = true;  // never try again: a form whose window cannot exist stays without one
}

void TForm::Show(int showCommand) {
  try {
    FormShow();
  } catch (...) {
    Application.ShowException(std::current_exception());
  }
  ShowWindow(Handle(), showCommand);
}

bool TForm::CloseQuery() {
  bool canClose = true;
  FormCloseQuery(canClose);
  return canClose;
}

void TForm::Close() {
  // A program that is ending on an error closes nothing: its error box must be seen.
  if (Application.Terminating() || !CloseQuery())
    return;
  FormClose();
  if (Application.MainForm == this)
    PostQuitMessage(0);
}

int TForm::ShowModal() {
  ModalResult = 0;
  HWND self = Handle();
  if (!self)
    return ModalResult;
  // A dialog opened from another one holds off its owner, not the application window.
  HWND owner = GetWindow(self, GW_OWNER);
  if (!owner)
    owner = Application.Handle();
  EnableWindow(owner, FALSE);
  Show(SW_SHOWNORMAL);
  MSG msg;
  while (ModalResult == 0 && IsWindow(self)) {
    BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0)
        PostQuitMessage(static_cast<int>(msg.wParam));  // leave WM_QUIT for the outer loop
      break;
    }
    if (PreTranslate(msg))
      continue;
    if (!IsDialogMessageA(self, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  EnableWindow(owner, TRUE);
  if (IsWindow(self))
    ShowWindow(self, SW_HIDE);
  return ModalResult;
}

bool TForm::PreTranslate(const MSG &msg) {
  try {
    return PreTranslateMessage(msg);
  } catch (...) {
    Application.ShowException(std::current_exception());
    return true;
  }
}

// Made again only when the colour has changed: erasing makes no GDI object.
HBRUSH TForm::BackgroundBrush() {
  if (!background_ || backgroundColor_ != Color) {
    background_.reset(CreateSolidBrush(Color));
    backgroundColor_ = Color;
  }
  return static_cast<HBRUSH>(background_.get());
}

LRESULT TForm::DefaultHandler(UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcA(handle_, msg, wp, lp);
}

bool TForm::HandleMessage(UINT msg, WPARAM wp, LPARAM, LRESULT &result) {
  switch (msg) {
    case WM_CLOSE:
      Close();
      result = 0;
      return true;
    case WM_QUERYENDSESSION:
      result = CloseQuery() ? TRUE : FALSE;
      return true;
    case WM_ERASEBKGND: {
      RECT rc;
      GetClientRect(handle_, &rc);
      FillRect(reinterpret_cast<HDC>(wp), &rc, BackgroundBrush());
      result = 1;
      return true;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      FormKeyDown(wp);
      result = 0;
      return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      FormMouseDown(msg);
      result = 0;
      return true;
    case WM_MOUSEMOVE:
      FormMouseMove();
      result = 0;
      return true;
  }
  return false;
}

LRESULT TForm::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  LRESULT result = 0;
  if (HandleMessage(msg, wp, lp, result))
    return result;
  return DefaultHandler(msg, wp, lp);
}

LRESULT CALLBACK TForm::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == WM_NCCREATE) {
    auto *form = static_cast<TForm *>(reinterpret_cast<CREATESTRUCTA *>(lp)->lpCreateParams);
    form->handle_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto *form = reinterpret_cast<TForm *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!form)
    return DefWindowProcA(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    form->handle_ = nullptr;
    form->destroyed_ = true;
    return DefWindowProcA(hwnd, msg, wp, lp);
  }
  // Exceptions must not unwind into user32: report them as event errors.
  try {
    return form->Dispatch(msg, wp, lp);
  } catch (...) {
    Application.ShowException(std::current_exception());
    return 0;
  }
}
