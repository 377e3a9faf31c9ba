#include "app/FindWindow.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "resources/MainWindowDescription.h"
#include "resources/Texts.h"
#include "text/FailureText.h"
#include "text/IntegerText.h"
#include "win/Application.h"
#include "win/ChildKeys.h"
#include "win/Dpi.h"
#include "win/Messages.h"
#include "win/WideText.h"

namespace app {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_BORDER;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
constexpr int kEditId = 1, kListId = 2;
constexpr auto kRows = static_cast<int>(resources::kFoundRows);

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

HWND AddPart(HWND parent, const wchar_t* className, DWORD exStyle, DWORD style, int id) {
  return win::Made(CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                   nullptr));
}

}  // namespace

TfrmFind::TfrmFind(BookmarkKeeper& keeper, Dispatcher dispatch) : keeper_(keeper), dispatch_(std::move(dispatch)) {
  const std::wstring caption = win::FromUtf8(resources::kFindCaption);
  CreateHandle({L"TfrmFind", 0, GetSysColorBrush(COLOR_WINDOW), nullptr},
               {kExStyle, kStyle, caption.c_str(), 0, 0, 0, 0, win::Application::Instance().Handle()});
  edit_ = AddPart(Handle(), L"EDIT", WS_EX_CLIENTEDGE, ES_AUTOHSCROLL, kEditId);
  list_ = AddPart(Handle(), L"LISTBOX", 0, LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, kListId);
  status_ = AddPart(Handle(), L"STATIC", 0, SS_NOPREFIX | SS_ENDELLIPSIS, 0);
  win::PassKeysToParent(edit_);
}

void TfrmFind::ShowAt(POINT at, HIMAGELIST pictures) {
  pictures_ = pictures;
  if (const HWND front = GetForegroundWindow(); front != Handle()) previous_ = front;
  const HMONITOR monitor = MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST);
  Layout(win::MonitorDpi(monitor));
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  RECT frame;
  GetWindowRect(Handle(), &frame);
  const RECT& work = info.rcWork;
  const LONG left = std::max(work.left, std::min(at.x, work.right - (frame.right - frame.left)));
  const LONG top = std::max(work.top, std::min(at.y, work.bottom - (frame.bottom - frame.top)));
  SetWindowPos(Handle(), HWND_TOPMOST, left, top, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(Handle());
  SetFocus(edit_);
  Edit_SetSel(edit_, 0, -1);
  Refresh(false);
}

void TfrmFind::Hide(bool giveBack) {
  ShowWindow(Handle(), SW_HIDE);
  // Opened by the hotkey over another program, the window hands that program its place back.
  if (giveBack && IsWindow(previous_)) SetForegroundWindow(previous_);
}

void TfrmFind::Layout(UINT dpi) {
  win::FontHandle font = win::MessageBoxFont(dpi);
  const HFONT shown = font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (const HWND part : {edit_, list_, status_}) SendMessageW(part, WM_SETFONT, reinterpret_cast<WPARAM>(shown), 0);
  font_ = std::move(font);
  TEXTMETRICW metrics{};
  {
    const win::WindowDc screen(nullptr);
    const win::Selection selected(screen.get(), shown);
    GetTextMetricsW(screen.get(), &metrics);
  }
  const int margin = MulDiv(4, static_cast<int>(dpi), 96);
  rowHeight_ = std::max<int>(metrics.tmHeight, win::MetricForDpi(SM_CYSMICON, dpi)) + margin;
  const int width = metrics.tmAveCharWidth * 64, editHeight = metrics.tmHeight + 2 * margin;
  const int listTop = 2 * margin + editHeight, statusTop = listTop + kRows * rowHeight_ + margin;
  MoveWindow(edit_, margin, margin, width, editHeight, FALSE);
  SendMessageW(list_, LB_SETITEMHEIGHT, 0, rowHeight_);
  MoveWindow(list_, margin, listTop, width, kRows * rowHeight_, FALSE);
  MoveWindow(status_, margin, statusTop, width, metrics.tmHeight, FALSE);
  RECT frame{0, 0, width + 2 * margin, statusTop + metrics.tmHeight + margin};
  win::AdjustFrameForDpi(frame, kStyle, kExStyle, dpi);
  SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TfrmFind::Refresh(bool keepSelection) {
  const UINT kept = keepSelection ? Selected() : 0;
  const BookmarkKeeper::Findings found = keeper_.Find(TextOf(edit_), resources::kFoundRows);
  pending_ = found.urlsPending;
  SetWindowRedraw(list_, FALSE);
  ListBox_ResetContent(list_);
  int selected = 0;
  for (const UINT entry : found.best) {
    if (entry == kept) selected = ListBox_GetCount(list_);
    ListBox_AddItemData(list_, entry);
  }
  SetWindowRedraw(list_, TRUE);
  Select(found.best.empty() ? -1 : selected);
  InvalidateRect(list_, nullptr, TRUE);
  std::wstring status;
  if (Edit_GetTextLength(edit_)) {
    if (found.best.empty()) status = win::FromUtf8(resources::kNothingFound);
    if (found.more) status = text::Format(win::FromUtf8(resources::kMoreFound), {text::Decimal(found.more)});
    if (found.urlsPending) status += (status.empty() ? L"" : L"  ") + win::FromUtf8(resources::kUrlsPending);
  }
  // Set only when it changes: each setting paints the line again.
  if (status != TextOf(status_)) SetWindowTextW(status_, status.c_str());
}

void TfrmFind::UrlsRead() {
  if (pending_ && IsWindowVisible(Handle())) Refresh(true);
}

UINT TfrmFind::Selected() const {
  const int row = ListBox_GetCurSel(list_);
  return row < 0 ? 0 : static_cast<UINT>(ListBox_GetItemData(list_, row));
}

void TfrmFind::Select(int row) {
  const int count = ListBox_GetCount(list_);
  ListBox_SetCurSel(list_, count ? std::clamp(row, 0, count - 1) : -1);
  RECT r{};
  ListBox_GetItemRect(list_, std::max(0, ListBox_GetCurSel(list_)), &r);
  menuAt_ = {r.left, r.bottom};
  ClientToScreen(list_, &menuAt_);
}

void TfrmFind::Ask(UINT command) {
  const UINT entry = Selected();
  if (!entry) return;
  if (command == resources::CmdEntryOpen) Hide(false);
  dispatch_(command, entry);
  if (IsWindowVisible(Handle())) Refresh(true);
}

bool TfrmFind::TakeKey(UINT message, WPARAM key) {
  const int row = ListBox_GetCurSel(list_);
  DWORD from = 0, to = 0;
  SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  const bool textSelected = from != to;
  if (message == WM_CHAR) {
    switch (key) {
      case L'\r':
      case L'\x1B': return true;  // taken as keys: no beep
      case L'\x03':               // Ctrl+C with no text selected copies the result's URL
        if (textSelected || !Selected()) return false;
        Ask(resources::CmdEntryCopyUrl);
        return true;
    }
    return false;
  }
  if (message == WM_CONTEXTMENU) return Selected() != 0;  // the menu key opened the result's menu already
  switch (key) {
    case VK_UP: Select(row - 1); return true;
    case VK_DOWN: Select(row + 1); return true;
    case VK_PRIOR: Select(row - (kRows - 1)); return true;
    case VK_NEXT: Select(row + (kRows - 1)); return true;
    case VK_HOME: Select(0); return true;
    case VK_END: Select(ListBox_GetCount(list_) - 1); return true;
    case VK_RETURN: Ask(resources::CmdEntryOpen); return true;
    case VK_ESCAPE:
      if (Edit_GetTextLength(edit_))
        SetWindowTextW(edit_, L"");
      else
        Hide(true);
      return true;
  }
  if (!Selected()) return false;
  // Del deletes the typed text while there is any after the caret.
  if (key == VK_DELETE && (textSelected || static_cast<int>(to) < Edit_GetTextLength(edit_))) return false;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  for (const auto& entryKey : resources::kEntryKeys) {
    if (entryKey.key == key && shift == entryKey.shift) {
      Ask(entryKey.command);
      return true;
    }
  }
  return false;
}

void TfrmFind::DrawRow(const DRAWITEMSTRUCT& item) const {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const auto entry = static_cast<UINT>(item.itemData);
  const bool selected = item.itemState & ODS_SELECTED;
  const HDC dc = item.hDC;
  RECT r = item.rcItem;
  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  int iconWidth = 0, iconHeight = 0;
  ImageList_GetIconSize(pictures_, &iconWidth, &iconHeight);
  const int pad = std::max(1, (rowHeight_ - iconHeight) / 2);
  ImageList_Draw(pictures_, keeper_.Records().ImageOf(entry), dc, r.left + pad, r.top + pad, ILD_TRANSPARENT);
  r.left += iconWidth + 2 * pad;
  r.right -= pad;
  SetBkMode(dc, TRANSPARENT);
  // In grey after the name: where the bookmark is and which site it leads to.
  std::wstring where = keeper_.FolderOf(entry);
  if (const std::string_view host = keeper_.HostOf(entry); !host.empty())
    where += (where.empty() ? L"" : L"  ") + win::FromAnsi(host);
  RECT grey = r;
  DrawTextW(dc, where.c_str(), -1, &grey, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  grey = {std::max(r.right - (grey.right - grey.left), r.left + (r.right - r.left) / 2), r.top, r.right, r.bottom};
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT));
  DrawTextW(dc, where.c_str(), -1, &grey, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_RIGHT);
  RECT name = {r.left, r.top, grey.left - pad, r.bottom};
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  const std::wstring caption = keeper_.Records().NameOf(entry);
  DrawTextW(dc, caption.c_str(), -1, &name, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

LRESULT TfrmFind::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case win::kControlKeyMessage: return TakeKey(static_cast<UINT>(lParam), wParam);
    case WM_COMMAND:
      if (LOWORD(wParam) == kEditId && HIWORD(wParam) == EN_CHANGE) Refresh(false);
      if (LOWORD(wParam) == kListId && HIWORD(wParam) == LBN_DBLCLK) Ask(resources::CmdEntryOpen);
      // The list is only looked at: the keys stay with the edit box.
      if (LOWORD(wParam) == kListId && HIWORD(wParam) == LBN_SELCHANGE) {
        Select(ListBox_GetCurSel(list_));
        SetFocus(edit_);
      }
      return 0;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wParam) == list_ && lParam != -1) {
        POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, inList = at;
        ScreenToClient(list_, &inList);
        const auto row = static_cast<DWORD>(SendMessageW(list_, LB_ITEMFROMPOINT, 0, MAKELPARAM(inList.x, inList.y)));
        if (HIWORD(row)) return 0;  // below the last result
        Select(LOWORD(row));
        menuAt_ = at;
        Ask(resources::kEntryRightClick);
        return 0;
      }
      break;
    case WM_DRAWITEM: DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_CTLCOLORSTATIC:
      SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_GRAYTEXT));
      SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        SetFocus(edit_);
        return 0;
      }
      // Another program in front closes it; a box or menu of this program does not.
      if (const auto other = reinterpret_cast<HWND>(lParam);
          !other || GetWindowThreadProcessId(other, nullptr) != GetCurrentThreadId())
        Hide(false);
      return 0;
    case WM_CLOSE: Hide(true); return 0;
  }
  return Form::HandleMessage(message, wParam, lParam);
}

}  // namespace app
