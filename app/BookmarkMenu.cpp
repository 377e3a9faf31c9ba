#include "app/BookmarkMenu.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "resources/Commands.h"
#include "resources/MainWindowDescription.h"
#include "text/NameOrder.h"
#include "text/ShortcutName.h"

namespace app {
namespace {

constexpr UINT kFirst = resources::CmdFirstEntry;

bool SameName(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

}  // namespace

BookmarkMenu::BookmarkMenu(std::wstring folder) : folder_(std::move(folder)) {}

void BookmarkMenu::Clear() {
  records_.clear();
  levels_.assign(1, {});
  folders_.clear();
  walk_.clear();
  ++generation_;
}

void BookmarkMenu::EnterFolder(std::wstring name) {
  std::wstring path = (walk_.empty() ? L"" : walk_.back().path) + name + L'\\';
  walk_.push_back({std::move(name), std::move(path), kGone});
}

void BookmarkMenu::AddFound(std::wstring name, std::int64_t added) {
  uint32_t parent = kTop;
  for (Walking& folder : walk_) {
    if (folder.record == kGone) folder.record = MakeFolder(std::move(folder.name), parent, folder.path, false);
    parent = folder.record;
  }
  Append(std::move(name), parent, false, added, false);
}

uint32_t BookmarkMenu::MakeFolder(std::wstring name, uint32_t parent, std::wstring path, bool place) {
  const uint32_t folder = Append(std::move(name), parent, true, 0, place);
  folders_.emplace(std::move(path), folder);
  return folder;
}

void BookmarkMenu::ForgetFolders(const std::wstring& path) {
  std::erase_if(folders_, [&path](const auto& folder) { return folder.first.starts_with(path); });
}

void BookmarkMenu::LeaveFolder() {
  if (!walk_.empty()) walk_.pop_back();
}

void BookmarkMenu::Complete() {
  SetOrder(order_);
  records_.shrink_to_fit();
  for (auto& level : levels_) level.shrink_to_fit();
}

void BookmarkMenu::SetOrder(EntryOrder order) {
  order_ = order;
  if (order_ != EntryOrder::Listed) {
    for (auto& level : levels_)
      std::stable_sort(level.begin(), level.end(), [this](UINT a, UINT b) { return Before(a, b); });
  }
  ++generation_;
}

bool BookmarkMenu::Before(UINT a, UINT b) const {
  const Record& x = records_[a - kFirst];
  const Record& y = records_[b - kFirst];
  const bool xFolder = x.level != kNoLevel, yFolder = y.level != kNoLevel;
  if (xFolder != yFolder) return xFolder;
  if (order_ == EntryOrder::Added && !xFolder && x.added != y.added) return x.added > y.added;
  const auto bare = [](const Record& r) {
    return std::wstring_view(r.name).substr(0, r.name.size() - (r.level == kNoLevel ? 4 : 0));
  };
  return text::NameLess(bare(x), bare(y));
}

void BookmarkMenu::Place(UINT command) {
  if (order_ == EntryOrder::Listed) return;
  std::vector<UINT>& level = LevelOf(records_[command - kFirst].parent);
  std::erase(level, command);
  level.insert(std::upper_bound(level.begin(), level.end(), command, [this](UINT a, UINT b) { return Before(a, b); }),
               command);
}

uint32_t BookmarkMenu::FindIn(uint32_t parent, std::wstring_view name) const {
  for (const UINT command : LevelOf(parent)) {
    const Record& record = records_[command - kFirst];
    if (record.level == kNoLevel && SameName(record.name, name)) return command - kFirst;
  }
  return kGone;
}

std::pair<uint32_t, std::wstring_view> BookmarkMenu::Locate(std::wstring_view relative) {
  uint32_t parent = kTop;
  size_t nameStart = 0;
  for (size_t end; (end = relative.find(L'\\', nameStart)) != relative.npos; nameStart = end + 1) {
    const std::wstring_view path = relative.substr(0, end + 1);
    const auto known = folders_.find(path);
    parent = known != folders_.end() ? known->second
                                     : MakeFolder(std::wstring(relative.substr(nameStart, end - nameStart)), parent,
                                                  std::wstring(path), true);
  }
  return {parent, relative.substr(nameStart)};
}

UINT BookmarkMenu::Find(std::wstring_view relative) const {
  if (const auto folder = folders_.find(std::wstring(relative) + L'\\'); folder != folders_.end())
    return kFirst + folder->second;
  const size_t nameStart = relative.rfind(L'\\') + 1;  // 0 at the top
  uint32_t parent = kTop;
  if (nameStart) {
    const auto folder = folders_.find(relative.substr(0, nameStart));
    if (folder == folders_.end()) return 0;
    parent = folder->second;
  }
  const uint32_t found = FindIn(parent, relative.substr(nameStart));
  return found == kGone ? 0 : kFirst + found;
}

UINT BookmarkMenu::Add(std::wstring_view relative, bool isNew, std::int64_t added) {
  const auto [parent, name] = Locate(relative);
  if (const uint32_t known = isNew ? kGone : FindIn(parent, name); known != kGone) return kFirst + known;
  return kFirst + Append(std::wstring(name), parent, false, added, true);
}

uint32_t BookmarkMenu::Append(std::wstring name, uint32_t parent, bool folder, std::int64_t added, bool place) {
  const auto index = static_cast<uint32_t>(records_.size());
  uint32_t level = kNoLevel;
  if (folder) {
    level = static_cast<uint32_t>(levels_.size());
    levels_.emplace_back();
  }
  records_.push_back({std::move(name), parent, level, parent == kTop ? nextPopItem_++ : 0, added});
  LevelOf(parent).push_back(kFirst + index);
  if (place) Place(kFirst + index);
  ++generation_;
  return index;
}

void BookmarkMenu::Remove(UINT command) {
  if (!Has(command)) return;
  if (IsFolder(command)) ForgetFolders(PathOf(command).substr(folder_.size()));
  Record& record = records_[command - kFirst];
  std::erase(LevelOf(record.parent), command);
  record.parent = kGone;
  ++generation_;
}

void BookmarkMenu::Rename(UINT command, std::wstring name) {
  if (!Has(command)) return;
  // A folder's path, and those of the folders below it, change with it.
  std::vector<std::pair<std::wstring, uint32_t>> moved;
  const std::wstring before = PathOf(command).substr(folder_.size());
  if (IsFolder(command)) {
    for (const auto& [path, folder] : folders_) {
      if (path.starts_with(before)) moved.emplace_back(path.substr(before.size()), folder);
    }
    ForgetFolders(before);
  }
  records_[command - kFirst].name = std::move(name);
  const std::wstring after = PathOf(command).substr(folder_.size());
  for (auto& [rest, folder] : moved) folders_.emplace(after + rest, folder);
  Place(command);
  ++generation_;
}

const BookmarkMenu::Record* BookmarkMenu::At(UINT command) const {
  if (command < kFirst || command - kFirst >= records_.size()) return nullptr;
  const Record& record = records_[command - kFirst];
  // An entry inside a removed folder went with it.
  for (uint32_t up = record.parent; up != kTop; up = records_[up].parent) {
    if (up == kGone) return nullptr;
  }
  return &record;
}

bool BookmarkMenu::Has(UINT command) const { return At(command) != nullptr; }

bool BookmarkMenu::IsFolder(UINT command) const {
  const Record* record = At(command);
  return record && record->level != kNoLevel;
}

std::wstring BookmarkMenu::PathOf(UINT command) const {
  const Record* record = At(command);
  if (!record) return {};
  std::wstring path = record->name + (record->level != kNoLevel ? L"\\" : L"");
  for (uint32_t up = record->parent; up != kTop; up = records_[up].parent) path.insert(0, records_[up].name + L'\\');
  return folder_ + path;
}

std::wstring BookmarkMenu::NameOf(UINT command) const {
  const Record* record = At(command);
  if (!record) return {};
  if (record->level != kNoLevel) return record->name;
  return std::wstring(text::BareShortcutName(record->name));
}

std::int64_t BookmarkMenu::AddedOf(UINT command) const {
  const Record* record = At(command);
  return record ? record->added : 0;
}

std::string BookmarkMenu::PopItemName(UINT command) const {
  const Record* record = At(command);
  return record && record->popItem ? "popItem" + std::to_string(record->popItem) : std::string();
}

UINT BookmarkMenu::FindPopItem(std::string_view name) const {
  for (const UINT command : levels_[0]) {
    if (PopItemName(command) == name) return command;
  }
  return 0;
}

const std::vector<UINT>& BookmarkMenu::EntriesIn(UINT folder) const {
  static const std::vector<UINT> none;
  if (folder == 0) return levels_[0];
  const Record* record = At(folder);
  return record && record->level != kNoLevel ? levels_[record->level] : none;
}

void BookmarkMenu::SetPicture(UINT command, std::uint32_t picture) {
  if (!Has(command) || records_[command - kFirst].picture == picture) return;
  records_[command - kFirst].picture = picture;
  ++generation_;
}

int BookmarkMenu::ImageOf(UINT command) const {
  const Record* record = At(command);
  if (!record) return resources::kImageBookmark;
  if (record->level != kNoLevel) return resources::kImageFolder;
  const int image = record->picture && imageOf_ ? imageOf_(record->picture) : -1;
  return image >= 0 ? image : resources::kImageBookmark;
}

void BookmarkMenu::EntriesOf(UINT menu, std::vector<Entry>& entries) const {
  const std::vector<UINT>& level = EntriesIn(menu);
  entries.reserve(entries.size() + level.size());
  for (const UINT command : level) {
    const bool folder = IsFolder(command);
    std::wstring caption = NameOf(command);
    // A bookmark's "&" marks its access key, as its caption always has; a
    // folder's name shows as it is.
    if (folder) {
      for (size_t at = caption.find(L'&'); at != caption.npos; at = caption.find(L'&', at + 2))
        caption.insert(at, 1, L'&');
    }
    entries.push_back({std::move(caption), command, ImageOf(command), folder && !EntriesIn(command).empty()});
  }
}

}  // namespace app
