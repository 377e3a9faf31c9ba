#pragma once
// The storage folder: the shortcuts kept there are the program's bookmarks.
// Paths are ANSI; the file calls take the "\\?\" form where a path passes MAX_PATH.
#include <optional>
#include <string>

#include "text/InternetShortcut.h"

namespace app {

// The attributes of `path`, or INVALID_FILE_ATTRIBUTES when it is not there.
unsigned long FileAttributes(const std::string& path);
bool IsFolder(const std::string& path);

// Creates every missing level of `folder`, outermost first. Whether it worked
// is not told: a path blocked by a file simply stays missing.
void ForceFolders(const std::string& folder);

// Both store without ever overwriting: under the name, or, when something
// else already holds it, under the first free "<name> (2).url", "<name> (3).url"...
// and return the stored file's name, or nothing when nothing could be stored.
//
// Copies the shortcut `source` into `folder` (ending with '\'). A file there
// that is the source itself or has its bytes counts as stored already.
std::optional<std::string> StoreShortcut(const std::string& source, const std::string& folder);
// Writes a new shortcut for a dropped link, named after its title.
std::optional<std::string> StoreLink(const std::string& folder, const text::WebLink& link);

}  // namespace app
