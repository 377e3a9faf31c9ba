#include "win/DropTarget.h"

#include <shlobj.h>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>

#include "win/FailureBox.h"
#include "win/WideText.h"

namespace win {
namespace {

// No shortcut or URL text is longer; data past this is refused whole.
constexpr size_t kMaxDataBytes = 64 * 1024;

// A medium that GetData filled, released however the reading ends.
struct Medium : STGMEDIUM {
  Medium() : STGMEDIUM{} {}
  ~Medium() { ReleaseStgMedium(this); }
  Medium(const Medium&) = delete;
  Medium& operator=(const Medium&) = delete;
};

class GlobalView {
 public:
  explicit GlobalView(HGLOBAL global)
      : global_(global), data_(GlobalLock(global)), size_(data_ ? GlobalSize(global) : 0) {}
  ~GlobalView() {
    if (data_) GlobalUnlock(global_);
  }
  GlobalView(const GlobalView&) = delete;
  GlobalView& operator=(const GlobalView&) = delete;
  const std::byte* Data() const { return static_cast<const std::byte*>(data_); }
  size_t Size() const { return size_; }

 private:
  HGLOBAL global_;
  void* data_;
  size_t size_;
};

CLIPFORMAT Format(const wchar_t* name) { return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name)); }

bool Get(IDataObject* data, CLIPFORMAT format, LONG index, DWORD tymeds, Medium& medium) {
  FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, index, tymeds};
  return SUCCEEDED(data->GetData(&wanted, &medium)) && (medium.tymed & tymeds) != 0;
}

// The characters of a block up to its first NUL; nullopt past the limit.
template <typename Char>
std::optional<std::basic_string<Char>> ReadGlobal(HGLOBAL global) {
  const GlobalView view(global);
  if (!view.Data()) return std::nullopt;
  const auto* first = reinterpret_cast<const Char*>(view.Data());
  const auto* last = first + std::min(view.Size(), kMaxDataBytes + sizeof(Char)) / sizeof(Char);
  const auto* end = std::find(first, last, Char{});
  if (static_cast<size_t>(end - first) * sizeof(Char) > kMaxDataBytes) return std::nullopt;
  return std::basic_string<Char>(first, end);
}

std::optional<std::wstring> WideText(IDataObject* data, CLIPFORMAT format) {
  Medium medium;
  if (!Get(data, format, -1, TYMED_HGLOBAL, medium)) return std::nullopt;
  return ReadGlobal<wchar_t>(medium.hGlobal);
}

std::optional<std::string> ReadStream(IStream* stream) {
  // A source may hand out the same stream again, left where the last read ended.
  stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
  std::string bytes(kMaxDataBytes + 1, '\0');
  size_t total = 0;
  ULONG read = 0;
  while (total < bytes.size() &&
         SUCCEEDED(stream->Read(bytes.data() + total, static_cast<ULONG>(bytes.size() - total), &read)) && read > 0) {
    total += std::min<size_t>(read, bytes.size() - total);
  }
  if (total > kMaxDataBytes) return std::nullopt;
  bytes.resize(total);
  return bytes;
}

// Another program's file list: its names must end inside the block, or
// DragQueryFile would read past it.
bool IsWellFormed(HGLOBAL global) {
  const GlobalView view(global);
  if (view.Size() < sizeof(DROPFILES)) return false;
  const auto* header = reinterpret_cast<const DROPFILES*>(view.Data());
  const size_t unit = header->fWide ? 2 : 1;
  bool lastWasNul = false;
  for (size_t at = header->pFiles; at + unit <= view.Size(); at += unit) {
    const bool nul =
        std::all_of(view.Data() + at, view.Data() + at + unit, [](std::byte b) { return b == std::byte{0}; });
    if (nul && lastWasNul) return true;
    lastWasNul = nul;
  }
  return false;
}

// A browser's virtual shortcut: its name and its bytes.
std::optional<std::pair<std::wstring, std::string>> ReadVirtualFile(IDataObject* data) {
  Medium descriptor;
  if (!Get(data, Format(L"FileGroupDescriptorW"), -1, TYMED_HGLOBAL, descriptor)) return std::nullopt;
  std::wstring name;
  {
    const GlobalView view(descriptor.hGlobal);
    if (view.Size() < offsetof(FILEGROUPDESCRIPTORW, fgd) + sizeof(FILEDESCRIPTORW)) return std::nullopt;
    const auto* group = reinterpret_cast<const FILEGROUPDESCRIPTORW*>(view.Data());
    if (group->cItems == 0) return std::nullopt;
    name.assign(group->fgd[0].cFileName, wcsnlen(group->fgd[0].cFileName, MAX_PATH));
  }
  Medium contents;
  if (!Get(data, Format(L"FileContents"), 0, TYMED_HGLOBAL | TYMED_ISTREAM, contents)) return std::nullopt;
  auto bytes = contents.tymed == TYMED_HGLOBAL ? ReadGlobal<char>(contents.hGlobal) : ReadStream(contents.pstm);
  if (!bytes) return std::nullopt;
  return std::pair{std::move(name), std::move(*bytes)};
}

}  // namespace

std::vector<std::wstring> Offered::Files() const {
  Medium drop;
  if (!Get(data_, CF_HDROP, -1, TYMED_HGLOBAL, drop) || !IsWellFormed(drop.hGlobal)) return {};
  return DroppedFileNames(static_cast<HDROP>(drop.hGlobal));
}

std::optional<std::pair<std::wstring, std::string>> Offered::VirtualFile() const { return ReadVirtualFile(data_); }

std::optional<std::wstring> Offered::MozUrl() const { return WideText(data_, Format(L"text/x-moz-url")); }

std::optional<std::wstring> Offered::Url() const { return WideText(data_, Format(L"UniformResourceLocatorW")); }

std::optional<std::wstring> Offered::Text() const { return WideText(data_, CF_UNICODETEXT); }

namespace {

DWORD Effect(bool welcome, DWORD allowed) {
  if (!welcome) return DROPEFFECT_NONE;
  if (allowed & DROPEFFECT_COPY) return DROPEFFECT_COPY;
  return allowed & DROPEFFECT_LINK;
}

}  // namespace

std::vector<std::wstring> DroppedFileNames(HDROP drop) {
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  std::vector<std::wstring> names;
  for (UINT i = 0; i < count; ++i) {
    std::wstring name(DragQueryFileW(drop, i, nullptr, 0), L'\0');
    name.resize(DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size() + 1)));
    // Wine counts one empty name in an empty list.
    if (!name.empty()) names.push_back(std::move(name));
  }
  return names;
}

Microsoft::WRL::ComPtr<DropTarget> DropTarget::Create(AcceptTest accepts, DropHandler onDrop, HoverHandler onHover) {
  return Microsoft::WRL::ComPtr<DropTarget>(new DropTarget(std::move(accepts), std::move(onDrop), std::move(onHover)));
}

DropTarget::DropTarget(AcceptTest accepts, DropHandler onDrop, HoverHandler onHover)
    : accepts_(std::move(accepts)), onDrop_(std::move(onDrop)), onHover_(std::move(onHover)) {
  // Without COM on the thread, or without the shell's helper, drags show no image.
  CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(helper_.GetAddressOf()));
}

void DropTarget::Hover(bool over) noexcept {
  if (!onHover_) return;
  try {
    onHover_(over);
  } catch (...) {
    ShowCurrentFailureLater();
  }
}

HRESULT DropTarget::QueryInterface(REFIID iid, void** object) noexcept {
  if (!object) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IDropTarget) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG DropTarget::AddRef() noexcept { return InterlockedIncrement(&references_); }

ULONG DropTarget::Release() noexcept {
  const ULONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return left;
}

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD, POINTL at, DWORD* effect) noexcept {
  if (!data || !effect) return E_INVALIDARG;
  try {
    welcome_ = accepts_(Offered(data));
  } catch (...) {
    welcome_ = false;
    ShowCurrentFailureLater();
  }
  *effect = Effect(welcome_, *effect);
  // What the source allows may still refuse it.
  welcome_ = *effect != DROPEFFECT_NONE;
  if (welcome_) Hover(true);
  POINT point{at.x, at.y};
  if (helper_) helper_->DragEnter(window_, data, &point, *effect);
  return S_OK;
}

HRESULT DropTarget::DragOver(DWORD, POINTL at, DWORD* effect) noexcept {
  if (!effect) return E_INVALIDARG;
  *effect = Effect(welcome_, *effect);
  POINT point{at.x, at.y};
  if (helper_) helper_->DragOver(&point, *effect);
  return S_OK;
}

HRESULT DropTarget::DragLeave() noexcept {
  if (std::exchange(welcome_, false)) Hover(false);
  if (helper_) helper_->DragLeave();
  return S_OK;
}

HRESULT DropTarget::Drop(IDataObject* data, DWORD, POINTL at, DWORD* effect) noexcept {
  if (std::exchange(welcome_, false)) Hover(false);
  if (!data || !effect) return E_INVALIDARG;
  try {
    // Only what the source allows is taken.
    *effect = Effect(Effect(true, *effect) != DROPEFFECT_NONE && onDrop_(Offered(data)), *effect);
  } catch (...) {
    *effect = DROPEFFECT_NONE;
    ShowCurrentFailureLater();
  }
  POINT point{at.x, at.y};
  if (helper_) helper_->Drop(data, &point, *effect);
  return S_OK;
}

}  // namespace win
