#include "win/PopupMenu.h"

#include <algorithm>
#include <utility>

#include "text/FailureText.h"
#include "text/IntegerText.h"
#include "win/MenuSplit.h"
#include "win/Messages.h"
#include "win/SeparatorRule.h"

namespace win {
namespace {

template <typename Visit>
MenuItem* FindItem(MenuItem& item, Visit matches) {
  if (matches(item)) return &item;
  for (auto& child : item.Items) {
    if (MenuItem* found = FindItem(*child, matches)) return found;
  }
  return nullptr;
}

// As the menu shows it: "&&" is one "&", a lone "&" marks the access key.
std::wstring Shown(std::wstring_view caption) {
  std::wstring shown;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
    shown += caption[i];
  }
  return shown;
}

// "first – last" of a sub-menu that holds part of a long level.
std::wstring RangeCaption(std::wstring_view first, std::wstring_view last) {
  constexpr size_t kMaxShown = 24;
  const auto part = [](std::wstring_view caption) {
    std::wstring shown = Shown(caption);
    if (shown.size() > kMaxShown) {
      shown.resize(kMaxShown - (IS_HIGH_SURROGATE(shown[kMaxShown - 1]) ? 2 : 1));
      shown += L'\u2026';
    }
    std::wstring escaped;
    for (const wchar_t c : shown) escaped += c == L'&' ? L"&&" : std::wstring(1, c);
    return escaped;
  };
  return part(first) + L" \u2013 " + part(last);
}

// The menu that is open on this thread; menus do not open side by side.
PopupMenu* openMenu = nullptr;

// The entry command at a position of a built menu (sub-menus carry one too).
UINT CommandAt(HMENU menu, int position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID;
  return position >= 0 && GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info) ? info.wID : 0;
}

HMENU MenuOfWindow(HWND window) { return reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0)); }

struct MenuPlace {
  HMENU menu = nullptr;
  int position = -1;
};

BOOL CALLBACK FindSelection(HWND window, LPARAM found) noexcept {
  wchar_t name[16] = L"";
  GetClassNameW(window, name, 16);
  if (wcscmp(name, L"#32768") != 0 || !IsWindowVisible(window)) return TRUE;
  const HMENU menu = MenuOfWindow(window);
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) {
      *reinterpret_cast<MenuPlace*>(found) = {menu, i};
      // The windows come front first: the deepest open sub-menu has the keyboard.
      return FALSE;
    }
  }
  return TRUE;
}

}  // namespace

bool PopupMenu::PostAction(const MSG& message) {
  // The press opens the entry's menu; its release must not choose the entry.
  if (message.message == WM_RBUTTONUP && swallowRelease_) {
    swallowRelease_ = false;
    return true;
  }
  UINT asked = 0;
  if (message.message == WM_RBUTTONDOWN) {
    asked = rightClick_;
  } else if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
    // Shift+F10 comes as a system key.
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    for (const EntryKey& key : entryKeys_) {
      if (key.key == message.wParam && (shift || !key.shift)) asked = key.command;
    }
  }
  if (!asked) return false;
  MenuPlace at;
  if (message.message == WM_RBUTTONDOWN) {
    at.menu = MenuOfWindow(WindowFromPoint(message.pt));
    at.position = at.menu ? MenuItemFromPoint(nullptr, at.menu, message.pt) : -1;
    actionPoint_ = message.pt;
  } else {
    EnumThreadWindows(GetCurrentThreadId(), FindSelection, reinterpret_cast<LPARAM>(&at));
    RECT r{};
    if (at.menu && GetMenuItemRect(nullptr, at.menu, static_cast<UINT>(at.position), &r))
      actionPoint_ = {r.left, r.bottom};
  }
  // Only the entries of this menu: not those of a menu opened over it.
  const bool ours = at.menu && std::ranges::find(menus_, at.menu) != menus_.end();
  const UINT command = ours ? CommandAt(at.menu, at.position) : 0;
  if (!command) return false;
  swallowRelease_ = message.message == WM_RBUTTONDOWN;
  PostMessageW(owner_, kEntryCommandMessage, asked, static_cast<LPARAM>(command));
  return true;
}

LRESULT CALLBACK PopupMenu::FilterMenuMessages(int code, WPARAM wParam, LPARAM lParam) noexcept {
  // Taken here rather than through WM_MENURBUTTONUP, which Wine never sends
  // (nor does its menu loop show this filter the release of a right click);
  // the owner opens the entry's menu from its own message, since a menu
  // tracked from inside this filter sees the same message again.
  if (code == MSGF_MENU && openMenu && openMenu->PostAction(*reinterpret_cast<const MSG*>(lParam))) return TRUE;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

MenuItem& PopupMenu::Add(MenuItem& parent, MenuItem item) {
  changed_ = true;
  parent.Items.push_back(std::make_unique<MenuItem>(std::move(item)));
  return *parent.Items.back();
}

MenuItem* PopupMenu::Find(std::string_view name) {
  return FindItem(root_, [name](const MenuItem& item) { return item.Name == name; });
}

MenuItem* PopupMenu::Find(UINT command) {
  return FindItem(root_, [command](const MenuItem& item) { return item.Command == command; });
}

struct PopupMenu::Row {
  std::wstring caption;
  UINT command = 0;
  int imageIndex = -1;
  bool line = false;
  bool checked = false;
  MenuItem* own = nullptr;  // an entry of the tree with sub-entries
  bool hasEntries = false;  // an entry of the source with a sub-menu
};

size_t PopupMenu::FitAt(POINT at) const {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST), &monitor);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  const FontHandle font(CreateFontIndirectW(&metrics.lfMenuFont));
  const WindowDc screen(nullptr);
  TEXTMETRICW text{};
  {
    const Selection selected(screen.get(), font.get());
    GetTextMetricsW(screen.get(), &text);
  }
  int width = 0, height = 0;
  if (images_) ImageList_GetIconSize(images_, &width, &height);
  // Taller than the system draws an entry, so the count errs on the short side.
  const int entry = std::max({GetSystemMetrics(SM_CYMENU), static_cast<int>(text.tmHeight) + 8, height + 8});
  return EntriesThatFit(monitor.rcWork.bottom - monitor.rcWork.top, entry);
}

HMENU PopupMenu::NewMenu(const Pending& contents) {
  menus_.push_back(CreatePopupMenu());
  pending_.emplace(menus_.back(), contents);
  return menus_.back();
}

std::vector<PopupMenu::Row> PopupMenu::RowsOf(MenuItem* own, UINT sourceMenu) {
  std::vector<Row> rows;
  std::vector<MenuLine> lines;
  if (own) {
    for (const auto& item : own->Items) {
      rows.push_back({item->Caption, item->Command, item->ImageIndex, item->IsLine(), item->Checked,
                      item->Items.empty() ? nullptr : item.get()});
      lines.push_back({item->IsLine(), item->Visible});
    }
  }
  if (source_ && (!own || own == &root_)) {
    std::vector<MenuSource::Entry> entries;
    source_->EntriesOf(sourceMenu, entries);
    for (MenuSource::Entry& entry : entries) {
      const bool line = entry.caption == L"-";
      rows.push_back(
          {std::move(entry.caption), entry.command, entry.imageIndex, line, false, nullptr, entry.hasEntries});
      lines.push_back({line, true});
    }
  }
  TidySeparators(lines);
  if (own) {
    for (size_t i = 0; i < own->Items.size(); ++i) own->Items[i]->Visible = lines[i].visible;
  }
  size_t kept = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (!lines[i].visible) continue;
    if (kept != i) rows[kept] = std::move(rows[i]);
    ++kept;
  }
  rows.resize(kept);
  return rows;
}

bool PopupMenu::InitPopup(HMENU menu) {
  const auto pending = pending_.find(menu);
  if (pending == pending_.end()) return false;
  const Pending contents = pending->second;
  pending_.erase(pending);
  const std::vector<Row> rows = RowsOf(contents.own, contents.sourceMenu);
  if (!contents.part) {
    InsertLevel(menu, contents, rows);
  } else if (contents.first + contents.count <= rows.size()) {
    // What the level held when the menu was built, unless it changed since.
    InsertGroups(menu, contents, rows, contents.first, contents.count);
  }
  return true;
}

// Pictures are drawn on request (HBMMENU_CALLBACK) from the shared image
// list, so ten thousand entries cost no GDI object of their own.
void PopupMenu::Insert(HMENU menu, const Row& row, HMENU sub) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  if (row.line) {
    info.fMask = MIIM_FTYPE;
    info.fType = MFT_SEPARATOR;
  } else {
    info.fMask = MIIM_STRING | MIIM_ID;
    info.dwTypeData = const_cast<wchar_t*>(row.caption.c_str());
    info.wID = row.command;
    if (row.checked) {
      info.fMask |= MIIM_FTYPE | MIIM_STATE;
      info.fType = MFT_RADIOCHECK;
      info.fState = MFS_CHECKED;
    }
    if (!sub && (row.own || row.hasEntries)) sub = NewMenu({row.own, row.own ? 0 : row.command});
    if (sub) {
      info.fMask |= MIIM_SUBMENU;
      info.hSubMenu = sub;
    }
    if (images_ && row.imageIndex >= 0) {
      info.fMask |= MIIM_BITMAP | MIIM_DATA;
      info.hbmpItem = HBMMENU_CALLBACK;
      info.dwItemData = static_cast<ULONG_PTR>(row.imageIndex);
    }
  }
  InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info);
}

void PopupMenu::InsertLevel(HMENU menu, const Pending& level, const std::vector<Row>& rows) {
  if (rows.size() <= fit_) {
    InsertGroups(menu, level, rows, 0, rows.size());
    return;
  }
  const size_t shown = fit_ - 1;
  InsertGroups(menu, level, rows, 0, shown);
  Row rest;
  rest.caption = text::Format(overflowCaption_, {text::Decimal(rows.size() - shown)});
  Insert(menu, rest, NewMenu({level.own, level.sourceMenu, true, shown, rows.size() - shown}));
}

void PopupMenu::InsertGroups(HMENU menu, const Pending& level, const std::vector<Row>& rows, size_t first,
                             size_t count) {
  const size_t size = OverflowGroupSize(count, fit_);
  for (size_t at = first; at < first + count; at += size) {
    if (size == 1) {
      Insert(menu, rows[at]);
      continue;
    }
    const size_t n = std::min(size, first + count - at);
    Row group;
    group.caption = RangeCaption(rows[at].caption, rows[at + n - 1].caption);
    Insert(menu, group, NewMenu({level.own, level.sourceMenu, true, at, n}));
  }
}

UINT PopupMenu::Popup(HWND owner, POINT at) {
  // Undone however the opening ends.
  struct Opening {
    PopupMenu& menu;
    Opening(PopupMenu& m, HWND owner) : menu(m) {
      menu.owner_ = owner;
      openMenu = &menu;
    }
    ~Opening() {
      menu.owner_ = nullptr;
      openMenu = nullptr;
    }
  };
  UINT chosen = 0;
  {
    const Opening opening(*this, owner);
    const HookHandle filter(SetWindowsHookExW(WH_MSGFILTER, FilterMenuMessages, nullptr, GetCurrentThreadId()));
    do {
      reopen_ = false;
      // Built again only outside the menu's loop: the open menu is in use.
      if (const size_t fit = FitAt(at); !built_ || changed_ || fit != fit_) {
        built_.reset();
        menus_.clear();
        pending_.clear();
        changed_ = false;
        fit_ = fit;
        built_.reset(NewMenu({&root_}));
        InitPopup(built_.get());
      }
      // Without the foreground, a click elsewhere would not close the menu.
      SetForegroundWindow(owner);
      chosen = static_cast<UINT>(
          TrackPopupMenu(built_.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y, 0, owner, nullptr));
      PostMessageW(owner, WM_NULL, 0, 0);
    } while (reopen_);
  }
  return chosen;
}

void PopupMenu::Reopen() {
  changed_ = true;
  reopen_ = true;
  EndMenu();
}

UINT TrackCommands(HWND owner, const std::vector<std::pair<std::wstring, UINT>>& rows, POINT at) {
  const MenuHandle menu(CreatePopupMenu());
  for (const auto& [caption, command] : rows)
    AppendMenuW(menu.get(), caption == L"-" ? MF_SEPARATOR : MF_STRING, command, caption.c_str());
  return static_cast<UINT>(
      TrackPopupMenuEx(menu.get(), TPM_RECURSE | TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, owner, nullptr));
}

bool PopupMenu::MeasureItem(MEASUREITEMSTRUCT& item) const {
  if (item.CtlType != ODT_MENU || !images_) return false;
  int width = 0, height = 0;
  ImageList_GetIconSize(images_, &width, &height);
  item.itemWidth = static_cast<UINT>(width);
  item.itemHeight = static_cast<UINT>(height);
  return true;
}

bool PopupMenu::DrawItem(const DRAWITEMSTRUCT& item) const {
  if (item.CtlType != ODT_MENU || !images_) return false;
  int width = 0, height = 0;
  ImageList_GetIconSize(images_, &width, &height);
  const RECT& r = item.rcItem;
  ImageList_Draw(images_, static_cast<int>(item.itemData), item.hDC, r.left + (r.right - r.left - width) / 2,
                 r.top + (r.bottom - r.top - height) / 2, ILD_TRANSPARENT);
  return true;
}

}  // namespace win
