// The search window, and the hotkey that opens it from anywhere.
#include "app/MainWindow.h"
#include "app/SettingsFile.h"
#include "resources/MainWindowDescription.h"
#include "resources/Texts.h"
#include "text/FailureText.h"
#include "text/HotKey.h"
#include "win/FailureBox.h"
#include "win/WideText.h"

namespace app {
namespace {

constexpr int kFindKeyId = 1;

// Another copy of the program is running: the hotkey it holds opens its
// search, so a second copy has nothing to say about it.
bool AnotherCopyRuns(HWND mine) {
  for (HWND other = nullptr; (other = FindWindowExW(nullptr, other, L"TfrmMain", nullptr));) {
    DWORD process = 0;
    GetWindowThreadProcessId(other, &process);
    if (other != mine && process != GetCurrentProcessId()) return true;
  }
  return false;
}

}  // namespace

void TfrmMain::mnuFindClick(bool atPointer) {
  // A box of the program's own waits for an answer first.
  if (!IsWindowEnabled(Handle())) return;
  if (!find_)
    find_ = std::make_unique<TfrmFind>(keeper_, [this](UINT command, UINT entry) { Dispatch(command, entry); });
  POINT at;
  if (atPointer) {
    GetCursorPos(&at);
  } else {
    RECT face;
    GetWindowRect(Handle(), &face);
    at = {face.left, face.bottom};
  }
  find_->ShowAt(at, il.get());
}

// "None" for no hotkey; the default when Settings.ini names none.
void TfrmMain::RegisterFindKey() {
  std::string written = SettingsFile(exeFolder_ + "Settings.ini").ReadString("General", "HotKey");
  if (written.empty()) written = resources::kDefaultFindKey;
  if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, written.c_str(), -1, "None", -1) == CSTR_EQUAL) return;
  const std::optional<text::HotKey> key = text::ParseHotKey(written);
  if (!key)
    return win::ShowFailure(text::Format(win::FromUtf8(resources::kFindKeyUnreadable), {win::FromAnsi(written)}));
  const auto registered = [&] {
    return RegisterHotKey(Handle(), kFindKeyId, key->modifiers | MOD_NOREPEAT, key->key) != FALSE;
  };
  // Tried again when no other copy is found, as the one that held it may have just closed.
  if (registered() || AnotherCopyRuns(Handle()) || registered()) return;
  win::ShowFailure(text::Format(win::FromUtf8(resources::kFindKeyTaken), {win::FromAnsi(written)}));
}

}  // namespace app
