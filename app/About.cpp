// The main window's About entry.
#include "app/MainWindow.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "text/AboutText.h"
#include "win/Application.h"
#include "win/MessageDialog.h"
#include "win/WideText.h"

namespace app {

void TfrmMain::mnuAboutClick() {
  const win::Application& app = win::Application::Instance();
  // Made for this one showing, at the DPI of the screen it opens on.
  win::MessageDialog about(win::FromUtf8(resources::kAboutCaption), text::AboutText(win::ToAnsi(app.Title())),
                           L"" TAMAROO_ICON_NAME);
  about.ShowModal();
}

}  // namespace app
