#pragma once
// When two bookmarks lead to the same page.
#include <string>
#include <string_view>

namespace text {

// The key under which URLs lead to one page: the scheme and the host in lower
// case, an empty or default port gone (http 80, https 443, ftp 21), and a
// path of only "/" gone, before a query or fragment too, so
// "https://a.example/?x" and "https://a.example?x" are one page. The path,
// user information, query and fragment keep their case and their bytes.
// What is not "scheme://host..." (a host before any "/", "?", "#" or "\")
// is its own key. Never longer than the URL, and its own key again.
std::string PageKey(std::string_view url);

}  // namespace text
