// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
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
  // Rows [first, second).
  using Rows = std::pair<std::size_t, std::size_t>;

  void RowsAppended(std::size_t, std::size_t) noexcept override {}
  void CheckChanged(std::size_t index) noexcept override;
  void AllChecked(bool checked) noexcept override;
  void NameChanged(std::size_t index) noexcept override;
  void StateChanged(std::size_t index) noexcept override;
  void Cleared() noexcept override;
  // Everything is indexed anew at the next question.
  void Reset() noexcept;

  // Brings the indexes up to date, with rows [0, needed) in them at least.
  void CatchUp(std::size_t needed);
  void IndexNewRows(std::size_t end);
  // Takes rows indexed_ up to `end` into the indexes.
  void IndexRows(std::size_t end);
  void Repropose();
  void Recount();
  void ApplyCheckChanges();

  // A hash of the folder's path; rows of the same path share it whatever their copy of it.
  std::uint64_t FolderHash(RowName folder) noexcept;
  std::uint32_t Key(RowName folder, std::string_view name, bool foldCase) noexcept;
  // The key of a row's proposed name, shared by the names any file system takes for it.
  std::uint32_t TargetKey(const RenameEntry& row) { return TargetKey(row.Folder, row.NewName); }
  std::uint32_t TargetKey(RowName folder, std::string_view proposed);
  platform::NameRules Rules(const RenameEntry& row);
  // Whether an earlier row of the same file is renamed, or renames it first.
  bool ListedAgain(std::size_t index, const RenameEntry& row);
  // Whether an earlier checked row, that Rename would rename, proposes the row's name.
  bool ProposedBefore(std::size_t index, const RenameEntry& row);
  bool SameTarget(const RenameEntry& a, const RenameEntry& b);
  // Whether another entry of the row's folder has a name that `fold` takes as its proposed one.
  std::optional<bool> FoldedTaken(const RenameEntry& row, platform::NameRules::CaseFold fold);
  // `current` and `proposed` are the row's names, whose lengths the caller knows.
  bool TakenByAnotherFile(const RenameEntry& row, std::string_view current,
                          std::string_view proposed);

  // Rows of the same folder in a row of the list, and the runs of the same folder path.
  struct Run {
    std::uint32_t first;     // its first row
    std::uint32_t folder;    // the folder's group: a part of the hash of its path
    std::uint32_t previous;  // the run of the same group before it, or kNoRun
  };
  static constexpr std::uint32_t kNoRun = ~std::uint32_t{0};

  // Starts a run at row indexed_, and tells whether its group had a run before; the group goes on
  // `reopened` when it has rows before `start` and its lone entries were dropped.
  bool StartRun(const RenameEntry& row, std::size_t start, std::vector<std::uint32_t>& reopened);
  // Of `fresh`, the entries of the rows `kept` and of the runs from runs_[firstRun] on, in row
  // order, each run's group in no other run: keeps those of `kept` and of the last run, and of
  // the other runs those whose key another entry of their run shares.
  void KeepRepeatsWithinRuns(Entries& fresh, Rows kept, std::size_t firstRun) const;
  // The slot of lastRuns_ that holds `folder`'s last run, or the empty one where it would go.
  std::size_t SlotOf(std::uint32_t folder) const noexcept;
  static std::uint64_t SlotValue(std::uint32_t folder, std::uint32_t run) noexcept {
    return std::uint64_t{folder} << 32 | (run + 1);
  }
  std::uint32_t GroupOf(std::size_t row) const;
  // The rows of the runs of `folder`, from the last run to the first.
  std::vector<Rows> RowsOf(std::uint32_t folder) const;
  // Adds the entries of the rows of the groups `folders` below row `end` to `sources` and
  // `targets` (either may be null).
  void AddRowsOf(const std::vector<std::uint32_t>& folders, std::size_t end, Entries* sources,
                 Entries* targets);
  // Takes `fresh` into `entries`, each entry once, and keeps only what the indexes need (see
  // sources_). Of `fresh`, all but the rows `continued` are of groups whose other rows are in it
  // too, or of the open group.
  void Merge(Entries& entries, Entries& fresh, Rows continued) const;
  // Drops the entries whose key comes once, but those of the open group and of the rows `kept`.
  void DropLoneEntries(Entries& entries, Rows kept = {}) const;

  platform::FileSystem& fileSystem_;
  RenameList& list_;
  const FolderNames& names_;
  // Rows' folders and current names, and proposed names that differ from the current one. Rows
  // of different folders never share a file or a target, so only keys that come more than once
  // within a group are kept, and every entry of the open group (the last row's), which the next
  // rows may repeat. A million rows' entries would be 16 MB; mostly a few hundred are kept.
  Entries sources_, targets_;
  std::vector<Run> runs_;
  // The last run of each group: open addressing, the group in the high half and run + 1 in the
  // low half; 0 for an empty slot.
  std::vector<std::uint64_t> lastRuns_;
  const char* runFolder_ = nullptr;  // the folder of the last run
  std::uint32_t openFolder_ = 0;     // the group of the last run
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
