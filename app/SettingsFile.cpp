#include "app/SettingsFile.h"

#include <windows.h>

#include "resources/Texts.h"
#include "text/FailureText.h"
#include "text/IntegerText.h"
#include "win/Failure.h"
#include "win/WideText.h"

namespace app {

SettingsFile::~SettingsFile() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, path_.c_str()); }

std::int32_t SettingsFile::ReadInteger(const char* section, const char* key, std::int32_t fallback) const {
  char buffer[2048];
  const DWORD length = GetPrivateProfileStringA(section, key, "", buffer, sizeof buffer, path_.c_str());
  return text::ParseInteger(std::string_view(buffer, length)).value_or(fallback);
}

void SettingsFile::WriteInteger(const char* section, const char* key, std::int32_t value) {
  if (!WritePrivateProfileStringA(section, key, std::to_string(value).c_str(), path_.c_str()))
    throw win::Failure(text::Format(win::FromUtf8(resources::kCannotWrite), {win::FromAnsi(path_)}));
}

}  // namespace app
