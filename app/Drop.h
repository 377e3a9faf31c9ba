#pragma once
// What a drop or a paste means to the program.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "text/InternetShortcut.h"
#include "win/DropTarget.h"

namespace app {

// Files to store (shortcuts and browsers' bookmark files, in the shell's
// order), or else one web link, checked, with the site picture a dragged
// shortcut named, taken at the drop (kept: KeptPicture).
struct Dropped {
  std::vector<std::wstring> files;
  std::optional<text::WebLink> link;
  std::vector<std::uint8_t> picture;
};

// Takes, in this order: a shell file list with at least one name; a virtual
// shortcut with a URL= line; text/x-moz-url; UniformResourceLocatorW; a text
// that is one web URL. The first of these that is offered decides; nothing
// when it brings no bookmark.
std::optional<Dropped> MeaningOf(const win::Offered& offered);

}  // namespace app
