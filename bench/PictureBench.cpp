// Prints what site pictures cost: the real Tamaroo.exe opening a menu level
// of 40 bookmarks with 40 different pictures, the first time and again,
// against the same level with the generic picture; its start with 30,000
// bookmarks of which 5,000 distinct pictures, against none, and the heap the
// keeper then holds; and the import of 10,000 links in 100 folders with
// pictures, five pages of each site, against the same without. Each pair is measured in turn in one run, medians of
// three.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "BmpSamples.h"
#include "MenuTiming.h"
#include "Stopwatch.h"
#include "TamarooProcess.h"
#include "app/BookmarkKeeper.h"
#include "app/FailureTexts.h"
#include "image/Favicon.h"
#include "win/Failure.h"
#include "win/WideText.h"

namespace {

using namespace tamaroo_test;

constexpr int kPatienceSeconds = 60;

// A 16-pixel icon of a colour of its own for each number.
std::vector<std::uint8_t> Picture(int number) {
  std::vector<std::uint8_t> bgra(16 * 16 * 4, 0xFF);
  for (size_t i = 0; i < bgra.size(); i += 4) {
    bgra[i] = static_cast<std::uint8_t>(number);
    bgra[i + 1] = static_cast<std::uint8_t>(number >> 8);
    bgra[i + 2] = static_cast<std::uint8_t>(i / 4 % 16 * 16);
  }
  return image::IcoOfPng(image::PngOfPixels(bgra, 16, 16), 16, 16);
}

// `count` bookmarks, in 100 folders when `folders`, every one with one of
// `pictures` pictures (none for 0).
void StoreBookmarks(const TempFolder& exe, int count, bool folders, int pictures) {
  const std::string favorite = exe.Path() + "favorite\\";
  CreateDirectoryA(favorite.c_str(), nullptr);
  CreateDirectoryA((favorite + ".favicons").c_str(), nullptr);
  std::vector<std::string> files;
  for (int i = 0; i < pictures; ++i) {
    const std::vector<std::uint8_t> ico = Picture(i);
    files.push_back(favorite + ".favicons\\" + image::PictureFileName(ico));
    exe.Write("favorite\\.favicons\\" + image::PictureFileName(ico), std::string(ico.begin(), ico.end()));
  }
  for (int folder = 0; folders && folder < 100; ++folder)
    CreateDirectoryA((favorite + "folder" + std::to_string(folder)).c_str(), nullptr);
  for (int i = 0; i < count; ++i) {
    const std::string folder = folders ? "folder" + std::to_string(i % 100) + "\\" : "";
    std::string contents = "[InternetShortcut]\r\nURL=https://site" + std::to_string(i) + ".example/\r\n";
    if (pictures) contents += "IconFile=" + files[static_cast<size_t>(i % pictures)] + "\r\nIconIndex=0\r\n";
    exe.Write("favorite\\" + folder + "site " + std::to_string(i) + ".url", contents);
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct Started {
  double start, first, again;
};

Started Run(const TempFolder& exe, const TempFolder& work) {
  Started run{};
  std::optional<TamarooProcess> tamaroo;
  HWND main = nullptr;
  run.start = bench::Seconds([&] {
    tamaroo.emplace(exe.Path(), work.Path());
    main = WaitForShown(L"TfrmMain", true, kPatienceSeconds);
  });
  // The pictures are known once the shortcuts are read, while the program is idle.
  Sleep(3000);
  run.first = bench::OpenMenu(main);
  run.again = bench::OpenMenu(main);
  PostMessageW(main, WM_CLOSE, 0, 0);
  tamaroo->WaitForExit();
  return run;
}

// Runs each of the two in turn, three times, and prints the medians.
void Compare(const char* what, const std::function<double()>& without, const std::function<double()>& with) {
  std::vector<double> a, b;
  for (int i = 0; i < 3; ++i) {
    a.push_back(without());
    b.push_back(with());
  }
  std::printf("%-44s %9.4f %9.4f %6.2f\n", what, Median(a), Median(b), Median(b) / Median(a));
}

}  // namespace

int main() {
  win::UseFailureTexts(app::kFailureTexts);
  TempFolder work;
  work.Write("glyph.bmp", bmp_samples::Make({.width = 205, .height = 118}));
  std::printf("%-44s %9s %9s %6s\n", "", "generic", "pictures", "ratio");
  {
    TempFolder plain, pictured;
    StoreBookmarks(plain, 40, false, 0);
    StoreBookmarks(pictured, 40, false, 40);
    std::vector<Started> runs[2];
    for (int i = 0; i < 3; ++i) {
      runs[0].push_back(Run(plain, work));
      runs[1].push_back(Run(pictured, work));
    }
    const auto median = [&](int which, double Started::*field) {
      std::vector<double> values;
      for (const Started& run : runs[which]) values.push_back(run.*field);
      return Median(values);
    };
    for (const auto& [what, field] : {std::pair{"level of 40, first opening (s)", &Started::first},
                                      std::pair{"level of 40, later opening (s)", &Started::again}})
      std::printf("%-44s %9.4f %9.4f %6.2f\n", what, median(0, field), median(1, field),
                  median(1, field) / median(0, field));
  }
  {
    TempFolder plain, pictured;
    StoreBookmarks(plain, 30000, true, 0);
    StoreBookmarks(pictured, 30000, true, 5000);
    Compare(
        "30,000 in 100 folders, 5,000 pictures: start (s)", [&] { return Run(plain, work).start; },
        [&] { return Run(pictured, work).start; });
    const auto heapRead = [](const TempFolder& exe) {
      const size_t before = bench::HeapInUse();
      app::BookmarkKeeper keeper(exe.Path());
      keeper.Start();
      while (keeper.ReadUrls(std::chrono::milliseconds(100))) {
      }
      return static_cast<double>(bench::HeapInUse() - before);
    };
    const double plainHeap = heapRead(plain), picturedHeap = heapRead(pictured);
    std::printf(
        "keeper's heap once all is read: %.0f KiB generic, %.0f KiB with pictures (%.1f bytes a bookmark more)\n",
        plainHeap / 1024, picturedHeap / 1024, (picturedHeap - plainHeap) / 30000);
  }
  {
    const auto file = [](bool pictures) {
      std::string html = "<!DOCTYPE NETSCAPE-Bookmark-file-1><DL>";
      for (int i = 0; i < 10000; ++i) {
        // In 100 folders, as a browser's file has them; one folder of 10,000 costs Wine more than anything else.
        if (i % 100 == 0) html += (i ? "</DL>" : "") + std::string("<DT><H3>Folder ") + std::to_string(i) + "</H3><DL>";
        html += "<DT><A HREF=\"https://site" + std::to_string(i) + ".example/\"";
        if (pictures) {
          // Five pages of each site: 2,000 pictures.
          const std::vector<std::uint8_t> ico = Picture(i / 5);
          const auto png = image::LargestPngInIco(ico);
          html += " ICON=\"" + image::PngDataUrl(*png) + "\"";
        }
        html += ">Site " + std::to_string(i) + "</A>";
      }
      return html + "</DL></DL>";
    };
    work.Write("plain.html", file(false));
    work.Write("pictured.html", file(true));
    const auto import = [&](const char* name) {
      const TempFolder exe;
      const app::BookmarkStore store(exe.Path() + "favorite\\");
      return bench::Seconds([&] { store.Import(win::FromAnsi(work.Path() + name)); });
    };
    Compare(
        "import of 10,000 links (s)", [&] { return import("plain.html"); }, [&] { return import("pictured.html"); });
  }
  SetCurrentDirectoryA(TestProgramFolder().c_str());
  return 0;
}
