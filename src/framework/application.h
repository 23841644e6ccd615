// The program object: the invisible application window that owns the top-level windows
// and is the taskbar entry while visible, the message loop and the error box.
#pragma once

#include <windows.h>

#include <atomic>
#include <exception>
#include <functional>
#include <string>

class TForm;

class TApplication {
 public:
  // Creates the application window (invisible, no size). The icon is the program's: the
  // taskbar shows it for this window, and forms that name no icon of their own take it.
  // False when the window could not be made; a program may run on without it (its forms
  // then have no owner).
  bool Initialize(HINSTANCE instance, HICON icon = nullptr);
  HINSTANCE Instance() const { return instance_; }
  HWND Handle() const { return handle_; }
  HICON Icon() const { return icon_; }

  // The form whose close ends the message loop.
  TForm *MainForm = nullptr;

  // Retrieves and dispatches messages, waiting when there are none, until WM_QUIT.
  void Run();

  // Shows an error as the framework reports errors of event handlers: stop icon, OK
  // button, the title as caption, the message with a full stop appended.
  void ShowError(const std::string &message) const;
  // Reports an error of an event handler: to OnException when set, else in the error box.
  void ShowException(std::exception_ptr error) const;
  // Where errors of event handlers go instead of the box (a log, a test). Must not throw.
  std::function<void(std::exception_ptr)> OnException;

  // What the program does after an error it cannot go on from (a worker's step failed):
  // tell the user, for instance with ShowFatalError, and end the process with the program's
  // own exit code. It must not return. A plain function: the program sets it once.
  void (*OnFatalError)(const std::string &message) = nullptr;
  // Reports an error the program cannot go on from to OnFatalError. From the start no form
  // closes any more, so input cannot end the program as if all went well before the user
  // has seen the error. UI thread. Without a callback, or if it returns, the process aborts.
  [[noreturn]] void Terminate(const std::string &message);
  // The error box for such an error: owned by the main form's window and kept above it,
  // so that window takes no input while the box is up. Returns when the user closed it.
  void ShowFatalError(const std::string &message) const;
  bool Terminating() const { return terminating_; }

 private:
  HINSTANCE instance_ = nullptr;
  HWND handle_ = nullptr;
  HICON icon_ = nullptr;
  std::string title_;
  std::atomic<bool> terminating_{false};
};

extern TApplication Application;

// The message of an exception, UTF-8 for exceptions the program raises itself.
std::string ExceptionMessage(std::exception_ptr error);
