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
#include <utility>
#include <vector>

namespace win {

// The names of a shell drop in the shell's order, as the file system has
// them, each taken whole however long it is.
std::vector<std::wstring> DroppedFileNames(HDROP drop);

// What a drop offers (a drag's data, or the clipboard's from
// OleGetClipboard), read from its data when asked for, with nothing decided:
// a shell file list, and each form in which browsers offer a link. A form
// past 64 KiB, or not offered, is empty. Asking costs a call to the source.
class Offered {
 public:
  explicit Offered(IDataObject* data) : data_(data) {}
  std::vector<std::wstring> Files() const;
  // A browser's virtual shortcut (FileGroupDescriptorW + FileContents): its
  // name and its bytes.
  std::optional<std::pair<std::wstring, std::string>> VirtualFile() const;
  std::optional<std::wstring> MozUrl() const;  // text/x-moz-url
  std::optional<std::wstring> Url() const;     // UniformResourceLocatorW
  std::optional<std::wstring> Text() const;    // CF_UNICODETEXT

 private:
  IDataObject* data_;
};

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

// Offers DROPEFFECT_COPY, or DROPEFFECT_LINK where the source allows only
// that, when the owner accepts what the drag offers, else DROPEFFECT_NONE.
// Drop hands what is offered to the owner, which reads what it needs, says
// whether it takes it and must return at once: the source's drag waits for it, so the owner stores
// later, and a failure is shown after the drag has ended.
// The shell's drag image helper, where there is one, draws the dragged item
// over the window; `onHover` hears true when a drag that would be taken
// comes over the window and false when it leaves or drops, so the owner can
// show that it will take it.
class DropTarget final : public IDropTarget {
 public:
  using AcceptTest = std::function<bool(const Offered& offered)>;
  using DropHandler = std::function<bool(const Offered& offered)>;
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
