#include "findfile/FindFile.h"

#include <chrono>
#include <memory>
#include <optional>

namespace {

const char kNoDate[] = "日付に変換できない値が渡されました";

struct FindCloser {
  void operator()(HANDLE Handle) const { FindClose(Handle); }
};
using FindHandle = std::unique_ptr<void, FindCloser>;

TDateTime SystemTimeToDateTime(const SYSTEMTIME& Time) {
  using namespace std::chrono;
  if (Time.wYear > 9999) throw EConvertError(kNoDate);
  const sys_days Day{year{Time.wYear} / Time.wMonth / Time.wDay};
  const double Days = (Day - sys_days{year{1899} / December / 30}).count();
  const double Fraction =
      (((Time.wHour * 60.0 + Time.wMinute) * 60.0 + Time.wSecond) * 1000.0 + Time.wMilliseconds) /
      86400000.0;
  // Before 30 December 1899 the day count is negative and the time of day
  // still counts away from zero.
  return Days < 0 ? Days - Fraction : Days + Fraction;
}

TSearchRec MakeSearchRec(HANDLE Handle, const WIN32_FIND_DATAA& Data) {
  TSearchRec Search{};
  FILETIME Local;
  WORD Date = 0, Time = 0;
  if (FileTimeToLocalFileTime(&Data.ftLastWriteTime, &Local))
    FileTimeToDosDateTime(&Local, &Date, &Time);
  Search.DosDateTime = MAKELONG(Time, Date);
  Search.SizeLow = static_cast<LONG>(Data.nFileSizeLow);
  Search.Attributes = Data.dwFileAttributes;
  Search.EntryName = Data.cFileName;
  Search.SearchHandle = Handle;
  Search.Win32Data = Data;
  return Search;
}

void DispatchWaitingMessages() {
  MSG Msg;
  while (PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) {
    if (Msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(Msg.wParam));
      return;
    }
    TranslateMessage(&Msg);
    DispatchMessageW(&Msg);
  }
}

struct FileId {
  DWORD Volume, IndexHigh, IndexLow;
  bool operator==(const FileId&) const = default;
};

// Where a folder really is, links followed to their end.
std::optional<FileId> IdOf(const std::string& Folder) {
  HANDLE File = CreateFileA(Folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (File == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION Info;
  const BOOL Ok = GetFileInformationByHandle(File, &Info);
  CloseHandle(File);
  if (!Ok) return std::nullopt;
  return FileId{Info.dwVolumeSerialNumber, Info.nFileIndexHigh, Info.nFileIndexLow};
}

}  // namespace

TDateTime FileTimeToDateTime(FILETIME Time) {
  if (Time.dwLowDateTime == 0 && Time.dwHighDateTime == 0) return 0.0;
  FILETIME Local;
  SYSTEMTIME System;
  if (!FileTimeToLocalFileTime(&Time, &Local) || !FileTimeToSystemTime(&Local, &System))
    throw EConvertError(kNoDate);
  return SystemTimeToDateTime(System);
}

TFindFile::TFindFile() : ProcessMessages(DispatchWaitingMessages) {
  SYSTEMTIME Now;
  GetLocalTime(&Now);
  CheckedTime = SystemTimeToDateTime(Now);
}

int TFindFile::Execute() {
  if (FolderName.empty()) return -1;
  FFoundCount = 0;
  FCancelled = false;
  std::vector<std::string> WalkPath;
  SearchFolder(FolderName, WalkPath);
  return FFoundCount;
}

std::string TFindFile::CutTrailingDelimiter(const std::string& Path) {
  size_t Last = 0;
  for (size_t i = 0; i < Path.size(); i += IsDBCSLeadByte(static_cast<BYTE>(Path[i])) ? 2 : 1)
    Last = i;
  return Last + 1 == Path.size() && Path[Last] == '\\' ? Path.substr(0, Last) : Path;
}

void TFindFile::SearchFolder(const std::string& Folder, std::vector<std::string>& WalkPath) {
  const std::string Dir = CutTrailingDelimiter(Folder) + "\\";
  WIN32_FIND_DATAA Data;
  HANDLE First = FindFirstFileA((Dir + "*.*").c_str(), &Data);
  if (First == INVALID_HANDLE_VALUE) return;
  const FindHandle Search(First);
  WalkPath.push_back(Dir);
  do {
    if (ProcessMessages) ProcessMessages();
    if (FCancelled) break;
    if (Data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      // Names starting with '.' are "." and ".." and folders that tools
      // keep to themselves.
      if (IsFindSub && Data.cFileName[0] != '.') {
        const std::string Sub = Dir + Data.cFileName + "\\";
        if (!(Data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || !LeadsBack(Sub, WalkPath))
          SearchFolder(Sub, WalkPath);
      }
      continue;
    }
    if (!FileMask.empty() && !MatchMasks(Data.cFileName)) continue;
    if (CheckTimeIs == tmNone || TimeFits(Data))
      DoFind(Data.cFileName, Dir, FCancelled, MakeSearchRec(Search.get(), Data));
  } while (FindNextFileA(Search.get(), &Data));
  WalkPath.pop_back();
}

// A link back to a folder that is being searched would repeat its files over
// and over; other links are followed like folders.
bool TFindFile::LeadsBack(const std::string& Folder, const std::vector<std::string>& WalkPath) {
  const std::optional<FileId> Target = IdOf(Folder);
  if (!Target) return false;
  for (const std::string& Open : WalkPath)
    if (IdOf(Open) == Target) return true;
  return false;
}

bool TFindFile::TimeFits(const WIN32_FIND_DATAA& Data) const {
  const FILETIME& Stamp = CheckTimeKind == tmCreate       ? Data.ftCreationTime
                          : CheckTimeKind == tmLastAccess ? Data.ftLastAccessTime
                                                          : Data.ftLastWriteTime;
  const TDateTime Time = FileTimeToDateTime(Stamp);
  return CheckTimeIs == tmOlder ? Time < CheckedTime : Time > CheckedTime;
}

void TFindFile::DoFind(const std::string& FileName, const std::string& Path, bool& Cancel,
                       const TSearchRec& Search) {
  ++FFoundCount;
  if (OnFind) OnFind(FileName, Path, Search, Cancel);
}
