#pragma once
// A pop-up menu kept as a tree of entries; the system menu is built from it
// each time it opens, so entries can be added or changed at any time.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace win {

struct MenuItem {
  std::string Name;
  std::wstring Caption;  // "-" draws a separator line
  int ImageIndex = -1;   // into the menu's image list; -1 for none
  bool Visible = true;
  std::function<void()> OnClick;
  std::vector<std::unique_ptr<MenuItem>> Items;
  UINT Command = 0;

  bool IsLine() const { return Caption == L"-"; }
};

class PopupMenu {
 public:
  MenuItem& Root() { return root_; }
  // Appends an entry at the end of `parent`'s sub-entries.
  MenuItem& Add(MenuItem& parent, MenuItem item);
  MenuItem* Find(std::string_view name);
  MenuItem* FindCommand(UINT command);
  // Takes the entry, with its sub-entries, out of the tree.
  void Remove(const MenuItem& item);

  // What is asked of an entry while the menu is open: a right click on it,
  // Shift+F10 or the menu key (its context menu), Del, F2.
  enum class ItemAction { ContextMenu, Delete, Rename };
  // Posted to the owner for such a request, so that it runs inside the menu's
  // loop: wParam the entry's command, lParam the ItemAction. ActionPoint()
  // says where on the screen a context menu for it belongs.
  static constexpr UINT kItemActionMessage = WM_APP + 2;
  POINT ActionPoint() const { return actionPoint_; }

  // Opens the menu with its top-left corner at the screen point; returns when
  // it closes. The chosen entry's command reaches `owner` as WM_COMMAND.
  void Popup(HWND owner, POINT at);
  // Closes the open menu and opens it again where it was, made from the
  // tree as it is now (after an entry was removed or renamed).
  void Reopen();
  // Runs the handler of the entry with this command; false if none has it.
  bool Click(UINT command);

  // The pictures the entries' ImageIndex points into; the menu does not own them.
  void SetImages(HIMAGELIST images) { images_ = images; }
  // The owner passes on WM_MEASUREITEM and WM_DRAWITEM: the system asks there
  // for the entries' pictures. False for a message about something else.
  bool MeasureItem(MEASUREITEMSTRUCT& item) const;
  bool DrawItem(const DRAWITEMSTRUCT& item) const;

 private:
  static LRESULT CALLBACK FilterMenuMessages(int code, WPARAM wParam, LPARAM lParam) noexcept;
  bool PostAction(const MSG& message);

  MenuItem root_;
  HIMAGELIST images_ = nullptr;
  UINT nextCommand_ = 1;
  HWND owner_ = nullptr;
  POINT actionPoint_{};
  bool reopen_ = false;
  bool swallowRelease_ = false;
  std::vector<HMENU> built_;  // the open menu and its sub-menus
};

}  // namespace win
