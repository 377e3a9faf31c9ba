#pragma once
// Site pictures: taken from what a bookmark comes with (a browser's ICON
// data, a shortcut's IconFile or its ":favicon" stream) in the one form they
// are kept in, an icon file; written back as a browser's ICON data; and
// shown, each loaded into the menu's pictures when first needed. The network
// is never asked: a picture on another machine is not read.
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace app {

using PictureBytes = std::vector<std::uint8_t>;

// The picture as it is kept: an icon file of the bytes, which must be one of
// the formats, within the limits, what they say they are, and decode whole;
// nothing otherwise.
std::optional<PictureBytes> KeptPicture(std::span<const std::uint8_t> bytes);
// The same of a "data:" URL, as a browser's ICON gives it.
std::optional<PictureBytes> KeptPictureOfDataUrl(std::string_view url);
// The picture a shortcut's contents name by a local IconFile (an icon file),
// or else the one in the ":favicon" stream of its file at `path` (empty for
// a shortcut that is no file); nothing when there is none to take.
std::optional<PictureBytes> ShortcutPicture(std::string_view contents, const std::wstring& path);
// A kept picture as a browser's ICON data: "data:image/png;base64,...";
// empty when it cannot be made.
std::string PictureDataUrl(std::span<const std::uint8_t> kept);

// The kept pictures in an image list, each added when first asked for.
class MenuPictures {
 public:
  // The picture's place in `list`, loading it from `file` the first time;
  // -1 when it cannot be read. `id` numbers the pictures from 1.
  int ImageOf(std::uint32_t id, const std::wstring& file, HIMAGELIST list);
  // Loads the pictures numbered up to `count` that are not loaded yet, for
  // about `slice`, so that a menu opened later has them at hand; whether any
  // are left.
  bool LoadAhead(std::uint32_t count, const std::function<std::wstring(std::uint32_t id)>& fileOf, HIMAGELIST list,
                 std::chrono::milliseconds slice);
  // The list was made anew (another DPI): every picture is loaded again.
  void Clear() {
    images_.clear();
    next_ = 1;
  }

 private:
  static constexpr int kNotLoaded = -2;
  std::vector<int> images_;  // by id
  std::uint32_t next_ = 1;   // LoadAhead has gone this far
};

}  // namespace app
