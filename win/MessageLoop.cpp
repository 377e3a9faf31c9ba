#include "win/MessageLoop.h"

#include <algorithm>
#include <utility>
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

std::function<bool()>& IdleWork() {
  static std::function<bool()> work;
  return work;
}

}  // namespace

void WatchHandle(HANDLE handle, std::function<void()> signalled) {
  WatchedHandles().push_back({handle, std::move(signalled)});
}

void UnwatchHandle(HANDLE handle) {
  std::erase_if(WatchedHandles(), [handle](const Watched& w) { return w.handle == handle; });
}

void SetIdleWork(std::function<bool()> work) { IdleWork() = std::move(work); }

void DispatchWaiting() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) return PostQuitMessage(static_cast<int>(msg.wParam));
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

int RunMessageLoop() {
  // Whatever comes in may leave the idle work more to do.
  bool idle = true;
  for (;;) {
    std::vector<HANDLE> handles;
    for (const Watched& w : WatchedHandles()) handles.push_back(w.handle);
    const DWORD count = static_cast<DWORD>(handles.size());
    const DWORD woken = MsgWaitForMultipleObjectsEx(count, handles.data(), idle && IdleWork() ? 0 : INFINITE,
                                                    QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (woken == WAIT_TIMEOUT) {
      // Copied: the work may set another.
      const std::function<bool()> work = IdleWork();
      idle = work();
      continue;
    }
    idle = true;
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
