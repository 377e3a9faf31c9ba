#include "app/MainWindow.h"

#include <windowsx.h>

#include <string_view>

#include "app/Placement.h"
#include "app/SettingsFile.h"
#include "resources/MainWindowDescription.h"
#include "win/Application.h"
#include "win/FailureBox.h"
#include "win/Handles.h"
#include "win/WideText.h"

namespace app {

TfrmMain* frmMain = nullptr;

namespace {

constexpr char kSection[] = "General";

void MakeTopmost(HWND hwnd) {
  SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

RECT WindowRect(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return r;
}

}  // namespace

TfrmMain::TfrmMain() {
  frmMain = this;
  win::Application& app = win::Application::Instance();
  const auto& design = resources::kMainWindow;
  const std::wstring caption = win::FromUtf8(design.caption);
  CreateHandle({L"TfrmMain", CS_DBLCLKS, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), app.Icon()},
               {0, WS_POPUP, caption.c_str(), design.left, design.top, design.clientWidth,
                design.clientHeight, app.Handle()});
  MakeTopmost(Handle());
  app.SetMainWindow(Handle());
  BuildMenu();
  FormCreate();
}

TfrmMain::~TfrmMain() { frmMain = nullptr; }

void TfrmMain::BuildMenu() {
  using Handler = void (TfrmMain::*)();
  // Entries whose handler is not listed here are shown but do nothing.
  static constexpr std::pair<std::string_view, Handler> kHandlers[] = {
      {"mnuAboutClick", &TfrmMain::mnuAboutClick},
      {"mnuExitClick", &TfrmMain::mnuExitClick},
  };
  // The entry last added at each depth is the parent of the entries below it.
  win::MenuItem* parents[3] = {&popMenu.Root()};
  for (const auto& entry : resources::kMainMenu) {
    win::MenuItem item;
    item.Name = entry.name;
    item.Caption = win::FromUtf8(entry.caption);
    item.ImageIndex = entry.imageIndex;
    for (const auto& [name, handler] : kHandlers) {
      if (entry.onClick && name == entry.onClick) item.OnClick = [this, h = handler] { (this->*h)(); };
    }
    parents[entry.depth + 1] = &popMenu.Add(*parents[entry.depth], std::move(item));
  }
}

void TfrmMain::FormCreate() {
  try {
    GlyphBitmap.LoadFromFile("glyph.bmp");
    // An empty face file keeps the designed size, so the window can still be found and used.
    if (!GlyphBitmap.Empty()) {
      SetWindowPos(Handle(), nullptr, 0, 0, GlyphBitmap.Width(), GlyphBitmap.Height(),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RestorePosition();
  } catch (...) {
    win::ShowCurrentFailure();
  }
}

void TfrmMain::RestorePosition() {
  const RECT bounds = WindowRect(Handle());
  const SIZE size{bounds.right - bounds.left, bounds.bottom - bounds.top};
  const int defaultLeft = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), size.cx);
  const int defaultTop = CentredOrigin(GetSystemMetrics(SM_CYSCREEN), size.cy);
  const SettingsFile settings(SettingsPath());
  int left = settings.ReadInteger(kSection, "Left", defaultLeft);
  int top = settings.ReadInteger(kSection, "Top", defaultTop);
  // A position off every monitor would leave the user no way to reach the window.
  if (!IsOnAnyMonitor({left, top, left + size.cx, top + size.cy})) {
    left = defaultLeft;
    top = defaultTop;
  }
  SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmMain::WritePosition() {
  const RECT r = WindowRect(Handle());
  SettingsFile settings(SettingsPath());
  settings.WriteInteger(kSection, "Left", r.left);
  settings.WriteInteger(kSection, "Top", r.top);
}

void TfrmMain::FormClose() {
  GlyphBitmap.Release();
  try {
    WritePosition();
  } catch (...) {
    // Told, but the close goes on: a window without a taskbar button that
    // cannot be closed would trap the user.
    win::ShowCurrentFailure();
  }
  PostQuitMessage(0);
}

void TfrmMain::FormPaint(HDC dc) { GlyphBitmap.Draw(dc); }

void TfrmMain::FormClick() {
  POINT at;
  GetCursorPos(&at);
  popMenu.Popup(Handle(), at);
}

void TfrmMain::FormMouseDown(bool leftButton) {
  if (!leftButton) return;
  const RECT before = WindowRect(Handle());
  ReleaseCapture();
  SendMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
  // The move loop takes the button's release, so a press that left the
  // window where it was is the click.
  const RECT after = WindowRect(Handle());
  if (EqualRect(&before, &after)) FormClick();
}

void TfrmMain::FormContextMenu(LPARAM screenPoint) {
  if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
  POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
  if (at.x == -1 && at.y == -1) {
    at = {0, 0};
    ClientToScreen(Handle(), &at);
  } else {
    POINT client = at;
    ScreenToClient(Handle(), &client);
    RECT area;
    GetClientRect(Handle(), &area);
    if (!PtInRect(&area, client)) {
      DefWindowProcW(Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Handle()), screenPoint);
      return;
    }
  }
  popMenu.Popup(Handle(), at);
}

void TfrmMain::mnuExitClick() { SendMessageW(Handle(), WM_CLOSE, 0, 0); }

LRESULT TfrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      const win::PaintDc dc(Handle());
      FormPaint(dc.get());
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      FormMouseDown(true);
      return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      FormMouseDown(false);
      break;
    case WM_CONTEXTMENU:
      FormContextMenu(lParam);
      return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) == 0 && popMenu.Click(LOWORD(wParam))) return 0;
      break;
    case WM_CLOSE:
      FormClose();
      return 0;
    case WM_QUERYENDSESSION:
      return TRUE;
    case WM_ENDSESSION:
      // The session is ending: leave without closing, so nothing is written.
      if (wParam) PostQuitMessage(0);
      return 0;
  }
  return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace app
