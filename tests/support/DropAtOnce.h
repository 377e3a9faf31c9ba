#pragma once
// A drag source that drops at once wherever the cursor is, as Wine's own
// drag-and-drop tests do.
#include <windows.h>
#include <ole2.h>

#include "OnStack.h"

namespace tamaroo_test {

class DropAtOnce final : public OnStack<IDropSource> {
 public:
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
    return escape ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

}  // namespace tamaroo_test
