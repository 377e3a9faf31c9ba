#pragma once
// A pop-up menu kept as a tree of entries, plus the entries an owner keeps by
// the thousand in records of its own. The system menu is built from both when
// it first opens and kept until they change.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "win/Handles.h"

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

// Entries given to the menu when it is built, after the top level's own.
class MenuSource {
 public:
  struct Entry {
    std::wstring caption;  // "-" draws a separator line
    UINT command;          // above the menu's own (kFirstSourceCommand and on)
    int imageIndex;
    bool hasEntries;  // a sub-menu, whose entries EntriesOf(command) gives
  };
  // The entries after the top level's own (`menu` 0), or those of the
  // sub-menu of the entry with that command.
  virtual void EntriesOf(UINT menu, std::vector<Entry>& entries) const = 0;
  // Runs what choosing the entry does; false for a command that is not one.
  virtual bool Choose(UINT command) = 0;

 protected:
  ~MenuSource() = default;
};

class PopupMenu {
 public:
  // The menu's own entries have commands below this.
  static constexpr UINT kFirstSourceCommand = 0x1000;

  MenuItem& Root() { return root_; }
  // Appends an entry at the end of `parent`'s sub-entries.
  MenuItem& Add(MenuItem& parent, MenuItem item);
  MenuItem* Find(std::string_view name);
  void SetSource(MenuSource* source) { source_ = source; }
  // The caption of the entry that opens what does not fit the screen; "%s"
  // stands for how many entries it holds.
  void SetOverflowCaption(std::wstring caption) { overflowCaption_ = std::move(caption); }
  // What the menu shows has changed (an entry's caption or the source's
  // entries): the next opening builds it again.
  void Changed() { changed_ = true; }

  // What is asked of an entry while the menu is open: a right click on it,
  // Shift+F10 or the menu key (its context menu), Del, F2.
  enum class ItemAction { ContextMenu, Delete, Rename };
  // Posted to the owner for such a request, so that it runs inside the menu's
  // loop: wParam the entry's command, lParam the ItemAction. ActionPoint()
  // says where on the screen a context menu for it belongs.
  static constexpr UINT kItemActionMessage = WM_APP + 2;
  POINT ActionPoint() const { return actionPoint_; }

  // Opens the menu with its top-left corner at the screen point and runs the
  // chosen entry's handler once it has closed.
  void Popup(HWND owner, POINT at);
  bool IsOpen() const { return owner_ != nullptr; }
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
  // The owner passes on WM_INITMENUPOPUP too: a sub-menu gets its entries
  // when it is about to open, so the menu opens at once whatever it holds.
  // False for a menu that is not waiting for them.
  bool InitPopup(HMENU menu);

 private:
  struct Row;
  // What a sub-menu will hold: a level of the tree or of the source, or a
  // part of a level that does not fit the screen.
  struct Pending {
    MenuItem* own = nullptr;
    UINT sourceMenu = 0;
    bool part = false;
    size_t first = 0, count = 0;
  };
  static LRESULT CALLBACK FilterMenuMessages(int code, WPARAM wParam, LPARAM lParam) noexcept;
  bool PostAction(const MSG& message);
  // The entries that fit a menu window at this point of the screen.
  size_t FitAt(POINT at) const;
  // The shown entries of `own` (with the source's after the top level's),
  // or of the source's in the sub-menu of `sourceMenu`.
  std::vector<Row> RowsOf(MenuItem* own, UINT sourceMenu);
  HMENU NewMenu(const Pending& contents);
  // A row that opens a sub-menu gets `sub`, or an empty one filled when it opens.
  void Insert(HMENU menu, const Row& row, HMENU sub = nullptr);
  // A level longer than fit_ ends in an entry that opens the rest.
  void InsertLevel(HMENU menu, const Pending& level, const std::vector<Row>& rows);
  void InsertGroups(HMENU menu, const Pending& level, const std::vector<Row>& rows, size_t first, size_t count);

  MenuItem root_;
  MenuSource* source_ = nullptr;
  std::wstring overflowCaption_ = L"%s";
  HIMAGELIST images_ = nullptr;
  UINT nextCommand_ = 1;
  HWND owner_ = nullptr;
  POINT actionPoint_{};
  bool reopen_ = false;
  bool swallowRelease_ = false;
  MenuHandle built_;  // kept from one opening to the next
  bool changed_ = false;
  size_t fit_ = 0;                    // the entries it was built to fit
  std::vector<HMENU> menus_;          // the built menu and its sub-menus
  std::map<HMENU, Pending> pending_;  // sub-menus not opened yet
};

}  // namespace win
