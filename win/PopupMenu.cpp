#include "win/PopupMenu.h"

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
HMENU Build(MenuItem& level, bool pictures) {
  Tidy(level);
  HMENU menu = CreatePopupMenu();
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
        info.hSubMenu = Build(*item, pictures);
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

}  // namespace

MenuItem& PopupMenu::Add(MenuItem& parent, MenuItem item) {
  item.Command = nextCommand_++;
  parent.Items.push_back(std::make_unique<MenuItem>(std::move(item)));
  return *parent.Items.back();
}

MenuItem* PopupMenu::Find(std::string_view name) {
  return FindItem(root_, [name](const MenuItem& item) { return item.Name == name; });
}

void PopupMenu::Popup(HWND owner, POINT at) {
  const MenuHandle menu(Build(root_, images_ != nullptr));
  // Without the foreground, a click elsewhere would not close the menu.
  SetForegroundWindow(owner);
  TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
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
