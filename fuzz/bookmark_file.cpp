// Whatever a bookmark file holds, every link read from it is a web URL that
// the link rules keep unchanged; titles, whole, hold no lone surrogate and the
// name rule makes a name within the limit of each; folders nest no deeper
// than the limit; what is read is bounded by the file's size; and written out
// and read again it is the same.
#include <cstdlib>
#include <string>

#include "text/BookmarkFile.h"
#include "text/InternetShortcut.h"
#include "text/ShortcutName.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

bool AnyCharacter(std::wstring_view) { return true; }

bool HasLoneSurrogate(std::wstring_view s) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] >= 0xDC00 && s[i] < 0xE000) return true;
    if (s[i] >= 0xD800 && s[i] < 0xDC00 && !(i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] < 0xE000)) return true;
    if (s[i] >= 0xD800 && s[i] < 0xDC00) ++i;
  }
  return false;
}

// The characters and entries read, which the file's bytes must pay for.
size_t CheckEntries(const std::vector<text::BookmarkEntry>& entries, int depth) {
  Check(depth < text::kMaxBookmarkDepth);
  size_t size = 0;
  for (const text::BookmarkEntry& entry : entries) {
    Check(!HasLoneSurrogate(entry.title));
    const std::wstring name = text::ShortcutFileName(entry.title, entry.url, AnyCharacter);
    Check(name.size() <= text::kMaxShortcutNameLength + 4);
    Check(entry.added >= 0);
    if (entry.IsFolder()) {
      size += CheckEntries(entry.entries, depth + 1);
    } else {
      Check(entry.entries.empty());
      const std::optional<text::WebLink> link = text::WebLinkFrom(entry.url, entry.title);
      Check(link && link->url == entry.url);
    }
    size += 1 + entry.title.size() + entry.url.size();
  }
  return size;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const text::BookmarkFile file = text::ParseBookmarkFile(bytes);
  if (file.result != text::BookmarkFile::Result::kRead) {
    Check(file.entries.empty() && file.skipped == 0);
    return 0;
  }
  // At most: a byte that is no UTF-8 becomes U+FFFD, in a URL three percent escapes.
  Check(CheckEntries(file.entries, 0) <= 9 * size);
  Check(file.skipped <= size);
  const text::BookmarkFile again = text::ParseBookmarkFile(text::WriteBookmarkFile(file.entries));
  Check(again.result == text::BookmarkFile::Result::kRead && again.skipped == 0 && again.entries == file.entries);
  return 0;
}
