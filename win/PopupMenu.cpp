#include "win/PopupMenu.h"

#include <algorithm>

#include "win/Handles.h"
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

void Tidy(MenuItem& level) {
  std::vector<MenuLine> lines;
  for (const auto& item : level.Items) lines.push_back({item->IsLine(), item->Visible});
  TidySeparators(lines);
  for (size_t i = 0; i < lines.size(); ++i) level.Items[i]->Visible = lines[i].visible;
}

// Pictures are drawn on request (HBMMENU_CALLBACK) from the shared image
// list, so ten thousand entries cost no GDI object of their own.
HMENU Build(MenuItem& level, bool pictures, std::vector<HMENU>& built) {
  Tidy(level);
  HMENU menu = CreatePopupMenu();
  built.push_back(menu);
  for (const auto& item : level.Items) {
    if (!item->Visible) continue;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    if (item->IsLine()) {
      info.fMask = MIIM_FTYPE;
      info.fType = MFT_SEPARATOR;
    } else {
      info.fMask = MIIM_STRING | MIIM_ID;
      info.dwTypeData = const_cast<wchar_t*>(item->Caption.c_str());
      info.wID = item->Command;
      if (!item->Items.empty()) {
        info.fMask |= MIIM_SUBMENU;
        info.hSubMenu = Build(*item, pictures, built);
      }
      if (pictures && item->ImageIndex >= 0) {
        info.fMask |= MIIM_BITMAP | MIIM_DATA;
        info.hbmpItem = HBMMENU_CALLBACK;
        info.dwItemData = static_cast<ULONG_PTR>(item->ImageIndex);
      }
    }
    InsertMenuItemW(menu, GetMenuItemCount(menu), TRUE, &info);
  }
  return menu;
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

MenuItem* PopupMenu::FindCommand(UINT command) {
  return command ? FindItem(root_, [command](const MenuItem& item) { return item.Command == command; }) : nullptr;
}

void PopupMenu::Remove(const MenuItem& item) {
  MenuItem* parent = FindItem(root_, [&item](const MenuItem& i) {
    return std::ranges::any_of(i.Items, [&item](const auto& child) { return child.get() == &item; });
  });
  if (parent) std::erase_if(parent->Items, [&item](const auto& child) { return child.get() == &item; });
}

bool PopupMenu::PostAction(const MSG& message) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  ItemAction action;
  // The press opens the entry's menu; its release must not choose the entry.
  if (message.message == WM_RBUTTONUP && swallowRelease_) {
    swallowRelease_ = false;
    return true;
  }
  if (message.message == WM_RBUTTONDOWN) {
    action = ItemAction::ContextMenu;
  } else if (message.message == WM_KEYDOWN && message.wParam == VK_APPS) {
    action = ItemAction::ContextMenu;
  } else if ((message.message == WM_SYSKEYDOWN || message.message == WM_KEYDOWN) && message.wParam == VK_F10 && shift) {
    action = ItemAction::ContextMenu;
  } else if (message.message == WM_KEYDOWN && message.wParam == VK_DELETE) {
    action = ItemAction::Delete;
  } else if (message.message == WM_KEYDOWN && message.wParam == VK_F2) {
    action = ItemAction::Rename;
  } else {
    return false;
  }
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
  const bool ours = at.menu && std::ranges::find(built_, at.menu) != built_.end();
  const UINT command = ours ? CommandAt(at.menu, at.position) : 0;
  if (!command) return false;
  swallowRelease_ = message.message == WM_RBUTTONDOWN;
  PostMessageW(owner_, kItemActionMessage, command, static_cast<LPARAM>(action));
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
  item.Command = nextCommand_++;
  parent.Items.push_back(std::make_unique<MenuItem>(std::move(item)));
  return *parent.Items.back();
}

MenuItem* PopupMenu::Find(std::string_view name) {
  return FindItem(root_, [name](const MenuItem& item) { return item.Name == name; });
}

void PopupMenu::Popup(HWND owner, POINT at) {
  owner_ = owner;
  openMenu = this;
  const HHOOK filter = SetWindowsHookExW(WH_MSGFILTER, FilterMenuMessages, nullptr, GetCurrentThreadId());
  do {
    reopen_ = false;
    built_.clear();
    const MenuHandle menu(Build(root_, images_ != nullptr, built_));
    // Without the foreground, a click elsewhere would not close the menu.
    SetForegroundWindow(owner);
    TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
  } while (reopen_);
  if (filter) UnhookWindowsHookEx(filter);
  openMenu = nullptr;
}

void PopupMenu::Reopen() {
  reopen_ = true;
  EndMenu();
}

bool PopupMenu::Click(UINT command) {
  MenuItem* item = FindItem(root_, [command](const MenuItem& i) { return i.Command == command && i.Items.empty(); });
  if (!item || !item->OnClick) return false;
  item->OnClick();
  return true;
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
