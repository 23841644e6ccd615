#include "application.h"

#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "form.h"
#include "system.h"

TApplication Application;

namespace {

const char kAppClass[] = "TApplication";

LRESULT CALLBACK AppWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcA(hwnd, msg, wp, lp);
}

// UTF-16 text, zero-terminated. (A vector, not std::wstring: the wide string's library
// code would add a tenth to the program's size for this one use.)
// Windows 95 knows no UTF-8 code page: there the text is read in the system's code page,
// which still shows every ASCII message right instead of an empty box.
std::vector<wchar_t> Widen(const std::string &utf8) {
  UINT codePage = CP_UTF8;
  int n = MultiByteToWideChar(codePage, 0, utf8.c_str(), -1, nullptr, 0);
  if (n <= 0) {
    codePage = CP_ACP;
    n = MultiByteToWideChar(codePage, 0, utf8.c_str(), -1, nullptr, 0);
  }
  std::vector<wchar_t> w(static_cast<size_t>(n > 0 ? n : 1), L'\0');
  if (n > 0)
    MultiByteToWideChar(codePage, 0, utf8.c_str(), -1, w.data(), n);
  return w;
}

// A stop-sign box with the message as a sentence. Unicode: the program's own messages are
// UTF-8 and must read right on any locale.
void ErrorBox(HWND owner, const std::string &title, const std::string &message, UINT flags) {
  MessageBoxW(owner, Widen(message + ".").data(), Widen(title).data(), MB_OK | MB_ICONSTOP | flags);
}

}  // namespace

bool TApplication::Initialize(HINSTANCE instance, HICON icon) {
  instance_ = instance;
  icon_ = icon;
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  title_ = ProgramTitleFromPath(path);

  WNDCLASSA wc = {};
  wc.lpfnWndProc = AppWndProc;
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = kAppClass;
  if (RegisterWindowClass(wc) != 0)
    return false;
  handle_ = CreateWindowExA(0, kAppClass, title_.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0,
                            0, nullptr, nullptr, instance, nullptr);
  return handle_ != nullptr;
}

void TApplication::Run() {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void TApplication::ShowError(const std::string &message) const {
  ErrorBox(nullptr, title_, message, MB_TASKMODAL);
}

void TApplication::Terminate(const std::string &message) {
  terminating_ = true;
  if (OnFatalError)
    OnFatalError(message);
  std::abort();
}

void TApplication::ShowFatalError(const std::string &message) const {
  HWND owner = MainForm && MainForm->HandleAllocated() ? MainForm->Handle() : nullptr;
  // Owned by the full-screen window, the box sits above it and the window takes no input
  // while it is up; topmost as well, so no other topmost window can hide it.
  const UINT modality = owner ? MB_APPLMODAL : MB_TASKMODAL;
  ErrorBox(owner, title_, message, MB_TOPMOST | MB_SETFOREGROUND | modality);
}

void TApplication::ShowException(std::exception_ptr error) const {
  if (OnException) {
    OnException(error);
    return;
  }
  ShowError(ExceptionMessage(error));
}

std::string ExceptionMessage(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception &e) {
    return e.what();
  } catch (...) {
    return "Unknown error";
  }
}
