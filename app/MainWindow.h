#pragma once
// The main window: a borderless, always-on-top face that is dragged around,
// opens its pop-up menu of bookmarks on a click, and remembers where it was
// left. It only shows: what is done with the bookmarks is the keeper's.
#include <memory>
#include <optional>
#include <string>

#include "app/BookmarkKeeper.h"
#include "app/FindWindow.h"
#include "app/ModulePath.h"
#include "app/SitePictures.h"
#include "win/Bitmap.h"
#include "win/DropTarget.h"
#include "win/Form.h"
#include "win/Handles.h"
#include "win/PopupMenu.h"

namespace app {

class TfrmMain : public win::Form {
 public:
  // Builds the window from its description and runs FormCreate. Settings.ini
  // and the storage folder "favorite" live in `exeFolder` (ending with '\').
  explicit TfrmMain(std::string exeFolder = ExecutableFolder());
  ~TfrmMain() override;

  win::PopupMenu popMenu;
  BookmarkKeeper& Keeper() { return keeper_; }
  // Runs a command of the one list; `entry` is the entry an entry's command is for.
  void Dispatch(UINT command, UINT entry = 0);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void BuildMenu();
  void FormCreate();
  void FormClose();
  void FormPaint(HDC dc);
  // A press of the left button: the system moves the window, or it is the click.
  void FormMouseDown();
  void FormContextMenu(LPARAM screenPoint);
  void ShowMenu(POINT at);
  void MenuItemClick(UINT entry);
  void mnuOpenURLFolderClick();
  void mnuPasteClick();
  void mnuImportClick();
  void mnuExportClick();
  // The search window, near the face or at the pointer.
  void mnuFindClick(bool atPointer);
  // Registers the hotkey that Settings.ini names for the search window.
  void RegisterFindKey();
  void mnuAboutClick();
  void mnuExitClick();
  // A bookmark's or a folder's own menu, over the open menu.
  void EntryMenu(UINT entry);
  // Lists the bookmarks that lead to one page; those left checked go to the Recycle Bin.
  void mnuFindDuplicatesClick();
  std::wstring Described(UINT entry) const;
  // Every bookmark directly in the folder, asking first when there are many.
  void OpenAll(UINT folder);
  void RenameEntry(UINT entry);
  void DeleteEntry(UINT entry);
  void WMDropFiles(HDROP drop);

  void LoadFace();
  void SetUpUrlFolder();
  void CompleteMenu();
  // The menu's pictures at the small-icon size of this DPI.
  void LoadMenuPictures(UINT dpi);
  void WMDpiChanged(UINT dpi, const RECT& suggested);
  void RegisterDrops();
  // What a drop brought is stored from the keeper's queue, after the drop
  // has returned, so the source never waits on a store or its box.
  void StoreLater();
  void StorePendingDrops();

  // Runs long work (an import, an export, opening all, removing duplicates),
  // handing it a Progress: the face shows how far it is once it has taken
  // half a second, Esc or a click on the face asks it to stop, and the face
  // shows itself again however the work ends.
  template <typename Work>
  auto Working(Work work) {
    struct End {
      TfrmMain& window;
      ~End() { window.EndWork(); }
    } end{*this};
    return work([this](size_t done, size_t total) { return Step(done, total); });
  }
  bool Step(size_t done, size_t total);
  void EndWork();
  void PaintProgress(HDC dc);

  struct LongWork {
    ULONGLONG started, looked = 0;
    size_t done = 0, total = 0;
    bool stop = false;
  };
  std::optional<LongWork> work_;
  std::string exeFolder_;
  BookmarkKeeper keeper_;
  std::unique_ptr<TfrmFind> find_;  // made when first asked for
  unsigned shownGeneration_ = 0;    // of the records the menu was last built from
  win::Bitmap GlyphBitmap;
  win::ImageListHandle il;
  MenuPictures sitePictures_;  // in il, after the designed ones
  bool dragOver_ = false;      // a drag that will be taken is over the face
  // Declared last: revoked before anything it calls into goes.
  Microsoft::WRL::ComPtr<win::DropTarget> dropTarget_;
  std::optional<win::DropRegistration> dropRegistration_;
};

// The one main window while it exists.
extern TfrmMain* frmMain;

}  // namespace app
