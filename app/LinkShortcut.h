#pragma once
// Dropped links become shortcut files in the storage folder.
#include <optional>
#include <string>

#include "text/InternetShortcut.h"

namespace app {

// Writes a new shortcut for `link` into `folder` (ANSI, ending with '\'),
// named after its title; a name already taken by a file or folder gets
// " (2)", " (3)"... and nothing is overwritten. Returns the full path of the
// file written, or nullopt when none could be written.
std::optional<std::string> StoreLink(const std::string& folder, const text::WebLink& link);

}  // namespace app
