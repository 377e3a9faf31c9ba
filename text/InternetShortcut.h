#pragma once
// Internet shortcuts as text: the URL a shortcut file holds, the bytes of a
// new one, and which dragged URLs are web links worth keeping.
#include <optional>
#include <string>
#include <string_view>

namespace text {

// A link to keep: its URL in ASCII and the title it came with.
struct WebLink {
  std::string url;
  std::wstring title;
};

// A longer URL could not be handed to a browser on its command line (32,767
// characters with the browser's own path), so its bookmark would never open.
constexpr size_t kMaxUrlLength = 32000;

// The value of the first "URL=" line of the [InternetShortcut] section,
// trimmed; nullopt when there is none. The contents end at their first NUL.
std::optional<std::string> ShortcutUrl(std::string_view contents);

// The value of the first "<key>=" line (the key in any case) of the
// [InternetShortcut] section, trimmed; nullopt when there is none.
std::optional<std::string> ShortcutValue(std::string_view contents, std::string_view key);

// The contents with the [InternetShortcut] section's IconFile and IconIndex
// set: their lines replaced where there are any, added after the section's
// last line otherwise; every other byte kept.
std::string WithShortcutIcon(std::string_view contents, std::string_view iconFile, int iconIndex);

// Whether opening the path could reach another machine, which would hand it
// the user's credentials: a UNC path ("\\server\share", "\\?\UNC\...",
// "//server"), a device path other than "\\?\<drive>:" or "\\.\<drive>:",
// or a URL ("file:", any "<scheme>:" of two or more letters). A drive mapped
// to a share is the system's to tell.
bool IsRemotePath(std::wstring_view path);

// A new shortcut file, as Windows writes one.
std::string ShortcutContents(std::string_view asciiUrl);

// UTF-8 of UTF-16 text; a lone surrogate becomes U+FFFD.
std::string ToUtf8(std::wstring_view text);

// The URL without white space around it, every byte above 0x7F
// percent-encoded (a host stays as given, in punycode or not).
std::string AsciiUrl(std::string_view url);

// "http", "https" or "ftp" in any case, "://" and a host; no space or control
// character; at most kMaxUrlLength.
bool IsWebUrl(std::string_view asciiUrl);

// From "://" to the first "/", "?", "#" or "\", without "user@" and ":port".
std::string_view UrlHost(std::string_view url);

// The link when `url` (UTF-8) is a web URL; nullopt otherwise.
std::optional<WebLink> WebLinkFrom(std::string_view url, std::wstring_view title);

// The first URL of text/x-moz-url ("URL\nTitle\n..."), and its title.
struct MozUrl {
  std::wstring_view url;
  std::wstring_view title;
};
MozUrl SplitMozUrl(std::wstring_view text);

// A shortcut's file name without ".url" in any case.
std::wstring_view TitleOfShortcutName(std::wstring_view fileName);

}  // namespace text
