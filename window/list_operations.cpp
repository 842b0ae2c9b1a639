// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/list_operations.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <exception>
#include <stdexcept>
#include <unordered_set>
#include <utility>

#include "cleaning/name_cleaning.h"
#include "cleaning/text_chars.h"
#include "files/file_types.h"
#include "files/name_rules.h"
#include "files/path_helpers.h"
#include "window/file_renamer.h"

namespace vornick::window {
namespace {

constexpr const char* kDefaultFileType = "MP3";

std::string AsciiLower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return cleaning::ToLower(c); });
  return text;
}

// The music type that a file of no type taken is of, as its place in files::kMusicTypes; none for
// any other file (a cover picture, a playlist). Asked of every such file of a load: nothing is
// allocated.
constexpr auto kMusicTypeNames = [] {
  std::array<std::string_view, std::size(files::kMusicTypes)> names{};
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = files::kMusicTypes[i];
  return names;
}();

constexpr std::size_t kLongestMusicType =
    std::max_element(kMusicTypeNames.begin(), kMusicTypeNames.end(),
                     [](std::string_view a, std::string_view b) { return a.size() < b.size(); })
        ->size();

std::optional<std::size_t> MusicType(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return {};
  const std::string_view extension = name.substr(dot + 1);
  if (extension.size() > kLongestMusicType) return {};
  const auto sameType = [extension](std::string_view type) {
    return extension.size() == type.size() &&
           std::equal(type.begin(), type.end(), extension.begin(),
                      [](char a, char b) { return a == cleaning::ToLower(b); });
  };
  for (std::size_t i = 0; i < kMusicTypeNames.size(); ++i) {
    if (sameType(kMusicTypeNames[i])) return i;
  }
  return {};
}

void Notify(const PauseHook& pause, Pause point) {
  if (pause) pause(point);
}

// Marks a folder-gathering operation as running for as long as it is in scope; however it ends
// (also when the program ends from inside a pause), the work list is left empty.
class GatheringScope {
 public:
  GatheringScope(bool& flag, files::PendingPaths& pending) : flag_(flag), pending_(pending) {
    flag_ = true;
  }
  ~GatheringScope() {
    flag_ = false;
    pending_.Clear();
  }
  GatheringScope(const GatheringScope&) = delete;
  GatheringScope& operator=(const GatheringScope&) = delete;

 private:
  bool& flag_;
  files::PendingPaths& pending_;
};

// Counts the rows an operation adds, however it ends.
class AddedCount {
 public:
  AddedCount(const std::size_t& counter, std::size_t& added)
      : counter_(counter), added_(added), before_(counter) {}
  ~AddedCount() { added_ = counter_ - before_; }
  AddedCount(const AddedCount&) = delete;
  AddedCount& operator=(const AddedCount&) = delete;

 private:
  const std::size_t& counter_;
  std::size_t& added_;
  std::size_t before_;
};

}  // namespace

ListOperations::ListOperations(platform::FileSystem& fileSystem, platform::SettingsStore& settings,
                               platform::HistoryStore* history)
    : fileSystem_(fileSystem), settings_(settings) {
  if (history) history_.emplace(*history);
}

void ListOperations::AddEntry(const std::string& fullPath, bool markIfChanged) {
  AddEntry(files::GetFolder(fullPath), files::GetFileName(fullPath), markIfChanged);
}

void ListOperations::AddEntry(std::string_view folder, std::string_view name, bool markIfChanged) {
  AddEntry(folder, name, markIfChanged, 0);
}

void ListOperations::AddEntry(std::string_view folder, std::string_view name, bool markIfChanged,
                              std::uint8_t treeRules) {
  try {
    cleaning::CleanFileName(name, cleaned_);
  } catch (...) {
    // A name that cannot be cleaned is listed all the same, unchecked with an empty proposed name.
    list_.Append(name, folder, {}, false, RowState::kNotRenamed, treeRules);
    ++added_;
    throw;
  }
  const bool checked = markIfChanged && cleaned_ != name;
  list_.Append(name, folder, cleaned_, checked, RowState::kNotRenamed, treeRules);
  ++added_;
}

void ListOperations::AddRow(std::string_view currentName, std::string_view newName,
                            std::string_view folder, bool checked, RowState state) {
  list_.Append(currentName, folder, newName, checked, state);
}

void ListOperations::AddEntryContained(std::string_view folder, std::string_view name,
                                       bool markIfChanged, std::uint8_t treeRules) {
  try {
    AddEntry(folder, name, markIfChanged, treeRules);
  } catch (const cleaning::NameCleaningError&) {
    // The row stays with an empty proposed name and unchecked; the next file follows.
  }
}

// The settings are read again only when they may have changed since the last reading; the file
// patterns of the types are made then too.
const std::vector<std::string>& ListOperations::FileTypes() {
  std::optional<std::string> fingerprint = settings_.Fingerprint(files::kSettingsApplication);
  if (fingerprint && fingerprint == typesFingerprint_) return types_;
  std::vector<std::string> types = files::GetFileTypes(settings_);
  if (types.empty()) types.emplace_back(kDefaultFileType);
  std::vector<files::NamePattern> patterns;
  if (types.front() == files::kAllFiles) {
    patterns.emplace_back("*.*");
  } else {
    for (const std::string& type : types) patterns.emplace_back("*." + AsciiLower(type));
  }
  types_ = std::move(types);
  patterns_ = std::move(patterns);
  typesFingerprint_ = std::move(fingerprint);
  return types_;
}

// Puts `folder` and every folder below it on the work list, in pre-order, each with what the walk
// read from it.
void ListOperations::FillPending(std::string folder, const PauseHook& pause, GatherResult& result,
                                 const std::function<void()>& listRead) {
  if (!folder.empty() && folder.back() == files::kSeparator) folder.pop_back();
  folder.push_back(files::kSeparator);
  walkedAtRename_ = renames_;
  const std::function<void()> walked = [&pause] { Notify(pause, Pause::kWalk); };
  // One look at the mounts spares a look at each folder's file system.
  const std::optional<platform::NameRules> treeRules = fileSystem_.TreeRules(folder);
  walkRules_ = treeRules ? list_.TreeRulesPlace(*treeRules) : 0;
  struct Reset {
    std::uint8_t& place;
    ~Reset() { place = 0; }
  } reset{walkRules_};
  files::AddFolderTree(fileSystem_, pending_, folder, walked, &result.passedOver, listRead);
}

// Adds the files of the first folder of the work list that match `filePatterns`, pattern by
// pattern, each file once. The walk's reading of the folder serves, unless a Rename or Undo run
// since may have changed its names.
void ListOperations::AddListing(const std::vector<files::NamePattern>& filePatterns,
                                GatherResult* result) {
  // Nothing here lets events run, so the work list stays as it is meanwhile.
  const std::string& folder = pending_.Front();
  const auto& entries = pending_.FrontEntries();
  if (entries && renames_ == walkedAtRename_) {
    taken_.assign(filePatterns.size() > 1 || result ? entries->Size() : 0, 0);
    picked_.clear();
    for (const files::NamePattern& filePattern : filePatterns) {
      for (std::size_t i = 0; i < entries->Size(); ++i) {
        if (!files::IsMatchingFile(entries->Name(i), entries->Attributes(i), filePattern)) continue;
        if (!taken_.empty()) {
          if (taken_[i]) continue;
          taken_[i] = 1;
        }
        picked_.push_back(i);
      }
    }
    if (result) CountOtherTypes(*entries, taken_, *result);
    if (picked_.empty()) return;
    // Only the names of folders with rows are kept: only rows ask whether a name is taken.
    names_.Take(*entries);
    const std::size_t first = list_.Count();
    for (const std::size_t i : picked_)
      AddEntryContained(folder, entries->Name(i), true, walkRules_);
    names_.Record(list_.Row(first).Folder.data());
    return;
  }
  std::unordered_set<std::string> taken;
  for (const files::NamePattern& filePattern : filePatterns) {
    const auto names = files::ListFiles(fileSystem_, folder + filePattern.Text());
    for (const std::string& name : names.value_or(std::vector<std::string>{})) {
      if (taken.insert(name).second) AddEntryContained(folder, name, true, walkRules_);
    }
  }
}

// Music files that no type taken matches: the user may not know that the settings leave them out.
void ListOperations::CountOtherTypes(const platform::FolderListing& entries,
                                     const std::vector<char>& taken, GatherResult& result) {
  static const files::NamePattern kAnyFile("*");
  std::array<std::size_t, std::size(files::kMusicTypes)> counts{};
  for (std::size_t i = 0; i < entries.Size(); ++i) {
    if (taken[i] || !files::IsMatchingFile(entries.Name(i), entries.Attributes(i), kAnyFile))
      continue;
    if (const std::optional<std::size_t> type = MusicType(entries.Name(i))) ++counts[*type];
  }
  // Many folders have some: the names in upper case are made once.
  static const auto kUpperNames = [] {
    std::array<std::string, std::size(files::kMusicTypes)> names;
    for (std::size_t type = 0; type < names.size(); ++type) {
      names[type] = files::kMusicTypes[type];
      for (char& c : names[type]) c = cleaning::ToUpper(c);
    }
    return names;
  }();
  for (std::size_t type = 0; type < counts.size(); ++type) {
    if (counts[type] != 0) result.otherTypes[kUpperNames[type]] += counts[type];
  }
}

GatherResult ListOperations::AddFolder(const std::string& folder, const PauseHook& pause,
                                       const std::function<void()>& listed) {
  GatherResult result;
  const AddedCount added(added_, result.added);
  if (gathering_) {
    result.refused = true;
    return result;
  }
  const GatheringScope scope(gathering_, pending_);
  // Thrown through the walk when the types cannot be read at its start.
  struct TypesUnreadable {};
  bool typesRead = false;
  // Without pauses nothing in this process changes the settings during the load; another
  // program's change is looked for every so often rather than at every folder, each look being
  // a call to the system.
  constexpr auto kTypesLookInterval = std::chrono::milliseconds(20);
  std::chrono::steady_clock::time_point typesLooked;
  // Each folder is listed as soon as the walk has read it: only one folder's names are held beside
  // the rows, and the rows show while the walk goes on.
  const std::function<void()> listRead = [&] {
    while (!pending_.Empty()) {
      Notify(pause, Pause::kFolder);
      // Looked at again during the load, so that a change of the settings during a long load is
      // seen; a later reading that fails keeps the types read before.
      try {
        if (!typesRead || pause ||
            std::chrono::steady_clock::now() - typesLooked >= kTypesLookInterval) {
          FileTypes();
          typesLooked = std::chrono::steady_clock::now();
        }
        typesRead = true;
      } catch (const std::exception& error) {
        if (!typesRead) {
          result.stopped = error.what();
          result.typesUnreadable = true;
          throw TypesUnreadable{};
        }
      }
      try {
        AddListing(patterns_, &result);
      } catch (const std::exception&) {
        // Once under way, a folder that fails is passed over.
      }
      pending_.RemoveFront();
      if (listed) listed();
    }
  };
  try {
    FillPending(folder, pause, result, listRead);
  } catch (const TypesUnreadable&) {
  } catch (const std::exception& error) {
    result.stopped = error.what();
  }
  return result;
}

void ListOperations::AddFiles(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    AddEntryContained(files::GetFolder(path), files::GetFileName(path), true);
  }
}

GatherResult ListOperations::AddDropped(const std::vector<std::string>& paths,
                                        const PauseHook& pause) {
  GatherResult result;
  const AddedCount added(added_, result.added);
  if (gathering_) {
    result.refused = true;
    return result;
  }
  const GatheringScope scope(gathering_, pending_);
  for (const std::string& path : paths) {
    Notify(pause, Pause::kDroppedPath);
    try {
      if (!files::IsFolder(fileSystem_, path)) {
        AddDroppedFile(path);
        continue;
      }
      FillPending(path, pause, result, [&] {
        while (!pending_.Empty()) {
          Notify(pause, Pause::kFolder);
          AddListing(dropPatterns_, &result);
          pending_.RemoveFront();
        }
      });
    } catch (const platform::FileSystemError& error) {
      // A dropped path that cannot be looked at (gone since, say) is told with the folders.
      result.passedOver.push_back({path, PassedOver::Why::kNotRead, error.Error()});
      pending_.Clear();
    } catch (const std::exception&) {
      // Anything else (file types that cannot be read) passes the dropped path over.
      pending_.Clear();
    }
  }
  return result;
}

// A dropped file is taken once for every type whose ".type" stands anywhere in its path; with
// "All Files" first it is taken once, unchecked.
void ListOperations::AddDroppedFile(const std::string& path) {
  const std::vector<std::string>& types = FileTypes();
  const std::string folder = files::GetFolder(path), name = files::GetFileName(path);
  if (types.front() == files::kAllFiles) return AddEntryContained(folder, name, false);
  for (const std::string& type : types) {
    if (path.find("." + AsciiLower(type)) != std::string::npos) {
      AddEntryContained(folder, name, true);
    }
  }
}

std::vector<RenameFailure> ListOperations::Rename(const RenameOptions& options) {
  return RenameOrUndo(RenameDirection::kRename, options);
}

std::vector<RenameFailure> ListOperations::Undo(const RenameOptions& options) {
  return RenameOrUndo(RenameDirection::kUndo, options);
}

TakeBackResult ListOperations::TakeBack(std::int64_t id) {
  if (!history_) throw std::logic_error("no history to take a batch back from");
  ++renames_;
  names_.Forget();
  // The batch may rename files that no row of the list stands for.
  checks_.Forget();
  TakeBackResult result = TakeBackBatch(fileSystem_, history_->Store(), id);
  std::vector<std::uint64_t> failed;
  for (const RenameFailure& failure : result.failures) failed.push_back(failure.row);
  std::sort(failed.begin(), failed.end());
  for (std::size_t i = 0; i < list_.Count(); ++i) {
    if (!list_.Row(i).IsRenamed()) continue;
    const std::optional<HistoryLink> link = history_->Link(i);
    if (!link || link->batch != id || std::binary_search(failed.begin(), failed.end(), link->row))
      continue;
    list_.SetState(i, RowState::kNotRenamed);
  }
  return result;
}

std::vector<std::size_t> ListOperations::MakeNamesSafe(
    const std::vector<std::size_t>& rows, const std::optional<platform::NameRules>& rules) {
  std::vector<std::size_t> changed;
  FileRenamer folders(fileSystem_);
  for (const std::size_t i : rows) {
    const RenameEntry& row = list_.Row(i);
    if (row.IsRenamed()) continue;
    const std::string safe =
        files::MakeSafe(row.NewName, rules ? *rules : folders.Rules(row.FolderPath()));
    if (safe == row.NewName) continue;
    list_.SetNewName(i, safe);
    changed.push_back(i);
  }
  return changed;
}

ListOperations::EditRefusal ListOperations::EditNewName(std::size_t index, std::string newName) {
  const RenameEntry& row = list_.Row(index);
  if (files::WhyNotAName(newName) != files::NotAName::kNone) return EditRefusal::kNotAName;
  if (row.IsRenamed()) return EditRefusal::kRenamed;
  const bool edited = newName != Proposal(row.CurrentName);
  list_.SetNewName(index, newName, edited);
  return EditRefusal::kNone;
}

std::vector<std::size_t> ListOperations::BackToProposal(const std::vector<std::size_t>& rows) {
  std::vector<std::size_t> changed;
  for (const std::size_t i : rows) {
    const RenameEntry& row = list_.Row(i);
    if (row.IsRenamed()) continue;
    const std::string proposal = Proposal(row.CurrentName);
    if (proposal == row.NewName && !row.Edited) continue;
    list_.SetNewName(i, proposal);
    changed.push_back(i);
  }
  return changed;
}

// What the cleaning makes of a name; empty, as when the row was added, when it cannot clean it.
std::string ListOperations::Proposal(std::string_view currentName) {
  try {
    return cleaning::CleanFileName(currentName);
  } catch (const cleaning::NameCleaningError&) {
    return {};
  }
}

std::vector<RenameFailure> ListOperations::RenameOrUndo(RenameDirection direction,
                                                        const RenameOptions& options) {
  // The rows whose file an earlier row renames are marked so, and left alone.
  const std::vector<std::size_t> listedAgain = direction == RenameDirection::kRename
                                                   ? checks_.RowsListedAgain()
                                                   : std::vector<std::size_t>{};
  ++renames_;
  names_.Forget();
  if (!history_ || !options.keepHistory) {
    return RenameRows(fileSystem_, list_, direction, listedAgain);
  }
  std::string_view command = options.command;
  if (command.empty()) command = direction == RenameDirection::kUndo ? "Undo" : "Rename";
  return history_->Run(fileSystem_, list_, direction, command, listedAgain);
}

}  // namespace vornick::window
