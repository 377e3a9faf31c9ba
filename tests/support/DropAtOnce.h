#pragma once
// A drag source that drops at once wherever the cursor is, as Wine's own
// drag-and-drop tests do.
#include <windows.h>
#include <ole2.h>

namespace tamaroo_test {

class DropAtOnce final : public IDropSource {
 public:
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
    return escape ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid != IID_IUnknown && iid != IID_IDropSource) return E_NOINTERFACE;
    *object = static_cast<IDropSource*>(this);
    return S_OK;
  }
  // Lives on its user's stack, longer than anything that holds it.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

}  // namespace tamaroo_test
