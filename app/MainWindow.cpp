#include "app/MainWindow.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "app/Placement.h"
#include "resources/Commands.h"
#include "resources/MainWindowDescription.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "win/Application.h"
#include "win/Dpi.h"
#include "win/Failure.h"
#include "win/FailureBox.h"
#include "win/FileDialog.h"
#include "win/Messages.h"
#include "win/MessageLoop.h"
#include "win/WideText.h"

namespace app {

TfrmMain* frmMain = nullptr;

namespace {

constexpr char kFace[] = "glyph.bmp";
constexpr std::pair<UINT, EntryOrder> kOrders[] = {{resources::CmdOrderListed, EntryOrder::Listed},
                                                   {resources::CmdOrderName, EntryOrder::Name},
                                                   {resources::CmdOrderAdded, EntryOrder::Added}};

EntryOrder OrderOf(UINT command) {
  return std::ranges::find(kOrders, command, &std::pair<UINT, EntryOrder>::first)->second;
}

RECT WindowRect(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return r;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

TfrmMain::TfrmMain(std::string exeFolder) : exeFolder_(std::move(exeFolder)), keeper_(exeFolder_) {
  win::Application& app = win::Application::Instance();
  const auto& design = resources::kMainWindow;
  const std::wstring caption = win::FromUtf8(design.caption);
  CreateHandle(
      {L"TfrmMain", CS_DBLCLKS, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), app.Icon()},
      {0, WS_POPUP, caption.c_str(), design.left, design.top, design.clientWidth, design.clientHeight, app.Handle()});
  // Set once the window exists, so a window that could not be made leaves it empty.
  frmMain = this;
  win::SetTopmost(Handle(), true);
  app.SetMainWindow(Handle());
  LoadMenuPictures(win::WindowDpi(Handle()));
  keeper_.Records().ShowPicturesWith([this](std::uint32_t picture) {
    return sitePictures_.ImageOf(picture, keeper_.PictureFileOf(picture), il.get());
  });
  popMenu.SetSource(&keeper_.Records());
  popMenu.SetOverflowCaption(win::FromUtf8(resources::kMoreEntries));
  popMenu.SetEntryCommands(resources::kEntryKeys, resources::kEntryRightClick);
  BuildMenu();
  FormCreate();
}

TfrmMain::~TfrmMain() {
  win::SetIdleWork(nullptr);
  if (const HANDLE changes = keeper_.ChangeSignal()) win::UnwatchHandle(changes);
  win::Application::Instance().SetMainWindow(nullptr);
  frmMain = nullptr;
}

void TfrmMain::BuildMenu() {
  // The entry last added at each depth is the parent of the entries below it.
  win::MenuItem* parents[4] = {&popMenu.Root()};
  for (const auto& entry : resources::kMainMenu) {
    parents[entry.depth + 1] =
        &popMenu.Add(*parents[entry.depth],
                     {entry.name, win::FromUtf8(entry.caption), entry.imageIndex, true, false, entry.command, {}});
  }
}

void TfrmMain::Dispatch(UINT command, UINT entry) {
  using namespace resources;
  switch (command) {
    case CmdOpenURLFolder: mnuOpenURLFolderClick(); return;
    case CmdPaste: mnuPasteClick(); return;
    case CmdImport: mnuImportClick(); return;
    case CmdExport: mnuExportClick(); return;
    case CmdOrderListed:
    case CmdOrderName:
    case CmdOrderAdded: keeper_.SetOrder(OrderOf(command)); return;
    case CmdFindDuplicates: mnuFindDuplicatesClick(); return;
    case CmdFind:
    case CmdFindAnywhere: mnuFindClick(command == CmdFindAnywhere); return;
    case CmdAbout: mnuAboutClick(); return;
    case CmdExit: mnuExitClick(); return;
    case CmdStop:
      if (work_) work_->stop = true;
      return;
  }
  // The fixed entries have no menu of their own.
  if (!keeper_.Records().Has(command >= CmdFirstEntry ? command : entry)) return;
  switch (command) {
    case CmdEntryMenu: EntryMenu(entry); return;
    case CmdEntryOpen:
      EndMenu();
      keeper_.Open(entry, Handle());
      return;
    case CmdEntryOpenAll: OpenAll(entry); return;
    case CmdEntryRename: RenameEntry(entry); return;
    case CmdEntryCopyUrl: keeper_.CopyUrl(entry, Handle()); return;
    case CmdEntryDelete: DeleteEntry(entry); return;
  }
  if (command >= CmdFirstEntry) MenuItemClick(command);
}

void TfrmMain::FormCreate() {
  // A face that cannot be loaded costs only the face: the bookmarks, the
  // position and the drops are still there.
  try {
    LoadFace();
  } catch (...) {
    win::ShowCurrentFailure();
  }
  try {
    RestorePosition(Handle(), exeFolder_ + "Settings.ini");
    SetUpUrlFolder();
    CompleteMenu();
    RegisterDrops();
    RegisterFindKey();
  } catch (...) {
    win::ShowCurrentFailure();
  }
}

void TfrmMain::LoadFace() {
  // Started from a shortcut, the program may have another working folder.
  const std::string beside = exeFolder_ + kFace;
  GlyphBitmap.LoadFromFile(!Exists(std::string(kFace)) && Exists(beside) ? beside : kFace);
  // An empty face file keeps the designed size, so the window can still be found and used.
  if (!GlyphBitmap.Empty()) {
    SetWindowPos(Handle(), nullptr, 0, 0, GlyphBitmap.Width(), GlyphBitmap.Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TfrmMain::SetUpUrlFolder() {
  if (const std::optional<Said> said = keeper_.Start()) win::ShowFailure(said->text);
  // Changes are taken as they come, so the next opening has them at hand.
  if (const HANDLE changes = keeper_.ChangeSignal()) win::WatchHandle(changes, [this] { keeper_.TakeChanges(); });
  // The URLs are read while the program has nothing else to do, a slice at a time.
  win::SetIdleWork([this] {
    if (keeper_.ReadUrls(BookmarkKeeper::kIdleSlice)) return true;
    if (find_) find_->UrlsRead();
    // Then their pictures, so that a menu shows them at once.
    return sitePictures_.LoadAhead(
        keeper_.PictureCount(), [this](std::uint32_t picture) { return keeper_.PictureFileOf(picture); }, il.get(),
        BookmarkKeeper::kIdleSlice);
  });
}

// The title entry gets the program's title and, last in the pictures, its icon.
void TfrmMain::CompleteMenu() {
  win::MenuItem& title = *popMenu.Find("mnuAll");
  title.Caption = win::Application::Instance().Title();
  title.ImageIndex = win::AppendIcon(il.get(), GetModuleHandleW(nullptr), L"" TAMAROO_ICON_NAME);
  if (title.ImageIndex < 0) throw win::Failure(win::FromUtf8(resources::kBadImageSize));
  popMenu.Changed();
}

void TfrmMain::LoadMenuPictures(UINT dpi) {
  il =
      win::LoadPictures(GetModuleHandleW(nullptr), L"" TAMAROO_MENU_IMAGES_PREFIX, win::MetricForDpi(SM_CXSMICON, dpi));
  sitePictures_.Clear();
  popMenu.SetImages(il.get());
  popMenu.Changed();
}

// The face stays the picture's own size on a monitor of another scale; the
// menu's pictures take that monitor's size.
void TfrmMain::WMDpiChanged(UINT dpi, const RECT& suggested) {
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  LoadMenuPictures(dpi);
  CompleteMenu();
}

void TfrmMain::mnuImportClick() {
  const std::wstring file =
      win::ChooseFile(Handle(), false, win::FromUtf8(resources::kBookmarkFilter), L"*.html;*.htm", L"", L"html");
  if (file.empty()) return;
  // In the drops' queue: what is dropped while it lets messages through waits for it.
  keeper_.Queue({{file}, {}, {}});
  StoreLater();
}

void TfrmMain::mnuExportClick() {
  const std::wstring file = win::ChooseFile(Handle(), true, win::FromUtf8(resources::kBookmarkFilter), L"*.html;*.htm",
                                            L"bookmarks.html", L"html");
  if (file.empty()) return;
  win::ShowInformation(Working([&](const Progress& progress) { return keeper_.Export(file, progress); }).text);
}

void TfrmMain::MenuItemClick(UINT entry) { keeper_.Open(entry, Handle()); }

// What the clipboard holds is taken as a drop of it would be.
void TfrmMain::mnuPasteClick() {
  keeper_.Paste(Handle());
  StoreLater();
}

void TfrmMain::mnuOpenURLFolderClick() {
  ShellExecuteA(Handle(), "Open", keeper_.UrlFolder().c_str(), nullptr, nullptr, SW_SHOW);
}

void TfrmMain::FormClose() {
  GlyphBitmap.Release();
  try {
    WritePosition(Handle(), exeFolder_ + "Settings.ini");
  } catch (...) {
    // Told, but the close goes on: a window without a taskbar button that
    // cannot be closed would trap the user.
    win::ShowCurrentFailure();
  }
  PostQuitMessage(0);
}

void TfrmMain::FormPaint(HDC dc) {
  GlyphBitmap.Draw(dc);
  PaintProgress(dc);
  // A frame says that the drag over the face will be taken.
  if (!dragOver_) return;
  RECT frame;
  GetClientRect(Handle(), &frame);
  for (int i = 0; i < 3; ++i, InflateRect(&frame, -1, -1)) FrameRect(dc, &frame, GetSysColorBrush(COLOR_HIGHLIGHT));
}

void TfrmMain::ShowMenu(POINT at) {
  // A notice the loop has not taken yet counts as well.
  keeper_.TakeChanges();
  if (const unsigned generation = keeper_.Records().Generation(); generation != shownGeneration_) {
    shownGeneration_ = generation;
    for (const auto& [command, order] : kOrders) popMenu.Find(command)->Checked = keeper_.Records().Order() == order;
    popMenu.Changed();
  }
  if (const UINT chosen = popMenu.Popup(Handle(), at)) Dispatch(chosen);
}

void TfrmMain::FormMouseDown() {
  if (work_) {
    work_->stop = true;
    return;
  }
  const RECT before = WindowRect(Handle());
  ReleaseCapture();
  SendMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
  // The move loop takes the button's release, so a press that left the
  // window where it was is the click.
  const RECT after = WindowRect(Handle());
  if (!EqualRect(&before, &after)) return;
  POINT at;
  GetCursorPos(&at);
  ShowMenu(at);
}

void TfrmMain::FormContextMenu(LPARAM screenPoint) {
  if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
  POINT at{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
  if (at.x == -1 && at.y == -1) {
    at = {0, 0};
    ClientToScreen(Handle(), &at);
  } else if (const RECT face = WindowRect(Handle()); !PtInRect(&face, at)) {
    DefWindowProcW(Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Handle()), screenPoint);
    return;
  }
  ShowMenu(at);
}

void TfrmMain::mnuExitClick() { SendMessageW(Handle(), WM_CLOSE, 0, 0); }

LRESULT TfrmMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: FormPaint(win::PaintDc(Handle()).get()); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: FormMouseDown(); return 0;
    case WM_CONTEXTMENU: FormContextMenu(lParam); return 0;
    case WM_DROPFILES: WMDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case win::kStoreDropsMessage: StorePendingDrops(); return 0;
    case win::kEntryCommandMessage: Dispatch(static_cast<UINT>(wParam), static_cast<UINT>(lParam)); return 0;
    case WM_CHAR:
      for (const auto& key : resources::kFaceKeys) {
        if (key.character == wParam) Dispatch(key.command);
      }
      return 0;
    case WM_MEASUREITEM:
      if (popMenu.MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_INITMENUPOPUP: popMenu.InitPopup(reinterpret_cast<HMENU>(wParam)); break;
    case WM_DRAWITEM:
      if (popMenu.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_COMMAND:
      if (HIWORD(wParam) == 0) Dispatch(LOWORD(wParam));
      return 0;
    case WM_HOTKEY: Dispatch(resources::CmdFindAnywhere); return 0;
    case WM_DPICHANGED: WMDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_CLOSE:
      // Asked while the menu is open, by another program or the system: the
      // menu's loop would keep the program running, so it ends first.
      if (popMenu.IsOpen()) {
        EndMenu();
        PostMessageW(Handle(), WM_CLOSE, 0, 0);
        return 0;
      }
      FormClose();
      return 0;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION:
      // The session is ending: leave without closing, so nothing is written.
      if (wParam) PostQuitMessage(0);
      return 0;
  }
  return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace app
