// A second process that drags what a browser or Explorer offers onto a screen
// point and drops it: at once, or, given a file name, only once that file
// exists, so that the target can be looked at while the drag is over it (the
// file name with ".over" appended is made once the target has answered the
// drag's arrival). Its exit code is the effect the target chose, or 100 when
// the drag did not end in a drop.
//   drag_source <x> <y> chromium <url> <title> [<drop when this file exists>]
//   drag_source <x> <y> firefox <url> <file name> [...]
//   drag_source <x> <y> file <path> - [...]
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "DropAtOnce.h"
#include "OnStack.h"
#include "TestDataObject.h"

namespace {

using tamaroo_test::DropAtOnce;
using tamaroo_test::TestDataObject;

std::vector<TestDataObject::Entry> Offers(const std::wstring& kind, const std::wstring& url, const std::wstring& name) {
  if (kind == L"chromium") {
    return tamaroo_test::ChromiumLink(url, name, name + L".url", "[InternetShortcut]\nURL=" + text::ToUtf8(url) + "\n");
  }
  if (kind == L"file") return {{CF_HDROP, tamaroo_test::FileList({url})}};
  return tamaroo_test::FirefoxLink(url, name);
}

// Keeps the drag going, over whatever the cursor is on, until the file exists.
class DropWhenFileExists final : public tamaroo_test::OnStack<IDropSource> {
 public:
  explicit DropWhenFileExists(std::wstring path) : path_(std::move(path)) {}
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
    if (escape) return DRAGDROP_S_CANCEL;
    return GetFileAttributesW(path_.c_str()) == INVALID_FILE_ATTRIBUTES ? S_OK : DRAGDROP_S_DROP;
  }
  // Called once the target has answered DragEnter or DragOver.
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override {
    if (!over_) {
      over_ = true;
      CloseHandle(CreateFileW((path_ + L".over").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    return DRAGDROP_S_USEDEFAULTCURSORS;
  }

 private:
  std::wstring path_;
  bool over_ = false;
};

}  // namespace

int main() {
  int count = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (count != 6 && count != 7) return 100;
  OleInitialize(nullptr);
  SetCursorPos(_wtoi(argv[1]), _wtoi(argv[2]));
  DWORD effect = DROPEFFECT_NONE;
  HRESULT result;
  {
    TestDataObject data(Offers(argv[3], argv[4], argv[5]));
    DropAtOnce atOnce;
    DropWhenFileExists held(count == 7 ? argv[6] : L"");
    IDropSource* source = count == 7 ? static_cast<IDropSource*>(&held) : &atOnce;
    result = DoDragDrop(&data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
  }
  OleUninitialize();
  return result == DRAGDROP_S_DROP ? static_cast<int>(effect) : 100;
}
