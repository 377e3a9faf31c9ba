#include "win/MessageLoop.h"

#include <algorithm>
#include <vector>

namespace win {
namespace {

struct Watched {
  HANDLE handle;
  std::function<void()> signalled;
};

std::vector<Watched>& WatchedHandles() {
  static std::vector<Watched> watched;
  return watched;
}

}  // namespace

void WatchHandle(HANDLE handle, std::function<void()> signalled) {
  WatchedHandles().push_back({handle, std::move(signalled)});
}

void UnwatchHandle(HANDLE handle) {
  std::erase_if(WatchedHandles(), [handle](const Watched& w) { return w.handle == handle; });
}

void DispatchWaiting() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return PostQuitMessage(static_cast<int>(msg.wParam));
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

int RunMessageLoop() {
  for (;;) {
    std::vector<HANDLE> handles;
    for (const Watched& w : WatchedHandles()) handles.push_back(w.handle);
    const DWORD count = static_cast<DWORD>(handles.size());
    const DWORD woken = MsgWaitForMultipleObjectsEx(count, handles.data(), INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woken == WAIT_FAILED) WaitMessage();  // a handle gone bad: the messages still get through
    if (woken < WAIT_OBJECT_0 + count) {
      // Copied: the handler may unwatch it.
      const std::function<void()> signalled = WatchedHandles()[woken - WAIT_OBJECT_0].signalled;
      signalled();
      continue;
    }
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}

}  // namespace win
