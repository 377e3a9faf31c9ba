#pragma once
// Runs drag_source.exe (built beside the test programs), which drags what a
// browser offers from its own process and drops it, at once or when told. The
// calling thread's messages are served while it waits for the drop, in case
// the target is one of its windows.
#include <windows.h>

#include <string>

#include "TamarooProcess.h"
#include "win/WideText.h"

namespace tamaroo_test {

// drag_source running a drag that the target has not answered yet.
class DragSource {
 public:
  explicit DragSource(const std::wstring& args) {
    std::wstring commandLine = L"\"" + win::FromAnsi(TestProgramFolder()) + L"drag_source.exe\" " + args;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    started_ =
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_);
  }
  ~DragSource() {
    if (!started_) return;
    TerminateProcess(process_.hProcess, 103);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  DragSource(const DragSource&) = delete;
  DragSource& operator=(const DragSource&) = delete;

  // drag_source's exit code: the effect the target chose.
  DWORD WaitForDrop() {
    if (!started_) return 101;
    while (MsgWaitForMultipleObjects(1, &process_.hProcess, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
      DispatchWaiting();
    DWORD code = 102;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0) GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

// Drags and drops at once; returns the effect the target chose.
inline DWORD Drag(const std::wstring& args) { return DragSource(args).WaitForDrop(); }

// A drag that stays over its point until Drop().
class HeldDrag {
 public:
  explicit HeldDrag(const std::wstring& args) : source_(args + L" \"" + win::FromAnsi(folder_.Path()) + L"drop\"") {}

  // True once the target has answered the drag's arrival.
  bool WaitUntilOver() const {
    return WaitUntil([this] { return folder_.Exists("drop.over"); });
  }
  // Returns the effect the target chose.
  DWORD Drop() {
    folder_.Write("drop", "");
    return source_.WaitForDrop();
  }

 private:
  TempFolder folder_;
  DragSource source_;
};

}  // namespace tamaroo_test
