// Drags from a second process onto a window of this one registered as a drop
// target, through OLE's marshalling as a browser's drag arrives.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DragSourceProcess.h"
#include "win/DropTarget.h"

namespace {

using tamaroo_test::Drag;

TEST(DragDropProcess, LinksArriveWhileTheWindowIsRegistered) {
  const win::OleSession ole;
  const HWND window = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 100, 100, 80, 80, nullptr,
                                      nullptr, nullptr, nullptr);
  struct Link {
    std::optional<std::wstring> text, mozUrl;
    std::optional<std::pair<std::wstring, std::string>> virtualFile;
  };
  std::vector<Link> links;
  const auto target =
      win::DropTarget::Create([](const win::Offered& offered) { return offered.Text().has_value(); },
                              [&](const win::Offered& offered) {
                                links.push_back({offered.Text(), offered.MozUrl(), offered.VirtualFile()});
                                return true;
                              });
  {
    const win::DropRegistration registration(window, target.Get());
    EXPECT_EQ(Drag(L"140 140 chromium https://example.com/ \"Example Domain\""), DWORD{DROPEFFECT_COPY});
    EXPECT_EQ(Drag(L"140 140 firefox https://www.mozilla.org/ Mozilla.URL"), DWORD{DROPEFFECT_COPY});
  }
  // Revoked, the window holds the target no more: only our own reference is left.
  target->AddRef();
  EXPECT_EQ(target->Release(), 1u);
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0].text, L"https://example.com/");
  EXPECT_EQ(links[0].mozUrl, L"https://example.com/\nExample Domain");
  EXPECT_EQ(links[1].text, L"https://www.mozilla.org/");
  ASSERT_TRUE(links[1].virtualFile);
  EXPECT_EQ(links[1].virtualFile->first, L"Mozilla.URL");
  EXPECT_NE(links[1].virtualFile->second.find("URL=https://www.mozilla.org/"), std::string::npos);
  DestroyWindow(window);
}

}  // namespace
