// Dropped links written as shortcut files into a real folder.
#include "app/UrlStorage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TamarooProcess.h"
#include "win/WideText.h"

namespace tamaroo_test {
namespace {

// Any absolute path, however long, for the wide file calls.
std::wstring Extended(const std::string& path) { return L"\\\\?\\" + win::FromAnsi(path); }

std::string ReadAll(const std::string& path) {
  const HANDLE file =
      CreateFileW(Extended(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string bytes(4096, '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  return bytes.substr(0, read);
}

TEST(StoreLink, IsWrittenUnderAFreeNameMadeFromItsTitle) {
  const bool japanese = GetACP() == 932;
  const struct {
    std::vector<std::string> taken;
    std::wstring title;
    std::string url;
    std::string stored;
  } cases[] = {
      {{"Page.url", "Page (2).url"}, L"Page", "http://a/", "Page (3).url"},
      {{}, L"\u65E5\u672C", "http://jp.example/", japanese ? "\x93\xFA\x96\x7B.url" : "jp.example.url"},
      {{},
       L"a\u00A5b",
       "http://a/",
       japanese ? "a_b.url"
                : "a\xA5"
                  "b.url"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    const TempFolder folder;
    for (const std::string& name : c.taken) folder.Write(name, std::string("taken"));
    EXPECT_EQ(app::StoreLink(folder.Path(), {c.url, c.title}), c.stored);
    EXPECT_EQ(ReadAll(folder.Path() + c.stored), "[InternetShortcut]\r\nURL=" + c.url + "\r\n");
    for (const std::string& name : c.taken) EXPECT_EQ(ReadAll(folder.Path() + name), "taken");
  }
}

TEST(StoreLink, IsWrittenWherePathsPassMaxPath) {
  const TempFolder root;
  std::string folder = root.Path();
  std::vector<std::string> levels;
  for (int i = 0; i < 3; ++i) {
    folder += std::string(100, static_cast<char>('a' + i)) + "\\";
    CreateDirectoryW(Extended(folder).c_str(), nullptr);
    levels.push_back(folder);
  }
  EXPECT_EQ(app::StoreLink(folder, {"http://deep.example/", L"Deep"}), "Deep.url");
  EXPECT_EQ(ReadAll(folder + "Deep.url"), "[InternetShortcut]\r\nURL=http://deep.example/\r\n");
  DeleteFileW(Extended(folder + "Deep.url").c_str());
  for (auto level = levels.rbegin(); level != levels.rend(); ++level) RemoveDirectoryW(Extended(*level).c_str());
}

TEST(StoreLink, AMissingFolderStoresNothing) {
  const TempFolder root;
  EXPECT_EQ(app::StoreLink(root.Path() + "missing\\", {"http://a/", L"A"}), std::nullopt);
}

}  // namespace
}  // namespace tamaroo_test
