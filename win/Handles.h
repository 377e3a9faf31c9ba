#pragma once
// Owners for the system handles the program holds.
#include <windows.h>
#include <shellapi.h>
#include <commctrl.h>

#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <type_traits>

namespace win {

template <auto Close>
struct Closer {
  template <typename H>
  void operator()(H handle) const noexcept {
    Close(handle);
  }
};

template <typename H, auto Close>
using Owned = std::unique_ptr<std::remove_pointer_t<H>, Closer<Close>>;

using BitmapHandle = Owned<HBITMAP, DeleteObject>;
using DcHandle = Owned<HDC, DeleteDC>;
using MenuHandle = Owned<HMENU, DestroyMenu>;
using IconHandle = Owned<HICON, DestroyIcon>;
using DropHandle = Owned<HDROP, DragFinish>;
using FileHandle = Owned<HANDLE, CloseHandle>;
using ImageListHandle = Owned<HIMAGELIST, ImageList_Destroy>;
using FontHandle = Owned<HFONT, DeleteObject>;
using HookHandle = Owned<HHOOK, UnhookWindowsHookEx>;
using GlobalHandle = Owned<HGLOBAL, GlobalFree>;

// CreateFile reports failure as INVALID_HANDLE_VALUE, not null.
inline FileHandle OwnFile(HANDLE handle) { return FileHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle); }
using SearchHandle = Owned<HANDLE, FindClose>;
inline SearchHandle OwnSearch(HANDLE handle) { return SearchHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle); }

// A window's device context, from GetDC, or the screen's for a null window.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDc() { ReleaseDC(hwnd_, dc_); }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// The device context of one WM_PAINT, ended however the painting ends.
class PaintDc {
 public:
  explicit PaintDc(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &paint_)) {}
  ~PaintDc() { EndPaint(hwnd_, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// An object selected into a device context until the end of the scope.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() { SelectObject(dc_, previous_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// The clipboard, opened for `owner` if no one else holds it, closed again at
// the end of the scope.
class ClipboardLock {
 public:
  explicit ClipboardLock(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~ClipboardLock() {
    if (open_) CloseClipboard();
  }
  ClipboardLock(const ClipboardLock&) = delete;
  ClipboardLock& operator=(const ClipboardLock&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

// Puts the text on the open clipboard in this format (CF_TEXT or CF_UNICODETEXT).
template <typename Char>
void SetClipboardText(UINT format, const std::basic_string<Char>& text) {
  const size_t bytes = (text.size() + 1) * sizeof(Char);
  GlobalHandle memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) throw std::bad_alloc();
  std::memcpy(GlobalLock(memory.get()), text.c_str(), bytes);
  GlobalUnlock(memory.get());
  // Once set, the memory belongs to the clipboard.
  if (SetClipboardData(format, memory.get())) memory.release();
}

}  // namespace win
