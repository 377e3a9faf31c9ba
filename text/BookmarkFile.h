#pragma once
// The browsers' bookmark file (the Netscape bookmark HTML that Chromium, Edge,
// Firefox and Internet Explorer export and import), read and written.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace text {

// Larger files are refused before they are read.
constexpr size_t kMaxBookmarkFileBytes = 64 << 20;
// Lists nested deeper (the top list counts) are not read; what they hold is skipped.
constexpr int kMaxBookmarkDepth = 64;

// A folder (no URL) with its entries in the file's order, or a link.
struct BookmarkEntry {
  std::wstring title;      // whole: the name rule makes a file or folder name of it
  std::string url;         // a web URL in ASCII (IsWebUrl); empty for a folder
  std::int64_t added = 0;  // ADD_DATE, seconds since 1970; 0 when absent or no number
  std::vector<BookmarkEntry> entries;
  // A link's ICON as the file gives it, a "data:" URL or any other; empty
  // when absent. Initialised so that the entries written without it are whole.
  std::string icon = {};

  bool IsFolder() const { return url.empty(); }
  bool operator==(const BookmarkEntry&) const = default;
};

struct BookmarkFile {
  enum class Result { kRead, kNotBookmarks, kTooLarge } result = Result::kRead;
  std::vector<BookmarkEntry> entries;
  // Links and folders left out: no web URL, a URL beyond the link limit
  // (never cut), or nested too deep.
  size_t skipped = 0;
};

// Reads a bookmark file: one that starts, after a BOM and white space, with
// the Netscape doctype, or has <DL> and <DT> tags. UTF-8 unless a BOM says
// UTF-16 or a META charset names the Western code page.
BookmarkFile ParseBookmarkFile(std::string_view bytes);

// The entries as the browsers write them, in UTF-8.
std::string WriteBookmarkFile(const std::vector<BookmarkEntry>& entries);

}  // namespace text
