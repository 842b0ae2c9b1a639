// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/row_checks.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "cleaning/text_chars.h"
#include "files/name_rules.h"
#include "window/name_hash.h"
#include "window/rename_command.h"

namespace vornick::window {

std::uint64_t RowChecks::Key(const std::string& folder, const std::string& name) noexcept {
  // Two rows share a key only when they share folder and name, or in a one-in-2^64 chance that
  // costs no more than a needless warning. Rows of a folder come together and share one copy of
  // its path, so its hash is worked out once for them all.
  if (&folder != lastFolder_) {
    lastFolder_ = &folder;
    lastFolderHash_ = HashName(folder, false) * 0x9E3779B97F4A7C15u;
  }
  return lastFolderHash_ ^ HashName(name, false);
}

const platform::NameRules& RowChecks::Rules(const RenameEntry& row) {
  if (rulesFolder_ == row.Folder) return *rules_;
  // Each folder's rules are looked up once: indexing and the marks go through the rows apart.
  const auto [at, added] = rulesOf_.try_emplace(row.Folder.get());
  if (added) {
    at->second.rules = fileSystem_.RulesOf(row.FolderPath());
    at->second.folder = row.Folder;  // held, so that its address is not another folder's
  }
  rulesFolder_ = row.Folder;
  rules_ = &at->second.rules;
  return *rules_;
}

std::uint64_t RowChecks::TargetKey(const RenameEntry& row) {
  const platform::NameRules::CaseFold fold = Rules(row).caseFold;
  if (fold == platform::NameRules::CaseFold::kNone) return Key(row.FolderPath(), row.NewName);
  return Key(row.FolderPath(), files::FoldKey(row.NewName, fold));
}

void RowChecks::Forget() noexcept {
  rulesFolder_.reset();
  rulesOf_.clear();
  foldedFolder_.reset();
  folded_.clear();
}

namespace {

// Sorts keys[from..] in place. A million rows arrive in one batch when a long load ends; a radix
// sort of 16 bits a pass takes them in a third of the time of a comparison sort, and is faster
// from some eight thousand keys on.
// The room a radix sort needs, kept for the next sort of the same batch.
struct SortRoom {
  std::vector<std::uint64_t> spare;
  std::vector<std::size_t> starts;
};

void SortKeys(std::vector<std::uint64_t>& keys, std::size_t from, SortRoom& room) {
  constexpr std::size_t kRadixFrom = 1 << 13;
  const std::size_t count = keys.size() - from;
  if (count < kRadixFrom) {
    std::sort(keys.begin() + static_cast<std::ptrdiff_t>(from), keys.end());
    return;
  }
  if (room.spare.size() < count) room.spare.resize(count);
  room.starts.resize(std::size_t{1} << 16);
  std::vector<std::size_t>& starts = room.starts;
  std::uint64_t* in = keys.data() + from;
  std::uint64_t* out = room.spare.data();
  for (int shift = 0; shift < 64; shift += 16) {
    std::fill(starts.begin(), starts.end(), 0);
    for (std::size_t i = 0; i < count; ++i) ++starts[(in[i] >> shift) & 0xFFFF];
    std::size_t sum = 0;
    for (std::size_t& start : starts) sum += std::exchange(start, sum);
    for (std::size_t i = 0; i < count; ++i) out[starts[(in[i] >> shift) & 0xFFFF]++] = in[i];
    std::swap(in, out);
  }
  // Four passes leave the sorted keys where they started.
}

}  // namespace

void RowChecks::CatchUp() {
  if (generation_ != list_.Generation() || indexed_ > list_.Count()) {
    lastFolder_ = nullptr;
    sources_.clear();
    targets_.clear();
    repeatedSources_.clear();
    repeatedTargets_.clear();
    indexed_ = 0;
    generation_ = list_.Generation();
  }
  if (indexed_ == list_.Count()) return;
  if (sources_.empty()) {
    // Grown by doubling afterwards: the view asks again and again while rows arrive.
    sources_.reserve(list_.Count());
    targets_.reserve(list_.Count());
  }
  const auto oldSources = static_cast<std::ptrdiff_t>(sources_.size());
  const auto oldTargets = static_cast<std::ptrdiff_t>(targets_.size());
  for (; indexed_ < list_.Count(); ++indexed_) {
    const RenameEntry& row = list_.Row(indexed_);
    sources_.push_back(Key(row.FolderPath(), row.CurrentName));
    if (row.NewName != row.CurrentName) targets_.push_back(TargetKey(row));
  }
  SortRoom room;
  for (auto* keys : {&sources_, &targets_}) {
    const std::ptrdiff_t old = keys == &sources_ ? oldSources : oldTargets;
    SortKeys(*keys, static_cast<std::size_t>(old), room);
    std::inplace_merge(keys->begin(), keys->begin() + old, keys->end());
  }
  // Few keys come twice: those few are what a row is looked up in.
  for (auto [keys, repeated] :
       {std::pair{&sources_, &repeatedSources_}, std::pair{&targets_, &repeatedTargets_}}) {
    repeated->clear();
    for (auto at = std::adjacent_find(keys->begin(), keys->end()); at != keys->end();
         at = std::adjacent_find(at + 1, keys->end())) {
      if (repeated->empty() || repeated->back() != *at) repeated->push_back(*at);
    }
  }
}

bool RowChecks::Repeated(const std::vector<std::uint64_t>& repeated, const std::string& folder,
                         const std::string& name) {
  // Mostly nothing is repeated, and then no key is needed.
  if (repeated.empty()) return false;
  return std::binary_search(repeated.begin(), repeated.end(), Key(folder, name));
}

// Something other than the file itself stands at its proposed name (a file system that ignores
// case finds the file itself there when only the case changes).
bool RowChecks::TakenByAnotherFile(const RenameEntry& row) {
  // The names the load read are folded from A to Z only: where the file system folds every
  // letter, a name with others is looked for in the folder as it folds them.
  const platform::NameRules::CaseFold fold = Rules(row).caseFold;
  if (fold == platform::NameRules::CaseFold::kUnicode &&
      !(cleaning::IsAscii(row.NewName) && cleaning::IsAscii(row.CurrentName))) {
    if (const std::optional<bool> taken = FoldedTaken(row, fold)) return *taken;
  }
  // Most targets are free: the names the load read answer that without the disk.
  switch (names_.Lookup(row.FolderPath(), row.CurrentName, row.NewName)) {
    case FolderNames::Answer::kFree:
    case FolderNames::Answer::kOnlyItself:
      return false;
    case FolderNames::Answer::kUnknown:
    case FolderNames::Answer::kMaybeTaken:
      break;
  }
  // A look-up by name answers as the disk folds case here, which may not be as Windows does
  // (ntfs-3g keeps ABC.mp3 and abc.mp3 apart): the folder's names are folded by its rules.
  if (fold != platform::NameRules::CaseFold::kNone) {
    if (const std::optional<bool> taken = FoldedTaken(row, fold)) return *taken;
  }
  const std::string target = row.FolderPath() + row.NewName;
  if (!fileSystem_.CanReadTimes(target)) return false;
  try {
    return fileSystem_.GetIdentity(row.FolderPath() + row.CurrentName) !=
           fileSystem_.GetIdentity(target);
  } catch (const platform::FileSystemError&) {
    return true;
  }
}

std::optional<bool> RowChecks::FoldedTaken(const RenameEntry& row,
                                           platform::NameRules::CaseFold fold) {
  if (foldedFolder_ != row.Folder) {
    folded_.clear();
    foldedFolder_.reset();
    try {
      for (const platform::FolderEntry& entry : fileSystem_.ReadFolder(row.FolderPath())) {
        folded_.push_back(files::FoldKey(entry.name, fold));
      }
    } catch (const platform::FileSystemError&) {
      return std::nullopt;
    }
    std::sort(folded_.begin(), folded_.end());
    foldedFolder_ = row.Folder;
  }
  const std::string target = files::FoldKey(row.NewName, fold);
  const auto [first, last] = std::equal_range(folded_.begin(), folded_.end(), target);
  auto others = last - first;
  // The file itself, when only its letter case changes.
  if (others > 0 && files::FoldKey(row.CurrentName, fold) == target) --others;
  return others > 0;
}

Reason RowChecks::Refusal(std::size_t index) {
  const RenameEntry& row = list_.Row(index);
  if (!row.Checked || row.IsRenamed() || row.NewName == row.CurrentName) return {};
  if (const Reason reason = RefusalReason(row.CurrentName, row.NewName)) return reason;
  if (const Reason reason = RuleReason(row.NewName, Rules(row))) return reason;
  CatchUp();
  if (Repeated(repeatedSources_, row.FolderPath(), row.CurrentName)) {
    return {Reason::Kind::kListedTwice, {}};
  }
  if (!repeatedTargets_.empty() &&
      std::binary_search(repeatedTargets_.begin(), repeatedTargets_.end(), TargetKey(row))) {
    return {Reason::Kind::kProposedTwice, {}};
  }
  if (TakenByAnotherFile(row)) return FailureReason(std::make_error_code(std::errc::file_exists));
  return {};
}

std::string RowChecks::WouldBeRefused(std::size_t index) {
  return Describe(Refusal(index), list_.Row(index).NewName);
}

RowStatus RowChecks::Status(std::size_t index) {
  const RenameEntry& row = list_.Row(index);
  switch (row.State) {
    case RowState::kRenamed:
      return {RowStatus::Kind::kRenamed, {}};
    case RowState::kRenameFailed:
      return {RowStatus::Kind::kRenameFailed, list_.Failure(index)};
    case RowState::kUndoFailed:
      return {RowStatus::Kind::kUndoFailed, list_.Failure(index)};
    case RowState::kNotRenamed:
      break;
  }
  const Reason reason = Refusal(index);
  if (!reason) return {};
  return {RowStatus::Kind::kWouldBeRefused, reason};
}

}  // namespace vornick::window
