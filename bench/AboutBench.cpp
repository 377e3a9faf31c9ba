// Opens and closes the About box 100 times through its menu entry and prints
// the GDI and USER objects the process holds before and after, and whether
// the application's icon is still whole. Counts that grow with the openings
// are a leak.
#include <windows.h>
#include <winternl.h>

#include <cstdio>
#include <string>

#include "TamarooProcess.h"
#include "app/FailureTexts.h"
#include "app/MainWindow.h"
#include "resources/Commands.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "win/Application.h"
#include "win/WideText.h"

namespace {

constexpr int kOpenings = 100;

// Runs inside the box's message loop and presses its button.
void CALLBACK PressOk(HWND, UINT, UINT_PTR, DWORD) {
  const HWND box = FindWindowW(L"TMessageForm", nullptr);
  if (box && IsWindowVisible(box)) SendMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
}

// Wine's GetGuiResources says 0 for both. There the GDI objects are counted
// in the process's GDI handle table, whose address the PEB holds as on
// Windows, and the USER objects the program makes, windows, one by one.
struct GdiEntry {
  UINT64 object;
  ULONG owner;
  USHORT unique;
  UCHAR type;
  UCHAR flags;
  UINT64 user;
};

DWORD GdiObjects() {
  if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return count;
  PROCESS_BASIC_INFORMATION process{};
  NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &process, sizeof process, nullptr);
  const auto* peb = reinterpret_cast<const BYTE*>(process.PebBaseAddress);
  const auto* table = *reinterpret_cast<const GdiEntry* const*>(peb + 0xF8);
  DWORD count = 0;
  for (int i = 0; table && i < 0x10000; ++i) count += table[i].type != 0;
  return count;
}

BOOL CALLBACK CountWindow(HWND hwnd, LPARAM count) {
  ++*reinterpret_cast<DWORD*>(count);
  EnumChildWindows(hwnd, CountWindow, count);
  return TRUE;
}

DWORD UserObjects() {
  if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)) return count;
  DWORD count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

void Print(const char* when) {
  std::printf("%-20s GDI objects %4lu   USER objects %4lu\n", when, GdiObjects(), UserObjects());
}

}  // namespace

int main() {
  win::UseFailureTexts(app::kFailureTexts);
  // The main window reads its face from the working folder; an empty file
  // keeps the designed size without a failure box.
  const tamaroo_test::TempFolder work;
  work.Write("glyph.bmp", std::string());
  SetCurrentDirectoryA(work.Path().c_str());

  win::Application application(win::FromUtf8(resources::kApplicationTitle), L"" TAMAROO_ICON_NAME);
  {
    app::TfrmMain mainWindow;
    ShowWindow(mainWindow.Handle(), SW_SHOWNOACTIVATE);
    const UINT_PTR timer = SetTimer(nullptr, 0, 1, PressOk);
    Print("before");
    mainWindow.Dispatch(resources::CmdAbout);
    Print("after 1 opening");
    for (int i = 1; i < kOpenings; ++i) mainWindow.Dispatch(resources::CmdAbout);
    Print("after 100 openings");
    KillTimer(nullptr, timer);
  }
  ICONINFO icon{};
  const bool whole = GetIconInfo(application.Icon(), &icon);
  DeleteObject(icon.hbmMask);
  DeleteObject(icon.hbmColor);
  std::printf("application icon     %s\n", whole ? "whole" : "destroyed");

  SetCurrentDirectoryA(tamaroo_test::TestProgramFolder().c_str());  // so the folder can go
  return whole ? 0 : 1;
}
