#pragma once
// Runs a search and keeps what it reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "findfile/FindFile.h"

struct Found {
  std::string Path, FileName;
  bool operator==(const Found&) const = default;
  bool operator<(const Found& Other) const {
    return Path + FileName < Other.Path + Other.FileName;
  }
};

inline std::ostream& operator<<(std::ostream& Out, const Found& File) {
  return Out << File.Path << File.FileName;
}

// The reports of one Execute, in order; Execute must return their number.
inline std::vector<Found> Walk(TFindFile& Find) {
  std::vector<Found> Reported;
  Find.OnFind = [&](const std::string& FileName, const std::string& Path, TSearchRec, bool&) {
    Reported.push_back({Path, FileName});
  };
  const int Count = Find.Execute();
  EXPECT_EQ(Count, static_cast<int>(Reported.size()));
  return Reported;
}

inline std::vector<Found> Sorted(std::vector<Found> Files) {
  std::sort(Files.begin(), Files.end());
  return Files;
}
