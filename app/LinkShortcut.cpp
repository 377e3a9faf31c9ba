#include "app/LinkShortcut.h"

#include <windows.h>

#include "text/ShortcutName.h"
#include "win/Handles.h"
#include "win/WideText.h"

namespace app {

std::optional<std::string> StoreLink(const std::string& folder, const text::WebLink& link) {
  std::string bare = win::ToAnsi(text::ShortcutFileName(link.title, link.url, win::CanHoldInAnsi));
  bare.resize(bare.size() - 4);  // ".url"
  const std::string contents = text::ShortcutContents(link.url);
  for (int attempt = 1;; ++attempt) {
    const std::string path = folder + text::NumberedShortcutName(bare, attempt);
    const std::wstring widePath = win::WidePath(path);
    win::FileHandle file = win::OwnFile(CreateFileW(widePath.c_str(), GENERIC_WRITE, 0, nullptr,
                                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
      // Taken, by a file or a folder: try the next number.
      if (GetFileAttributesW(widePath.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
      return std::nullopt;
    }
    DWORD written = 0;
    if (WriteFile(file.get(), contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
        written == contents.size()) {
      return path;
    }
    // A part-written shortcut would be a broken bookmark.
    file.reset();
    DeleteFileW(widePath.c_str());
    return std::nullopt;
  }
}

}  // namespace app
