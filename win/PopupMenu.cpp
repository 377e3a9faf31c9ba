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

HMENU Build(MenuItem& level) {
  Tidy(level);
  HMENU menu = CreatePopupMenu();
  for (const auto& item : level.Items) {
    if (!item->Visible) continue;
    if (item->IsLine()) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else if (!item->Items.empty()) {
      AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(Build(*item)), item->Caption.c_str());
    } else {
      AppendMenuW(menu, MF_STRING, item->Command, item->Caption.c_str());
    }
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
  const MenuHandle menu(Build(root_));
  // Without the foreground, a click elsewhere would not close the menu.
  SetForegroundWindow(owner);
  TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
  PostMessageW(owner, WM_NULL, 0, 0);
}

bool PopupMenu::Click(UINT command) {
  MenuItem* item =
      FindItem(root_, [command](const MenuItem& i) { return i.Command == command && i.Items.empty(); });
  if (!item || !item->OnClick) return false;
  item->OnClick();
  return true;
}

}  // namespace win

