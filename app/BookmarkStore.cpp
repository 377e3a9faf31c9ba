#include "app/BookmarkStore.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstring>
#include <set>

#include "app/SitePictures.h"
#include "image/Favicon.h"
#include "resources/Texts.h"
#include "text/FailureText.h"
#include "text/IntegerText.h"
#include "text/LongPath.h"
#include "text/ShortcutName.h"
#include "win/Failure.h"
#include "win/Files.h"
#include "win/Handles.h"
#include "win/WideText.h"

namespace app {
namespace {

// Bounded, so a folder filled by someone else cannot keep us here.
constexpr int kMaxAttempts = 1000;
// No shortcut is near this; a larger file is refused rather than read whole.
constexpr LONGLONG kMaxShortcutBytes = 64 << 20;
// What a store writes before the file is whole; the search's "*.url" never reports it.
constexpr wchar_t kTemporaryPrefix[] = L"~tamaroo-";
constexpr wchar_t kTemporaryExtension[] = L".tmp";

std::wstring Extended(const std::wstring& path) { return text::VerbatimPath(path); }

DWORD Attributes(const std::wstring& path) { return GetFileAttributesW(Extended(path).c_str()); }

[[noreturn]] void NotFound(const std::wstring& path) {
  throw win::Failure(text::Format(win::FromUtf8(resources::kNotFound), {path}));
}

[[noreturn]] void CannotStore(const std::wstring& name) {
  throw win::Failure(text::Format(win::FromUtf8(resources::kCannotStore), {name}));
}

std::wstring FileNameOf(const std::wstring& path) { return path.substr(path.find_last_of(L"\\:") + 1); }

// The whole file, or nothing when it cannot be read to its end.
std::optional<std::string> ReadAll(const std::wstring& path) { return win::ReadWholeFile(path, kMaxShortcutBytes); }

bool Holds(const std::wstring& path, const std::string& bytes) { return ReadAll(path) == bytes; }

// A file being written under a temporary name, held open until it is given
// its name (a rename of the open file: one call, where a move of a closed one
// opens it again); removed unless it was.
class TemporaryFile {
 public:
  // Writes `bytes` to a new file in `folder`, created and last written at
  // `time` when there is one, and through to the disk when `flush` says so.
  TemporaryFile(const std::wstring& folder, const std::string& bytes, const FILETIME* time = nullptr,
                bool flush = true) {
    static std::atomic<unsigned> count = 0;
    const std::wstring path = folder + kTemporaryPrefix + text::Decimal(GetCurrentProcessId()) + L"-" +
                              text::Decimal(++count) + kTemporaryExtension;
    file_ = win::OwnFile(CreateFileW(Extended(path).c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    whole_ =
        file_ &&
        (bytes.empty() || (WriteFile(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                           written == bytes.size())) &&
        (!time || SetFileTime(file_.get(), time, nullptr, time)) && (!flush || FlushFileBuffers(file_.get()));
  }
  ~TemporaryFile() {
    FILE_DISPOSITION_INFO remove{TRUE};
    if (file_ && !named_) SetFileInformationByHandle(file_.get(), FileDispositionInfo, &remove, sizeof(remove));
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  bool Whole() const { return whole_; }
  // Gives it its name unless that is taken (or `replace` says to replace
  // it); false with the system's error.
  bool MoveTo(const std::wstring& path, bool replace = false) {
    const std::wstring target = Extended(path);
    std::vector<std::byte> buffer(sizeof(FILE_RENAME_INFO) + target.size() * sizeof(wchar_t));
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = replace;
    rename->FileNameLength = static_cast<DWORD>(target.size() * sizeof(wchar_t));
    std::memcpy(rename->FileName, target.c_str(), rename->FileNameLength);
    named_ = SetFileInformationByHandle(file_.get(), FileRenameInfo, rename, static_cast<DWORD>(buffer.size()));
    return named_;
  }

 private:
  win::FileHandle file_;
  bool whole_ = false;
  bool named_ = false;
};

// The picture a stored shortcut names in the picture folder: its IconFile's
// file name when that lies in a folder of the picture folder's name, where
// ever the storage folder was when it was written (it may have moved since).
std::wstring PictureNameIn(std::string_view contents) {
  const std::optional<std::string> iconFile = text::ShortcutValue(contents, "IconFile");
  if (!iconFile) return {};
  const std::wstring path = win::FromAnsi(*iconFile);
  const size_t name = path.find_last_of(L"\\/") + 1;
  const std::wstring_view folder = std::wstring_view(path).substr(0, name ? name - 1 : 0);
  const std::wstring_view last = folder.substr(folder.find_last_of(L"\\/") + 1);
  const std::wstring_view own = BookmarkStore::kPictureFolderName;
  if (!name || CompareStringOrdinal(last.data(), static_cast<int>(last.size()), own.data(),
                                    static_cast<int>(own.size()), TRUE) != CSTR_EQUAL)
    return {};
  const std::wstring file = path.substr(name);
  return file.find_first_of(L":*?\"<>|") == std::wstring::npos ? file : std::wstring();
}

// Keeps the picture in `folder` (the picture folder) under the name its bytes
// give, once, and names it in the shortcut's contents; false when it cannot
// be kept. Written unflushed, as a picture is no bookmark and an import
// brings thousands; `kept` holds the pictures an import has kept already,
// so the pages of one site look at the disk once.
bool AddPicture(const std::wstring& folder, std::string& contents, const PictureBytes& picture,
                std::set<std::wstring>* kept = nullptr) {
  const std::wstring path = folder + win::FromAnsi(image::PictureFileName(picture));
  const std::string bytes(picture.begin(), picture.end());
  if ((!kept || !kept->contains(path)) && !Holds(path, bytes)) {
    const std::wstring bare = folder.substr(0, folder.size() - 1);
    if (CreateDirectoryW(Extended(bare).c_str(), nullptr))
      SetFileAttributesW(Extended(bare).c_str(), FILE_ATTRIBUTE_HIDDEN);
    TemporaryFile temporary(folder, bytes, nullptr, false);
    // Another picture under that name, which its hash all but rules out, is not replaced.
    if (!temporary.Whole() || (!temporary.MoveTo(path) && !Holds(path, bytes))) return false;
  }
  if (kept) kept->insert(path);
  contents = text::WithShortcutIcon(contents, win::ToAnsi(path), 0);
  return true;
}

// Every missing level, outermost first; levels that cannot be made are left to the store's failure.
void MakeFolders(const std::wstring& folder) {
  for (size_t at = folder.find(L'\\', 3); at != std::wstring::npos; at = folder.find(L'\\', at + 1))
    CreateDirectoryW(Extended(folder.substr(0, at)).c_str(), nullptr);
}

bool IsInside(const std::wstring& path, const std::wstring& folder) {
  return path.size() > folder.size() &&
         CompareStringOrdinal(path.c_str(), static_cast<int>(folder.size()), folder.c_str(),
                              static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL;
}

// Names as the file system compares them, in any case.
struct IgnoringCase {
  bool operator()(const std::wstring& a, const std::wstring& b) const {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_LESS_THAN;
  }
};
using Names = std::set<std::wstring, IgnoringCase>;

// Stores `bytes` in `folder` as "<bare>.url", or the first free "<bare> (2).url"...
// With the folder's `taken` names, listed before, no name is looked at on
// the disk and the file goes unflushed, as an import's thousands need (one
// flush each would take minutes; a file is still named only once written
// whole, which a killed run or a full disk needs, and only a power cut could
// find one short). Without them, a file of the name that holds `bytes` is
// that bookmark, stored before.
Bookmark StoreIn(const std::wstring& folder, const std::wstring& keptName, const std::string& bytes,
                 const std::wstring& shownName, Names* taken = nullptr, const FILETIME* time = nullptr) {
  const std::wstring bare(text::BareShortcutName(keptName));
  std::optional<TemporaryFile> temporary;
  for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
    const std::wstring name = text::NumberedShortcutName(bare, attempt);
    const std::wstring path = folder + name;
    if (taken) {
      if (!taken->insert(name).second) continue;
    } else if (const DWORD attributes = Attributes(path); attributes != INVALID_FILE_ATTRIBUTES) {
      if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) && Holds(path, bytes)) return {path, false, 0, {}};
      continue;
    }
    if (!temporary) {
      temporary.emplace(folder, bytes, time, !taken);
      if (!temporary->Whole()) break;
    }
    if (temporary->MoveTo(path)) {
      FILETIME now;
      GetSystemTimeAsFileTime(&now);
      return {path, true, FileTicks(time ? *time : now), {}};
    }
    // Someone took the name since it was looked at: try the next one.
    if (const DWORD error = GetLastError(); error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) break;
  }
  CannotStore(shownName);
}

// What a folder holds, listed once: every name, and the URLs of its shortcuts.
struct Listing {
  Names names;
  std::set<std::string> urls;
};

Listing ListingOf(const std::wstring& folder) {
  Listing listing;
  WIN32_FIND_DATAW data;
  const win::SearchHandle search = win::OwnSearch(FindFirstFileW(Extended(folder + L"*").c_str(), &data));
  if (!search) return listing;
  do {
    listing.names.insert(data.cFileName);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY || !text::IsShortcutName(data.cFileName)) continue;
    if (const std::optional<std::string> bytes = ReadAll(folder + data.cFileName))
      if (std::optional<std::string> url = text::ShortcutUrl(*bytes)) listing.urls.insert(text::AsciiUrl(*url));
  } while (FindNextFileW(search.get(), &data));
  return listing;
}

// A folder of the tree named after `title`: the one of that name when there
// is one, so a second import fills the same folder; otherwise a new one,
// numbered past a file that has the name.
std::wstring SubfolderFor(const std::wstring& folder, const std::wstring& title) {
  const std::wstring made = text::ShortcutFileName(title, "", win::CanHoldInAnsi);
  const std::wstring bare(text::BareShortcutName(made));
  for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
    const std::wstring name = text::NumberedShortcutName(bare, attempt);
    const std::wstring path = folder + std::wstring(text::BareShortcutName(name));
    CreateDirectoryW(Extended(path).c_str(), nullptr);
    const DWORD attributes = Attributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) break;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return path + L'\\';
  }
  CannotStore(bare);
}

// ADD_DATE as a file time, where it is one this side of the year 10000.
std::optional<FILETIME> FileTimeOf(std::int64_t secondsSince1970) {
  constexpr std::int64_t kFrom1601 = 11644473600, kUntil10000 = 253402300800;
  if (secondsSince1970 <= 0 || secondsSince1970 >= kUntil10000) return std::nullopt;
  const auto ticks = static_cast<ULONGLONG>(secondsSince1970 + kFrom1601) * 10000000;
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

std::int64_t SecondsOf(FILETIME time) { return std::max<std::int64_t>(FileTicks(time) / 10000000 - 11644473600, 0); }

// Gives a folder ADD_DATE as its creation and last-write time, where it is valid.
void Date(const std::wstring& folder, std::int64_t added) {
  const std::optional<FILETIME> time = FileTimeOf(added);
  if (!time) return;
  const win::FileHandle handle =
      win::OwnFile(CreateFileW(Extended(folder.substr(0, folder.size() - 1)).c_str(), FILE_WRITE_ATTRIBUTES,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (handle) SetFileTime(handle.get(), &*time, nullptr, &*time);
}

size_t CountOf(const std::vector<text::BookmarkEntry>& entries) {
  size_t count = entries.size();
  for (const text::BookmarkEntry& entry : entries) count += CountOf(entry.entries);
  return count;
}

// What an import has done so far, and how it tells it.
struct Importing {
  const std::wstring& pictureFolder;
  std::set<std::wstring> pictures;  // kept by this import
  const Progress& progress;
  size_t done, total;
  Imported& imported;
};

void ImportInto(const std::wstring& folder, const std::vector<text::BookmarkEntry>& entries, Importing& importing) {
  Imported& imported = importing.imported;
  Listing listing = ListingOf(folder);
  for (const text::BookmarkEntry& entry : entries) {
    if (imported.stopped) return;
    if (entry.IsFolder()) {
      const std::wstring subfolder = SubfolderFor(folder, entry.title);
      ImportInto(subfolder, entry.entries, importing);
      // Once filled: each file stored in it was a write to it.
      Date(subfolder, entry.added);
    } else if (listing.urls.contains(entry.url)) {
      // Stored before this import; two links of one URL in the file are both kept.
      ++imported.skipped;
    } else {
      const std::wstring name = text::ShortcutFileName(entry.title, entry.url, win::CanHoldInAnsi);
      const std::optional<FILETIME> time = FileTimeOf(entry.added);
      std::string contents = text::ShortcutContents(entry.url);
      // A picture that cannot be taken leaves the link without one, and is counted.
      if (!entry.icon.empty()) {
        const std::optional<PictureBytes> picture = KeptPictureOfDataUrl(entry.icon);
        if (!picture || !AddPicture(importing.pictureFolder, contents, *picture, &importing.pictures))
          ++imported.picturesSkipped;
      }
      Bookmark& stored =
          imported.stored.emplace_back(StoreIn(folder, name, contents, name, &listing.names, time ? &*time : nullptr));
      stored.picture = PictureNameIn(contents);
    }
    imported.stopped =
        imported.stopped || (importing.progress && !importing.progress(++importing.done, importing.total));
  }
}

}  // namespace

BookmarkStore::BookmarkStore(const std::string& folder) : folder_(folder), wideFolder_(win::FromAnsi(folder)) {}

void BookmarkStore::Prepare() const {
  MakeFolders(wideFolder_);
  for (const std::wstring& folder : {wideFolder_, PictureFolder()}) {
    WIN32_FIND_DATAW data;
    const std::wstring leftovers = folder + kTemporaryPrefix + L"*" + kTemporaryExtension;
    const win::SearchHandle search = win::OwnSearch(FindFirstFileW(Extended(leftovers).c_str(), &data));
    if (!search) continue;
    do {
      DeleteFileW(Extended(folder + data.cFileName).c_str());
    } while (FindNextFileW(search.get(), &data));
  }
}

void BookmarkStore::Walk(TFindFile& search, const std::string& folder, const Walker& walker) const {
  search.FolderName = folder;
  search.FileMask = {"*.url"};
  search.WithShortNames = false;
  search.OnEnterFolder = walker.entered;
  search.OnLeaveFolder = walker.left;
  search.OnFind = [&walker](const std::string& fileName, const std::string&, const TSearchRec& entry, bool&) {
    // The search's mask takes any case; a shortcut's name ends in ".url" exactly.
    if (text::IsShortcutName(fileName, win::IsAnsiLeadByte)) walker.found(entry);
  };
  search.Execute();
  search.OnFind = nullptr;
  search.OnEnterFolder = nullptr;
  search.OnLeaveFolder = nullptr;
}

std::optional<Bookmark> BookmarkStore::CopyIn(const std::wstring& source) const {
  const std::wstring name = FileNameOf(source);
  if (!text::IsShortcutName(name)) return std::nullopt;
  const DWORD attributes = Attributes(source);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
  if (IsInside(source, wideFolder_) && attributes != INVALID_FILE_ATTRIBUTES) return Bookmark{source, false, 0, {}};
  std::optional<std::string> bytes = ReadAll(source);
  if (!bytes) CannotStore(name);
  // Taken now: what it names may be gone tomorrow (a browser's cache).
  if (const std::optional<PictureBytes> picture = ShortcutPicture(*bytes, source))
    AddPicture(PictureFolder(), *bytes, *picture);
  Bookmark stored = Store(text::KeptShortcutName(name, win::CanHoldInAnsi), *bytes, name);
  stored.picture = PictureNameIn(*bytes);
  return stored;
}

Bookmark BookmarkStore::WriteLink(const text::WebLink& link, const std::vector<std::uint8_t>& picture) const {
  const std::wstring name = text::ShortcutFileName(link.title, link.url, win::CanHoldInAnsi);
  std::string contents = text::ShortcutContents(link.url);
  if (!picture.empty()) AddPicture(PictureFolder(), contents, picture);
  Bookmark stored = Store(name, contents, name);
  stored.picture = PictureNameIn(contents);
  return stored;
}

void BookmarkStore::Remove(const std::wstring& path) const {
  if (Attributes(path) == INVALID_FILE_ATTRIBUTES) NotFound(path);
  // A folder without its final '\'; the list of names ends with an empty one.
  const std::wstring from = path.substr(0, path.size() - (path.ends_with(L'\\') ? 1 : 0)) + L'\0';
  SHFILEOPSTRUCTW remove{};
  remove.wFunc = FO_DELETE;
  remove.pFrom = from.c_str();
  remove.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  if (const int error = SHFileOperationW(&remove); error || remove.fAnyOperationsAborted)
    throw win::Failure(win::SystemErrorText(error ? static_cast<unsigned long>(error) : ERROR_CANCELLED));
}

std::wstring BookmarkStore::Rename(const std::wstring& path, const std::wstring& typed) const {
  if (typed.find_first_not_of(L" .\t") == std::wstring::npos) throw win::Failure(win::FromUtf8(resources::kNameEmpty));
  const bool folder = path.ends_with(L'\\');
  const std::wstring current = folder ? path.substr(0, path.size() - 1) : path;
  std::wstring name = text::ShortcutFileName(typed, "", win::CanHoldInAnsi);
  if (folder) name.resize(text::BareShortcutName(name).size());
  const std::wstring renamed = current.substr(0, current.rfind(L'\\') + 1) + name;
  if (renamed == current) return name;
  if (!MoveFileW(Extended(current).c_str(), Extended(renamed).c_str())) {
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS)
      throw win::Failure(text::Format(win::FromUtf8(resources::kNameTaken),
                                      {std::wstring(folder ? name : text::BareShortcutName(name))}));
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) NotFound(path);
    throw win::Failure(win::SystemErrorText(error));
  }
  return name;
}

StoredShortcut BookmarkStore::Read(const std::wstring& path) const {
  const std::optional<std::string> bytes = ReadAll(path);
  if (!bytes) NotFound(path);
  return {text::ShortcutUrl(*bytes), PictureNameIn(*bytes)};
}

Imported BookmarkStore::Import(const std::wstring& bookmarkFile, const Progress& progress) const {
  const std::wstring name = FileNameOf(bookmarkFile);
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (GetFileAttributesExW(Extended(bookmarkFile).c_str(), GetFileExInfoStandard, &data) &&
      (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32 | data.nFileSizeLow) > text::kMaxBookmarkFileBytes)
    throw win::Failure(text::Format(win::FromUtf8(resources::kBookmarkFileTooLarge), {name}));
  const std::optional<std::string> bytes = ReadAll(bookmarkFile);
  if (!bytes) NotFound(bookmarkFile);
  const text::BookmarkFile file = text::ParseBookmarkFile(*bytes);
  if (file.result != text::BookmarkFile::Result::kRead)
    throw win::Failure(text::Format(win::FromUtf8(resources::kNotBookmarkFile), {name}));
  Imported imported{{}, file.skipped, 0, {}};
  MakeFolders(wideFolder_);
  const std::wstring pictureFolder = PictureFolder();
  Importing importing{pictureFolder, {}, progress, 0, CountOf(file.entries), imported};
  try {
    ImportInto(wideFolder_, file.entries, importing);
  } catch (const win::Failure& failure) {
    imported.failure = failure.Text();
  }
  return imported;
}

std::optional<text::BookmarkEntry> BookmarkStore::EntryOf(const std::wstring& path, std::wstring title) const {
  const bool folder = path.ends_with(L'\\');
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(Extended(folder ? path.substr(0, path.size() - 1) : path).c_str(), GetFileExInfoStandard,
                            &data))
    return std::nullopt;
  const std::int64_t added = SecondsOf(data.ftLastWriteTime);
  if (folder) return text::BookmarkEntry{std::move(title), "", added, {}};
  const std::optional<std::string> bytes = ReadAll(path);
  const std::optional<std::string> url = bytes ? text::ShortcutUrl(*bytes) : std::nullopt;
  if (!url) return std::nullopt;
  text::BookmarkEntry entry{std::move(title), text::AsciiUrl(*url), added, {}};
  if (const std::wstring picture = PictureNameIn(*bytes); !picture.empty()) {
    if (const std::optional<std::string> kept = ReadAll(PictureFolder() + picture))
      entry.icon = PictureDataUrl(std::span(reinterpret_cast<const std::uint8_t*>(kept->data()), kept->size()));
  }
  return entry;
}

void BookmarkStore::WriteBookmarkFile(const std::wstring& target, const std::vector<text::BookmarkEntry>& tree) const {
  const std::wstring targetFolder = target.substr(0, target.find_last_of(L"\\") + 1);
  TemporaryFile temporary(targetFolder, text::WriteBookmarkFile(tree));
  if (!temporary.Whole() || !temporary.MoveTo(target, true))
    throw win::Failure(text::Format(win::FromUtf8(resources::kCannotWrite), {target}));
}

Bookmark BookmarkStore::Store(const std::wstring& keptName, const std::string& bytes,
                              const std::wstring& shownName) const {
  // The folder may have been removed while the program ran.
  MakeFolders(wideFolder_);
  return StoreIn(wideFolder_, keptName, bytes, shownName);
}

}  // namespace app
