#pragma once
// IUnknown for a test's COM object that lives on its user's stack, longer
// than anything that holds it: the one interface it makes, and no counting.
#include <windows.h>
#include <unknwn.h>

namespace tamaroo_test {

template <class Interface>
class OnStack : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (iid != IID_IUnknown && iid != __uuidof(Interface)) return E_NOINTERFACE;
    *object = static_cast<Interface*>(this);
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
};

}  // namespace tamaroo_test
