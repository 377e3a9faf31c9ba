#include "app/BookmarkKeeper.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "resources/Commands.h"
#include "resources/Texts.h"
#include "text/FailureText.h"
#include "text/Finder.h"
#include "text/InternetShortcut.h"
#include "text/NameOrder.h"
#include "text/IntegerText.h"
#include "text/AnsiPath.h"
#include "text/LongPath.h"
#include "text/PageKey.h"
#include "text/ShortcutName.h"
#include "app/SettingsFile.h"
#include "win/Failure.h"
#include "win/Handles.h"
#include "win/WideText.h"

namespace app {
namespace {

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(text::VerbatimPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The shell takes no "\\?\" form: past MAX_PATH, or with a name that
// would be trimmed (one ending in a dot or space), a file is handed over by
// its short path.
std::wstring ShellPath(const std::wstring& path) {
  const bool trimmed =
      path.find(L".\\") != path.npos || path.find(L" \\") != path.npos || path.ends_with(L'.') || path.ends_with(L' ');
  if (path.size() < MAX_PATH && !trimmed) return path;
  const std::wstring verbatim = text::VerbatimPath(path);
  std::wstring shortPath(verbatim.size() + 1, L'\0');
  shortPath.resize(GetShortPathNameW(verbatim.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size())));
  if (shortPath.starts_with(L"\\\\?\\UNC\\")) shortPath.replace(0, 8, L"\\\\");
  if (shortPath.starts_with(L"\\\\?\\")) shortPath.erase(0, 4);
  return shortPath.empty() ? path : shortPath;
}

// Marks a long operation for as long as it runs.
class LongOperation {
 public:
  explicit LongOperation(bool& busy) : busy_(busy) { busy_ = true; }
  ~LongOperation() { busy_ = false; }
  LongOperation(const LongOperation&) = delete;
  LongOperation& operator=(const LongOperation&) = delete;

 private:
  bool& busy_;
};

constexpr char kSection[] = "General";
constexpr char kOrderKey[] = "Order";
// As Settings.ini names the orders; the first is the default.
constexpr std::pair<EntryOrder, const char*> kOrders[] = {
    {EntryOrder::Listed, "Listed"}, {EntryOrder::Name, "Name"}, {EntryOrder::Added, "Added"}};

// When the file was made; 0 when it cannot be asked.
std::int64_t CreationOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  return GetFileAttributesExW(text::VerbatimPath(path).c_str(), GetFileExInfoStandard, &data)
             ? FileTicks(data.ftCreationTime)
             : 0;
}

// The folder Settings.ini names, beside the program unless absolute, ending
// with '\\'; empty when none is named.
std::string NamedFolder(const std::string& exeFolder, const std::string& settingsFile) {
  std::string named = SettingsFile(settingsFile).ReadString(kSection, "Folder");
  if (named.empty()) return named;
  if (!named.starts_with("\\\\") && (named.size() < 2 || named[1] != ':')) named.insert(0, exeFolder);
  if (text::LastDelimiter(named, "\\", win::IsAnsiLeadByte) + 1 != named.size()) named += '\\';
  return named;
}

}  // namespace

BookmarkKeeper::BookmarkKeeper(const std::string& exeFolder)
    : settingsFile_(exeFolder + "Settings.ini"),
      namedFolder_(NamedFolder(exeFolder, settingsFile_)),
      store_(namedFolder_.empty() ? exeFolder + "favorite\\" : namedFolder_),
      records_(store_.WideFolder()) {}

std::optional<Said> BookmarkKeeper::Start() {
  const std::string order = SettingsFile(settingsFile_).ReadString(kSection, kOrderKey);
  for (const auto& [value, name] : kOrders) {
    if (lstrcmpiA(order.c_str(), name) == 0) records_.SetOrder(value);
  }
  urlFolder_ = store_.Folder();
  store_.Prepare();
  // Watched first, so that nothing changed during the walk goes unseen.
  changes_ = std::make_unique<win::FolderChanges>(text::VerbatimPath(store_.WideFolder()));
  ReadTree();
  // A sync folder on a drive not plugged in yet, say.
  if (!namedFolder_.empty() && !Exists(store_.WideFolder()))
    return Said{text::Format(win::FromUtf8(resources::kNotFound), {store_.WideFolder()}), true};
  return std::nullopt;
}

void BookmarkKeeper::SetOrder(EntryOrder order) {
  records_.SetOrder(order);
  // The order the folder lists them in comes from the folder.
  if (order == EntryOrder::Listed) ReadTree();
  for (const auto& [value, name] : kOrders) {
    if (value == order) SettingsFile(settingsFile_).WriteValues(kSection, {{kOrderKey, name}});
  }
}

void BookmarkKeeper::FindFileFind(const TSearchRec& found) {
  records_.AddFound(found.WideName, FileTicks(found.Win32Data.ftCreationTime));
}

void BookmarkKeeper::ReadTree(const std::wstring& relative) {
  const std::wstring folder = store_.WideFolder() + relative;
  const std::string ansi = win::ToAnsi(folder);
  // The walk starts from a name of the code page: a folder that has none is
  // read with the whole tree.
  if (!relative.empty() && win::FromAnsi(ansi) != folder) return ReadTree();
  const LongOperation operation(busy_);
  if (relative.empty()) {
    records_.Clear();
    urlText_.clear();
    urls_.clear();
    urlsRead_ = 0;
    store_.Walk(search_, urlFolder_,
                {[this](const std::wstring& name) { records_.EnterFolder(name); },
                 [this](const TSearchRec& found) { FindFileFind(found); }, [this] { records_.LeaveFolder(); }});
    records_.Complete();
    return;
  }
  const size_t prefix = store_.WideFolder().size();
  store_.Walk(search_, ansi,
              {nullptr,
               [&](const TSearchRec& found) {
                 records_.Add((found.WideFolder + found.WideName).substr(prefix), false,
                              FileTicks(found.Win32Data.ftCreationTime));
               },
               nullptr});
}

void BookmarkKeeper::TakeChanges() {
  if (busy_ || !changes_) return;
  const auto taken = changes_->Take();
  if (!taken) return ReadTree();
  for (const win::FolderChange& change : *taken) Apply(change);
}

// What the program changed itself is in the records already, so its own
// notices find nothing to do.
void BookmarkKeeper::Apply(const win::FolderChange& change) {
  const UINT known = records_.Find(change.path);
  if (!change.added) return records_.Remove(known);
  if (known) return;
  const DWORD attributes = GetFileAttributesW(text::VerbatimPath(store_.WideFolder() + change.path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;  // gone again: its removal follows
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return ReadTree(change.path + L'\\');
  if (text::IsShortcutName(change.path))
    records_.Add(change.path, false, CreationOf(store_.WideFolder() + change.path));
}

void BookmarkKeeper::Queue(Dropped dropped) { queue_.push_back(std::move(dropped)); }

bool BookmarkKeeper::TakeDrop(const win::Offered& offered) {
  std::optional<Dropped> dropped = MeaningOf(offered);
  if (dropped) Queue(std::move(*dropped));
  return dropped.has_value();
}

std::vector<Said> BookmarkKeeper::StoreQueued(const Progress& progress) {
  std::vector<Said> said;
  if (busy_) return said;
  while (!queue_.empty()) {
    const Dropped dropped = std::move(queue_.front());
    queue_.pop_front();
    StoreDrop(dropped, progress, said);
  }
  return said;
}

// Each in the shell's order, so the entries of one drop keep it; a failure
// is told and the other names are still stored.
void BookmarkKeeper::StoreDrop(const Dropped& dropped, const Progress& progress, std::vector<Said>& said) {
  const auto attempt = [&said](auto&& store) {
    try {
      store();
    } catch (const win::Failure& failure) {
      said.push_back({text::WithFinalDot(failure.Text()), true});
    }
  };
  for (const std::wstring& name : dropped.files) {
    if (text::IsShortcutName(name)) {
      attempt([&] { AddUrlFile(name); });
    } else if (text::IsBookmarkFileName(name)) {
      attempt([&] { said.push_back(Import(name, progress)); });
    }
  }
  if (dropped.link) attempt([&] { Record(store_.WriteLink(*dropped.link, dropped.picture)); });
}

void BookmarkKeeper::Record(const Bookmark& stored) {
  // What was stored just now says when; what was there before is asked.
  const UINT entry = records_.Add(std::wstring_view(stored.path).substr(store_.WideFolder().size()), stored.isNew,
                                  stored.isNew ? stored.created : CreationOf(stored.path));
  records_.SetPicture(entry, PictureId(stored.picture));
}

std::uint32_t BookmarkKeeper::PictureId(const std::wstring& name) {
  if (name.empty()) return 0;
  const auto [known, made] = pictureIds_.try_emplace(name, static_cast<std::uint32_t>(pictureNames_.size() + 1));
  if (made) pictureNames_.push_back(name);
  return known->second;
}

std::wstring BookmarkKeeper::PictureFileOf(std::uint32_t picture) const {
  return store_.PictureFolder() + pictureNames_[picture - 1];
}

bool BookmarkKeeper::AddUrlFile(const std::wstring& FileName) {
  const std::optional<Bookmark> stored = store_.CopyIn(FileName);
  if (stored) Record(*stored);
  return stored.has_value();
}

Said BookmarkKeeper::Import(const std::wstring& file, const Progress& progress) {
  const Imported imported = [&] {
    const LongOperation operation(busy_);
    return store_.Import(file, progress);
  }();
  for (const Bookmark& stored : imported.stored) Record(stored);
  std::wstring said =
      text::Format(win::FromUtf8(resources::kBookmarksImported), {text::Decimal(imported.stored.size())});
  if (imported.skipped)
    said += text::Format(win::FromUtf8(resources::kBookmarksNotImported), {text::Decimal(imported.skipped)});
  if (imported.picturesSkipped)
    said += text::Format(win::FromUtf8(resources::kPicturesNotImported), {text::Decimal(imported.picturesSkipped)});
  // Stopped part-way: what was stored stays, and the box says why the rest is not.
  if (!imported.failure.empty()) return {text::WithFinalDot(imported.failure) + L"\r\n" + said, true};
  if (imported.stopped) said += win::FromUtf8(resources::kStopped);
  return {said};
}

struct BookmarkKeeper::Collecting {
  const Progress& progress;
  size_t total, done = 0, written = 0, withoutUrl = 0;
  bool stopped = false;
};

Said BookmarkKeeper::Export(const std::wstring& file, const Progress& progress) {
  TakeChanges();
  const auto count = [this](const auto& self, UINT folder) -> size_t {
    size_t entries = 0;
    for (const UINT entry : records_.EntriesIn(folder))
      entries += 1 + (records_.IsFolder(entry) ? self(self, entry) : 0);
    return entries;
  };
  Collecting collecting{progress, count(count, 0)};
  std::vector<text::BookmarkEntry> tree;
  {
    const LongOperation operation(busy_);
    Collect(0, tree, collecting);
  }
  store_.WriteBookmarkFile(file, tree);
  std::wstring said = text::Format(win::FromUtf8(resources::kBookmarksExported), {text::Decimal(collecting.written)});
  if (collecting.withoutUrl)
    said += text::Format(win::FromUtf8(resources::kBookmarksWithoutUrl), {text::Decimal(collecting.withoutUrl)});
  if (collecting.stopped) said += win::FromUtf8(resources::kStopped);
  return {said};
}

void BookmarkKeeper::Collect(UINT folder, std::vector<text::BookmarkEntry>& into, Collecting& collecting) const {
  for (const UINT entry : records_.EntriesIn(folder)) {
    if (collecting.stopped) return;
    std::optional<text::BookmarkEntry> read = store_.EntryOf(records_.PathOf(entry), records_.NameOf(entry));
    if (records_.IsFolder(entry)) {
      // A folder with nothing to write is left out.
      if (read) Collect(entry, read->entries, collecting);
      if (read && !read->entries.empty()) into.push_back(std::move(*read));
    } else if (read) {
      into.push_back(std::move(*read));
      ++collecting.written;
    } else {
      ++collecting.withoutUrl;
    }
    collecting.stopped =
        collecting.stopped || (collecting.progress && !collecting.progress(++collecting.done, collecting.total));
  }
}

void BookmarkKeeper::Paste(HWND owner) {
  // Told apart from an empty clipboard: OLE's reading would only find nothing.
  if (!win::ClipboardLock(owner).IsOpen()) throw win::Failure(win::FromUtf8(resources::kCannotOpenClipboard));
  Microsoft::WRL::ComPtr<IDataObject> data;
  if (FAILED(OleGetClipboard(&data))) throw win::Failure(win::FromUtf8(resources::kCannotOpenClipboard));
  std::optional<Dropped> pasted = MeaningOf(win::Offered(data.Get()));
  if (!pasted) throw win::Failure(win::FromUtf8(resources::kNoUrlOnClipboard));
  Queue(std::move(*pasted));
}

std::wstring BookmarkKeeper::ExistingPath(UINT entry) {
  std::wstring path = records_.PathOf(entry);
  if (!Exists(path)) {
    records_.Remove(entry);
    throw win::Failure(text::Format(win::FromUtf8(resources::kNotFound), {path}));
  }
  return path;
}

void BookmarkKeeper::Open(UINT entry, HWND owner) {
  const std::wstring target = ShellPath(ExistingPath(entry));
  SHELLEXECUTEINFOW open{};
  open.cbSize = sizeof open;
  // A folder's failure goes untold, as opening the storage folder's does.
  open.fMask = SEE_MASK_FLAG_NO_UI;
  open.hwnd = owner;
  open.lpVerb = L"Open";
  open.lpFile = target.c_str();
  open.nShow = SW_SHOW;
  // Silence here would leave the user wondering whether the click was taken.
  if (!ShellExecuteExW(&open) && !records_.IsFolder(entry)) throw win::Failure(win::SystemErrorText(GetLastError()));
}

std::vector<UINT> BookmarkKeeper::BookmarksIn(UINT folder) const {
  std::vector<UINT> bookmarks;
  for (const UINT entry : records_.EntriesIn(folder)) {
    if (!records_.IsFolder(entry)) bookmarks.push_back(entry);
  }
  return bookmarks;
}

std::optional<std::string_view> BookmarkKeeper::UrlOf(UINT entry) {
  const size_t index = entry - resources::CmdFirstEntry;
  if (urls_.size() < records_.Count()) urls_.resize(records_.Count());
  UrlPlace& place = urls_[index];
  if (place.length == kUnread) {
    std::optional<std::string> url;
    try {
      const StoredShortcut read = store_.Read(records_.PathOf(entry));
      url = read.url;
      records_.SetPicture(entry, PictureId(read.picture));
    } catch (const win::Failure&) {
      // Gone since: no URL to have.
    }
    place =
        url ? UrlPlace{static_cast<uint32_t>(urlText_.size()), static_cast<int32_t>(url->size())} : UrlPlace{0, kNoUrl};
    if (url) urlText_ += *url;
  }
  if (place.length == kNoUrl) return std::nullopt;
  return std::string_view(urlText_).substr(place.at, static_cast<size_t>(place.length));
}

bool BookmarkKeeper::ReadUrls(std::chrono::milliseconds slice) {
  if (busy_) return true;
  const auto until = std::chrono::steady_clock::now() + slice;
  for (; urlsRead_ < records_.Count(); ++urlsRead_) {
    if (std::chrono::steady_clock::now() >= until) return true;
    const UINT entry = resources::CmdFirstEntry + static_cast<UINT>(urlsRead_);
    if (records_.Has(entry) && !records_.IsFolder(entry)) UrlOf(entry);
  }
  // All read: the text keeps no room beyond the URLs.
  urlText_.shrink_to_fit();
  return false;
}

std::string_view BookmarkKeeper::ReadUrlOf(UINT entry) const {
  const size_t index = entry - resources::CmdFirstEntry;
  if (index >= urls_.size() || urls_[index].length < 0) return {};
  return std::string_view(urlText_).substr(urls_[index].at, static_cast<size_t>(urls_[index].length));
}

std::string_view BookmarkKeeper::HostOf(UINT entry) const { return text::UrlHost(ReadUrlOf(entry)); }

BookmarkKeeper::Findings BookmarkKeeper::Find(std::wstring_view typed, size_t most) const {
  Findings findings;
  const text::Finder finder(typed);
  if (finder.Empty()) return findings;
  findings.urlsPending = urlsRead_ < records_.Count();
  // Each folder's path folded once, a space after each name, for what it holds.
  std::wstring folded;
  std::vector<std::pair<uint32_t, uint32_t>> pathOf(records_.Count());
  struct Match {
    text::Place place;
    std::wstring_view name;
    UINT entry;
  };
  std::vector<Match> matches;
  records_.ForEachEntry([&](UINT entry, std::wstring_view name, bool folder, UINT above) {
    const auto [at, length] = above ? pathOf[above - resources::CmdFirstEntry] : std::pair<uint32_t, uint32_t>();
    if (folder) {
      const auto from = static_cast<uint32_t>(folded.size());
      folded.append(folded, at, length);
      text::FoldForFinding(name, folded);
      folded += L' ';
      pathOf[entry - resources::CmdFirstEntry] = {from, static_cast<uint32_t>(folded.size()) - from};
      return;
    }
    const text::Place place = finder.Match(name, ReadUrlOf(entry), std::wstring_view(folded).substr(at, length));
    if (place != text::Place::Nowhere) matches.push_back({place, name, entry});
  });
  const size_t shown = std::min(most, matches.size());
  std::partial_sort(matches.begin(), matches.begin() + static_cast<ptrdiff_t>(shown), matches.end(),
                    [](const Match& a, const Match& b) {
                      if (a.place != b.place) return a.place < b.place;
                      if (a.name.size() != b.name.size()) return a.name.size() < b.name.size();
                      return text::NameLess(a.name, b.name);
                    });
  for (size_t i = 0; i < shown; ++i) findings.best.push_back(matches[i].entry);
  findings.more = matches.size() - shown;
  return findings;
}

std::vector<BookmarkKeeper::SamePage> BookmarkKeeper::SamePages() {
  std::vector<SamePage> pages;
  std::unordered_map<std::string, size_t> byKey;
  const auto visit = [&](const auto& self, UINT folder) -> void {
    for (const UINT entry : records_.EntriesIn(folder)) {
      if (records_.IsFolder(entry)) {
        self(self, entry);
        continue;
      }
      const std::optional<std::string_view> url = UrlOf(entry);
      if (!url) continue;
      const auto [page, made] = byKey.try_emplace(text::PageKey(*url), pages.size());
      if (made) pages.push_back({std::string(*url), {}});
      pages[page->second].entries.push_back(entry);
    }
  };
  visit(visit, 0);
  std::erase_if(pages, [](const SamePage& page) { return page.entries.size() < 2; });
  for (SamePage& page : pages) {
    std::ranges::stable_sort(page.entries, {}, [this](UINT entry) { return records_.AddedOf(entry); });
  }
  return pages;
}

std::wstring BookmarkKeeper::FolderOf(UINT entry) const {
  const std::wstring path = records_.PathOf(entry);
  const size_t from = store_.WideFolder().size(), to = path.rfind(L'\\', path.size() - 2);
  return to > from ? path.substr(from, to - from) : std::wstring();
}

void BookmarkKeeper::Rename(UINT entry, const std::wstring& typed) {
  records_.Rename(entry, store_.Rename(ExistingPath(entry), typed));
}

void BookmarkKeeper::Delete(UINT entry) {
  store_.Remove(ExistingPath(entry));
  records_.Remove(entry);
}

void BookmarkKeeper::CopyUrl(UINT entry, HWND owner) const {
  const std::wstring path = records_.PathOf(entry);
  const std::optional<std::string> url = store_.Read(path).url;
  if (!url) {
    throw win::Failure(text::Format(win::FromUtf8(resources::kNoUrlInShortcut), {path.substr(path.rfind(L'\\') + 1)}));
  }
  const win::ClipboardLock clipboard(owner);
  if (!clipboard.IsOpen()) throw win::Failure(win::FromUtf8(resources::kCannotOpenClipboard));
  EmptyClipboard();
  // A shortcut's URL is ASCII, so both forms hold it exactly.
  win::SetClipboardText(CF_TEXT, *url);
  win::SetClipboardText(CF_UNICODETEXT, win::FromAnsi(*url));
}

}  // namespace app
