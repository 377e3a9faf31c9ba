#pragma once

namespace win {

// Runs the thread's message loop until the quit message; returns its code.
int RunMessageLoop();

}  // namespace win
