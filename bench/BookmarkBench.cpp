// Prints what the number of stored shortcuts costs the real Tamaroo.exe: the
// time from start to the window first shown, the time to open the menu (the
// first time, again, after another program added a shortcut, after a link
// was dropped), its GDI and USER objects and its memory, for 0, 1,000, 10,000
// and 30,000 shortcuts, half of them in 100 subfolders or all in one folder,
// in the folder's order and, at 30,000, by name (the median of three runs
// each); then the heap that the main window, made in this process, keeps for
// each bookmark, and how long finding duplicates among 30,000 takes.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "BmpSamples.h"
#include "DropAtOnce.h"
#include "MenuTiming.h"
#include "Stopwatch.h"
#include "TamarooProcess.h"
#include "TestDataObject.h"
#include "app/BookmarkKeeper.h"
#include "app/FailureTexts.h"
#include "app/MainWindow.h"
#include "resources/ResourceIds.h"
#include "win/Application.h"
#include "win/DropTarget.h"

namespace {

using namespace tamaroo_test;

constexpr int kPatienceSeconds = 60;  // for a window to come or go

void StoreShortcuts(const TempFolder& exe, int count, bool oneFolder) {
  CreateDirectoryA((exe.Path() + "favorite").c_str(), nullptr);
  for (int folder = 0; folder < 100 && count > 0 && !oneFolder; ++folder)
    CreateDirectoryA((exe.Path() + "favorite\\folder" + std::to_string(folder)).c_str(), nullptr);
  for (int i = 0; i < count; ++i) {
    const std::string folder = i % 2 && !oneFolder ? "folder" + std::to_string(i % 100) + "\\" : "";
    exe.Write("favorite\\" + folder + "site " + std::to_string(i) + ".url",
              "[InternetShortcut]\r\nURL=https://example.com/" + std::to_string(i) + "\r\n");
  }
}

struct Run {
  double start, menu, again, changed, dropped;
  GuiObjects objects;
  double privateMiB, workingSetMiB;  // with the menu open
};

double MiB(SIZE_T bytes) { return static_cast<double>(bytes) / (1 << 20); }

// Seconds until the menu shows; `memory` gets what the process holds while it is open.
double OpenMenu(HWND main, HANDLE process = nullptr, Run* memory = nullptr) {
  return bench::OpenMenu(main, [&] {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    if (memory &&
        GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters)) {
      memory->privateMiB = MiB(counters.PrivateUsage);
      memory->workingSetMiB = MiB(counters.WorkingSetSize);
    }
  });
}

Run Measure(const TempFolder& exe, const TempFolder& work) {
  Run run{};
  std::optional<TamarooProcess> tamaroo;
  HWND main = nullptr;
  run.start = bench::Seconds([&] {
    tamaroo.emplace(exe.Path(), work.Path());
    main = WaitForShown(L"TfrmMain", true, kPatienceSeconds);
  });
  run.objects = GuiObjectsOf(tamaroo->Handle());
  run.menu = OpenMenu(main);
  run.again = OpenMenu(main, tamaroo->Handle(), &run);
  // A shortcut added in the folder: the next opening makes the entries again.
  exe.Write("favorite\\added.url", "[InternetShortcut]\r\nURL=https://example.com/added\r\n");
  Sleep(200);
  run.changed = OpenMenu(main);
  DeleteFileA((exe.Path() + "favorite\\added.url").c_str());
  // A link dropped on the face: stored, and the next opening shows it.
  RECT face;
  GetWindowRect(main, &face);
  SetCursorPos((face.left + face.right) / 2, (face.top + face.bottom) / 2);
  TestDataObject link({{Format(L"text/x-moz-url"), WideBytes(L"https://example.com/dropped\nDropped")}});
  DropAtOnce source;
  DWORD effect = DROPEFFECT_NONE;
  DoDragDrop(&link, &source, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect);
  Sleep(200);
  run.dropped = OpenMenu(main);
  DeleteFileA((exe.Path() + "favorite\\Dropped.url").c_str());
  PostMessageW(main, WM_CLOSE, 0, 0);
  tamaroo->WaitForExit();
  return run;
}

// What the main window, made in this process, keeps on the heap for its
// bookmarks: measured against an empty folder.
void PrintHeapPerBookmark() {
  win::UseFailureTexts(app::kFailureTexts);
  const TempFolder work;
  work.Write("glyph.bmp", std::string());
  SetCurrentDirectoryA(work.Path().c_str());
  win::Application application(L"Tamaroo", L"" TAMAROO_ICON_NAME);
  const auto heapOf = [](const TempFolder& exe) {
    const size_t before = bench::HeapInUse();
    const app::TfrmMain window(exe.Path());
    return static_cast<double>(bench::HeapInUse() - before);
  };
  const TempFolder none;
  const double empty = heapOf(none);
  for (const bool oneFolder : {false, true}) {
    const TempFolder exe;
    StoreShortcuts(exe, 30000, oneFolder);
    std::printf("heap per bookmark, 30,000 in %s: %.0f bytes\n", oneFolder ? "one folder" : "100 folders",
                (heapOf(exe) - empty) / 30000);
  }
  SetCurrentDirectoryA(TestProgramFolder().c_str());  // so the folder can go
}

// How long the bookmarks that lead to one page take to be found among
// 30,000, one page in ten bookmarked twice.
void PrintDuplicates() {
  const TempFolder exe;
  StoreShortcuts(exe, 27000, false);
  for (int i = 0; i < 3000; ++i)
    exe.Write("favorite\\again " + std::to_string(i) + ".url",
              "[InternetShortcut]\r\nURL=https://EXAMPLE.com:443/" + std::to_string(i * 9) + "\r\n");
  app::BookmarkKeeper keeper(exe.Path());
  keeper.Start();
  const double reading = bench::Seconds([&] {
    while (keeper.ReadUrls(std::chrono::milliseconds(10))) {
    }
  });
  size_t pages = 0;
  const double seconds = bench::Seconds([&] { pages = keeper.SamePages().size(); });
  std::printf("URLs of 30,000 read: %.3f s; then duplicates found in %.3f s (%zu pages bookmarked twice)\n", reading,
              seconds, pages);
}

// What the name order costs at 30,000 in one folder: runs in the folder's
// order and by name, taken in turn, so the machine's drift hits both alike.
void PrintOrderCost() {
  TempFolder exe, work;
  work.Write("glyph.bmp", bmp_samples::Make({.width = 205, .height = 118}));
  StoreShortcuts(exe, 30000, true);
  std::vector<double> starts[2], menus[2];
  for (int i = 0; i < 5; ++i) {
    for (const int byName : {0, 1}) {
      WritePrivateProfileStringA("General", "Order", byName ? "Name" : "Listed", (exe.Path() + "Settings.ini").c_str());
      const Run run = Measure(exe, work);
      starts[byName].push_back(run.start);
      menus[byName].push_back(run.menu);
    }
  }
  const auto median = [](std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
  };
  std::printf(
      "30,000 in one folder, median of 5: start %.3f s listed, %.3f s by name (%.2f); first opening %.3f s, %.3f s "
      "(%.2f)\n",
      median(starts[0]), median(starts[1]), median(starts[1]) / median(starts[0]), median(menus[0]), median(menus[1]),
      median(menus[1]) / median(menus[0]));
}

}  // namespace

// "bookmark_bench heap" prints the heap alone, "bookmark_bench duplicates" the
// duplicates, "bookmark_bench order" what the name order costs.
int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "heap") {
    PrintHeapPerBookmark();
    return 0;
  }
  if (argc > 1 && std::string(argv[1]) == "duplicates") {
    PrintDuplicates();
    return 0;
  }
  const win::OleSession ole;  // for the drops
  if (argc > 1 && std::string(argv[1]) == "order") {
    PrintOrderCost();
    return 0;
  }
  struct Layout {
    int count;
    bool oneFolder;
    const char* order = "Listed";
  };
  const Layout layouts[] = {{0, false},     {1000, false}, {10000, false},         {10000, true},
                            {30000, false}, {30000, true}, {30000, false, "Name"}, {30000, true, "Name"}};
  Run empty{};
  std::printf(
      "shortcuts  layout       order   start (s)  ratio  menu (s)  again (s)  changed (s)  dropped (s)  GDI  USER"
      "  private/working set (MiB)  per bookmark (bytes)\n");
  for (const Layout& layout : layouts) {
    TempFolder exe, work;
    work.Write("glyph.bmp", bmp_samples::Make({.width = 205, .height = 118}));
    StoreShortcuts(exe, layout.count, layout.oneFolder);
    WritePrivateProfileStringA("General", "Order", layout.order, (exe.Path() + "Settings.ini").c_str());
    std::vector<Run> runs;
    for (int i = 0; i < 3; ++i) runs.push_back(Measure(exe, work));
    auto median = [&](double Run::*field) {
      std::vector<double> values;
      for (const Run& r : runs) values.push_back(r.*field);
      std::sort(values.begin(), values.end());
      return values[1];
    };
    const Run m{median(&Run::start),   median(&Run::menu),  median(&Run::again),      median(&Run::changed),
                median(&Run::dropped), runs.back().objects, median(&Run::privateMiB), median(&Run::workingSetMiB)};
    if (layout.count == 0) empty = m;
    const auto perBookmark = [&](double Run::*field) {
      return layout.count ? (m.*field - empty.*field) * (1 << 20) / layout.count : 0.0;
    };
    std::printf(
        "%9d  %-11s  %-6s  %9.3f  %5.2f  %8.3f  %9.3f  %11.3f  %11.3f  %3lu  %4lu  %6.1f / %6.1f  %8.0f / %6.0f\n",
        layout.count, layout.oneFolder ? "one folder" : "100 folders", layout.order, m.start, m.start / empty.start,
        m.menu, m.again, m.changed, m.dropped, m.objects.gdi, m.objects.user, m.privateMiB, m.workingSetMiB,
        perBookmark(&Run::privateMiB), perBookmark(&Run::workingSetMiB));
  }
  PrintHeapPerBookmark();
  PrintDuplicates();
  return 0;
}
