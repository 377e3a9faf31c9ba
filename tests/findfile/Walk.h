#pragma once
// Runs a search and keeps what it reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "findfile/FindFile.h"

struct Found {
  std::string path, fileName;
  bool operator==(const Found&) const = default;
  bool operator<(const Found& other) const { return path + fileName < other.path + other.fileName; }
};

inline std::ostream& operator<<(std::ostream& out, const Found& file) { return out << file.path << file.fileName; }

// The reports of one Execute, in order; Execute must return their number.
inline std::vector<Found> Walk(TFindFile& find) {
  std::vector<Found> reported;
  find.OnFind = [&](const std::string& fileName, const std::string& path, TSearchRec, bool&) {
    reported.push_back({path, fileName});
  };
  const int count = find.Execute();
  EXPECT_EQ(count, static_cast<int>(reported.size()));
  return reported;
}

inline std::vector<Found> Sorted(std::vector<Found> files) {
  std::sort(files.begin(), files.end());
  return files;
}
