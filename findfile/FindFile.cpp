#include "findfile/FindFile.h"

#include <chrono>
#include <memory>
#include <optional>

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

TSearchRec MakeSearchRec(HANDLE handle, const WIN32_FIND_DATAA& data) {
  TSearchRec search{};
  FILETIME local;
  WORD date = 0, time = 0;
  if (FileTimeToLocalFileTime(&data.ftLastWriteTime, &local)) FileTimeToDosDateTime(&local, &date, &time);
  search.DosDateTime = MAKELONG(time, date);
  search.SizeLow = static_cast<LONG>(data.nFileSizeLow);
  search.Attributes = data.dwFileAttributes;
  search.EntryName = data.cFileName;
  search.SearchHandle = handle;
  search.Win32Data = data;
  return search;
}

void DispatchWaitingMessages() {
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

struct FileId {
  DWORD volume, indexHigh, indexLow;
  bool operator==(const FileId&) const = default;
};

// Where a folder really is, links followed to their end.
std::optional<FileId> IdOf(const std::string& folder) {
  HANDLE file = CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info;
  const BOOL ok = GetFileInformationByHandle(file, &info);
  CloseHandle(file);
  if (!ok) return std::nullopt;
  return FileId{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

}  // namespace

TDateTime FileTimeToDateTime(FILETIME time) {
  if (time.dwLowDateTime == 0 && time.dwHighDateTime == 0) return 0.0;
  FILETIME local;
  SYSTEMTIME system;
  if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &system)) throw EConvertError(kNoDate);
  return SystemTimeToDateTime(system);
}

TFindFile::TFindFile() : ProcessMessages(DispatchWaitingMessages) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  CheckedTime = SystemTimeToDateTime(now);
}

int TFindFile::Execute() {
  if (FolderName.empty()) return -1;
  FFoundCount = 0;
  FCancelled = false;
  std::vector<std::string> walkPath;
  SearchFolder(FolderName, walkPath);
  return FFoundCount;
}

std::string TFindFile::CutTrailingDelimiter(const std::string& path) {
  size_t last = 0;
  for (size_t i = 0; i < path.size(); i += IsDBCSLeadByte(static_cast<BYTE>(path[i])) ? 2 : 1) last = i;
  return last + 1 == path.size() && path[last] == '\\' ? path.substr(0, last) : path;
}

void TFindFile::SearchFolder(const std::string& folder, std::vector<std::string>& walkPath) {
  const std::string dir = CutTrailingDelimiter(folder) + "\\";
  WIN32_FIND_DATAA data;
  HANDLE first = FindFirstFileA((dir + "*.*").c_str(), &data);
  if (first == INVALID_HANDLE_VALUE) return;
  const FindHandle search(first);
  walkPath.push_back(dir);
  do {
    if (ProcessMessages) ProcessMessages();
    if (FCancelled) break;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      // Names starting with '.' are "." and ".." and folders that tools
      // keep to themselves.
      if (IsFindSub && data.cFileName[0] != '.') {
        const std::string sub = dir + data.cFileName + "\\";
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || !LeadsBack(sub, walkPath))
          SearchFolder(sub, walkPath);
      }
      continue;
    }
    if (!FileMask.empty() && !MatchMasks(data.cFileName)) continue;
    if (CheckTimeIs == tmNone || TimeFits(data))
      DoFind(data.cFileName, dir, FCancelled, MakeSearchRec(search.get(), data));
  } while (FindNextFileA(search.get(), &data));
  walkPath.pop_back();
}

// A link back to a folder that is being searched would repeat its files over
// and over; other links are followed like folders.
bool TFindFile::LeadsBack(const std::string& folder, const std::vector<std::string>& walkPath) {
  const std::optional<FileId> target = IdOf(folder);
  if (!target) return false;
  for (const std::string& open : walkPath)
    if (IdOf(open) == target) return true;
  return false;
}

bool TFindFile::TimeFits(const WIN32_FIND_DATAA& data) const {
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
