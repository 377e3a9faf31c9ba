#pragma once
// The search window: an edit box and below it the bookmarks that match what
// is typed, best first, found again at every keystroke. It only shows: what
// matches is the keeper's, and what is asked of a result goes, as a command of
// the one list, to the dispatcher it was given.
#include <functional>

#include "app/BookmarkKeeper.h"
#include "win/Form.h"
#include "win/Handles.h"

namespace app {

class TfrmFind : public win::Form {
 public:
  using Dispatcher = std::function<void(UINT command, UINT entry)>;
  TfrmFind(BookmarkKeeper& keeper, Dispatcher dispatch);

  // Shows the window in front with its top-left corner at `at`, kept on that
  // monitor's work area, sized for its DPI, and the text typed before selected.
  void ShowAt(POINT at, HIMAGELIST pictures);
  // Hides the window; `giveBack` hands the foreground back to the program
  // that had it when the window opened.
  void Hide(bool giveBack);
  // The result selected; 0 when none.
  UINT Selected() const;
  // Where the menu of the result selected opens, on the screen.
  POINT MenuPoint() const { return menuAt_; }
  // The last URLs were read: a search that went without them goes again.
  void UrlsRead();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void Layout(UINT dpi);
  // Finds what the edit box holds and shows it, the best result selected;
  // `keepSelection` keeps the result selected before where it is still found
  // (after a rename, say), while each keystroke selects the best.
  void Refresh(bool keepSelection);
  // A key the edit box was given; whether it was taken here.
  bool TakeKey(UINT message, WPARAM key);
  void Select(int row);
  // Runs a command on the result selected, then shows what it left.
  void Ask(UINT command);
  void DrawRow(const DRAWITEMSTRUCT& item) const;

  BookmarkKeeper& keeper_;
  Dispatcher dispatch_;
  HWND edit_ = nullptr, list_ = nullptr, status_ = nullptr;
  win::FontHandle font_;
  HIMAGELIST pictures_ = nullptr;
  int rowHeight_ = 0;
  POINT menuAt_{};
  HWND previous_ = nullptr;  // in front when the window opened
  bool pending_ = false;     // the results shown went without some URLs
};

}  // namespace app
