#pragma once
// Runs drag_source.exe (built beside the test programs), which drags what a
// browser offers from its own process and drops it at once. The calling
// thread's messages are served meanwhile, in case the target is one of its
// windows. Returns drag_source's exit code: the effect the target chose.
#include <windows.h>

#include <string>

#include "TamarooProcess.h"
#include "win/WideText.h"

namespace tamaroo_test {

inline DWORD Drag(const std::wstring& args) {
  std::wstring commandLine = L"\"" + win::FromAnsi(TestProgramFolder()) + L"drag_source.exe\" " + args;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return 101;
  }
  while (MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  DWORD code = 102;
  if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
  TerminateProcess(process.hProcess, 103);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

}  // namespace tamaroo_test
