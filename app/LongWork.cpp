// Long work on the main window's thread, and how its progress shows on the face.
#include <algorithm>
#include <utility>

#include "app/MainWindow.h"
#include "win/Dpi.h"
#include "win/MessageLoop.h"

namespace app {

bool TfrmMain::Step(size_t done, size_t total) {
  const ULONGLONG now = GetTickCount64();
  if (!work_) work_ = LongWork{now};
  work_->done = done;
  work_->total = total;
  // Looked at once in 10 ms: each look costs a trip to the window server.
  if (now - work_->looked >= 10) {
    work_->looked = now;
    if (now - work_->started >= 500) InvalidateRect(Handle(), nullptr, FALSE);
    win::DispatchWaiting();
  }
  return !work_->stop;
}

void TfrmMain::EndWork() {
  if (std::exchange(work_, std::nullopt)) InvalidateRect(Handle(), nullptr, FALSE);
}

void TfrmMain::PaintProgress(HDC dc) {
  if (!work_ || !work_->total || GetTickCount64() - work_->started < 500) return;
  // A bar along the bottom of the face, filled as far as the work is done.
  RECT bar;
  GetClientRect(Handle(), &bar);
  bar.top = std::max(bar.top, bar.bottom - win::MetricForDpi(SM_CYHSCROLL, win::WindowDpi(Handle())));
  FillRect(dc, &bar, GetSysColorBrush(COLOR_BTNFACE));
  FrameRect(dc, &bar, GetSysColorBrush(COLOR_BTNSHADOW));
  InflateRect(&bar, -2, -2);
  bar.right = bar.left + static_cast<LONG>((bar.right - bar.left) * std::min(work_->done, work_->total) / work_->total);
  FillRect(dc, &bar, GetSysColorBrush(COLOR_HIGHLIGHT));
}

}  // namespace app
