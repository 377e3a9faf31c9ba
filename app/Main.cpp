#include <windows.h>

#include "app/FailureTexts.h"
#include "app/MainWindow.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "text/FailureText.h"
#include "win/Application.h"
#include "win/DropTarget.h"
#include "win/Failure.h"
#include "win/WideText.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  win::UseFailureTexts(app::kFailureTexts);
  const std::wstring title = win::FromUtf8(resources::kApplicationTitle);
  const win::OleSession ole;  // for the drop target: outlives every window
  try {
    win::Application application(title, L"" TAMAROO_ICON_NAME);
    app::TfrmMain mainWindow;
    return application.Run();
  } catch (const win::Failure& failure) {
    // A window could not be made: without it the program could never be
    // closed. The windows are gone by now, so the box has no owner.
    MessageBoxW(nullptr, text::WithFinalDot(failure.Text()).c_str(), title.c_str(), MB_OK | MB_ICONSTOP);
    return 1;
  }
}
