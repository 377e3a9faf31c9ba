// Times TFindFile against a bare FindFirstFileA walk on a generated tree of
// 20,000 files, and MatchFileName against PathMatchSpecA on the mask table.
#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "findfile/FindFile.h"
#include "tests/findfile/MaskTable.h"

namespace {

const int kFolders = 20, kSubfolders = 10, kFilesPerFolder = 100;
const int kWalkRuns = 15, kMatchRuns = 9;

// The component's default pump, for the bare walk.
void PumpMessages() {
  MSG Msg;
  while (PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&Msg);
    DispatchMessageW(&Msg);
  }
}

// What TFindFile does with no mask and no time filter, without the component.
int BareWalk(const std::string& Dir) {
  WIN32_FIND_DATAA Data;
  HANDLE Search = FindFirstFileA((Dir + "*.*").c_str(), &Data);
  if (Search == INVALID_HANDLE_VALUE) return 0;
  int Count = 0;
  do {
    PumpMessages();
    if (Data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (Data.cFileName[0] != '.') Count += BareWalk(Dir + Data.cFileName + "\\");
    } else {
      ++Count;
    }
  } while (FindNextFileA(Search, &Data));
  FindClose(Search);
  return Count;
}

template <class Work>
double Seconds(Work&& Run) {
  const auto Start = std::chrono::steady_clock::now();
  Run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

double Median(std::vector<double> Times) {
  std::sort(Times.begin(), Times.end());
  return Times[Times.size() / 2];
}

double Fastest(const std::vector<double>& Times) { return *std::min_element(Times.begin(), Times.end()); }

std::string MakeTree() {
  char Temp[MAX_PATH];
  GetTempPathA(MAX_PATH, Temp);
  const std::string Root = std::string(Temp) + "findfile-bench-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(Root.c_str(), nullptr);
  for (int Folder = 0; Folder < kFolders; ++Folder) {
    const std::string Top = Root + "\\d" + std::to_string(Folder);
    CreateDirectoryA(Top.c_str(), nullptr);
    for (int Sub = 0; Sub < kSubfolders; ++Sub) {
      const std::string Dir = Top + "\\s" + std::to_string(Sub) + "\\";
      CreateDirectoryA(Dir.c_str(), nullptr);
      for (int File = 0; File < kFilesPerFolder; ++File) {
        const std::string Name = Dir + "file" + std::to_string(File) + (File % 10 ? ".txt" : ".url");
        CloseHandle(CreateFileA(Name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
      }
    }
  }
  return Root;
}

void BenchWalk(const std::string& Root) {
  std::vector<double> Bare, Plain, Masked;
  int BareCount = 0, PlainCount = 0, MaskedCount = 0;
  TFindFile Find;
  Find.FolderName = Root;
  Find.OnFind = [](const std::string&, const std::string&, TSearchRec, bool&) {};
  BareWalk(Root + "\\");  // warms the caches for all three
  const auto TimeBare = [&] { Bare.push_back(Seconds([&] { BareCount = BareWalk(Root + "\\"); })); };
  const auto TimeComponent = [&] {
    Find.FileMask.clear();
    Plain.push_back(Seconds([&] { PlainCount = Find.Execute(); }));
    Find.FileMask = {"*.url"};
    Masked.push_back(Seconds([&] { MaskedCount = Find.Execute(); }));
  };
  // Taking turns at going first keeps a drift of the machine out of the ratio.
  for (int Run = 0; Run < kWalkRuns; ++Run) {
    if (Run % 2) {
      TimeComponent();
      TimeBare();
    } else {
      TimeBare();
      TimeComponent();
    }
  }
  // Each entry costs a PeekMessageA, a round trip to the wineserver whose
  // time varies with the load of the machine: the fastest runs show it least.
  std::printf("walk, %d runs: median (fastest)\n", kWalkRuns);
  std::printf("  bare FindFirstFileA loop  %7.1f ms (%7.1f)  %d files\n", Median(Bare) * 1e3,
              Fastest(Bare) * 1e3, BareCount);
  const auto Compare = [&](const char* Name, const std::vector<double>& Times, int Count) {
    std::printf("  %-24s  %7.1f ms (%7.1f)  %d files  ratio %.3f (%.3f), goal <= 1.10\n", Name,
                Median(Times) * 1e3, Fastest(Times) * 1e3, Count, Median(Times) / Median(Bare),
                Fastest(Times) / Fastest(Bare));
  };
  Compare("TFindFile, no mask", Plain, PlainCount);
  Compare("TFindFile, mask \"*.url\"", Masked, MaskedCount);
}

void BenchMatch() {
  const int kRounds = 20000;
  std::vector<double> Own, System;
  // Both get the same strings, made once: a caller of MatchFileName holds std::strings.
  std::vector<std::pair<std::string, std::string>> Cases;
  for (const MaskCase& Row : kMaskTable) Cases.emplace_back(Row.FileName, Row.Mask);
  int Fits = 0;
  for (int Run = 0; Run < kMatchRuns; ++Run) {
    Own.push_back(Seconds([&] {
      for (int Round = 0; Round < kRounds; ++Round)
        for (const auto& [FileName, Mask] : Cases) Fits += MatchFileName(FileName, Mask);
    }));
    System.push_back(Seconds([&] {
      for (int Round = 0; Round < kRounds; ++Round)
        for (const auto& [FileName, Mask] : Cases) Fits += PathMatchSpecA(FileName.c_str(), Mask.c_str());
    }));
  }
  int Agree = 0;
  for (const MaskCase& Row : kMaskTable)
    Agree += bool(PathMatchSpecA(Row.FileName, Row.Mask)) == Row.Fits;
  const double Calls = double(kRounds) * std::size(kMaskTable);
  std::printf("matching the %zu table cases, median of %d runs (%d fits):\n", std::size(kMaskTable),
              kMatchRuns, Fits);
  std::printf("  MatchFileName   %7.1f ns/call\n", Median(Own) / Calls * 1e9);
  std::printf("  PathMatchSpecA  %7.1f ns/call  (agrees on %d of %zu)\n", Median(System) / Calls * 1e9,
              Agree, std::size(kMaskTable));
  std::printf("  speed-up %.1fx (goal >= 10x)\n", Median(System) / Median(Own));
}

}  // namespace

int main() {
  std::printf("code page %u\n", GetACP());
  const std::string Root = MakeTree();
  BenchWalk(Root);
  std::error_code Ignored;
  std::filesystem::remove_all(Root, Ignored);
  BenchMatch();
  return 0;
}
