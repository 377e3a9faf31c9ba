// Prints whether long use leaves anything behind in the real Tamaroo.exe:
// started with 1,000 stored shortcuts, each with one of 200 site pictures,
// its menu opened and closed 1,000 times,
// 1,000 drops made, the About box opened 100 times; its handle count, GDI and
// USER objects and working set after each stage. The drops come from this
// process as OLE drags over the face, in turn what Chromium, Firefox and
// Explorer offer.
#include <windows.h>
#include <ole2.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BmpSamples.h"
#include "DropAtOnce.h"
#include "HandleCount.h"
#include "Stopwatch.h"
#include "TamarooProcess.h"
#include "resources/Commands.h"
#include "TestDataObject.h"
#include "image/Favicon.h"
#include "win/WideText.h"

namespace {

using namespace tamaroo_test;

constexpr int kShortcuts = 1000, kPictures = 200, kMenus = 1000, kDrops = 1000, kAboutBoxes = 100;

struct Figures {
  int handles;
  GuiObjects objects;
  SIZE_T workingSet;
};

Figures Measure(HANDLE process) {
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process, &memory, sizeof memory);
  return {HandleCount(GetProcessId(process)), GuiObjectsOf(process), memory.WorkingSetSize};
}

void Print(const char* when, const Figures& f) {
  std::printf("%-22s %7d  %4lu  %4lu  %8zu\n", when, f.handles, f.objects.gdi, f.objects.user, f.workingSet / 1024);
}

std::vector<TestDataObject::Entry> Offers(int drop, const std::string& explorerFile) {
  const std::wstring url = L"https://example.com/" + std::to_wstring(drop);
  switch (drop % 3) {
    case 0:
      return ChromiumLink(url, L"Chromium " + std::to_wstring(drop), L"Chromium.url",
                          "[InternetShortcut]\nURL=" + text::ToUtf8(url) + "\n");
    case 1: return FirefoxLink(url, L"Firefox " + std::to_wstring(drop) + L".URL");
    default: return {{CF_HDROP, FileList({win::FromAnsi(explorerFile)})}};
  }
}

}  // namespace

int main() {
  TempFolder exe, work, shelf;
  work.Write("glyph.bmp", bmp_samples::Make({.width = 205, .height = 118}));
  shelf.Write("Explorer.url", "[InternetShortcut]\r\nURL=https://example.com/explorer\r\n");
  for (const std::string folder : {"favorite", "favorite\\.favicons"})
    CreateDirectoryA((exe.Path() + folder).c_str(), nullptr);
  std::vector<std::string> pictures;
  for (int i = 0; i < kPictures; ++i) {
    std::vector<std::uint8_t> bgra(16 * 16 * 4, 0xFF);
    for (size_t at = 0; at < bgra.size(); at += 4) bgra[at] = static_cast<std::uint8_t>(i);
    const std::vector<std::uint8_t> ico = image::IcoOfPng(image::PngOfPixels(bgra, 16, 16), 16, 16);
    pictures.push_back("favorite\\.favicons\\" + image::PictureFileName(ico));
    exe.Write(pictures.back(), std::string(ico.begin(), ico.end()));
  }
  for (int i = 0; i < kShortcuts; ++i)
    exe.Write("favorite\\site " + std::to_string(i) + ".url",
              "[InternetShortcut]\r\nURL=https://example.com/\r\nIconFile=" + exe.Path() +
                  pictures[static_cast<size_t>(i % kPictures)] + "\r\nIconIndex=0\r\n");
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
  Sleep(2000);  // the shortcuts read, and their pictures loaded
  Print("after start", Measure(tamaroo.Handle()));
  for (int i = 0; i < kMenus; ++i) {
    // Flat after the first opening, which makes the menu and loads the pictures.
    if (i == 1) Print("after 1 menu", Measure(tamaroo.Handle()));
    PostMessageW(main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main), MAKELPARAM(-1, -1));
    PostMessageW(WaitForShown(L"#32768"), WM_KEYDOWN, VK_ESCAPE, 0);
    WaitForShown(L"#32768", false);
  }
  Print("after 1,000 menus", Measure(tamaroo.Handle()));
  int refused = 0;
  const double seconds = bench::Seconds([&] {
    for (int drop = 0; drop < kDrops; ++drop) {
      TestDataObject data(Offers(drop, shelf.Path() + "Explorer.url"));
      DropAtOnce source;
      DWORD effect = DROPEFFECT_NONE;
      if (DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect) != DRAGDROP_S_DROP ||
          effect != DROPEFFECT_COPY)
        ++refused;
    }
  });
  const Figures after = Measure(tamaroo.Handle());
  Print("after 1,000 drops", after);
  std::printf("%d drops in %.1f s (%.1f ms each), %d refused\n", kDrops, seconds, seconds * 1000 / kDrops, refused);
  // A command that opens no About box would cost ten seconds an opening.
  int aboutBoxes = 0;
  for (HWND box; aboutBoxes < kAboutBoxes; ++aboutBoxes) {
    PostMessageW(main, WM_COMMAND, resources::CmdAbout, 0);
    if (!(box = WaitForShown(L"TMessageForm"))) break;
    PostMessageW(box, WM_CLOSE, 0, 0);
    WaitForShown(L"TMessageForm", false);
  }
  if (aboutBoxes < kAboutBoxes)
    std::printf("command %u opened no About box\n", static_cast<unsigned>(resources::CmdAbout));
  Print("after the About boxes", Measure(tamaroo.Handle()));
  PostMessageW(main, WM_CLOSE, 0, 0);
  tamaroo.WaitForExit();
  OleUninitialize();
  return 0;
}
