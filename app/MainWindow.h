#pragma once
// The main window: a borderless, always-on-top face that is dragged around,
// opens its pop-up menu on a click, and remembers where it was left.
#include <string>

#include "win/Bitmap.h"
#include "win/Form.h"
#include "win/PopupMenu.h"

namespace app {

class TfrmMain : public win::Form {
 public:
  // Builds the window from its description and runs FormCreate.
  TfrmMain();
  ~TfrmMain() override;

  win::PopupMenu popMenu;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void BuildMenu();
  void FormCreate();
  void FormClose();
  void FormPaint(HDC dc);
  void FormClick();
  void FormMouseDown(bool leftButton);
  void FormContextMenu(LPARAM screenPoint);
  void mnuAboutClick();
  void mnuExitClick();

  void RestorePosition();
  void WritePosition();

  win::Bitmap GlyphBitmap;
};

// The one main window while it exists.
extern TfrmMain* frmMain;

}  // namespace app
