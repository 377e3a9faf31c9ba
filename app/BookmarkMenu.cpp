#include "app/BookmarkMenu.h"

#include <windows.h>

#include <algorithm>
#include <utility>

#include "resources/MainWindowDescription.h"

namespace app {
namespace {

constexpr UINT kFirst = win::PopupMenu::kFirstSourceCommand;

bool SameName(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

}  // namespace

BookmarkMenu::BookmarkMenu(std::wstring folder, std::function<void(const std::wstring&)> open)
    : folder_(std::move(folder)), open_(std::move(open)) {}

void BookmarkMenu::Clear() {
  records_.clear();
  levels_.assign(1, {});
  folders_.clear();
}

void BookmarkMenu::Add(const Bookmark& bookmark) { Append(bookmark, !bookmark.isNew); }

void BookmarkMenu::AddFound(const Bookmark& bookmark) { Append(bookmark, false); }

void BookmarkMenu::Compact() {
  records_.shrink_to_fit();
  for (auto& level : levels_) level.shrink_to_fit();
}

void BookmarkMenu::Append(const Bookmark& bookmark, bool lookForSecond) {
  const size_t nameStart = bookmark.path.rfind(L'\\') + 1;
  const uint32_t parent = FolderOf(std::wstring_view(bookmark.path).substr(0, nameStart));
  const std::wstring_view name = std::wstring_view(bookmark.path).substr(nameStart);
  if (lookForSecond && std::ranges::any_of(LevelOf(parent), [&](UINT command) {
        const Record& record = records_[command - kFirst];
        return record.level == kNoLevel && SameName(record.name, name);
      }))
    return;
  Append(std::wstring(name), parent, false);
}

uint32_t BookmarkMenu::FolderOf(std::wstring_view path) {
  if (path.size() <= folder_.size()) return kTop;
  if (const auto known = folders_.find(path); known != folders_.end()) return known->second;
  const size_t nameStart = path.rfind(L'\\', path.size() - 2) + 1;
  const uint32_t parent = FolderOf(path.substr(0, nameStart));
  const uint32_t folder = Append(std::wstring(path.substr(nameStart, path.size() - 1 - nameStart)), parent, true);
  folders_.emplace(path, folder);
  return folder;
}

uint32_t BookmarkMenu::Append(std::wstring name, uint32_t parent, bool folder) {
  const auto index = static_cast<uint32_t>(records_.size());
  uint32_t level = kNoLevel;
  if (folder) {
    level = static_cast<uint32_t>(levels_.size());
    levels_.emplace_back();
  }
  records_.push_back({std::move(name), parent, level, parent == kTop ? nextPopItem_++ : 0});
  LevelOf(parent).push_back(kFirst + index);
  return index;
}

void BookmarkMenu::Remove(UINT command) {
  if (!Has(command)) return;
  Record& record = records_[command - kFirst];
  std::erase(LevelOf(record.parent), command);
  if (record.level != kNoLevel) {
    const std::wstring path = PathOf(command);
    std::erase_if(folders_, [&path](const auto& folder) { return folder.first.starts_with(path); });
  }
  record.parent = kGone;
}

const BookmarkMenu::Record* BookmarkMenu::At(UINT command) const {
  if (command < kFirst || command - kFirst >= records_.size()) return nullptr;
  const Record& record = records_[command - kFirst];
  return record.parent == kGone ? nullptr : &record;
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

std::wstring BookmarkMenu::CaptionOf(UINT command) const {
  const Record* record = At(command);
  if (!record) return {};
  if (record->level == kNoLevel) return record->name.substr(0, record->name.size() - 4);  // ".url"
  std::wstring caption;
  for (const wchar_t c : record->name) caption += c == L'&' ? L"&&" : std::wstring(1, c);
  return caption;
}

std::string BookmarkMenu::NameOf(UINT command) const {
  const Record* record = At(command);
  return record && record->popItem ? "popItem" + std::to_string(record->popItem) : std::string();
}

UINT BookmarkMenu::Find(std::string_view name) const {
  for (const UINT command : levels_[0]) {
    if (NameOf(command) == name) return command;
  }
  return 0;
}

const std::vector<UINT>& BookmarkMenu::EntriesIn(UINT folder) const {
  static const std::vector<UINT> none;
  if (folder == 0) return levels_[0];
  const Record* record = At(folder);
  return record && record->level != kNoLevel ? levels_[record->level] : none;
}

void BookmarkMenu::EntriesOf(UINT menu, std::vector<Entry>& entries) const {
  const std::vector<UINT>& level = EntriesIn(menu);
  entries.reserve(entries.size() + level.size());
  for (const UINT command : level) {
    const bool folder = IsFolder(command);
    entries.push_back({CaptionOf(command), command, folder ? resources::kImageFolder : resources::kImageBookmark,
                       folder && !EntriesIn(command).empty()});
  }
}

bool BookmarkMenu::Choose(UINT command) {
  if (!Has(command) || IsFolder(command)) return false;
  open_(PathOf(command));
  return true;
}

}  // namespace app
