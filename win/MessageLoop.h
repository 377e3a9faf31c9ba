#pragma once
// The program's one message loop; it also waits on handles (a folder's change
// notification), so nothing needs a thread of its own.
#include <windows.h>

#include <functional>

namespace win {

// Runs the thread's message loop until the quit message; returns its code.
int RunMessageLoop();

// Dispatches the messages waiting in this thread's queue, and leaves a quit
// message there for the loop: for long work that keeps the windows answering.
void DispatchWaiting();

// Work that runs from the loop, a slice at a time, whenever no message or
// handle is waiting; it returns whether any is left. One at a time; empty
// for none.
void SetIdleWork(std::function<bool()> work);

// While registered, `signalled` runs from the loop each time `handle` is
// signalled. At most MAXIMUM_WAIT_OBJECTS - 1 handles.
void WatchHandle(HANDLE handle, std::function<void()> signalled);
void UnwatchHandle(HANDLE handle);

}  // namespace win
