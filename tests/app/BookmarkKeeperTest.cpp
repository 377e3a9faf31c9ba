// The keeper of the bookmarks, called as the window calls it: stores,
// renames, deletes, copies, and applies the folder's changes, with no window.
#include "app/BookmarkKeeper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "TamarooProcess.h"
#include "TestDataObject.h"
#include "app/FailureTexts.h"
#include "image/Favicon.h"
#include "text/BookmarkFile.h"
#include "win/Failure.h"
#include "win/WideText.h"

namespace tamaroo_test {
namespace {

using Names = std::vector<std::wstring>;

const std::string kShortcut = "[InternetShortcut]\r\nURL=https://example.com/\r\n";

// The text of the failure `action` throws; empty when it throws none.
std::wstring ThrownBy(const std::function<void()>& action) {
  try {
    action();
  } catch (const win::Failure& failure) {
    return failure.Text();
  }
  return L"";
}

Names NamesIn(const app::BookmarkKeeper& keeper, UINT folder = 0) {
  Names names;
  for (const UINT entry : keeper.Records().EntriesIn(folder)) names.push_back(keeper.Records().NameOf(entry));
  return names;
}

class Keeper : public ::testing::Test {
 protected:
  void SetUp() override {
    win::UseFailureTexts(app::kFailureTexts);
    CreateDirectoryA(Favorite().c_str(), nullptr);
  }
  std::string Favorite() const { return exe.Path() + "favorite\\"; }
  Names Top() const { return NamesIn(keeper); }
  UINT Entry(const std::wstring& relative) const { return keeper.Records().Find(relative); }

  TempFolder exe, elsewhere;
  app::BookmarkKeeper keeper{exe.Path()};
};

enum class Source { Elsewhere, InStorage, Folder, Missing };

struct Drop {
  const char* name;
  Source source;
  int othersStored;        // different files already under the name, "(2)", ...
  bool sameStored;         // the name's next free place already holds the same bytes
  const wchar_t* caption;  // of the new entry; nullptr: none
  const char* storedAs;    // the file that then holds the source's bytes
  const wchar_t* box;
  bool again = false;  // dropped before: kept, but no second entry
};

TEST_F(Keeper, AddUrlFileStoresWithoutOverwritingOrLosing) {
  const Drop drops[] = {
      {"new.url", Source::Elsewhere, 0, false, L"new", "new.url", nullptr},
      {".url", Source::Elsewhere, 0, false, L"", ".url", nullptr},
      {"same.url", Source::Elsewhere, 0, true, L"same", "same.url", nullptr},
      {"other.url", Source::Elsewhere, 1, false, L"other (2)", "other (2).url", nullptr},
      {"twice.url", Source::Elsewhere, 2, false, L"twice (3)", "twice (3).url", nullptr},
      {"again.url", Source::Elsewhere, 1, true, L"again (2)", "again (2).url", nullptr},
      {"inside.url", Source::InStorage, 0, true, L"inside", "inside.url", nullptr},
      {"links.url", Source::Folder, 0, false, nullptr, nullptr, nullptr},
      {"upper.URL", Source::Elsewhere, 0, false, nullptr, nullptr, nullptr},
      {"gone.url", Source::Missing, 0, false, nullptr, nullptr, L"gone.url を格納できません"},
      {"new.url", Source::Elsewhere, 0, false, L"new", "new.url", nullptr, true},
      {"inside.url", Source::InStorage, 0, true, L"inside", "inside.url", nullptr, true},
  };
  keeper.Start();
  for (const Drop& d : drops) {
    SCOPED_TRACE(d.name);
    const std::string bytes = kShortcut + d.name;
    const std::string bare = std::string(d.name).substr(0, std::string(d.name).find('.'));
    auto place = [&](int n) { return "favorite\\" + bare + (n ? " (" + std::to_string(n + 1) + ")" : "") + ".url"; };
    for (int n = 0; n < d.othersStored; ++n) exe.Write(place(n), "other");
    if (d.sameStored) exe.Write(place(d.othersStored), bytes);
    std::string source = elsewhere.Path() + d.name;
    if (d.source == Source::Elsewhere) elsewhere.Write(d.name, bytes);
    if (d.source == Source::InStorage) source = Favorite() + d.name;
    if (d.source == Source::Folder) CreateDirectoryA(source.c_str(), nullptr);

    const size_t before = Top().size();
    bool added = false;
    EXPECT_EQ(ThrownBy([&] { added = keeper.AddUrlFile(win::FromAnsi(source)); }), d.box ? d.box : L"");
    EXPECT_EQ(added, d.caption != nullptr);
    ASSERT_EQ(Top().size(), before + (added && !d.again));
    if (d.again) {
      EXPECT_FALSE(exe.Exists(place(1))) << "stored twice";
    }
    if (!added || d.again) continue;
    EXPECT_EQ(Top().back(), d.caption);
    EXPECT_EQ(exe.Read(std::string("favorite\\") + d.storedAs), bytes);
    if (d.othersStored) {
      EXPECT_EQ(exe.Read(place(0)), "other");
    }
  }
}

// A rename keeps the entry's place, and a folder's entries open their files
// under its new name; a taken or empty name is refused and changes nothing.
TEST_F(Keeper, RenamesInPlaceRefusingATakenOrEmptyName) {
  const struct {
    const wchar_t* entry;
    const wchar_t* refused;
    const wchar_t* refusal;
    const wchar_t* renamed;
    const wchar_t* moved;  // a file below the entry, afterwards
    Names after;
  } cases[] = {
      {L"a.url", L"b", L"b という名前はすでにあります", L"c", L"c.url", {L"c", L"b", L"news"}},
      {L"news", L" . ", L"名前を入力してください", L"daily", L"daily\\n1.url", {L"a", L"b", L"daily"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.renamed);
    const TempFolder folder;
    for (const char* made : {"favorite", "favorite\\news"}) CreateDirectoryA((folder.Path() + made).c_str(), nullptr);
    for (const char* name : {"favorite\\a.url", "favorite\\b.url", "favorite\\news\\n1.url"})
      folder.Write(name, kShortcut);
    app::BookmarkKeeper renaming(folder.Path());
    renaming.Start();
    const UINT entry = renaming.Records().Find(c.entry);
    EXPECT_EQ(ThrownBy([&] { renaming.Rename(entry, c.refused); }), c.refusal);
    renaming.Rename(entry, c.renamed);
    // Its own change notices come back and find nothing to do.
    Sleep(100);
    renaming.TakeChanges();
    EXPECT_EQ(NamesIn(renaming), c.after);
    const UINT moved = renaming.Records().Find(c.moved);
    ASSERT_NE(moved, 0u);
    EXPECT_NE(GetFileAttributesW(renaming.Records().PathOf(moved).c_str()), INVALID_FILE_ATTRIBUTES);
  }
}

// Deleted entries go to the Recycle Bin, a folder with everything in it; a
// URL is copied as text, and a shortcut without one says so.
TEST_F(Keeper, DeletesToTheRecycleBinAndCopiesAUrl) {
  const std::string doomed = "zz-deleted-" + std::to_string(GetCurrentProcessId()) + ".url";
  CreateDirectoryA((Favorite() + "old").c_str(), nullptr);
  for (const std::string& name : {std::string("keep.url"), doomed, std::string("old\\o.url")})
    exe.Write("favorite\\" + name, kShortcut);
  exe.Write("favorite\\b.url", "[InternetShortcut]\r\nIconIndex=0\r\n");
  keeper.Start();
  keeper.CopyUrl(Entry(L"keep.url"), nullptr);
  EXPECT_EQ(ClipboardText<wchar_t>(CF_UNICODETEXT), L"https://example.com/");
  EXPECT_EQ(ThrownBy([&] { keeper.CopyUrl(Entry(L"b.url"), nullptr); }), L"b.url に URL がありません");

  for (const std::wstring& gone : {win::FromAnsi(doomed), std::wstring(L"old")}) keeper.Delete(Entry(gone));
  Sleep(100);
  keeper.TakeChanges();
  EXPECT_EQ(Top(), (Names{L"b", L"keep"}));
  EXPECT_FALSE(exe.Exists("favorite\\" + doomed));
  EXPECT_FALSE(exe.Exists("favorite\\old"));
  if (const std::string trash = TrashFolder(); !trash.empty()) {
    EXPECT_NE(GetFileAttributesA((trash + doomed).c_str()), INVALID_FILE_ATTRIBUTES) << trash + doomed;
  }
}

// What another program adds or removes is applied where it happened; what
// the keeper stored itself is not added again, and no entry is made anew.
TEST_F(Keeper, AppliesAnotherProgramsChangesWhereTheyHappened) {
  exe.Write("favorite\\a.url", kShortcut);
  elsewhere.Write("dropped.url", kShortcut + "dropped");
  keeper.Start();
  ASSERT_TRUE(keeper.AddUrlFile(win::FromAnsi(elsewhere.Path() + "dropped.url")));
  const UINT dropped = Entry(L"dropped.url");
  exe.Write("favorite\\other.url", kShortcut);
  CreateDirectoryA((Favorite() + "sub").c_str(), nullptr);
  exe.Write("favorite\\sub\\s.url", kShortcut);
  DeleteFileA((Favorite() + "a.url").c_str());
  const Names expected{L"dropped", L"other", L"sub"};
  EXPECT_TRUE(WaitUntil([&] {
    keeper.TakeChanges();
    return Top() == expected;
  })) << testing::PrintToString(Top());
  EXPECT_EQ(Entry(L"dropped.url"), dropped) << "the whole tree was read again";
  EXPECT_EQ(NamesIn(keeper, Entry(L"sub")), Names{L"s"});
}

// The order chosen holds for what the walk finds, for what is stored later,
// and after a restart; the folder's own order comes back from the folder.
TEST_F(Keeper, OrdersByNameOrNewestFirstAndKeepsTheChoice) {
  const struct {
    app::EntryOrder order;
    Names atStart, afterDrop;
  } cases[] = {
      {app::EntryOrder::Name,
       {L"Docs", L"item 9", L"item 10", L"zeta"},
       {L"Docs", L"apple", L"item 9", L"item 10", L"zeta"}},
      {app::EntryOrder::Added,
       {L"Docs", L"item 9", L"zeta", L"item 10"},
       {L"Docs", L"apple", L"item 9", L"zeta", L"item 10"}},
      {app::EntryOrder::Listed,
       {L"Docs", L"item 10", L"item 9", L"zeta"},
       {L"Docs", L"item 10", L"item 9", L"zeta", L"apple"}},
  };
  CreateDirectoryA((Favorite() + "Docs").c_str(), nullptr);
  exe.Write("favorite\\Docs\\d.url", kShortcut);
  // Made in this order, a moment apart, so their creation times differ.
  for (const char* name : {"item 10.url", "zeta.url", "item 9.url"}) {
    exe.Write(std::string("favorite\\") + name, kShortcut);
    Sleep(20);
  }
  elsewhere.Write("apple.url", kShortcut + "apple");
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.order));
    app::BookmarkKeeper(exe.Path()).SetOrder(c.order);
    app::BookmarkKeeper restarted(exe.Path());
    restarted.Start();
    EXPECT_EQ(NamesIn(restarted), c.atStart);
    restarted.AddUrlFile(win::FromAnsi(elsewhere.Path() + "apple.url"));
    EXPECT_EQ(NamesIn(restarted), c.afterDrop);
    // The export writes the menu's order.
    restarted.Export(win::FromAnsi(elsewhere.Path() + "exported.html"));
    Names exported;
    for (const text::BookmarkEntry& entry : text::ParseBookmarkFile(elsewhere.Read("exported.html")).entries)
      exported.push_back(entry.title);
    EXPECT_EQ(exported, c.afterDrop);
    DeleteFileA((Favorite() + "apple.url").c_str());
  }
}

// Bookmarks of one page are found across folders, oldest first; others and
// shortcuts without a URL are in no group.
TEST_F(Keeper, FindsTheBookmarksThatLeadToOnePage) {
  CreateDirectoryA((Favorite() + "sub").c_str(), nullptr);
  const std::pair<const char*, const char*> made[] = {{"a.url", "https://Example.com/"},
                                                      {"sub\\d.url", "HTTPS://EXAMPLE.COM:443"},
                                                      {"c.url", "https://example.com/c"},
                                                      {"b.url", "https://example.com"}};
  for (const auto& [name, url] : made) {
    exe.Write(std::string("favorite\\") + name, std::string("[InternetShortcut]\r\nURL=") + url + "\r\n");
    Sleep(20);  // so that each is made at a time of its own
  }
  exe.Write("favorite\\none.url", "[InternetShortcut]\r\n");
  keeper.Start();
  // Read ahead in slices, as the program does when idle; none is read in no time.
  EXPECT_TRUE(keeper.ReadUrls(std::chrono::milliseconds(0)));
  while (keeper.ReadUrls(std::chrono::milliseconds(10))) {
  }
  const auto pages = keeper.SamePages();
  ASSERT_EQ(pages.size(), 1u);
  Names names;
  for (const UINT entry : pages[0].entries) names.push_back(keeper.Records().NameOf(entry));
  EXPECT_EQ(names, (Names{L"a", L"d", L"b"}));
  EXPECT_EQ(keeper.FolderOf(pages[0].entries[1]), L"sub");
}

// What is typed finds across names, folders and URLs, best places first,
// then shorter names; before the URLs are read, names and folders alone.
TEST_F(Keeper, FindsWhatIsTypedBestFirst) {
  for (const char* folder : {"Wine Docs", "Wine Docs\\deep", "gone"})
    CreateDirectoryA((Favorite() + folder).c_str(), nullptr);
  const std::pair<const char*, const char*> made[] = {{"winehq.url", "https://www.winehq.org/"},
                                                      {"Wine.url", "https://wine.example/"},
                                                      {"Red wine.url", "https://shop.example/"},
                                                      {"Brewine.url", "https://b.example/"},
                                                      {"Host.url", "https://wine.example/h"},
                                                      {"Path.url", "https://p.example/wine"},
                                                      {"Wine Docs\\deep\\Manual.url", "https://m.example/"},
                                                      {"gone\\Wine list.url", "https://g.example/"},
                                                      {"Plain.url", ""}};
  for (const auto& [name, url] : made)
    exe.Write(std::string("favorite\\") + name, std::string("[InternetShortcut]\r\nURL=") + url + "\r\n");
  keeper.Start();
  keeper.Records().Remove(Entry(L"gone"));  // with what it holds
  const auto found = [&](const wchar_t* typed, size_t most) {
    const app::BookmarkKeeper::Findings findings = keeper.Find(typed, most);
    Names names;
    for (const UINT entry : findings.best) names.push_back(keeper.Records().NameOf(entry));
    return std::make_tuple(names, findings.more, findings.urlsPending);
  };
  EXPECT_EQ(found(L"wine", 9),
            std::make_tuple(Names{L"Wine", L"winehq", L"Red wine", L"Brewine", L"Manual"}, 0u, true));
  while (keeper.ReadUrls(std::chrono::milliseconds(10))) {
  }
  const struct {
    const wchar_t* typed;
    size_t most;
    Names names;
    size_t more;
  } cases[] = {
      {L"wine", 9, {L"Wine", L"winehq", L"Red wine", L"Brewine", L"Host", L"Path", L"Manual"}, 0},
      {L"wine", 2, {L"Wine", L"winehq"}, 5},
      {L"deep man", 9, {L"Manual"}, 0},
      {L"", 9, {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.typed));
    EXPECT_EQ(found(c.typed, c.most), std::make_tuple(c.names, c.more, false));
  }
}

// A site picture that a dragged shortcut names in a browser's own cache is
// taken at the drop, so it stays when the cache lets it go; a dropped file's
// too, and a program's icon.
TEST_F(Keeper, TakesASitePictureWithTheDrop) {
  const std::vector<std::uint8_t> ico =
      image::IcoOfPng(image::PngOfPixels(std::vector<std::uint8_t>(16 * 16 * 4, 0x40), 16, 16), 16, 16);
  const struct {
    const char* url;
    bool dragged;          // a browser's virtual shortcut; false: a .url file
    const char* iconFile;  // nullptr: the browser's cache
  } cases[] = {
      {"https://dragged.example/", true, nullptr},
      {"https://file.example/", false, nullptr},
      {"https://program.example/", true, "C:\\windows\\notepad.exe"},
  };
  keeper.Start();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.url);
    elsewhere.Write("cache.ico", std::string(ico.begin(), ico.end()));
    const std::string contents = std::string("[InternetShortcut]\r\nURL=") + c.url +
                                 "\r\nIconFile=" + (c.iconFile ? c.iconFile : elsewhere.Path() + "cache.ico") +
                                 "\r\nIconIndex=0\r\n";
    elsewhere.Write("dropped.url", contents);
    TestDataObject link(
        {{Format(L"FileGroupDescriptorW"), Descriptor(L"Site.url", 0)}, {Format(L"FileContents"), contents, true, 0}});
    if (c.dragged)
      ASSERT_TRUE(keeper.TakeDrop(win::Offered(&link)));
    else
      keeper.Queue({{win::FromAnsi(elsewhere.Path() + "dropped.url")}, {}, {}});
    if (c.dragged) DeleteFileA((elsewhere.Path() + "cache.ico").c_str());
    keeper.StoreQueued();
    const UINT entry = keeper.Records().EntriesIn(0).back();
    const std::wstring picture = app::BookmarkStore(Favorite()).Read(keeper.Records().PathOf(entry)).picture;
    EXPECT_FALSE(picture.empty());
    EXPECT_NE(GetFileAttributesW((win::FromAnsi(Favorite()) + L".favicons\\" + picture).c_str()),
              INVALID_FILE_ATTRIBUTES);
    DeleteFileW(keeper.Records().PathOf(entry).c_str());
  }
}

// The folder Settings.ini names is used, beside the program or anywhere; one
// not there at the start is said, and read once it appears.
TEST_F(Keeper, KeepsTheBookmarksWhereSettingsSay) {
  CreateDirectoryA((elsewhere.Path() + "synced").c_str(), nullptr);
  elsewhere.Write("synced\\a.url", kShortcut);
  exe.Write("later", "a file in the way, as an unplugged drive is");
  for (const std::string& named : {elsewhere.Path() + "synced", std::string("later\\marks\\")}) {
    SCOPED_TRACE(named);
    WritePrivateProfileStringA("General", "Folder", named.c_str(), (exe.Path() + "Settings.ini").c_str());
    app::BookmarkKeeper placed(exe.Path());
    const std::optional<app::Said> said = placed.Start();
    if (named.starts_with(elsewhere.Path())) {
      EXPECT_FALSE(said);
      EXPECT_EQ(placed.UrlFolder(), named + "\\");
    } else {
      ASSERT_TRUE(said);
      EXPECT_EQ(said->text, win::FromAnsi(exe.Path() + named) + L" が見つかりません");
      DeleteFileA((exe.Path() + "later").c_str());
      for (const char* made : {"later", "later\\marks"}) CreateDirectoryA((exe.Path() + made).c_str(), nullptr);
      exe.Write("later\\marks\\a.url", kShortcut);
      placed.TakeChanges();
    }
    EXPECT_EQ(NamesIn(placed), Names{L"a"});
  }
}

}  // namespace
}  // namespace tamaroo_test
