// Prints what 1,000 drops cost the real Tamaroo.exe: its handle count, GDI
// and USER objects and working set before and after, and the time per drop.
// The drops come from this process as OLE drags over the face, in turn what
// Chromium, Firefox and Explorer offer.
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
#include "TestDataObject.h"

namespace {

using namespace tamaroo_test;

constexpr int kDrops = 1000;

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
    case 1:
      return FirefoxLink(url, L"Firefox " + std::to_wstring(drop) + L".URL");
    default:
      return {{CF_HDROP, FileList({FromAnsi(explorerFile)})}};
  }
}

}  // namespace

int main() {
  TempFolder exe, work, shelf;
  work.Write("glyph.bmp", bmp_samples::Make({.width = 205, .height = 118}));
  shelf.Write("Explorer.url", "[InternetShortcut]\r\nURL=https://example.com/explorer\r\n");
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
  const Figures before = Measure(tamaroo.Handle());
  Print("after start", before);
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
  if (after.gdi == 0 && after.user == 0)
    std::printf("(GDI and USER counts of 0: this system does not report them; Wine's GetGuiResources is a stub)\n");
  PostMessageW(main, WM_CLOSE, 0, 0);
  tamaroo.WaitForExit();
  OleUninitialize();
  return 0;
}
