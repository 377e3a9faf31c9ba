#pragma once

namespace win {

// Dispatches every message waiting in this thread's queue, then returns.
// Returns false when the quit message was among them (it is posted again,
// so the outer loop still sees it).
bool ProcessMessages();

// Runs the thread's message loop until the quit message; returns its code.
int RunMessageLoop();

}  // namespace win
