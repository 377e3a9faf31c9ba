// Prints what the number of stored shortcuts costs the real Tamaroo.exe: the
// time from start to the window first shown, the time to open the menu, and
// its GDI and USER objects, for 0, 1,000 and 10,000 shortcuts (half of them
// in 100 subfolders). The median of three runs each.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "BmpSamples.h"
#include "TamarooProcess.h"

namespace {

using Clock = std::chrono::steady_clock;
using tamaroo_test::TempFolder;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// Polls finely until a visible window of the class shows (or, with `shown`
// false, until none does), for up to a minute.
HWND WaitVisible(const wchar_t* className, bool shown = true) {
  for (int i = 0; i < 60000; ++i) {
    const HWND hwnd = FindWindowW(className, nullptr);
    if ((hwnd && IsWindowVisible(hwnd)) == shown) return hwnd;
    Sleep(1);
  }
  return nullptr;
}

void StoreShortcuts(const TempFolder& exe, int count) {
  CreateDirectoryA((exe.Path() + "favorite").c_str(), nullptr);
  for (int folder = 0; folder < 100 && count > 0; ++folder)
    CreateDirectoryA((exe.Path() + "favorite\\folder" + std::to_string(folder)).c_str(), nullptr);
  for (int i = 0; i < count; ++i) {
    const std::string folder = i % 2 ? "folder" + std::to_string(i % 100) + "\\" : "";
    exe.Write("favorite\\" + folder + "site " + std::to_string(i) + ".url",
              "[InternetShortcut]\r\nURL=https://example.com/" + std::to_string(i) + "\r\n");
  }
}

struct Run {
  double start, menu, again, changed;
  DWORD gdi, user;
};

// Seconds from the request until the menu shows; the menu is closed again.
double OpenMenu(HWND main) {
  const auto opening = Clock::now();
  PostMessageW(main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main), MAKELPARAM(-1, -1));
  const HWND menu = WaitVisible(L"#32768");
  const double seconds = Seconds(opening);
  PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
  WaitVisible(L"#32768", false);
  return seconds;
}

Run Measure(const TempFolder& exe, const TempFolder& work) {
  Run run{};
  const auto started = Clock::now();
  tamaroo_test::TamarooProcess tamaroo(exe.Path(), work.Path());
  const HWND main = WaitVisible(L"TfrmMain");
  run.start = Seconds(started);
  run.gdi = GetGuiResources(tamaroo.Handle(), GR_GDIOBJECTS);
  run.user = GetGuiResources(tamaroo.Handle(), GR_USEROBJECTS);
  run.menu = OpenMenu(main);
  run.again = OpenMenu(main);
  // A shortcut added in the folder: the next opening makes the entries again.
  exe.Write("favorite\\added.url", "[InternetShortcut]\r\nURL=https://example.com/added\r\n");
  Sleep(200);
  run.changed = OpenMenu(main);
  DeleteFileA((exe.Path() + "favorite\\added.url").c_str());
  PostMessageW(main, WM_CLOSE, 0, 0);
  tamaroo.WaitForExit();
  return run;
}

}  // namespace

int main() {
  const int counts[] = {0, 1000, 10000};
  std::vector<Run> medians;
  std::printf("shortcuts  start (s)  ratio  menu (s)  ratio  again (s)  changed (s)  GDI  USER\n");
  for (const int count : counts) {
    TempFolder exe, work;
    work.Write("glyph.bmp", bmp_samples::Make({.width = 205, .height = 118}));
    StoreShortcuts(exe, count);
    std::vector<Run> runs;
    for (int i = 0; i < 3; ++i) runs.push_back(Measure(exe, work));
    auto median = [&](double Run::*field) {
      std::vector<double> values;
      for (const Run& r : runs) values.push_back(r.*field);
      std::sort(values.begin(), values.end());
      return values[1];
    };
    const Run m{median(&Run::start),   median(&Run::menu), median(&Run::again),
                median(&Run::changed), runs.back().gdi,    runs.back().user};
    medians.push_back(m);
    std::printf("%9d  %9.3f  %5.2f  %8.3f  %5.2f  %9.3f  %11.3f  %3lu  %4lu\n", count, m.start,
                m.start / medians[0].start, m.menu, m.menu / medians[0].menu, m.again, m.changed, m.gdi, m.user);
  }
  if (medians.back().gdi == 0 && medians.back().user == 0)
    std::printf("(GDI and USER counts of 0: this system does not report them; Wine's GetGuiResources is a stub)\n");
  return 0;
}
