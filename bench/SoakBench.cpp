// Prints whether long use leaves anything behind in the real Tamaroo.exe:
// started with 1,000 stored shortcuts, its menu opened and closed 1,000 times,
// 1,000 drops made, the About box opened 100 times; its handle count, GDI and
// USER objects and working set after each stage. The drops come from this
// process as OLE drags over the face, in turn what Chromium, Firefox and
// Explorer offer.
#include <windows.h>
#include <ole2.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "BmpSamples.h"
#include "DropAtOnce.h"
#include "HandleCount.h"
#include "TamarooProcess.h"
#include "resources/Commands.h"
#include "TestDataObject.h"

namespace {

using namespace tamaroo_test;

constexpr int kShortcuts = 1000, kMenus = 1000, kDrops = 1000, kAboutBoxes = 100;

// Waits, up to ten seconds, until a window of the class is shown (or, with
// `shown` false, until none is); returns the one shown.
HWND WaitShown(const wchar_t* className, bool shown = true) {
  for (int i = 0; i < 10000; ++i) {
    const HWND hwnd = FindWindowW(className, nullptr);
    if ((hwnd && IsWindowVisible(hwnd)) == shown) return hwnd;
    Sleep(1);
  }
  return nullptr;
}

struct Figures {
  int handles;
  DWORD gdi, user;
  SIZE_T workingSet;
};

Figures Measure(HANDLE process) {
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process, &memory, sizeof memory);
  return {HandleCount(GetProcessId(process)), GetGuiResources(process, GR_GDIOBJECTS),
          GetGuiResources(process, GR_USEROBJECTS), memory.WorkingSetSize};
}

void Print(const char* when, const Figures& f) {
  std::printf("%-22s %7d  %4lu  %4lu  %8zu\n", when, f.handles, f.gdi, f.user, f.workingSet / 1024);
}

std::wstring FromAnsi(const std::string& ansi) {
  std::wstring wide(ansi.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(),
                                  static_cast<int>(wide.size())));
  return wide;
}

std::vector<TestDataObject::Entry> Offers(int drop, const std::string& explorerFile) {
  const std::wstring url = L"https://example.com/" + std::to_wstring(drop);
  switch (drop % 3) {
    case 0:
      return ChromiumLink(url, L"Chromium " + std::to_wstring(drop), L"Chromium.url",
                          "[InternetShortcut]\nURL=" + text::ToUtf8(url) + "\n");
    case 1: return FirefoxLink(url, L"Firefox " + std::to_wstring(drop) + L".URL");
    default: return {{CF_HDROP, FileList({FromAnsi(explorerFile)})}};
  }
}

}  // namespace

int main() {
  TempFolder exe, work, shelf;
  work.Write("glyph.bmp", bmp_samples::Make({.width = 205, .height = 118}));
  shelf.Write("Explorer.url", "[InternetShortcut]\r\nURL=https://example.com/explorer\r\n");
  CreateDirectoryA((exe.Path() + "favorite").c_str(), nullptr);
  for (int i = 0; i < kShortcuts; ++i)
    exe.Write("favorite\\site " + std::to_string(i) + ".url", "[InternetShortcut]\r\nURL=https://example.com/\r\n");
  TamarooProcess tamaroo(exe.Path(), work.Path());
  const HWND main = tamaroo.WaitForMainWindow();
  if (!main) {
    std::printf("Tamaroo.exe did not show its window\n");
    return 1;
  }
  RECT face{};
  GetWindowRect(main, &face);
  OleInitialize(nullptr);
  SetCursorPos((face.left + face.right) / 2, (face.top + face.bottom) / 2);

  std::printf("%-22s %7s  %4s  %4s  %8s\n", "", "handles", "GDI", "USER", "WS (KiB)");
  Print("after start", Measure(tamaroo.Handle()));
  for (int i = 0; i < kMenus; ++i) {
    PostMessageW(main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main), MAKELPARAM(-1, -1));
    PostMessageW(WaitShown(L"#32768"), WM_KEYDOWN, VK_ESCAPE, 0);
    WaitShown(L"#32768", false);
  }
  Print("after 1,000 menus", Measure(tamaroo.Handle()));
  int refused = 0;
  const auto started = std::chrono::steady_clock::now();
  for (int drop = 0; drop < kDrops; ++drop) {
    TestDataObject data(Offers(drop, shelf.Path() + "Explorer.url"));
    DropAtOnce source;
    DWORD effect = DROPEFFECT_NONE;
    if (DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect) != DRAGDROP_S_DROP ||
        effect != DROPEFFECT_COPY)
      ++refused;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  const Figures after = Measure(tamaroo.Handle());
  Print("after 1,000 drops", after);
  std::printf("%d drops in %.1f s (%.1f ms each), %d refused\n", kDrops, seconds, seconds * 1000 / kDrops, refused);
  for (int i = 0; i < kAboutBoxes; ++i) {
    PostMessageW(main, WM_COMMAND, resources::CmdAbout, 0);
    PostMessageW(WaitShown(L"TMessageForm"), WM_CLOSE, 0, 0);
    WaitShown(L"TMessageForm", false);
  }
  Print("after 100 About boxes", Measure(tamaroo.Handle()));
  if (after.gdi == 0 && after.user == 0)
    std::printf("(GDI and USER counts of 0: this system does not report them; Wine's GetGuiResources is a stub)\n");
  PostMessageW(main, WM_CLOSE, 0, 0);
  tamaroo.WaitForExit();
  OleUninitialize();
  return 0;
}
