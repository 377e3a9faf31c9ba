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

  // Opens the menu with its top-left corner at the screen point; returns when
  // it closes. The chosen entry's command reaches `owner` as WM_COMMAND.
  void Popup(HWND owner, POINT at);
  // Runs the handler of the entry with this command; false if none has it.
  bool Click(UINT command);

  // The pictures the entries' ImageIndex points into; the menu does not own them.
  void SetImages(HIMAGELIST images) { images_ = images; }
  // The owner passes on WM_MEASUREITEM and WM_DRAWITEM: the system asks there
  // for the entries' pictures. False for a message about something else.
  bool MeasureItem(MEASUREITEMSTRUCT& item) const;
  bool DrawItem(const DRAWITEMSTRUCT& item) const;

 private:
  MenuItem root_;
  HIMAGELIST images_ = nullptr;
  UINT nextCommand_ = 1;
};

}  // namespace win
