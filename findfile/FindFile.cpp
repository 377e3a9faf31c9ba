#include "findfile/FindFile.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <string_view>

namespace {

const char kNoDate[] = "日付に変換できない値が渡されました";

struct FindCloser {
  void operator()(HANDLE handle) const { FindClose(handle); }
};
using FindHandle = std::unique_ptr<void, FindCloser>;

TDateTime SystemTimeToDateTime(const SYSTEMTIME& time) {
  using namespace std::chrono;
  if (time.wYear > 9999) throw EConvertError(kNoDate);
  const sys_days day{year{time.wYear} / time.wMonth / time.wDay};
  const double days = (day - sys_days{year{1899} / December / 30}).count();
  const double fraction =
      (((time.wHour * 60.0 + time.wMinute) * 60.0 + time.wSecond) * 1000.0 + time.wMilliseconds) / 86400000.0;
  // Before 30 December 1899 the day count is negative and the time of day
  // still counts away from zero.
  return days < 0 ? days - fraction : days + fraction;
}

std::wstring FromAnsi(const std::string& text) {
  std::wstring wide(text.size(), L'\0');  // never more characters than bytes
  wide.resize(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                  static_cast<int>(wide.size())));
  return wide;
}

std::string ToAnsi(std::wstring_view text) {
  std::string ansi(text.size() * 3, '\0');  // the most any code page takes, UTF-8
  ansi.resize(WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(),
                                  static_cast<int>(ansi.size()), nullptr, nullptr));
  return ansi;
}

// Cut before the first character that would leave no room for the NUL.
template <size_t size>
void CopyCut(const std::string& text, char (&array)[size]) {
  size_t length = 0;
  while (length < text.size()) {
    const size_t next = std::min(text.size(), length + (IsDBCSLeadByte(static_cast<BYTE>(text[length])) ? 2 : 1));
    if (next >= size) break;
    length = next;
  }
  text.copy(array, length);
  array[length] = '\0';
}

// A folder in the "\\?\" form, so that the wide calls take it past MAX_PATH
// and keep names that end in a dot or a space.
std::wstring ExtendedPath(const std::wstring& dir) {
  if (dir.starts_with(L"\\\\?\\") || dir.starts_with(L"\\\\.\\")) return dir;
  std::wstring full(GetFullPathNameW(dir.c_str(), 0, nullptr, nullptr), L'\0');
  full.resize(GetFullPathNameW(dir.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr));
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return full.size() > 2 && full[1] == L':' ? L"\\\\?\\" + full : dir;
}

// Whether a Windows path can carry the character. Linux allows in a name
// what Windows does not, and Wine reports such a name as it is.
bool FitsInPath(wchar_t c) { return c >= L' ' && std::wstring_view(L"\\/*?\"<>|").find(c) == std::wstring_view::npos; }

// An entry whose name no path can carry is reached by its short name, which
// then stands for its name, its extension written as the long name has it
// ("WHAT~NEG.url" for "what?.url"): a short name is the same in any case,
// and the rules for names read the extension. Without short names in `data`,
// the entry is looked for again by a pattern that has '?' for each such
// character.
void UseReachableName(const std::wstring& callDir, WIN32_FIND_DATAW& data) {
  if (std::ranges::all_of(std::wstring_view(data.cFileName), FitsInPath)) return;
  const std::wstring name = data.cFileName;
  if (!data.cAlternateFileName[0]) {
    std::wstring pattern = name;
    std::ranges::replace_if(
        pattern, [](wchar_t c) { return !FitsInPath(c); }, L'?');
    WIN32_FIND_DATAW standard;
    const HANDLE first =
        FindFirstFileExW((callDir + pattern).c_str(), FindExInfoStandard, &standard, FindExSearchNameMatch, nullptr, 0);
    if (first == INVALID_HANDLE_VALUE) return;
    const FindHandle search(first);
    while (name != standard.cFileName)
      if (!FindNextFileW(search.get(), &standard)) return;
    std::ranges::copy(standard.cAlternateFileName, data.cAlternateFileName);
  }
  std::wstring reachable = data.cAlternateFileName;
  if (reachable.empty()) return;
  const size_t dot = reachable.rfind(L'.'), longDot = name.rfind(L'.');
  if (dot != std::wstring::npos && longDot != std::wstring::npos &&
      CompareStringOrdinal(&reachable[dot], -1, &name[longDot], -1, TRUE) == CSTR_EQUAL)
    reachable.replace(dot, std::wstring::npos, name, longDot);
  std::ranges::copy(reachable.c_str(), reachable.c_str() + reachable.size() + 1, data.cFileName);
}

TSearchRec MakeSearchRec(HANDLE handle, const WIN32_FIND_DATAW& data, const std::string& name,
                         const std::wstring& wideDir) {
  TSearchRec search{};
  FILETIME local;
  WORD date = 0, time = 0;
  if (FileTimeToLocalFileTime(&data.ftLastWriteTime, &local)) FileTimeToDosDateTime(&local, &date, &time);
  search.DosDateTime = MAKELONG(time, date);
  search.SizeLow = static_cast<LONG>(data.nFileSizeLow);
  search.Attributes = data.dwFileAttributes;
  search.EntryName = name;
  search.SearchHandle = handle;
  WIN32_FIND_DATAA& ansi = search.Win32Data;
  ansi.dwFileAttributes = data.dwFileAttributes;
  ansi.ftCreationTime = data.ftCreationTime;
  ansi.ftLastAccessTime = data.ftLastAccessTime;
  ansi.ftLastWriteTime = data.ftLastWriteTime;
  ansi.nFileSizeHigh = data.nFileSizeHigh;
  ansi.nFileSizeLow = data.nFileSizeLow;
  ansi.dwReserved0 = data.dwReserved0;
  ansi.dwReserved1 = data.dwReserved1;
  CopyCut(name, ansi.cFileName);
  CopyCut(ToAnsi(data.cAlternateFileName), ansi.cAlternateFileName);
  search.WideName = data.cFileName;
  search.WideFolder = wideDir;
  return search;
}

// Looks at the queue only when 10 ms have passed since the last look: an
// empty look costs a round trip to the window server under Wine, more than
// the walk spends on an entry.
class WaitingMessages {
 public:
  void operator()() {
    const ULONGLONG now = GetTickCount64();
    if (now - lastLook_ < 10) return;
    lastLook_ = now;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }

 private:
  ULONGLONG lastLook_ = 0;
};

struct FileId {
  DWORD volume, indexHigh, indexLow;
  bool operator==(const FileId&) const = default;
};

// Where a folder really is, links followed to their end; finalPath gets its
// "\\?\" path there.
std::optional<FileId> IdOf(const std::wstring& folder, std::wstring* finalPath = nullptr) {
  HANDLE file = CreateFileW(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  const BOOL ok = GetFileInformationByHandle(file, &info);
  if (ok && finalPath) {
    finalPath->resize(GetFinalPathNameByHandleW(file, nullptr, 0, 0));
    finalPath->resize(GetFinalPathNameByHandleW(file, finalPath->data(), static_cast<DWORD>(finalPath->size()), 0));
  }
  CloseHandle(file);
  if (!ok) return std::nullopt;
  return FileId{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// The folder, links followed, and then every folder that holds it, innermost
// first; empty when it cannot be opened.
std::vector<FileId> Lineage(const std::wstring& folder) {
  std::wstring path;
  const std::optional<FileId> id = IdOf(folder, &path);
  if (!id) return {};
  std::vector<FileId> lineage{*id};
  // "\\?\C:\a\b" is held by "\\?\C:\a\" and "\\?\C:\"; the prefix's own '\' ends it.
  const size_t prefix = 3;
  for (size_t cut = path.find_last_of(L'\\', path.size() - 2); cut != std::wstring::npos && cut > prefix;
       cut = path.find_last_of(L'\\', cut - 1))
    if (const std::optional<FileId> holder = IdOf(path.substr(0, cut + 1))) lineage.push_back(*holder);
  return lineage;
}

}  // namespace

TDateTime FileTimeToDateTime(FILETIME time) {
  if (time.dwLowDateTime == 0 && time.dwHighDateTime == 0) return 0.0;
  FILETIME local;
  SYSTEMTIME system;
  if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &system)) throw EConvertError(kNoDate);
  return SystemTimeToDateTime(system);
}

TFindFile::TFindFile() : ProcessMessages(WaitingMessages()) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  CheckedTime = SystemTimeToDateTime(now);
}

int TFindFile::Execute() {
  if (FolderName.empty()) return -1;
  FFoundCount = 0;
  FCancelled = false;
  const std::string dir = CutTrailingDelimiter(FolderName) + "\\";
  const std::wstring wideDir = FromAnsi(dir);
  std::vector<std::wstring> walkPath;
  SearchFolder(dir, wideDir, ExtendedPath(wideDir), walkPath, nullptr);
  return FFoundCount;
}

std::string TFindFile::CutTrailingDelimiter(const std::string& path) {
  size_t last = 0;
  for (size_t i = 0; i < path.size(); i += IsDBCSLeadByte(static_cast<BYTE>(path[i])) ? 2 : 1) last = i;
  return last + 1 == path.size() && path[last] == '\\' ? path.substr(0, last) : path;
}

void TFindFile::SearchFolder(const std::string& dir, const std::wstring& wideDir, const std::wstring& callDir,
                             std::vector<std::wstring>& walkPath, const wchar_t* ownName) {
  WIN32_FIND_DATAW data;
  HANDLE first = FindFirstFileExW((callDir + L"*.*").c_str(), WithShortNames ? FindExInfoStandard : FindExInfoBasic,
                                  &data, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (first == INVALID_HANDLE_VALUE) return;
  FindHandle search(first);
  if (ownName && OnEnterFolder) OnEnterFolder(ownName);
  walkPath.push_back(callDir);
  do {
    if (ProcessMessages) ProcessMessages();
    if (FCancelled) break;
    UseReachableName(callDir, data);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      // Names starting with '.' are "." and ".." and folders that tools
      // keep to themselves.
      if (IsFindSub && data.cFileName[0] != L'.') {
        const std::wstring sub = callDir + data.cFileName + L"\\";
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || !LeadsBack(sub, walkPath))
          SearchFolder(dir + ToAnsi(data.cFileName) + "\\", wideDir + data.cFileName + L"\\", sub, walkPath,
                       data.cFileName);
      }
      continue;
    }
    const std::string name = ToAnsi(data.cFileName);
    if (!FileMask.empty() && !MatchMasks(name)) continue;
    if (CheckTimeIs == tmNone || TimeFits(data))
      DoFind(name, dir, FCancelled, MakeSearchRec(search.get(), data, name, wideDir));
  } while (FindNextFileW(search.get(), &data));
  walkPath.pop_back();
  search.reset();
  if (ownName && OnLeaveFolder) OnLeaveFolder();
}

// A link to the root or to a folder that holds it, or into a folder that is
// being searched (the whole walked tree among them), would report files again,
// or over and over; other links are followed like folders.
bool TFindFile::LeadsBack(const std::wstring& link, const std::vector<std::wstring>& walkPath) {
  const std::vector<FileId> target = Lineage(link);
  if (target.empty()) return false;
  const std::vector<FileId> root = Lineage(walkPath.front());
  if (std::ranges::find(root, target.front()) != root.end()) return true;
  for (const std::wstring& open : walkPath) {
    const std::optional<FileId> id = IdOf(open);
    if (id && std::ranges::find(target, *id) != target.end()) return true;
  }
  return false;
}

bool TFindFile::TimeFits(const WIN32_FIND_DATAW& data) const {
  const FILETIME& stamp = CheckTimeKind == tmCreate       ? data.ftCreationTime
                          : CheckTimeKind == tmLastAccess ? data.ftLastAccessTime
                                                          : data.ftLastWriteTime;
  const TDateTime time = FileTimeToDateTime(stamp);
  return CheckTimeIs == tmOlder ? time < CheckedTime : time > CheckedTime;
}

void TFindFile::DoFind(const std::string& fileName, const std::string& path, bool& cancel, const TSearchRec& search) {
  ++FFoundCount;
  if (OnFind) OnFind(fileName, path, search, cancel);
}
