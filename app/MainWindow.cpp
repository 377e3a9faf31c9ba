#include "app/MainWindow.h"

#include <windowsx.h>
#include <commdlg.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "app/Placement.h"
#include "app/SettingsFile.h"
#include "resources/MainWindowDescription.h"
#include "resources/ResourceIds.h"
#include "resources/Texts.h"
#include "text/FailureText.h"
#include "text/IntegerText.h"
#include "text/LongPath.h"
#include "text/ShortcutName.h"
#include "win/Application.h"
#include "win/Dpi.h"
#include "win/Failure.h"
#include "win/FailureBox.h"
#include "win/MessageLoop.h"
#include "win/NameDialog.h"
#include "win/WideText.h"

namespace app {

TfrmMain* frmMain = nullptr;

namespace {

constexpr char kSection[] = "General";
constexpr char kFace[] = "glyph.bmp";
constexpr UINT kStoreDropsMessage = WM_APP + 1;

RECT WindowRect(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return r;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(text::VerbatimPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The shell takes no "\\?\" form: past MAX_PATH, or with a name that
// would be trimmed (one ending in a dot or space), a file is handed over by
// its short path.
std::wstring ShellPath(const std::wstring& path) {
  const bool trimmed =
      path.find(L".\\") != path.npos || path.find(L" \\") != path.npos || path.ends_with(L'.') || path.ends_with(L' ');
  if (path.size() < MAX_PATH && !trimmed) return path;
  const std::wstring verbatim = text::VerbatimPath(path);
  std::wstring shortPath(verbatim.size() + 1, L'\0');
  shortPath.resize(GetShortPathNameW(verbatim.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size())));
  if (shortPath.starts_with(L"\\\\?\\UNC\\")) shortPath.replace(0, 8, L"\\\\");
  if (shortPath.starts_with(L"\\\\?\\")) shortPath.erase(0, 4);
  return shortPath.empty() ? path : shortPath;
}

// The search without its pump while this lives: a drop stored in the middle
// of a walk would find the menu half made.
class QuietSearch {
 public:
  explicit QuietSearch(TFindFile& search) : search_(search), pump_(std::exchange(search.ProcessMessages, nullptr)) {}
  ~QuietSearch() { search_.ProcessMessages = std::move(pump_); }
  QuietSearch(const QuietSearch&) = delete;
  QuietSearch& operator=(const QuietSearch&) = delete;

 private:
  TFindFile& search_;
  std::function<void()> pump_;
};

}  // namespace

TfrmMain::TfrmMain(std::string exeFolder)
    : exeFolder_(std::move(exeFolder)),
      store_(exeFolder_ + "favorite\\"),
      bookmarks_(store_.WideFolder(), [this](const std::wstring& path) { MenuItemClick(path); }) {
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
  popMenu.SetSource(&bookmarks_);
  popMenu.SetOverflowCaption(win::FromUtf8(resources::kMoreEntries));
  BuildMenu();
  FormCreate();
}

TfrmMain::~TfrmMain() {
  if (folderChanges_) win::UnwatchHandle(folderChanges_.get());
  win::Application::Instance().SetMainWindow(nullptr);
  frmMain = nullptr;
}

void TfrmMain::BuildMenu() {
  using Handler = void (TfrmMain::*)();
  static constexpr std::pair<std::string_view, Handler> kHandlers[] = {
      {"mnuOpenURLFolderClick", &TfrmMain::mnuOpenURLFolderClick},
      {"mnuPasteClick", &TfrmMain::mnuPasteClick},
      {"mnuImportClick", &TfrmMain::mnuImportClick},
      {"mnuExportClick", &TfrmMain::mnuExportClick},
      {"mnuAboutClick", &TfrmMain::mnuAboutClick},
      {"mnuExitClick", &TfrmMain::mnuExitClick},
  };
  // A handler named in the description but missing here would leave its entry
  // dead, and one listed here but named nowhere is dead code: neither builds.
  static constexpr auto bound = [](std::string_view name) {
    return std::ranges::any_of(kHandlers, [name](const auto& handler) { return handler.first == name; });
  };
  static constexpr auto named = [](std::string_view name) {
    return std::ranges::any_of(resources::kMainMenu, [name](const auto& entry) {
      return entry.onClick && std::string_view(entry.onClick) == name;
    });
  };
  static_assert(std::ranges::all_of(resources::kMainMenu, [](const auto& e) { return !e.onClick || bound(e.onClick); }),
                "an entry of the menu description names a handler that TfrmMain does not bind");
  static_assert(std::ranges::all_of(kHandlers, [](const auto& handler) { return named(handler.first); }),
                "TfrmMain binds a handler that no entry of the menu description names");

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
  // A face that cannot be loaded costs only the face: the bookmarks, the
  // position and the drops are still there.
  try {
    LoadFace();
  } catch (...) {
    win::ShowCurrentFailure();
  }
  try {
    RestorePosition();
    SetUpUrlFolder();
    ScanUrlFolder();
    WatchUrlFolder();
    CompleteMenu();
    RegisterDrops();
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

void TfrmMain::RestorePosition() {
  const RECT bounds = WindowRect(Handle());
  const SIZE size{bounds.right - bounds.left, bounds.bottom - bounds.top};
  const int defaultLeft = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), size.cx);
  const int defaultTop = CentredOrigin(GetSystemMetrics(SM_CYSCREEN), size.cy);
  const SettingsFile settings(exeFolder_ + "Settings.ini");
  int left = settings.ReadInteger(kSection, "Left", defaultLeft);
  int top = settings.ReadInteger(kSection, "Top", defaultTop);
  // A position off every monitor would leave the user no way to reach the window.
  if (!IsOnAnyMonitor(BoundsAt(left, top, size))) {
    left = defaultLeft;
    top = defaultTop;
  }
  SetWindowPos(Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmMain::WritePosition() {
  const RECT r = WindowRect(Handle());
  SettingsFile settings(exeFolder_ + "Settings.ini");
  settings.WriteIntegers(kSection, {{"Left", r.left}, {"Top", r.top}});
}

void TfrmMain::SetUpUrlFolder() {
  UrlFolder = store_.Folder();
  store_.Prepare();
}

void TfrmMain::ScanUrlFolder() {
  store_.Scan(FindFile, [this](const Bookmark& found) { FindFileFind(found); });
  bookmarks_.Compact();
  popMenu.Changed();
}

void TfrmMain::CompleteMenu() {
  win::MenuItem& all = *popMenu.Find("mnuAll");
  all.Caption = win::Application::Instance().Title();
  AddTitleIcon();
}

void TfrmMain::LoadMenuPictures(UINT dpi) {
  il =
      win::LoadPictures(GetModuleHandleW(nullptr), L"" TAMAROO_MENU_IMAGES_PREFIX, win::MetricForDpi(SM_CXSMICON, dpi));
  popMenu.SetImages(il.get());
  popMenu.Changed();
}

void TfrmMain::AddTitleIcon() {
  int width = 0, height = 0;
  ImageList_GetIconSize(il.get(), &width, &height);
  const win::IconHandle icon(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), L"" TAMAROO_ICON_NAME, IMAGE_ICON, width, height, LR_DEFAULTCOLOR)));
  const int index = ImageList_ReplaceIcon(il.get(), -1, icon.get());
  if (index < 0) throw win::Failure(win::FromUtf8(resources::kBadImageSize));
  popMenu.Find("mnuAll")->ImageIndex = index;
  popMenu.Changed();
}

// The face stays the picture's own size on a monitor of another scale; the
// menu's pictures take that monitor's size.
void TfrmMain::WMDpiChanged(UINT dpi, const RECT& suggested) {
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  LoadMenuPictures(dpi);
  AddTitleIcon();
}

void TfrmMain::WatchUrlFolder() {
  folderChanges_ = store_.WatchChanges();
  if (!folderChanges_) return;  // then every opening makes the entries again
  win::WatchHandle(folderChanges_.get(), [this] {
    stale_ = true;
    FindNextChangeNotification(folderChanges_.get());
  });
}

void TfrmMain::RefreshMenu() {
  // A notice the loop has not taken yet counts as well.
  if (folderChanges_ && WaitForSingleObject(folderChanges_.get(), 0) == WAIT_OBJECT_0) {
    stale_ = true;
    FindNextChangeNotification(folderChanges_.get());
  }
  if (UrlFolder.empty() || (folderChanges_ && !stale_)) return;
  stale_ = false;
  bookmarks_.Clear();
  const QuietSearch quiet(FindFile);
  ScanUrlFolder();
}

void TfrmMain::FindFileFind(const Bookmark& found) { bookmarks_.AddFound(found); }

bool TfrmMain::AddUrlFile(const std::wstring& FileName) {
  try {
    const std::optional<Bookmark> stored = store_.CopyIn(FileName);
    if (stored) AppendBookmark(*stored);
    return stored.has_value();
  } catch (const win::Failure&) {
    // Told here, so that the other names of the same drop are still stored.
    win::ShowCurrentFailure();
    return false;
  }
}

void TfrmMain::RegisterDrops() {
  DragAcceptFiles(Handle(), TRUE);
  dropTarget_ = win::DropTarget::Create(
      [](const win::Dropped& dropped) { return text::BringsBookmarks(dropped.files, dropped.link); },
      [this](win::Dropped dropped) { StoreLater(std::move(dropped)); },
      [this](bool over) {
        dragOver_ = over;
        InvalidateRect(Handle(), nullptr, TRUE);
      });
  dropRegistration_.emplace(Handle(), dropTarget_.Get());
}

void TfrmMain::WMDropFiles(HDROP drop) {
  const win::DropHandle owned(drop);
  StoreLater({win::DroppedFileNames(drop), std::nullopt});
}

void TfrmMain::StoreLater(win::Dropped dropped) {
  pending_.push_back(std::move(dropped));
  PostMessageW(Handle(), kStoreDropsMessage, 0, 0);
}

void TfrmMain::StorePendingDrops() {
  // A box shown while storing runs a loop that may bring this message again:
  // the outer call goes on with the queue, so the drops keep their order.
  if (storing_) return;
  storing_ = true;
  while (!pending_.empty()) {
    const win::Dropped dropped = std::move(pending_.front());
    pending_.pop_front();
    if (!dropped.files.empty()) {
      AddUrlFiles(dropped.files);
    } else if (dropped.link) {
      AddLink(*dropped.link);
    }
  }
  storing_ = false;
}

// Each in the shell's order, so the entries of one drop keep it.
void TfrmMain::AddUrlFiles(const std::vector<std::wstring>& names) {
  for (const std::wstring& name : names) {
    if (text::IsShortcutName(name)) {
      AddUrlFile(name);
    } else if (text::IsBookmarkFileName(name)) {
      try {
        ImportBookmarks(name);
      } catch (const win::Failure&) {
        win::ShowCurrentFailure();
      }
    }
  }
}

void TfrmMain::ImportBookmarks(const std::wstring& file) {
  // Thousands of links take seconds: the window goes on answering meanwhile,
  // through a pump of its own, since a menu opened meanwhile quiets the search's.
  const std::function<void()> pump = FindFile.ProcessMessages;
  const Imported imported = store_.Import(file, pump);
  // Made again from the folder at the next opening, since a menu opened
  // while messages went through has shown some of them already.
  stale_ = true;
  std::wstring said =
      text::Format(win::FromUtf8(resources::kBookmarksImported), {text::Decimal(imported.stored.size())});
  if (imported.skipped)
    said += text::Format(win::FromUtf8(resources::kBookmarksNotImported), {text::Decimal(imported.skipped)});
  // Stopped part-way: what was stored stays, and the box says why the rest is not.
  if (!imported.failure.empty()) {
    win::ShowFailure(text::WithFinalDot(imported.failure) + L"\r\n" + said);
    return;
  }
  win::ShowInformation(said);
}

namespace {

// The file chosen in the system's Open or Save dialog; empty when cancelled.
std::wstring ChooseBookmarkFile(HWND owner, bool save) {
  const std::wstring filter = win::FromUtf8(resources::kBookmarkFilter) + L'\0' + L"*.html;*.htm" + L'\0';
  std::wstring name(32768, L'\0');
  if (save) std::ranges::copy(std::wstring_view(L"bookmarks.html"), name.begin());
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  dialog.lpstrDefExt = L"html";
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                 (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST);
  const win::ModalScope modal;
  if (!(save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog))) return {};
  name.resize(name.find(L'\0'));
  return name;
}

}  // namespace

void TfrmMain::mnuImportClick() {
  // In the drops' queue: what is dropped while it lets messages through waits for it.
  if (std::wstring file = ChooseBookmarkFile(Handle(), false); !file.empty()) StoreLater({{std::move(file)}, {}});
}

void TfrmMain::mnuExportClick() {
  const std::wstring file = ChooseBookmarkFile(Handle(), true);
  if (file.empty()) return;
  const Exported exported = [&] {
    const QuietSearch quiet(FindFile);
    return store_.Export(FindFile, file);
  }();
  std::wstring said = text::Format(win::FromUtf8(resources::kBookmarksExported), {text::Decimal(exported.written)});
  if (exported.withoutUrl)
    said += text::Format(win::FromUtf8(resources::kBookmarksWithoutUrl), {text::Decimal(exported.withoutUrl)});
  win::ShowInformation(said);
}

void TfrmMain::AddLink(const text::WebLink& offered) {
  const std::optional<text::WebLink> link = text::WebLinkFrom(offered.url, offered.title);
  if (!link) return;
  try {
    AppendBookmark(store_.WriteLink(*link));
  } catch (const win::Failure&) {
    win::ShowCurrentFailure();
  }
}

void TfrmMain::AppendBookmark(const Bookmark& bookmark) {
  bookmarks_.Add(bookmark);
  popMenu.Changed();
}

void TfrmMain::MenuItemClick(const std::wstring& path) {
  if (!Exists(path)) {
    stale_ = true;  // the next opening goes without its entry
    throw win::Failure(text::Format(win::FromUtf8(resources::kNotFound), {path}));
  }
  const std::wstring target = ShellPath(path);
  SHELLEXECUTEINFOW open{};
  open.cbSize = sizeof open;
  open.fMask = SEE_MASK_FLAG_NO_UI;
  open.hwnd = Handle();
  open.lpVerb = L"Open";
  open.lpFile = target.c_str();
  open.nShow = SW_SHOW;
  // Silence here would leave the user wondering whether the click was taken.
  if (!ShellExecuteExW(&open)) throw win::Failure(win::SystemErrorText(GetLastError()));
}

// What the clipboard holds is taken as a drop of it would be.
void TfrmMain::mnuPasteClick() {
  // Told apart from an empty clipboard: OLE's reading would only find nothing.
  if (!win::ClipboardLock(Handle()).IsOpen()) throw win::Failure(win::FromUtf8(resources::kCannotOpenClipboard));
  Microsoft::WRL::ComPtr<IDataObject> data;
  if (FAILED(OleGetClipboard(&data))) throw win::Failure(win::FromUtf8(resources::kCannotOpenClipboard));
  win::Dropped pasted = win::ReadDropped(data.Get());
  if (!text::BringsBookmarks(pasted.files, pasted.link))
    throw win::Failure(win::FromUtf8(resources::kNoUrlOnClipboard));
  StoreLater(std::move(pasted));
}

void TfrmMain::EntryAction(UINT command, win::PopupMenu::ItemAction action) {
  // The fixed entries have no menu of their own.
  if (!bookmarks_.Has(command)) return;
  const bool isFolder = bookmarks_.IsFolder(command);
  const std::wstring path = bookmarks_.PathOf(command);
  if (!Exists(path)) {
    stale_ = true;  // the next opening goes without its entry
    throw win::Failure(text::Format(win::FromUtf8(resources::kNotFound), {path}));
  }
  enum : UINT { kNone, kOpen, kRename, kCopyUrl, kDelete };
  UINT chosen = action == win::PopupMenu::ItemAction::Delete   ? kDelete
                : action == win::PopupMenu::ItemAction::Rename ? kRename
                                                               : kNone;
  if (action == win::PopupMenu::ItemAction::ContextMenu) {
    const win::MenuHandle menu(CreatePopupMenu());
    AppendMenuW(menu.get(), MF_STRING, kOpen,
                win::FromUtf8(isFolder ? resources::kFolderOpen : resources::kEntryOpen).c_str());
    AppendMenuW(menu.get(), MF_STRING, kRename, win::FromUtf8(resources::kEntryRename).c_str());
    if (!isFolder) AppendMenuW(menu.get(), MF_STRING, kCopyUrl, win::FromUtf8(resources::kEntryCopyUrl).c_str());
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, kDelete, win::FromUtf8(resources::kEntryDelete).c_str());
    const POINT at = popMenu.ActionPoint();
    chosen = static_cast<UINT>(
        TrackPopupMenuEx(menu.get(), TPM_RECURSE | TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, Handle(), nullptr));
  }
  switch (chosen) {
    case kOpen:
      EndMenu();
      if (isFolder) {
        ShellExecuteW(Handle(), L"Open", ShellPath(path).c_str(), nullptr, nullptr, SW_SHOW);
      } else {
        MenuItemClick(path);
      }
      break;
    case kRename: RenameEntry(command, path); break;
    case kCopyUrl: CopyUrl(path); break;
    case kDelete: DeleteEntry(command, path); break;
  }
}

void TfrmMain::RenameEntry(UINT command, const std::wstring& path) {
  // The caption as shown, without the "&&" a folder's entry doubles.
  std::wstring name = bookmarks_.CaptionOf(command);
  for (size_t at = name.find(L"&&"); at != name.npos; at = name.find(L"&&", at + 1)) name.erase(at, 1);
  win::NameDialog dialog(
      {win::FromUtf8(resources::kRenameCaption), win::FromUtf8(resources::kOk), win::FromUtf8(resources::kCancel)},
      name, [&](const std::wstring& typed) {
        try {
          store_.Rename(path, typed);
          return std::wstring();
        } catch (const win::Failure& refused) {
          return text::WithFinalDot(refused.Text());
        }
      });
  if (!dialog.ShowModal()) return;
  // Made again from the folder, so a renamed folder's entries open their files.
  stale_ = true;
  RefreshMenu();
  popMenu.Reopen();
}

void TfrmMain::CopyUrl(const std::wstring& path) {
  const std::optional<std::string> url = store_.UrlOf(path);
  if (!url) {
    throw win::Failure(text::Format(win::FromUtf8(resources::kNoUrlInShortcut), {path.substr(path.rfind(L'\\') + 1)}));
  }
  const win::ClipboardLock clipboard(Handle());
  if (!clipboard.IsOpen()) throw win::Failure(win::FromUtf8(resources::kCannotOpenClipboard));
  EmptyClipboard();
  // A shortcut's URL is ASCII, so both forms hold it exactly.
  win::SetClipboardText(CF_TEXT, *url);
  win::SetClipboardText(CF_UNICODETEXT, win::FromAnsi(*url));
}

void TfrmMain::DeleteEntry(UINT command, const std::wstring& path) {
  store_.Remove(path);
  bookmarks_.Remove(command);
  popMenu.Reopen();
}

void TfrmMain::mnuOpenURLFolderClick() {
  ShellExecuteA(Handle(), "Open", UrlFolder.c_str(), nullptr, nullptr, SW_SHOW);
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

void TfrmMain::FormPaint(HDC dc) {
  GlyphBitmap.Draw(dc);
  // A frame says that the drag over the face will be taken.
  if (!dragOver_) return;
  RECT frame;
  GetClientRect(Handle(), &frame);
  for (int i = 0; i < 3; ++i, InflateRect(&frame, -1, -1)) FrameRect(dc, &frame, GetSysColorBrush(COLOR_HIGHLIGHT));
}

void TfrmMain::FormClick() {
  POINT at;
  GetCursorPos(&at);
  RefreshMenu();
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
  RefreshMenu();
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
    case WM_LBUTTONDBLCLK: FormMouseDown(true); return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: FormMouseDown(false); break;
    case WM_CONTEXTMENU: FormContextMenu(lParam); return 0;
    case WM_DROPFILES: WMDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case kStoreDropsMessage: StorePendingDrops(); return 0;
    case win::PopupMenu::kItemActionMessage:
      EntryAction(static_cast<UINT>(wParam), static_cast<win::PopupMenu::ItemAction>(lParam));
      return 0;
    case WM_CHAR:
      if (wParam == 0x16) mnuPasteClick();  // Ctrl+V
      return 0;
    case WM_MEASUREITEM:
      if (popMenu.MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_INITMENUPOPUP: popMenu.InitPopup(reinterpret_cast<HMENU>(wParam)); break;
    case WM_DRAWITEM:
      if (popMenu.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_COMMAND:
      if (HIWORD(wParam) == 0 && popMenu.Click(LOWORD(wParam))) return 0;
      break;
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
