#pragma once
// A data object that offers what a test gives it, as a drag source would:
// each format as a fresh HGLOBAL on every request, or as one IStream handed
// out again and again (left wherever the last reader stopped).
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <wrl/client.h>

#include <cstring>
#include <string>
#include <vector>

#include "OnStack.h"
#include "text/InternetShortcut.h"

namespace tamaroo_test {

inline CLIPFORMAT Format(const wchar_t* name) { return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name)); }

// Wide text with its NUL, as bytes.
inline std::string WideBytes(std::wstring_view text) {
  return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2) + std::string(2, '\0');
}

// A FILEGROUPDESCRIPTORW of one file.
inline std::string Descriptor(const std::wstring& name, DWORD flags) {
  FILEGROUPDESCRIPTORW group{};
  group.cItems = 1;
  group.fgd[0].dwFlags = flags;
  wcsncpy(group.fgd[0].cFileName, name.c_str(), MAX_PATH - 1);
  return std::string(reinterpret_cast<const char*>(&group), sizeof group);
}

// A DROPFILES block of wide names as Explorer makes it: each name with its
// NUL, then one more NUL (two for no names).
inline std::string FileList(const std::vector<std::wstring>& names) {
  DROPFILES header{};
  header.pFiles = sizeof header;
  header.fWide = TRUE;
  std::string block(reinterpret_cast<const char*>(&header), sizeof header);
  for (const std::wstring& name : names) block += WideBytes(name);
  return block + std::string(names.empty() ? 4 : 2, '\0');
}

class TestDataObject final : public OnStack<IDataObject> {
 public:
  struct Entry {
    CLIPFORMAT format;
    std::string bytes;
    bool asStream = false;
    LONG index = -1;
  };

  explicit TestDataObject(const std::vector<Entry>& entries) {
    for (const Entry& entry : entries) {
      Microsoft::WRL::ComPtr<IStream> stream;
      if (entry.asStream) {
        *stream.GetAddressOf() =
            SHCreateMemStream(reinterpret_cast<const BYTE*>(entry.bytes.data()), static_cast<UINT>(entry.bytes.size()));
      }
      offers_.push_back({entry, stream});
    }
  }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* wanted, STGMEDIUM* medium) override {
    const Offer* offer = Find(*wanted);
    if (!offer) return DV_E_FORMATETC;
    *medium = {};
    if (offer->stream) {
      medium->tymed = TYMED_ISTREAM;
      medium->pstm = offer->stream.Get();
      medium->pstm->AddRef();
      return S_OK;
    }
    const std::string& bytes = offer->entry.bytes;
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::memcpy(GlobalLock(medium->hGlobal), bytes.data(), bytes.size());
    GlobalUnlock(medium->hGlobal);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* wanted) override { return Find(*wanted) ? S_OK : DV_E_FORMATETC; }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

 private:
  struct Offer {
    Entry entry;
    Microsoft::WRL::ComPtr<IStream> stream;
  };

  const Offer* Find(const FORMATETC& wanted) const {
    for (const Offer& offer : offers_) {
      const DWORD tymed = offer.stream ? TYMED_ISTREAM : TYMED_HGLOBAL;
      if (offer.entry.format == wanted.cfFormat && offer.entry.index == wanted.lindex && (wanted.tymed & tymed)) {
        return &offer;
      }
    }
    return nullptr;
  }

  std::vector<Offer> offers_;
};

// What Chromium offers for a dragged link, the virtual file as given.
inline std::vector<TestDataObject::Entry> ChromiumLink(const std::wstring& url, const std::wstring& title,
                                                       const std::wstring& fileName, const std::string& contents) {
  return {{Format(L"text/x-moz-url"), WideBytes(url + L"\n" + title)},
          {Format(L"FileGroupDescriptorW"), Descriptor(fileName, FD_LINKUI)},
          {Format(L"FileContents"), contents, false, 0},
          {Format(L"UniformResourceLocatorW"), WideBytes(url)},
          {CF_UNICODETEXT, WideBytes(url)}};
}

// What Firefox offers: the virtual file as a stream.
inline std::vector<TestDataObject::Entry> FirefoxLink(const std::wstring& url, const std::wstring& fileName) {
  return {{Format(L"FileGroupDescriptorW"), Descriptor(fileName, 0)},
          {Format(L"FileContents"), "[InternetShortcut]\r\nURL=" + text::ToUtf8(url) + "\r\n", true, 0},
          {Format(L"text/x-moz-url"), WideBytes(url + L"\nmoz title")},
          {CF_UNICODETEXT, WideBytes(url)}};
}

}  // namespace tamaroo_test
