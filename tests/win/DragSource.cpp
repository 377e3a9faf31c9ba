// A second process that drags what a browser or Explorer offers onto a screen
// point and drops it at once. Its exit code is the effect the target chose,
// or 100 when the drag did not end in a drop.
//   drag_source <x> <y> chromium <url> <title>
//   drag_source <x> <y> firefox <url> <file name>
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "DropAtOnce.h"
#include "TestDataObject.h"

namespace {

using tamaroo_test::DropAtOnce;
using tamaroo_test::TestDataObject;

std::vector<TestDataObject::Entry> Offers(const std::wstring& kind, const std::wstring& url, const std::wstring& name) {
  if (kind == L"chromium") {
    return tamaroo_test::ChromiumLink(url, name, name + L".url", "[InternetShortcut]\nURL=" + text::ToUtf8(url) + "\n");
  }
  return tamaroo_test::FirefoxLink(url, name);
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (count != 6) return 100;
  OleInitialize(nullptr);
  SetCursorPos(_wtoi(argv[1]), _wtoi(argv[2]));
  DWORD effect = DROPEFFECT_NONE;
  HRESULT result;
  {
    TestDataObject data(Offers(argv[3], argv[4], argv[5]));
    DropAtOnce source;
    result = DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
  }
  OleUninitialize();
  return result == DRAGDROP_S_DROP ? static_cast<int>(effect) : 100;
}
