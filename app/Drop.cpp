#include "app/Drop.h"

#include "text/ShortcutName.h"

namespace app {

std::optional<Dropped> MeaningOf(const win::Offered& offered) {
  if (!offered.files.empty()) {
    if (!text::BringsBookmarks(offered.files, std::nullopt)) return std::nullopt;
    return Dropped{offered.files, std::nullopt};
  }
  std::optional<text::WebLink> link;
  std::optional<std::string> shortcutUrl;
  if (offered.virtualFile) shortcutUrl = text::ShortcutUrl(offered.virtualFile->second);
  if (shortcutUrl) {
    link = text::WebLinkFrom(*shortcutUrl, text::TitleOfShortcutName(offered.virtualFile->first));
  } else if (offered.mozUrl) {
    const text::MozUrl split = text::SplitMozUrl(*offered.mozUrl);
    link = text::WebLinkFrom(text::ToUtf8(split.url), split.title);
  } else if (offered.url) {
    link = text::WebLinkFrom(text::ToUtf8(*offered.url), L"");
  } else if (offered.text) {
    link = text::WebLinkFrom(text::ToUtf8(*offered.text), L"");
  }
  if (!link) return std::nullopt;
  return Dropped{{}, std::move(link)};
}

}  // namespace app
