// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/file_system.h"
#include "window/folder_names.h"
#include "window/reason.h"
#include "window/rename_list.h"

namespace vornick::window {

// What a row shows besides its names: what Rename or Undo did to it, or why Rename would refuse
// it, and the reason.
struct RowStatus {
  enum class Kind { kNone, kRenamed, kRenameFailed, kUndoFailed, kWouldBeRefused };
  Kind kind = Kind::kNone;
  Reason reason;
};

// Looks at rows when asked, so that nothing is worked out for rows nobody looks at: the disk is
// looked at for the row asked about only, and the rows added since the last question are taken
// into the indexes of names then (a list emptied since is indexed anew).
class RowChecks {
 public:
  RowChecks(platform::FileSystem& fileSystem, const RenameList& list, const FolderNames& names)
      : fileSystem_(fileSystem), list_(list), names_(names) {}

  RowStatus Status(std::size_t index);
  // Why Rename would refuse row `index` (checked and not renamed yet); none when nothing is seen
  // against it.
  Reason Refusal(std::size_t index);
  // The same in English words; empty when nothing is seen against the row.
  std::string WouldBeRefused(std::size_t index);
  // The rules of the file system that row `index`'s folder is on.
  const platform::NameRules& FolderRules(std::size_t index) { return Rules(list_.Row(index)); }
  // Lets go of what was read from the disk: after a rename, it may have changed.
  void Forget() noexcept;

 private:
  void CatchUp();
  std::uint64_t Key(const std::string& folder, const std::string& name) noexcept;
  // The key of a row's proposed name as its file system compares names.
  std::uint64_t TargetKey(const RenameEntry& row);
  const platform::NameRules& Rules(const RenameEntry& row);
  // Whether another entry of the row's folder has a name that `fold` takes as its proposed one.
  std::optional<bool> FoldedTaken(const RenameEntry& row, platform::NameRules::CaseFold fold);
  bool Repeated(const std::vector<std::uint64_t>& repeated, const std::string& folder,
                const std::string& name);
  bool TakenByAnotherFile(const RenameEntry& row);

  platform::FileSystem& fileSystem_;
  const RenameList& list_;
  const FolderNames& names_;
  // Sorted keys of every row's folder and current name, and of every proposed name that differs.
  std::vector<std::uint64_t> sources_, targets_;
  // The keys that come more than once in each.
  std::vector<std::uint64_t> repeatedSources_, repeatedTargets_;
  std::size_t indexed_ = 0;
  std::uint64_t generation_ = 0;
  const std::string* lastFolder_ = nullptr;
  std::uint64_t lastFolderHash_ = 0;
  // The last folder's rules, and the names of the last folder looked into, folded, sorted. Each
  // holds its folder, so that another folder never takes its address.
  std::shared_ptr<const std::string> rulesFolder_, foldedFolder_;
  const platform::NameRules* rules_ = nullptr;
  struct KnownRules {
    std::shared_ptr<const std::string> folder;
    platform::NameRules rules;
  };
  std::unordered_map<const std::string*, KnownRules> rulesOf_;
  std::vector<std::string> folded_;
};

}  // namespace vornick::window
