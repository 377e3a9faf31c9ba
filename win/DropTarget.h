#pragma once
// Drops onto a window: file lists from the shell, and links from browsers,
// which offer no file list, only a virtual shortcut file and URL texts.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "text/InternetShortcut.h"

namespace win {

// The names of a shell drop in the shell's order, as the file system has
// them, each taken whole however long it is.
std::vector<std::wstring> DroppedFileNames(HDROP drop);

// What a drop brings, copied out of the data: a file list, or else a link as
// the source offered it (its URL in UTF-8, not yet checked).
struct Dropped {
  std::vector<std::wstring> files;
  std::optional<text::WebLink> link;
};

// What a data object (a drag's, or the clipboard's from OleGetClipboard)
// brings, read as the drop target below reads it.
Dropped ReadDropped(IDataObject* data);

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
// DROPEFFECT_LINK where the source allows only that, when the owner accepts
// what was read, else DROPEFFECT_NONE. Data past 64 KiB is refused, never cut.
// Drop hands a copy over and returns at once: the source's drag waits for it,
// so the owner stores later, and a failure is shown after the drag has ended.
// The shell's drag image helper, where there is one, draws the dragged item
// over the window; `onHover` hears true when a drag that would be taken
// comes over the window and false when it leaves or drops, so the owner can
// show that it will take it.
class DropTarget final : public IDropTarget {
 public:
  using AcceptTest = std::function<bool(const Dropped& dropped)>;
  using DropHandler = std::function<void(Dropped dropped)>;
  using HoverHandler = std::function<void(bool over)>;

  static Microsoft::WRL::ComPtr<DropTarget> Create(AcceptTest accepts, DropHandler onDrop,
                                                   HoverHandler onHover = nullptr);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) noexcept override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) noexcept override;
  HRESULT STDMETHODCALLTYPE DragLeave() noexcept override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at, DWORD* effect) noexcept override;

 private:
  friend class DropRegistration;
  DropTarget(AcceptTest accepts, DropHandler onDrop, HoverHandler onHover);
  ~DropTarget() = default;
  // Tells the owner, once, that a welcome drag came or went.
  void Hover(bool over) noexcept;

  LONG references_ = 0;  // the first owner's AddRef makes it 1
  AcceptTest accepts_;
  DropHandler onDrop_;
  HoverHandler onHover_;
  Microsoft::WRL::ComPtr<IDropTargetHelper> helper_;
  HWND window_ = nullptr;  // the helper draws the image over it
  bool welcome_ = false;   // the current drag would be taken
};

// The window is the target's while this lives (once OLE is initialised).
class DropRegistration {
 public:
  DropRegistration(HWND hwnd, DropTarget* target)
      : hwnd_(hwnd), registered_(SUCCEEDED(RegisterDragDrop(hwnd, target))) {
    target->window_ = hwnd;
  }
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
