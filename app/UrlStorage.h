#pragma once
// The storage folder: the shortcuts kept there are the program's bookmarks.
#include <optional>
#include <string>

namespace app {

// Creates every missing level of `folder`, outermost first. Whether it worked
// is not told: a path blocked by a file simply stays missing.
void ForceFolders(const std::string& folder);

// Puts the shortcut `source` into `folder` (ending with '\') without ever
// overwriting: under its own name, or, when a different file holds that name,
// under the first free "<name> (2).url", "<name> (3).url", ... A file there
// that is the source itself or has its bytes counts as stored already.
// Returns the stored file's name, or nothing when it could not be stored.
std::optional<std::string> StoreShortcut(const std::string& source, const std::string& folder);

}  // namespace app
