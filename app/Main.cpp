#include <windows.h>

#include "app/MainWindow.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "win/Application.h"
#include "win/DropTarget.h"
#include "win/WideText.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const win::OleSession ole;  // for the drop target: outlives every window
  win::Application application(win::FromUtf8(resources::kApplicationTitle), L"" TAMAROO_ICON_NAME);
  app::TfrmMain mainWindow;
  application.Run();
  return 0;
}
