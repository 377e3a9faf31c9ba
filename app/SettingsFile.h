#pragma once
// The settings file beside the executable, opened for one use at a time.
#include <cstdint>
#include <initializer_list>
#include <string>

namespace app {

class SettingsFile {
 public:
  struct Value {
    const char* key;
    std::string text;
  };

  explicit SettingsFile(std::string path) : path_(std::move(path)) {}
  // Flushes the system's cache of the file, so each use reads what is on disk.
  ~SettingsFile();
  SettingsFile(const SettingsFile&) = delete;
  SettingsFile& operator=(const SettingsFile&) = delete;

  const std::string& Path() const { return path_; }
  // The value, or `fallback` when it is missing or not an integer.
  std::int32_t ReadInteger(const char* section, const char* key, std::int32_t fallback) const;
  // The value as written, blanks around it aside; empty when it is missing.
  std::string ReadString(const char* section, const char* key) const;
  // Sets the keys, keeping the file's other keys and sections, by replacing
  // the whole file at once: a reader never sees some of the keys written and
  // others not, and a failed write leaves the old file. A file that another
  // program is replacing or holds open is waited for, up to a second. Throws
  // Failure naming the file when it cannot be written.
  void WriteValues(const char* section, std::initializer_list<Value> values);

 private:
  std::string path_;
};

}  // namespace app
