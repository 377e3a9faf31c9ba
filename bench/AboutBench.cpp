// Opens and closes the About box 100 times through its menu entry and prints
// the GDI and USER objects the process holds before and after, and whether
// the application's icon is still whole. Counts that grow with the openings
// are a leak.
#include <windows.h>

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

void Print(const char* when) {
  const tamaroo_test::GuiObjects objects = tamaroo_test::GuiObjectsOf(GetCurrentProcess());
  std::printf("%-20s GDI objects %4lu   USER objects %4lu\n", when, objects.gdi, objects.user);
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
