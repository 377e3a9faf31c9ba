#include "app/SettingsFile.h"

#include <windows.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "resources/Texts.h"
#include "text/FailureText.h"
#include "text/IntegerText.h"
#include "win/Failure.h"
#include "win/Handles.h"
#include "win/WideText.h"

namespace app {
namespace {

// A profile list of NUL-ended strings, read into a buffer grown until it fits.
template <typename Read>
std::vector<std::string> ReadList(Read read) {
  std::vector<char> buffer(4096);
  DWORD length = 0;
  while ((length = read(buffer.data(), static_cast<DWORD>(buffer.size()))) >= buffer.size() - 2)
    buffer.resize(buffer.size() * 2);
  std::vector<std::string> list;
  for (size_t start = 0; start < length;) {
    const size_t end = std::find(buffer.begin() + start, buffer.begin() + length, '\0') - buffer.begin();
    list.emplace_back(buffer.data() + start, end - start);
    start = end + 1;
  }
  return list;
}

// Names compare as the profile functions compare them: blanks around them aside, in any case.
bool SameName(std::string_view name, const char* other) {
  const size_t first = name.find_first_not_of(" \t");
  const size_t last = name.find_last_not_of(" \t");
  if (first == name.npos) return !*other;
  return lstrcmpiA(std::string(name.substr(first, last - first + 1)).c_str(), other) == 0;
}

void AppendValues(std::string& contents, std::initializer_list<SettingsFile::Value> values) {
  for (const SettingsFile::Value& v : values) contents.append(v.key).append("=").append(v.text).append("\r\n");
}

// The file as the profile functions read it, with the values set in `section`.
std::string ContentsWith(const std::string& path, const char* section,
                         std::initializer_list<SettingsFile::Value> values) {
  std::string contents;
  bool set = false;
  const auto names =
      ReadList([&](char* buffer, DWORD size) { return GetPrivateProfileSectionNamesA(buffer, size, path.c_str()); });
  for (const std::string& name : names) {
    contents += "[" + name + "]\r\n";
    const bool target = SameName(name, section);
    const auto lines = ReadList(
        [&](char* buffer, DWORD size) { return GetPrivateProfileSectionA(name.c_str(), buffer, size, path.c_str()); });
    for (const std::string& line : lines) {
      const std::string_view key = std::string_view(line).substr(0, line.find('='));
      if (!target || std::none_of(values.begin(), values.end(), [&](const auto& v) { return SameName(key, v.key); }))
        contents += line + "\r\n";
    }
    if (target && !set) AppendValues(contents, values);
    set = set || target;
  }
  if (!set) {
    contents += std::string("[") + section + "]\r\n";
    AppendValues(contents, values);
  }
  return contents;
}

bool WriteWholeFile(const std::string& path, const std::string& contents) {
  const win::FileHandle file =
      win::OwnFile(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return file && WriteFile(file.get(), contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
         written == contents.size() && FlushFileBuffers(file.get());
}

// Another program replacing the file at the same moment, or holding it open
// (an editor, a virus scanner), refuses the move for a while: it is tried
// again, for up to a second, before it counts as failed.
bool MoveIntoPlace(const std::string& from, const std::string& to) {
  constexpr ULONGLONG kPatience = 1000;
  constexpr DWORD kPause = 20;
  const ULONGLONG start = GetTickCount64();
  while (!MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD error = GetLastError();
    if ((error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) ||
        GetTickCount64() - start + kPause > kPatience)
      return false;
    Sleep(kPause);
  }
  return true;
}

}  // namespace

SettingsFile::~SettingsFile() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str()); }

std::int32_t SettingsFile::ReadInteger(const char* section, const char* key, std::int32_t fallback) const {
  return text::ParseInteger(ReadString(section, key)).value_or(fallback);
}

std::string SettingsFile::ReadString(const char* section, const char* key) const {
  char buffer[2048];
  const DWORD length = GetPrivateProfileStringA(section, key, "", buffer, sizeof buffer, path_.c_str());
  return std::string(buffer, length);
}

void SettingsFile::WriteValues(const char* section, std::initializer_list<Value> values) {
  // The profile functions write in place and miss a full disk; the new file is
  // made beside the old one under a name of this process and then put in its place.
  const std::string temporary = path_ + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
  if (!WriteWholeFile(temporary, ContentsWith(path_, section, values)) || !MoveIntoPlace(temporary, path_)) {
    DeleteFileA(temporary.c_str());
    throw win::Failure(text::Format(win::FromUtf8(resources::kCannotWrite), {win::FromAnsi(path_)}));
  }
}

}  // namespace app
