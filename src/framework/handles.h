// Ownership of Win32 handles: one unique-handle template with a deleter per kind, and one
// guard that selects an object into a device context and puts the previous one back.
#pragma once

#include <windows.h>

#include <utility>

template <typename T, typename Deleter>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(T h) : h_(h) {}
  UniqueHandle(const UniqueHandle &) = delete;
  UniqueHandle &operator=(const UniqueHandle &) = delete;
  UniqueHandle(UniqueHandle &&o) noexcept : h_(o.release()) {}
  UniqueHandle &operator=(UniqueHandle &&o) noexcept {
    reset(o.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  T get() const { return h_; }
  explicit operator bool() const { return h_ != T(); }
  T release() { return std::exchange(h_, T()); }
  void reset(T h = T()) {
    T old = std::exchange(h_, h);
    if (old != T())
      Deleter()(old);
  }

 private:
  T h_ = T();
};

struct GdiObjectDeleter {
  void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct MemoryDcDeleter {
  void operator()(HDC h) const { DeleteDC(h); }
};
struct LibraryDeleter {
  void operator()(HMODULE h) const { FreeLibrary(h); }
};
struct RegKeyDeleter {
  void operator()(HKEY h) const { RegCloseKey(h); }
};
struct KernelHandleDeleter {
  void operator()(HANDLE h) const { CloseHandle(h); }
};

using UniqueGdiObject = UniqueHandle<HGDIOBJ, GdiObjectDeleter>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcDeleter>;
using UniqueLibrary = UniqueHandle<HMODULE, LibraryDeleter>;
using UniqueRegKey = UniqueHandle<HKEY, RegKeyDeleter>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleDeleter>;

// A window's device context from GetDC, given back with ReleaseDC to the same window.
class WindowDc {
 public:
  WindowDc() = default;
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  WindowDc(const WindowDc &) = delete;
  WindowDc &operator=(const WindowDc &) = delete;
  ~WindowDc() { reset(); }
  HDC get() const { return dc_; }
  void reset() {
    if (dc_)
      ReleaseDC(hwnd_, dc_);
    dc_ = nullptr;
  }

 private:
  HWND hwnd_ = nullptr;
  HDC dc_ = nullptr;
};

// Selects an object into a DC for the guard's lifetime; restores the previous object into
// that same DC.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ obj) : dc_(dc), previous_(SelectObject(dc, obj)) {}
  SelectGuard(const SelectGuard &) = delete;
  SelectGuard &operator=(const SelectGuard &) = delete;
  ~SelectGuard() {
    if (previous_ && previous_ != HGDI_ERROR)
      SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};
