// The main window's About entry.
#include "app/MainWindow.h"
#include "resources/Texts.h"
#include "text/AboutText.h"
#include "win/Application.h"
#include "win/MessageDialog.h"
#include "win/WideText.h"

namespace app {

void TfrmMain::mnuAboutClick() {
  const win::Application& app = win::Application::Instance();
  // Made for this one showing; the icon stays the application's.
  win::MessageDialog about(win::FromUtf8(resources::kAboutCaption), text::AboutText(win::ToAnsi(app.Title())),
                           app.Icon());
  about.ShowModal();
}

}  // namespace app
