// Times TFindFile against a bare FindFirstFileA walk on a generated tree of
// 20,000 files, and MatchFileName against PathMatchSpecA on the mask table.
#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "Stopwatch.h"
#include "TamarooProcess.h"
#include "findfile/FindFile.h"
#include "tests/findfile/MaskTable.h"

namespace {

const int kFolders = 20, kSubfolders = 10, kFilesPerFolder = 100;
const int kWalkRuns = 15, kMatchRuns = 9;

// What TFindFile does with no mask and no time filter, without the component.
int BareWalk(const std::string& dir) {
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((dir + "*.*").c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do {
    tamaroo_test::DispatchWaiting();
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (data.cFileName[0] != '.') count += BareWalk(dir + data.cFileName + "\\");
    } else {
      ++count;
    }
  } while (FindNextFileA(search, &data));
  FindClose(search);
  return count;
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

double Fastest(const std::vector<double>& times) { return *std::min_element(times.begin(), times.end()); }

// Fills `folder` (without its final '\\') with the tree and returns it.
std::string MakeTree(const std::string& root) {
  for (int folder = 0; folder < kFolders; ++folder) {
    const std::string top = root + "\\d" + std::to_string(folder);
    CreateDirectoryA(top.c_str(), nullptr);
    for (int sub = 0; sub < kSubfolders; ++sub) {
      const std::string dir = top + "\\s" + std::to_string(sub) + "\\";
      CreateDirectoryA(dir.c_str(), nullptr);
      for (int file = 0; file < kFilesPerFolder; ++file) {
        const std::string name = dir + "file" + std::to_string(file) + (file % 10 ? ".txt" : ".url");
        CloseHandle(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
      }
    }
  }
  return root;
}

void BenchWalk(const std::string& root) {
  std::vector<double> bare, plain, masked;
  int bareCount = 0, plainCount = 0, maskedCount = 0;
  TFindFile find;
  find.FolderName = root;
  find.OnFind = [](const std::string&, const std::string&, TSearchRec, bool&) {};
  BareWalk(root + "\\");  // warms the caches for all three
  const auto timeBare = [&] { bare.push_back(bench::Seconds([&] { bareCount = BareWalk(root + "\\"); })); };
  const auto timeComponent = [&] {
    find.FileMask.clear();
    plain.push_back(bench::Seconds([&] { plainCount = find.Execute(); }));
    find.FileMask = {"*.url"};
    masked.push_back(bench::Seconds([&] { maskedCount = find.Execute(); }));
  };
  // Taking turns at going first keeps a drift of the machine out of the ratio.
  for (int run = 0; run < kWalkRuns; ++run) {
    if (run % 2) {
      timeComponent();
      timeBare();
    } else {
      timeBare();
      timeComponent();
    }
  }
  // Each entry costs a PeekMessageW, a round trip to the wineserver whose
  // time varies with the load of the machine: the fastest runs show it least.
  std::printf("walk, %d runs: median (fastest)\n", kWalkRuns);
  std::printf("  bare FindFirstFileA loop  %7.1f ms (%7.1f)  %d files\n", Median(bare) * 1e3, Fastest(bare) * 1e3,
              bareCount);
  const auto compare = [&](const char* name, const std::vector<double>& times, int count) {
    std::printf("  %-24s  %7.1f ms (%7.1f)  %d files  ratio %.3f (%.3f), goal <= 1.10\n", name, Median(times) * 1e3,
                Fastest(times) * 1e3, count, Median(times) / Median(bare), Fastest(times) / Fastest(bare));
  };
  compare("TFindFile, no mask", plain, plainCount);
  compare("TFindFile, mask \"*.url\"", masked, maskedCount);
}

void BenchMatch() {
  const int kRounds = 20000;
  std::vector<double> own, system;
  // Both get the same strings, made once: a caller of MatchFileName holds std::strings.
  std::vector<std::pair<std::string, std::string>> cases;
  for (const MaskCase& row : kMaskTable) cases.emplace_back(row.fileName, row.mask);
  int fits = 0;
  for (int run = 0; run < kMatchRuns; ++run) {
    own.push_back(bench::Seconds([&] {
      for (int round = 0; round < kRounds; ++round)
        for (const auto& [fileName, mask] : cases) fits += MatchFileName(fileName, mask);
    }));
    system.push_back(bench::Seconds([&] {
      for (int round = 0; round < kRounds; ++round)
        for (const auto& [fileName, mask] : cases) fits += PathMatchSpecA(fileName.c_str(), mask.c_str());
    }));
  }
  int agree = 0;
  for (const MaskCase& row : kMaskTable) agree += bool(PathMatchSpecA(row.fileName, row.mask)) == row.fits;
  const double calls = double(kRounds) * std::size(kMaskTable);
  std::printf("matching the %zu table cases, median of %d runs (%d fits):\n", std::size(kMaskTable), kMatchRuns, fits);
  std::printf("  MatchFileName   %7.1f ns/call\n", Median(own) / calls * 1e9);
  std::printf("  PathMatchSpecA  %7.1f ns/call  (agrees on %d of %zu)\n", Median(system) / calls * 1e9, agree,
              std::size(kMaskTable));
  std::printf("  speed-up %.1fx (goal >= 10x)\n", Median(system) / Median(own));
}

}  // namespace

int main() {
  std::printf("code page %u\n", GetACP());
  {
    const tamaroo_test::TempFolder folder;
    BenchWalk(MakeTree(folder.Path().substr(0, folder.Path().size() - 1)));
  }
  BenchMatch();
  return 0;
}
