// Ownership of Win32 handles: one unique-handle template. Its traits name the handle type,
// the value that means "no handle" and how a handle is given back; the traits object is
// kept with the handle, so giving back may need more than the handle (the window a DC came
// from, the DC an object was selected into).
#pragma once

#include <windows.h>

#include <utility>

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle h, Traits traits = Traits()) : h_(h), traits_(std::move(traits)) {}
  UniqueHandle(const UniqueHandle &) = delete;
  UniqueHandle &operator=(const UniqueHandle &) = delete;
  UniqueHandle(UniqueHandle &&o) noexcept : h_(o.release()), traits_(std::move(o.traits_)) {}
  UniqueHandle &operator=(UniqueHandle &&o) noexcept {
    if (this != &o) {
      reset();  // given back the way it was taken, before the traits change
      traits_ = std::move(o.traits_);
      h_ = o.release();
    }
    return *this;
  }
  ~UniqueHandle() { reset(); }

  Handle get() const { return h_; }
  explicit operator bool() const { return h_ != Traits::Invalid(); }
  Handle release() { return std::exchange(h_, Traits::Invalid()); }
  // Takes h (with the traits as they are) and gives back the handle held before.
  void reset(Handle h = Traits::Invalid()) {
    const Handle old = std::exchange(h_, h);
    if (old != Traits::Invalid())
      traits_.Close(old);
  }
  const Traits &traits() const { return traits_; }
  Traits &traits() { return traits_; }

 private:
  Handle h_ = Traits::Invalid();
  Traits traits_;
};

// Most handles mean "none" by null.
template <typename T>
struct NullInvalid {
  using Handle = T;
  static T Invalid() { return nullptr; }
};

struct GdiObjectTraits : NullInvalid<HGDIOBJ> {
  void Close(HGDIOBJ h) const { DeleteObject(h); }
};
struct MemoryDcTraits : NullInvalid<HDC> {
  void Close(HDC h) const { DeleteDC(h); }
};
struct LibraryTraits : NullInvalid<HMODULE> {
  void Close(HMODULE h) const { FreeLibrary(h); }
};
struct RegKeyTraits : NullInvalid<HKEY> {
  void Close(HKEY h) const { RegCloseKey(h); }
};
// Threads, events, processes: null when there is none.
struct KernelHandleTraits : NullInvalid<HANDLE> {
  void Close(HANDLE h) const { CloseHandle(h); }
};
// Files and snapshots: INVALID_HANDLE_VALUE when there is none, and null is never closed
// either.
struct FileHandleTraits {
  using Handle = HANDLE;
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  void Close(HANDLE h) const {
    if (h)
      CloseHandle(h);
  }
};
// A DC from GetDC goes back to the window it came from.
struct WindowDcTraits : NullInvalid<HDC> {
  WindowDcTraits() = default;
  explicit WindowDcTraits(HWND window) : Window(window) {}
  void Close(HDC h) const { ReleaseDC(Window, h); }
  HWND Window = nullptr;
};
// A window's painting ends in the window it began in, with what BeginPaint filled in.
struct PaintTraits : NullInvalid<HDC> {
  PaintTraits() = default;
  explicit PaintTraits(HWND window) : Window(window) {}
  void Close(HDC) const { EndPaint(Window, &Paint); }
  HWND Window = nullptr;
  PAINTSTRUCT Paint = {};
};
// The object a selection replaced goes back into the DC it was replaced in.
struct SelectionTraits : NullInvalid<HGDIOBJ> {
  SelectionTraits() = default;
  explicit SelectionTraits(HDC dc) : Dc(dc) {}
  void Close(HGDIOBJ previous) const { SelectObject(Dc, previous); }
  HDC Dc = nullptr;
};

using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueLibrary = UniqueHandle<LibraryTraits>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;

// A window's device context (the screen's for a null window). A UniqueHandle whose only
// addition is taking the DC; not an alias, so that WindowDc(nullptr) means the screen's DC
// rather than no DC.
class WindowDc : public UniqueHandle<WindowDcTraits> {
 public:
  WindowDc() = default;
  explicit WindowDc(HWND hwnd) : UniqueHandle(GetDC(hwnd), WindowDcTraits(hwnd)) {}
};

// The DC of one WM_PAINT: BeginPaint now, EndPaint when it goes.
class PaintDc : public UniqueHandle<PaintTraits> {
 public:
  explicit PaintDc(HWND window) : UniqueHandle(nullptr, PaintTraits(window)) {
    reset(BeginPaint(window, &traits().Paint));
  }
  const RECT &Area() const { return traits().Paint.rcPaint; }
};

// Selects an object into a DC for the guard's lifetime and puts the previous object back
// into that same DC. Movable, so a guard can be a member set after construction.
class SelectGuard : public UniqueHandle<SelectionTraits> {
 public:
  SelectGuard() = default;
  SelectGuard(HDC dc, HGDIOBJ obj) : UniqueHandle(Select(dc, obj), SelectionTraits(dc)) {}

 private:
  static HGDIOBJ Select(HDC dc, HGDIOBJ obj) {
    const HGDIOBJ previous = SelectObject(dc, obj);
    return previous == HGDI_ERROR ? nullptr : previous;
  }
};
