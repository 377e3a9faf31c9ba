// Drags from a second process onto a window of this one registered as a drop
// target, through OLE's marshalling as a browser's drag arrives.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win/DropTarget.h"

namespace {

// Runs drag_source.exe (built beside this program) and serves the drop while
// it runs; returns its exit code.
DWORD Drag(const std::wstring& args) {
  wchar_t self[MAX_PATH];
  const std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
  std::wstring commandLine = L"\"" + path.substr(0, path.rfind(L'\\') + 1) + L"drag_source.exe\" " + args;
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

TEST(DragDropProcess, LinksArriveWhileTheWindowIsRegistered) {
  const win::OleSession ole;
  const HWND window = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 100, 80, 80,
                                      nullptr, nullptr, nullptr, nullptr);
  std::vector<text::WebLink> links;
  const auto target = win::DropTarget::Create([](const auto&) {},
                                              [&](const text::WebLink& link) { links.push_back(link); });
  {
    const win::DropRegistration registration(window, target.Get());
    EXPECT_EQ(Drag(L"140 140 chromium https://example.com/ \"Example Domain\""), DWORD{DROPEFFECT_COPY});
    EXPECT_EQ(Drag(L"140 140 firefox https://www.mozilla.org/ Mozilla.URL"), DWORD{DROPEFFECT_COPY});
  }
  // Revoked, the window holds the target no more: only our own reference is left.
  target->AddRef();
  EXPECT_EQ(target->Release(), 1u);
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0].url, "https://example.com/");
  EXPECT_EQ(links[0].title, L"Example Domain");
  EXPECT_EQ(links[1].url, "https://www.mozilla.org/");
  EXPECT_EQ(links[1].title, L"Mozilla");
  DestroyWindow(window);
}

}  // namespace
