#pragma once
// TFindFile walks a folder tree and reports, through OnFind, every file that
// fits its masks and, optionally, a time stamp filter. All strings are byte
// strings of the system's ANSI code page; a double-byte character's second
// byte is never taken for '\' or '.'. The walk itself uses the file system's
// own (wide) names, so it also enters folders whose names the code page
// cannot hold, that end in a dot or a space, or that lie past MAX_PATH.
#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

// Local date and time as an OLE Automation date: days since 30 December 1899,
// the fraction being the time of day.
using TDateTime = double;

enum TTimeFunc : unsigned char { tmNone, tmOlder, tmNewer };
enum TTimeKind : unsigned char { tmCreate, tmLastWrite, tmLastAccess };

// One directory entry as the walk saw it.
struct TSearchRec {
  DWORD DosDateTime;  // last write, local time; DOS date high word, time low word
  LONG SizeLow;
  DWORD Attributes;
  std::string EntryName;
  DWORD ExcludedAttributes;  // always 0: the walk asks for every attribute
  HANDLE SearchHandle;
  WIN32_FIND_DATAA Win32Data;
  // The names as the file system has them: the ANSI ones above may have lost
  // characters the code page cannot hold. A name made on Linux with a
  // character that no Windows path carries ('"', '*', '\\'...) is given as
  // its short name, here and above, as the only one that reaches it, with
  // the long name's extension ("WHAT~NEG.url" for "what?.url").
  // WideFolder is the folder as Path gives it, ending with '\', in the plain
  // form (no "\\?\" prefix).
  std::wstring WideName;
  std::wstring WideFolder;
};

// Setting cancel stops the search after this file.
using TOnFindEvent =
    std::function<void(const std::string& fileName, const std::string& path, TSearchRec search, bool& cancel)>;

// A time stamp that is no date this side of the year 10000. what() is UTF-8.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// 0.0 for a zero time stamp; otherwise the stamp in local time.
TDateTime FileTimeToDateTime(FILETIME time);

// Mask matching: names and masks are upper-cased and cut at their last '.';
// the part before and the part after it are matched separately with '*' and
// '?', each of which stands for bytes, never crossing that dot.
std::string UpperNamePart(const std::string& text);
std::string UpperExtPart(const std::string& text);
std::string ReversedText(const std::string& text);
// pattern starts with '*' and has more after it: the text after its last '*'
// must fit the end of name.
bool MatchTail(const std::string& name, const std::string& pattern);
bool MatchPattern(const std::string& name, const std::string& pattern);
bool MatchFileName(const std::string& fileName, const std::string& mask);

class TFindFile {
 public:
  TFindFile();

  std::string FolderName = "C:\\";
  std::vector<std::string> FileMask;  // one mask a line; empty: every file fits
  bool IsFindSub = true;
  TTimeFunc CheckTimeIs = tmNone;
  TTimeKind CheckTimeKind = tmLastWrite;
  TDateTime CheckedTime;  // default: the local time of construction
  // Whether Win32Data.cAlternateFileName gets the entry's short name: the
  // file system makes those up, which costs a walk a good part of its time.
  bool WithShortNames = true;
  TOnFindEvent OnFind;
  // Called before each directory entry, so that a program keeps its windows
  // responding during a long search. The default dispatches the messages
  // waiting in the calling thread's queue, looking at it once in about 10 ms,
  // and leaves a quit message there for the program's own loop; empty:
  // nothing is called.
  std::function<void()> ProcessMessages;
  // The tree as a tree, for a caller that builds one. OnEnterFolder is
  // called when the walk goes into a subfolder (never for FolderName
  // itself), with the folder's own name as the file system has it, under
  // the rule of TSearchRec::WideName (a name made on Linux that no path
  // carries comes as its short name); OnLeaveFolder when the walk is done
  // with that folder and has closed its search, also when it was cancelled
  // inside it. In between come the OnFind of the files in it and the
  // OnEnterFolder to OnLeaveFolder of its subfolders, mixed in the order in
  // which the file system lists its entries: each subfolder is walked
  // through where it is met. Only the folders that the walk goes into are
  // told, those in which no file fits too: none with IsFindSub false, and no
  // folder whose name starts with '.', link leading back, or folder that
  // cannot be read. An exception out of a handler or the time filter ends
  // the walk at once, without the OnLeaveFolder of the folders it was in.
  // Empty: nothing is called.
  std::function<void(const std::wstring& name)> OnEnterFolder;
  std::function<void()> OnLeaveFolder;

  // -1 when FolderName is empty; otherwise the number of files reported
  // (a missing or unreadable folder gives 0).
  int Execute();
  // The count of the current or the last search.
  int FoundCount() const { return FFoundCount; }
  // Whether any line of FileMask fits fileName (false for an empty list).
  bool MatchMasks(const std::string& fileName) const;

 private:
  // dir and wideDir: the folder as reported, ending with '\'; callDir: the
  // same in the "\\?\" form that the wide calls take; walkPath: the callDirs
  // being searched, outermost first; ownName: the subfolder's own name, null
  // for FolderName.
  void SearchFolder(const std::string& dir, const std::wstring& wideDir, const std::wstring& callDir,
                    std::vector<std::wstring>& walkPath, const wchar_t* ownName);
  void DoFind(const std::string& fileName, const std::string& path, bool& cancel, const TSearchRec& search);
  bool TimeFits(const WIN32_FIND_DATAW& data) const;
  static bool LeadsBack(const std::wstring& link, const std::vector<std::wstring>& walkPath);
  static std::string CutTrailingDelimiter(const std::string& path);

  bool FCancelled = false;
  int FFoundCount = 0;
};
