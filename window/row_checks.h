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

// Tells of each row what Rename would make of it, as Rename goes: in list order, a file renamed
// by the first checked row of it, a name taken by the first checked row proposing it.
//
// Looks at rows when asked, so that nothing is worked out for rows nobody looks at: the disk is
// looked at for the row asked about only (and the rows before it that propose its name), and what
// the list told of since the last question is taken into the indexes of names then.
class RowChecks final : private RenameList::Listener {
 public:
  RowChecks(platform::FileSystem& fileSystem, RenameList& list, const FolderNames& names);
  ~RowChecks();
  RowChecks(const RowChecks&) = delete;
  RowChecks& operator=(const RowChecks&) = delete;

  RowStatus Status(std::size_t index);
  // Why Rename would refuse row `index` (checked and not renamed yet), or leave it alone; none
  // when nothing is seen against it.
  Reason Refusal(std::size_t index);
  // The same in English words; empty when nothing is seen against the row.
  std::string WouldBeRefused(std::size_t index);
  // The rows, in order, that Rename leaves alone: their file is renamed with another row.
  std::vector<std::size_t> RowsListedAgain();
  // The rules of the file system that row `index`'s folder is on.
  platform::NameRules FolderRules(std::size_t index) { return Rules(list_.Row(index)); }
  // Lets go of what was read from the disk: after a rename, it may have changed.
  void Forget() noexcept;

 private:
  // A row in an index: the hash of its folder and a name in the high half, the row in the low
  // half, so that entries sort by name and then by row in one word.
  using Entry = std::uint64_t;
  using Entries = std::vector<Entry>;

  void RowsAppended(std::size_t, std::size_t) noexcept override {}
  void CheckChanged(std::size_t index) noexcept override;
  void AllChecked(bool checked) noexcept override;
  void NameChanged(std::size_t index) noexcept override;
  void StateChanged(std::size_t index) noexcept override;
  void Cleared() noexcept override;
  // Everything is indexed anew at the next question.
  void Reset() noexcept;

  void CatchUp();
  void IndexNewRows();
  void Repropose();
  void Recount();
  void ApplyCheckChanges();

  std::uint32_t Key(RowName folder, std::string_view name, bool foldCase) noexcept;
  // The key of a row's proposed name, shared by the names any file system takes for it.
  std::uint32_t TargetKey(const RenameEntry& row);
  platform::NameRules Rules(const RenameEntry& row);
  // Whether an earlier row of the same file is renamed, or renames it first.
  bool ListedAgain(std::size_t index, const RenameEntry& row);
  // Whether an earlier checked row, that Rename would rename, proposes the row's name.
  bool ProposedBefore(std::size_t index, const RenameEntry& row);
  bool SameTarget(const RenameEntry& a, const RenameEntry& b);
  // Whether another entry of the row's folder has a name that `fold` takes as its proposed one.
  std::optional<bool> FoldedTaken(const RenameEntry& row, platform::NameRules::CaseFold fold);
  bool TakenByAnotherFile(const RenameEntry& row);

  platform::FileSystem& fileSystem_;
  RenameList& list_;
  const FolderNames& names_;
  // Every row's folder and current name; every proposed name that differs from it.
  Entries sources_, targets_;
  // The keys of sources_ that come more than once; mostly none.
  std::vector<std::uint32_t> repeatedSources_;
  // The entries of targets_ whose key comes more than once and whose row is checked: the first
  // of them is the row that takes the name.
  Entries checkedTargets_;
  std::size_t indexed_ = 0;          // rows taken into the indexes, from the first
  std::size_t repeatedTargets_ = 0;  // entries of targets_ whose key comes more than once
  // What changed since the indexes were brought up to date.
  std::vector<std::uint32_t> changedProposals_, changedChecks_;
  bool recount_ = false;      // checkedTargets_ is to be made anew
  bool diskChanged_ = false;  // what was read from the disk is to be read again
  // Folders are known by the address of their bytes in the list, which no other folder takes
  // until the list is cleared, when everything here is reset.
  const char* lastFolder_ = nullptr;
  std::uint64_t lastFolderHash_ = 0;
  // The last folder's rules, and the names of the last folder looked into, folded, sorted.
  const char* rulesFolder_ = nullptr;
  const char* foldedFolder_ = nullptr;
  platform::NameRules rules_;
  std::unordered_map<const char*, platform::NameRules> rulesOf_;
  std::vector<std::string> folded_;
  std::string foldedName_;  // a proposed name folded, kept for the next one
};

}  // namespace vornick::window
