// Prints what finding costs among 30,000 bookmarks in 100 folders: the time
// from a keystroke to the results painted in the search window, for one, two
// and three terms, against a bare case-insensitive scan of the same names and
// URLs; how long the URLs take to be read in the idle slices and the longest
// slice (the longest a message waits meanwhile); and the heap the URLs take,
// beyond their own length, for each bookmark.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Stopwatch.h"
#include "TamarooProcess.h"
#include "app/FailureTexts.h"
#include "app/MainWindow.h"
#include "resources/Commands.h"
#include "resources/MainWindowDescription.h"
#include "resources/ResourceIds.h"
#include "win/Application.h"

namespace {

using namespace tamaroo_test;

constexpr int kCount = 30000;
constexpr const char* kWords[] = {"guide",  "news",  "rust",   "weather", "recipe", "docs", "music", "travel",
                                  "python", "linux", "garden", "photo",   "review", "map",  "shop",  "forum"};
constexpr const char* kSites[] = {"example", "wiki", "blog", "tech", "cook", "daily", "maps", "store"};

struct Made {
  std::vector<std::wstring> names;
  std::vector<std::string> urls;
};

Made StoreBookmarks(const TempFolder& exe) {
  Made made;
  CreateDirectoryA((exe.Path() + "favorite").c_str(), nullptr);
  for (int folder = 0; folder < 100; ++folder)
    CreateDirectoryA((exe.Path() + "favorite\\" + kWords[folder % 16] + " " + std::to_string(folder)).c_str(), nullptr);
  for (int i = 0; i < kCount; ++i) {
    const std::string name = std::string(kWords[i % 16]) + " " + kWords[(i / 16) % 16] + " page " + std::to_string(i);
    const std::string url = std::string("https://www.") + kSites[i % 8] + std::to_string(i % 500) + ".example/" +
                            kWords[(i / 7) % 16] + "/article-" + std::to_string(i);
    const int folder = i % 100;
    exe.Write("favorite\\" + std::string(kWords[folder % 16]) + " " + std::to_string(folder) + "\\" + name + ".url",
              "[InternetShortcut]\r\nURL=" + url + "\r\n");
    made.names.emplace_back(name.begin(), name.end());
    made.urls.push_back(url);
  }
  return made;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
wchar_t Lower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

template <typename Text, typename Term>
bool Holds(const Text& text, const Term& term) {
  return std::search(text.begin(), text.end(), term.begin(), term.end(),
                     [](auto a, auto b) { return Lower(a) == Lower(b); }) != text.end();
}

// Every term in the name or the URL, case aside: what any finder must do at least.
size_t BareScan(const Made& made, const std::vector<std::string>& terms) {
  size_t matched = 0;
  for (size_t i = 0; i < made.names.size(); ++i) {
    matched += std::all_of(terms.begin(), terms.end(), [&](const std::string& term) {
      return Holds(made.names[i], std::wstring(term.begin(), term.end())) || Holds(made.urls[i], term);
    });
  }
  return matched;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  win::UseFailureTexts(app::kFailureTexts);
  TempFolder exe, work;
  const Made made = StoreBookmarks(exe);
  work.Write("glyph.bmp", std::string());
  SetCurrentDirectoryA(work.Path().c_str());
  WritePrivateProfileStringA("General", "HotKey", "None", (exe.Path() + "Settings.ini").c_str());
  {
    win::Application application(L"Tamaroo", L"" TAMAROO_ICON_NAME);
    app::TfrmMain window(exe.Path());
    app::BookmarkKeeper& keeper = window.Keeper();
    size_t urlBytes = 0;
    for (const std::string& url : made.urls) urlBytes += url.size();
    const size_t heapBefore = bench::HeapInUse();
    double longest = 0;
    const double reading = bench::Seconds([&] {
      for (bool left = true; left;)
        longest = std::max(longest, bench::Seconds([&] { left = keeper.ReadUrls(app::BookmarkKeeper::kIdleSlice); }));
    });
    const double beyond = (static_cast<double>(bench::HeapInUse() - heapBefore) - urlBytes) / kCount;
    std::printf("URLs of %d read in %.3f s; longest slice %.1f ms; heap beyond the URLs' length: %.1f bytes each\n",
                kCount, reading, longest * 1000, beyond);

    window.Dispatch(resources::CmdFind);
    const HWND find = FindWindowW(L"TfrmFind", nullptr);
    const HWND edit = FindWindowExW(find, nullptr, L"Edit", nullptr);
    std::printf(
        "query                 matched  found (ms)  painted alone (ms)  typed to painted (ms)  bare scan (ms)  "
        "ratio\n");
    for (const std::vector<std::string>& terms : std::vector<std::vector<std::string>>{
             {"guide"}, {"rust", "guide"}, {"rust", "guide", "wiki"}, {"page 29999"}, {"zzz"}}) {
      std::string typed;
      for (const std::string& term : terms) typed += (typed.empty() ? "" : " ") + term;
      const std::wstring wide(typed.begin(), typed.end());
      std::vector<double> found, painted, bare, repaint;
      size_t matched = 0;
      for (int i = 0; i < 7; ++i) {
        SetWindowTextW(edit, L"");
        UpdateWindow(find);
        // The edit box tells its change, the results are found and listed, and the list is painted.
        painted.push_back(bench::Seconds([&] {
          SetWindowTextW(edit, wide.c_str());
          UpdateWindow(find);
          RedrawWindow(find, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        }));
        bare.push_back(bench::Seconds([&] { matched = BareScan(made, terms); }));
        found.push_back(bench::Seconds([&] { keeper.Find(wide, resources::kFoundRows); }));
        repaint.push_back(bench::Seconds(
            [&] { RedrawWindow(find, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); }));
      }
      std::printf("%-20s  %7zu  %10.2f  %18.2f  %21.2f  %14.2f  %5.2f\n", typed.c_str(), matched, Median(found) * 1000,
                  Median(repaint) * 1000, Median(painted) * 1000, Median(bare) * 1000, Median(painted) / Median(bare));
    }
  }
  SetCurrentDirectoryA(TestProgramFolder().c_str());  // so the folders can go
  return 0;
}
