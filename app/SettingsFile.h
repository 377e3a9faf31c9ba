#pragma once
// The settings file beside the executable, opened for one use at a time.
#include <cstdint>
#include <string>

namespace app {

class SettingsFile {
 public:
  explicit SettingsFile(std::string path) : path_(std::move(path)) {}
  // Flushes the system's cache of the file, so each use reads what is on disk.
  ~SettingsFile();
  SettingsFile(const SettingsFile&) = delete;
  SettingsFile& operator=(const SettingsFile&) = delete;

  const std::string& Path() const { return path_; }
  // The value, or `fallback` when it is missing or not an integer.
  std::int32_t ReadInteger(const char* section, const char* key, std::int32_t fallback) const;
  // Throws Failure naming the file when it cannot be written.
  void WriteInteger(const char* section, const char* key, std::int32_t value);

 private:
  std::string path_;
};

}  // namespace app
