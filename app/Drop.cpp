#include "app/Drop.h"

#include "app/SitePictures.h"
#include "text/ShortcutName.h"

namespace app {

std::optional<Dropped> MeaningOf(const win::Offered& offered) {
  // Asked for one after another, so a source is asked only what decides.
  if (std::vector<std::wstring> files = offered.Files(); !files.empty()) {
    if (!text::BringsBookmarks(files, std::nullopt)) return std::nullopt;
    return Dropped{std::move(files), std::nullopt, {}};
  }
  std::optional<text::WebLink> link;
  std::optional<PictureBytes> picture;
  const auto virtualFile = offered.VirtualFile();
  const std::optional<std::string> shortcutUrl = virtualFile ? text::ShortcutUrl(virtualFile->second) : std::nullopt;
  if (shortcutUrl) {
    link = text::WebLinkFrom(*shortcutUrl, text::TitleOfShortcutName(virtualFile->first));
    // The picture a browser names may be in a cache of its own that is gone tomorrow.
    if (link) picture = ShortcutPicture(virtualFile->second, L"");
  } else if (const auto moz = offered.MozUrl()) {
    const text::MozUrl split = text::SplitMozUrl(*moz);
    link = text::WebLinkFrom(text::ToUtf8(split.url), split.title);
  } else if (const auto url = offered.Url()) {
    link = text::WebLinkFrom(text::ToUtf8(*url), L"");
  } else if (const auto plain = offered.Text()) {
    link = text::WebLinkFrom(text::ToUtf8(*plain), L"");
  }
  if (!link) return std::nullopt;
  return Dropped{{}, std::move(link), picture.value_or(PictureBytes())};
}

}  // namespace app
