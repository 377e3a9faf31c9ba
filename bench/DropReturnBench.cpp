// Prints how long a drag source waits in DoDragDrop on the real Tamaroo.exe
// for a link that is stored, one that is refused, and one whose store fails
// with a box (the storage folder blocked by a file).
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BmpSamples.h"
#include "DropAtOnce.h"
#include "Stopwatch.h"
#include "TamarooProcess.h"
#include "TestDataObject.h"

using namespace tamaroo_test;

namespace {

constexpr int kDrags = 20;

// Milliseconds DoDragDrop took for each drag of `url` onto the face.
std::vector<double> TimeDrags(TamarooProcess& tamaroo, const std::wstring& url, bool dismissBoxes) {
  std::vector<double> times;
  for (int i = 0; i < kDrags; ++i) {
    TestDataObject data(ChromiumLink(url, L"Page " + std::to_wstring(i), L"Page.url",
                                     "[InternetShortcut]\nURL=" + text::ToUtf8(url) + "\n"));
    DropAtOnce source;
    DWORD effect = DROPEFFECT_NONE;
    times.push_back(1000 *
                    bench::Seconds([&] { DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect); }));
    if (dismissBoxes) {
      if (const HWND box = tamaroo.WaitForFailureBox()) DismissBox(box);
    }
  }
  std::sort(times.begin(), times.end());
  return times;
}

void Print(const char* what, const std::vector<double>& times) {
  std::printf("%-28s median %6.1f ms  max %6.1f ms\n", what, times[times.size() / 2], times.back());
}

}  // namespace

int main() {
  OleInitialize(nullptr);
  for (const bool blocked : {false, true}) {
    TempFolder exe, work;
    work.Write("glyph.bmp", bmp_samples::Make({.width = 205, .height = 118}));
    if (blocked) exe.Write("favorite", "a file where the storage folder should be");
    TamarooProcess tamaroo(exe.Path(), work.Path());
    const HWND main = tamaroo.WaitForMainWindow();
    if (!main) {
      std::printf("Tamaroo.exe did not show its window\n");
      return 1;
    }
    RECT face{};
    GetWindowRect(main, &face);
    SetCursorPos((face.left + face.right) / 2, (face.top + face.bottom) / 2);
    if (blocked) {
      Print("store fails (box shown)", TimeDrags(tamaroo, L"https://example.com/", true));
    } else {
      Print("link stored", TimeDrags(tamaroo, L"https://example.com/", false));
      Print("link refused (javascript:)", TimeDrags(tamaroo, L"javascript:alert(1)", false));
    }
    PostMessageW(main, WM_CLOSE, 0, 0);
    tamaroo.WaitForExit();
  }
  OleUninitialize();
  return 0;
}
