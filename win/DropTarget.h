#pragma once
// Drops onto a window: file lists from the shell, and links from browsers,
// which offer no file list, only a virtual shortcut file and URL texts.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <wrl/client.h>

#include <functional>
#include <string>
#include <vector>

#include "text/InternetShortcut.h"

namespace win {

// The names of a shell drop in the shell's order (ANSI), each taken whole
// however long it is.
std::vector<std::string> DroppedFileNames(HDROP drop);

// OLE on this thread while alive; drop targets need it.
class OleSession {
 public:
  OleSession() : initialized_(SUCCEEDED(OleInitialize(nullptr))) {}
  ~OleSession() {
    if (initialized_) OleUninitialize();
  }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

 private:
  bool initialized_;
};

// Takes, in this order: a shell file list with at least one name; a virtual
// shortcut (FileGroupDescriptorW + FileContents); text/x-moz-url;
// UniformResourceLocatorW; a text that is one web URL. The first of these
// that the data offers decides, except that an empty file list and a virtual
// file without a URL= line give way to the next. Offers DROPEFFECT_COPY, or
// DROPEFFECT_LINK where the source allows only that, and DROPEFFECT_NONE
// for what would not be kept: a file list without a ".url" name, a URL that
// is not http, https or ftp. Data past 64 KiB is refused, never cut.
class DropTarget final : public IDropTarget {
 public:
  // All the names of a file list, for the owner's own ".url" test.
  using FilesHandler = std::function<void(const std::vector<std::string>& names)>;
  using LinkHandler = std::function<void(const text::WebLink& link)>;

  static Microsoft::WRL::ComPtr<DropTarget> Create(FilesHandler onFiles, LinkHandler onLink);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) noexcept override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) noexcept override;
  HRESULT STDMETHODCALLTYPE DragLeave() noexcept override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) noexcept override;

 private:
  DropTarget(FilesHandler onFiles, LinkHandler onLink);
  ~DropTarget() = default;

  LONG references_ = 0;  // the first owner's AddRef makes it 1
  FilesHandler onFiles_;
  LinkHandler onLink_;
  bool welcome_ = false;  // what the current drag brings would be kept
};

// The window is a drop target while this lives (once OLE is initialised).
class DropRegistration {
 public:
  DropRegistration(HWND hwnd, IDropTarget* target)
      : hwnd_(hwnd), registered_(SUCCEEDED(RegisterDragDrop(hwnd, target))) {}
  ~DropRegistration() {
    if (registered_) RevokeDragDrop(hwnd_);
  }
  DropRegistration(const DropRegistration&) = delete;
  DropRegistration& operator=(const DropRegistration&) = delete;

 private:
  HWND hwnd_;
  bool registered_;
};

}  // namespace win
