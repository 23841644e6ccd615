// The form: one object per Win32 window. The window is created on first use of Handle(),
// from creation parameters that a derived form may change; messages reach the object's
// single-message handler and its named events.
#pragma once

#include <windows.h>

#include <string>

struct TCreateParams {
  std::string Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = CW_USEDEFAULT;
  int Y = CW_USEDEFAULT;
  int Width = CW_USEDEFAULT;
  int Height = CW_USEDEFAULT;
  HWND WndParent = nullptr;
  // Window class.
  std::string ClassName;
  UINT ClassStyle = 0;
  HBRUSH Background = nullptr;
  HICON Icon = nullptr;  // the form defaults give the application's
};

// Registers the class unless one of that name exists. A class of that name with another
// style, procedure or background would silently give the window what it did not ask for,
// so that fails too, with ERROR_CLASS_ALREADY_EXISTS. Returns 0 or the system's error code.
DWORD RegisterWindowClass(const WNDCLASSA &wc);

class TForm {
 public:
  virtual ~TForm();
  TForm(const TForm &) = delete;
  TForm &operator=(const TForm &) = delete;

  // Runs the create event, with errors reported. Call once, right after construction.
  void Create();

  // The Win32 window, created on first use. Null once it has been destroyed, or when it
  // could not be made; CreateError then says why.
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  // The system's error code for a class that would not register or a window that would
  // not be created (ERROR_CANCELLED when the form's own handlers refused it); 0 otherwise.
  DWORD CreateError() const { return createError_; }

  // Runs the show event, then shows the window.
  void Show(int showCommand);
  // Close query, then (if allowed) the close event, then the quit message for the main form.
  void Close();
  // Shows the form modally until ModalResult is set; returns it.
  int ShowModal();
  int ModalResult = 0;

 protected:
  TForm() = default;

  // Position and size that the created window takes (set before the handle exists).
  int Left = CW_USEDEFAULT, Top = CW_USEDEFAULT, Width = 0, Height = 0;
  COLORREF Color = RGB(0, 0, 0);

  // Changes the form defaults before the window is created.
  virtual void AdjustWindowParams(TCreateParams &) {}
  // One message; return true when handled, with result set.
  virtual bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT &result);
  // Sees each message of the modal loop before the dialog manager does. Return true when
  // the form has dealt with it (dispatched it itself, say); the loop then leaves it alone.
  virtual bool PreTranslateMessage(const MSG &) { return false; }
  LRESULT DefaultHandler(UINT msg, WPARAM wp, LPARAM lp);

  // Named events.
  virtual void FormCreate() {}
  virtual void FormShow() {}
  virtual void FormCloseQuery(bool & /*CanClose*/) {}
  virtual void FormClose() {}
  virtual void FormKeyDown(WPARAM /*key*/) {}
  virtual void FormMouseDown(UINT /*button message*/) {}
  virtual void FormMouseMove() {}

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
  bool CloseQuery();
  bool PreTranslate(const MSG &msg);
  void DefaultParams(TCreateParams &params) const;
  void CreateHandle();

  HWND handle_ = nullptr;
  bool destroyed_ = false;
  DWORD createError_ = 0;
};
