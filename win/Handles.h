#pragma once
// Owners for the system handles the program holds.
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <type_traits>

namespace win {

template <auto Close>
struct Closer {
  template <typename H>
  void operator()(H handle) const noexcept { Close(handle); }
};

template <typename H, auto Close>
using Owned = std::unique_ptr<std::remove_pointer_t<H>, Closer<Close>>;

using BitmapHandle = Owned<HBITMAP, DeleteObject>;
using DcHandle = Owned<HDC, DeleteDC>;
using MenuHandle = Owned<HMENU, DestroyMenu>;
using IconHandle = Owned<HICON, DestroyIcon>;
using DropHandle = Owned<HDROP, DragFinish>;
using FileHandle = Owned<HANDLE, CloseHandle>;

// CreateFile reports failure as INVALID_HANDLE_VALUE, not null.
inline FileHandle OwnFile(HANDLE handle) {
  return FileHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

}  // namespace win
