// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/row_checks.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <memory>
#include <new>
#include <stdexcept>
#include <string_view>
#include <utility>

#include "cleaning/text_chars.h"
#include "files/name_rules.h"
#include "window/name_hash.h"
#include "window/rename_command.h"

namespace vornick::window {
namespace {

// A row that Rename tries: checked, not renamed yet, to a name of its own.
bool Tried(const RenameEntry& row) {
  return row.Checked && !row.IsRenamed() && row.NewName != row.CurrentName;
}

// The folders whose rules are kept at the most.
constexpr std::size_t kMostRulesKept = 4096;

// Rows are taken into the indexes this many at a time.
constexpr std::size_t kIndexSlice = std::size_t{1} << 16;
// A question about a row not indexed yet takes at least this many more, or half as many as are
// indexed, up to a slice: asking row by row down the list indexes in runs of rows that grow, and
// each run's merge and recount, which go over every entry kept, come a few dozen times at most.
constexpr std::size_t kLeastIndexed = std::size_t{1} << 13;

// Past this many check marks changed one by one, the checked proposals are counted anew.
constexpr std::size_t kMostCheckChanges = 4096;

using Entry = std::uint64_t;

Entry EntryOf(std::uint32_t key, std::size_t row) {
  return std::uint64_t{key} << 32 | static_cast<std::uint32_t>(row);
}
std::uint32_t KeyOf(Entry entry) {
  return static_cast<std::uint32_t>(entry >> 32);
}
std::uint32_t RowOf(Entry entry) {
  return static_cast<std::uint32_t>(entry);
}

// The entries of `key`, in list order.
auto EntriesOf(const std::vector<Entry>& entries, std::uint32_t key) {
  return std::equal_range(entries.begin(), entries.end(), EntryOf(key, 0),
                          [](Entry a, Entry b) { return KeyOf(a) < KeyOf(b); });
}

}  // namespace

RowChecks::RowChecks(platform::FileSystem& fileSystem, RenameList& list, const FolderNames& names)
    : fileSystem_(fileSystem), list_(list), names_(names) {
  list_.AddListener(*this);
}

RowChecks::~RowChecks() {
  list_.RemoveListener(*this);
}

std::uint64_t RowChecks::FolderHash(RowName folder) noexcept {
  // Rows of a folder come together and share one copy of its path, so its hash is worked out
  // once for them all.
  if (folder.data() != lastFolder_) {
    lastFolder_ = folder.data();
    lastFolderHash_ = HashName(folder, false) * 0x9E3779B97F4A7C15u;
  }
  return lastFolderHash_;
}

std::uint32_t RowChecks::Key(RowName folder, std::string_view name, bool foldCase) noexcept {
  // Rows that share folder and name share a key, and so do about a hundred other pairs in a
  // million rows: a row is marked only after the names are compared.
  return static_cast<std::uint32_t>((FolderHash(folder) ^ HashName(name, foldCase)) >> 32);
}

platform::NameRules RowChecks::Rules(const RenameEntry& row) {
  // A load that found no mount below its folder told the rules of its whole tree.
  if (row.TreeRules != 0) return list_.TreeRules(row.TreeRules);
  if (rulesFolder_ == row.Folder.data()) return rules_;
  // Rows of a folder come together, and a view asks about the rows on screen again and again: the
  // rules of the folders asked about last are kept, not those of a million rows' folders.
  auto known = rulesOf_.find(row.Folder.data());
  if (known == rulesOf_.end()) {
    if (rulesOf_.size() >= kMostRulesKept) rulesOf_.clear();
    known = rulesOf_.emplace(row.Folder.data(), fileSystem_.RulesOf(row.FolderPath())).first;
  }
  rulesFolder_ = row.Folder.data();
  rules_ = known->second;
  return rules_;
}

std::uint32_t RowChecks::TargetKey(RowName folder, std::string_view proposed) {
  // Every fold a file system makes is a part of the Unicode one: names one of them takes for the
  // same share this key, and the folder's rules tell them apart when a row is looked at. So no
  // folder's file system is asked while a million rows are indexed. Of a name beyond ASCII only
  // the ASCII part of its fold is taken: folding every letter is most of the cost of indexing,
  // and the few names it makes share a key are compared.
  if (cleaning::IsAscii(proposed)) return Key(folder, proposed, true);
  files::FoldedAsciiPart(proposed, foldedName_);
  return Key(folder, foldedName_, true);
}

void RowChecks::Forget() noexcept {
  rulesFolder_ = nullptr;
  rulesOf_.clear();
  foldedFolder_ = nullptr;
  folded_.clear();
}

// What the list tells: each change is noted, and taken in at the next question.

void RowChecks::CheckChanged(std::size_t index) noexcept {
  // Rows not indexed yet are read as they are then; a recount reads every row.
  if (recount_ || index >= indexed_ || repeatedTargets_ == 0) return;
  if (changedChecks_.size() >= kMostCheckChanges) {
    recount_ = true;
    changedChecks_.clear();
    return;
  }
  try {
    changedChecks_.push_back(static_cast<std::uint32_t>(index));
  } catch (const std::bad_alloc&) {
    recount_ = true;
  }
}

void RowChecks::AllChecked(bool) noexcept {
  recount_ = true;
  changedChecks_.clear();
}

void RowChecks::NameChanged(std::size_t index) noexcept {
  if (index >= indexed_) return;
  try {
    changedProposals_.push_back(static_cast<std::uint32_t>(index));
  } catch (const std::bad_alloc&) {
    Reset();
  }
}

void RowChecks::StateChanged(std::size_t) noexcept {
  diskChanged_ = true;
}

void RowChecks::Cleared() noexcept {
  Reset();
  Forget();
}

void RowChecks::Reset() noexcept {
  // The memory of a long list goes with it.
  Entries().swap(sources_);
  Entries().swap(targets_);
  Entries().swap(checkedTargets_);
  repeatedSources_.clear();
  std::vector<Run>().swap(runs_);
  std::vector<std::uint64_t>().swap(lastRuns_);
  runFolder_ = nullptr;
  openFolder_ = 0;
  changedProposals_.clear();
  changedChecks_.clear();
  indexed_ = 0;
  repeatedTargets_ = 0;
  recount_ = false;
  // Rows added from here may have their folder where a row gone had another.
  lastFolder_ = nullptr;
}

namespace {

// Sorts in[0..count) by the byte of the key at `shift` and then, bucket by bucket, by the bits
// below it, in place. Entries are moved round in cycles to where their bucket fills next; with 256
// buckets the places written to stay in the cache.
void SortInPlace(Entry* in, std::size_t count, int shift) {
  constexpr std::size_t kBuckets = 256;
  if (count <= 64 || shift < 32) {
    std::sort(in, in + count);
    return;
  }
  std::array<std::size_t, kBuckets> next{}, ends{};
  const auto bucketOf = [shift](Entry entry) { return (entry >> shift) & (kBuckets - 1); };
  for (std::size_t i = 0; i < count; ++i) ++ends[bucketOf(in[i])];
  std::size_t sum = 0;
  for (std::size_t bucket = 0; bucket < kBuckets; ++bucket) {
    next[bucket] = sum;
    sum += ends[bucket];
    ends[bucket] = sum;
  }
  for (std::size_t bucket = 0; bucket < kBuckets; ++bucket) {
    while (next[bucket] < ends[bucket]) {
      Entry entry = in[next[bucket]];
      for (std::size_t home = bucketOf(entry); home != bucket; home = bucketOf(entry))
        std::swap(entry, in[next[home]++]);
      in[next[bucket]++] = entry;
    }
  }
  std::size_t start = 0;
  for (const std::size_t end : ends) {
    SortInPlace(in + start, end - start, shift - 8);
    start = end;
  }
}

// Sorts entries by key and then row, in place, with no second array of them.
void SortEntries(std::vector<Entry>& entries) {
  SortInPlace(entries.data(), entries.size(), 56);
}

}  // namespace

void RowChecks::CatchUp(std::size_t needed) {
  if (diskChanged_) {
    Forget();
    diskChanged_ = false;
  }
  if (indexed_ > list_.Count()) Reset();  // not told of a clear: never so, but cheap to see
  if (!changedProposals_.empty()) Repropose();
  if (indexed_ < needed) {
    const std::size_t more = std::clamp(indexed_ / 2, kLeastIndexed, kIndexSlice);
    IndexNewRows(std::min(list_.Count(), std::max(needed, indexed_ + more)));
  }
  if (recount_) {
    Recount();
  } else if (!changedChecks_.empty()) {
    ApplyCheckChanges();
  }
}

void RowChecks::IndexNewRows(std::size_t end) {
  // In slices, so that a million rows arriving at once never have all their entries at once.
  while (indexed_ < end) IndexRows(std::min(end, indexed_ + kIndexSlice));
  // Few files are listed twice: those few are what a row is looked up in.
  repeatedSources_.clear();
  const auto sameKey = [](Entry a, Entry b) { return KeyOf(a) == KeyOf(b); };
  for (auto at = std::adjacent_find(sources_.begin(), sources_.end(), sameKey);
       at != sources_.end(); at = std::adjacent_find(at + 1, sources_.end(), sameKey)) {
    if (repeatedSources_.empty() || repeatedSources_.back() != KeyOf(*at))
      repeatedSources_.push_back(KeyOf(*at));
  }
  recount_ = true;
}

void RowChecks::IndexRows(std::size_t end) {
  const std::size_t start = indexed_;
  Entries sources, targets;
  sources.reserve(end - start);
  targets.reserve(end - start);
  // Groups with rows before these whose lone entries were dropped: all their rows come back.
  std::vector<std::uint32_t> reopened;
  // The rows before the first run begun here go on with the group open before, whose entries
  // kept before may be what they repeat.
  std::size_t continued = end;
  const std::size_t firstRun = runs_.size();
  // Whether a group of a run begun here has another run, here or before.
  bool seenAgain = false;
  for (; indexed_ < end; ++indexed_) {
    const RenameEntry& row = list_.Row(indexed_);
    if (runs_.empty() || row.Folder.data() != runFolder_) {
      if (continued == end) continued = indexed_;
      seenAgain |= StartRun(row, start, reopened);
    }
    // Each name's length is found once.
    const std::string_view current = row.CurrentName;
    sources.push_back(EntryOf(Key(row.Folder, current, false), indexed_));
    if (row.NewName.data() == row.CurrentName.data()) continue;
    const std::string_view proposed = row.NewName;
    if (proposed != current) targets.push_back(EntryOf(TargetKey(row.Folder, proposed), indexed_));
  }
  if (!reopened.empty()) {
    std::sort(reopened.begin(), reopened.end());
    reopened.erase(std::unique(reopened.begin(), reopened.end()), reopened.end());
    // Their entries kept are taken again with the rest, and kept once.
    AddRowsOf(reopened, start, &sources, &targets);
  }
  if (!seenAgain) {
    // Each run's folder is in no other run: its repeats are found within it, with no sort of
    // the whole slice.
    KeepRepeatsWithinRuns(sources, {start, continued}, firstRun);
    KeepRepeatsWithinRuns(targets, {start, continued}, firstRun);
  }
  Merge(sources_, sources, {start, continued});
  Merge(targets_, targets, {start, continued});
}

void RowChecks::Merge(Entries& entries, Entries& fresh, Rows continued) const {
  SortEntries(fresh);
  // Most of them are alone in their group: they go before the merge, which then moves few.
  DropLoneEntries(fresh, continued);
  const auto old = static_cast<std::ptrdiff_t>(entries.size());
  entries.insert(entries.end(), fresh.begin(), fresh.end());
  Entries().swap(fresh);
  std::inplace_merge(entries.begin(), entries.begin() + old, entries.end());
  entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
  DropLoneEntries(entries);
}

bool RowChecks::StartRun(const RenameEntry& row, std::size_t start,
                         std::vector<std::uint32_t>& reopened) {
  runFolder_ = row.Folder.data();
  const auto folder = static_cast<std::uint32_t>(FolderHash(row.Folder) >> 32);
  if (runs_.size() + 1 >= kNoRun) throw std::length_error("too many runs of rows");
  if (2 * (runs_.size() + 1) > lastRuns_.size()) {
    // Grown by doubling, and filled anew from the runs in order, so that the last run of each
    // group is the one found.
    std::vector<std::uint64_t>(std::max<std::size_t>(64, 2 * lastRuns_.size())).swap(lastRuns_);
    for (std::uint32_t run = 0; run < runs_.size(); ++run)
      lastRuns_[SlotOf(runs_[run].folder)] = SlotValue(runs_[run].folder, run);
  }
  std::uint64_t& slot = lastRuns_[SlotOf(folder)];
  const std::uint32_t last = slot == 0 ? kNoRun : static_cast<std::uint32_t>(slot) - 1;
  // The open group's entries are all kept, and a group first seen since `start` is all in the
  // entries not merged yet.
  if (last != kNoRun && folder != openFolder_ && runs_[last].first < start)
    reopened.push_back(folder);
  slot = SlotValue(folder, static_cast<std::uint32_t>(runs_.size()));
  runs_.push_back({static_cast<std::uint32_t>(indexed_), folder, last});
  openFolder_ = folder;
  return last != kNoRun;
}

void RowChecks::KeepRepeatsWithinRuns(Entries& fresh, Rows kept, std::size_t firstRun) const {
  // Entries are in row order, so each run's are together; they are sorted run by run, and the
  // kept ones moved to the front, never past one not read yet.
  std::size_t left = 0, at = 0;
  const auto run = [&](std::size_t end, bool keepAll) {
    std::size_t past = at;
    while (past < fresh.size() && RowOf(fresh[past]) < end) ++past;
    if (!keepAll) std::sort(fresh.begin() + at, fresh.begin() + past);
    for (std::size_t i = at; i < past; ++i) {
      const bool lone = (i == at || KeyOf(fresh[i - 1]) != KeyOf(fresh[i])) &&
                        (i + 1 == past || KeyOf(fresh[i + 1]) != KeyOf(fresh[i]));
      if (keepAll || !lone) fresh[left++] = fresh[i];
    }
    at = past;
  };
  run(kept.second, true);
  for (std::size_t index = firstRun; index < runs_.size(); ++index) {
    // The last run is the open group's.
    const bool last = index + 1 == runs_.size();
    run(last ? indexed_ : runs_[index + 1].first, last);
  }
  fresh.resize(left);
}

std::size_t RowChecks::SlotOf(std::uint32_t folder) const noexcept {
  // The slot holds its group beside the run, so that a search reads nothing else.
  const std::size_t mask = lastRuns_.size() - 1;
  for (std::size_t slot = (folder * std::size_t{0x9E3779B1u}) & mask;; slot = (slot + 1) & mask) {
    if (lastRuns_[slot] == 0 || lastRuns_[slot] >> 32 == folder) return slot;
  }
}

std::uint32_t RowChecks::GroupOf(std::size_t row) const {
  const auto after =
      std::upper_bound(runs_.begin(), runs_.end(), row,
                       [](std::size_t index, const Run& run) { return index < run.first; });
  return std::prev(after)->folder;
}

std::vector<RowChecks::Rows> RowChecks::RowsOf(std::uint32_t folder) const {
  std::vector<Rows> rows;
  if (lastRuns_.empty()) return rows;
  const std::uint64_t slot = lastRuns_[SlotOf(folder)];
  for (std::uint32_t run = slot == 0 ? kNoRun : static_cast<std::uint32_t>(slot) - 1; run != kNoRun;
       run = runs_[run].previous) {
    const std::size_t end = run + 1 < runs_.size() ? runs_[run + 1].first : indexed_;
    rows.emplace_back(runs_[run].first, end);
  }
  return rows;
}

void RowChecks::AddRowsOf(const std::vector<std::uint32_t>& folders, std::size_t end,
                          Entries* sources, Entries* targets) {
  for (const std::uint32_t folder : folders) {
    for (auto [first, last] : RowsOf(folder)) {
      for (std::size_t index = first; index < std::min(last, end); ++index) {
        const RenameEntry& row = list_.Row(index);
        if (sources) sources->push_back(EntryOf(Key(row.Folder, row.CurrentName, false), index));
        if (targets && row.NewName != row.CurrentName)
          targets->push_back(EntryOf(TargetKey(row), index));
      }
    }
  }
}

void RowChecks::DropLoneEntries(Entries& entries, Rows kept) const {
  if (entries.empty()) return;
  // The open group's rows, first to last.
  std::vector<Rows> open = RowsOf(openFolder_);
  std::reverse(open.begin(), open.end());
  const auto keep = [&open, kept](std::size_t row) {
    if (row >= kept.first && row < kept.second) return true;
    const auto after =
        std::upper_bound(open.begin(), open.end(), row,
                         [](std::size_t index, const Rows& rows) { return index < rows.first; });
    return after != open.begin() && row < std::prev(after)->second;
  };
  std::size_t left = 0;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const bool lone = (i == 0 || KeyOf(entries[i - 1]) != KeyOf(entries[i])) &&
                      (i + 1 == entries.size() || KeyOf(entries[i + 1]) != KeyOf(entries[i]));
    if (!lone || keep(RowOf(entries[i]))) entries[left++] = entries[i];
  }
  entries.resize(left);
}

// The rows whose proposed names changed take their new keys. A new key may be that of a row
// whose lone entry was dropped: the groups of the rows are indexed anew.
void RowChecks::Repropose() {
  std::vector<std::uint32_t>& rows = changedProposals_;
  std::vector<std::uint32_t> folders;
  folders.reserve(rows.size());
  for (const std::uint32_t row : rows) folders.push_back(GroupOf(row));
  std::sort(folders.begin(), folders.end());
  folders.erase(std::unique(folders.begin(), folders.end()), folders.end());
  std::sort(rows.begin(), rows.end());
  std::erase_if(targets_, [&rows](Entry entry) {
    return std::binary_search(rows.begin(), rows.end(), RowOf(entry));
  });
  // A group at a time, in slices, as rows are indexed; the entries still kept come once.
  Entries fresh;
  for (auto folder = folders.begin(); folder != folders.end(); ++folder) {
    AddRowsOf({*folder}, indexed_, nullptr, &fresh);
    if (fresh.size() >= kIndexSlice || folder + 1 == folders.end()) Merge(targets_, fresh, {});
  }
  rows.clear();
  recount_ = true;
}

void RowChecks::Recount() {
  checkedTargets_.clear();
  repeatedTargets_ = 0;
  const auto sameKey = [](Entry a, Entry b) { return KeyOf(a) == KeyOf(b); };
  for (auto at = std::adjacent_find(targets_.begin(), targets_.end(), sameKey);
       at != targets_.end(); at = std::adjacent_find(at, targets_.end(), sameKey)) {
    const std::uint32_t key = KeyOf(*at);
    for (; at != targets_.end() && KeyOf(*at) == key; ++at) {
      ++repeatedTargets_;
      if (list_.Row(RowOf(*at)).Checked) checkedTargets_.push_back(*at);
    }
  }
  changedChecks_.clear();
  recount_ = false;
}

void RowChecks::ApplyCheckChanges() {
  for (const std::uint32_t index : changedChecks_) {
    const RenameEntry& row = list_.Row(index);
    if (row.NewName == row.CurrentName) continue;  // proposes nothing
    const Entry entry = EntryOf(TargetKey(row), index);
    const auto [first, last] = EntriesOf(targets_, KeyOf(entry));
    if (last - first < 2) continue;
    const auto at = std::lower_bound(checkedTargets_.begin(), checkedTargets_.end(), entry);
    const bool counted = at != checkedTargets_.end() && *at == entry;
    if (row.Checked && !counted) {
      checkedTargets_.insert(at, entry);
    } else if (!row.Checked && counted) {
      checkedTargets_.erase(at);
    }
  }
  changedChecks_.clear();
}

// Something other than the file itself stands at its proposed name (a file system that ignores
// case finds the file itself there when only the case changes).
bool RowChecks::TakenByAnotherFile(const RenameEntry& row, std::string_view current,
                                   std::string_view proposed) {
  // The names the load read are folded from A to Z only: where the file system folds every
  // letter, a name with others is looked for in the folder as it folds them.
  const platform::NameRules::CaseFold fold = Rules(row).caseFold;
  if (fold == platform::NameRules::CaseFold::kUnicode &&
      !(cleaning::IsAscii(proposed) && cleaning::IsAscii(current))) {
    if (const std::optional<bool> taken = FoldedTaken(row, fold)) return *taken;
  }
  // Most targets are free: the names the load read answer that without the disk.
  switch (names_.Lookup(row.Folder.data(), current, proposed)) {
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
  if (foldedFolder_ != row.Folder.data()) {
    folded_.clear();
    foldedFolder_ = nullptr;
    try {
      for (const platform::FolderEntry& entry : fileSystem_.ReadFolder(row.FolderPath())) {
        folded_.push_back(files::FoldKey(entry.name, fold));
      }
    } catch (const platform::FileSystemError&) {
      return std::nullopt;
    }
    std::sort(folded_.begin(), folded_.end());
    foldedFolder_ = row.Folder.data();
  }
  const std::string target = files::FoldKey(row.NewName, fold);
  const auto [first, last] = std::equal_range(folded_.begin(), folded_.end(), target);
  auto others = last - first;
  // The file itself, when only its letter case changes.
  if (others > 0 && files::FoldKey(row.CurrentName, fold) == target) --others;
  return others > 0;
}

bool RowChecks::ListedAgain(std::size_t index, const RenameEntry& row) {
  // Mostly no file is listed twice, and then no key is needed.
  if (repeatedSources_.empty()) return false;
  const std::uint32_t key = Key(row.Folder, row.CurrentName, false);
  if (!std::binary_search(repeatedSources_.begin(), repeatedSources_.end(), key)) return false;
  const auto [first, last] = EntriesOf(sources_, key);
  for (auto at = first; at != last; ++at) {
    const std::size_t other = RowOf(*at);
    if (other == index) continue;
    const RenameEntry& entry = list_.Row(other);
    if (entry.CurrentName != row.CurrentName || entry.FolderPath() != row.FolderPath()) continue;
    // The file is at the other row's proposed name already, or will be before this row's turn.
    if (entry.IsRenamed() || (other < index && Tried(entry))) return true;
  }
  return false;
}

bool RowChecks::SameTarget(const RenameEntry& a, const RenameEntry& b) {
  if (a.Folder.data() != b.Folder.data() && a.Folder != b.Folder) return false;
  const platform::NameRules::CaseFold fold = Rules(a).caseFold;
  if (fold == platform::NameRules::CaseFold::kNone) return a.NewName == b.NewName;
  return files::FoldKey(a.NewName, fold) == files::FoldKey(b.NewName, fold);
}

bool RowChecks::ProposedBefore(std::size_t index, const RenameEntry& row) {
  if (checkedTargets_.empty()) return false;
  // The first earlier row that Rename would rename takes the name; one it would refuse does not.
  const auto [first, last] = EntriesOf(checkedTargets_, TargetKey(row));
  for (auto at = first; at != last && RowOf(*at) < index; ++at) {
    const RenameEntry& other = list_.Row(RowOf(*at));
    if (!Tried(other) || !SameTarget(other, row) || ListedAgain(RowOf(*at), other)) continue;
    if (RefusalReason(other.CurrentName, other.NewName) ||
        RuleReason(other.NewName, Rules(other)) ||
        TakenByAnotherFile(other, other.CurrentName, other.NewName)) {
      continue;
    }
    return true;
  }
  return false;
}

Reason RowChecks::Refusal(std::size_t index) {
  const RenameEntry& row = list_.Row(index);
  if (!Tried(row)) return {};
  // A row is refused for the rows before it, or for one after it whose rename is done: while no
  // row is renamed, the rows after it need not be indexed. The first rows of a million, those a
  // window shows first, are answered at once.
  const bool anyRenamed = list_.RenamedCount() != 0 || list_.FailedCount() != 0;
  CatchUp(anyRenamed ? list_.Count() : index + 1);
  // Rename leaves such a row alone, whatever it proposes.
  if (ListedAgain(index, row)) return {Reason::Kind::kListedAgain, {}};
  // Each name's length is found once.
  const std::string_view current = row.CurrentName, proposed = row.NewName;
  if (const Reason reason = RefusalReason(current, proposed)) return reason;
  if (const Reason reason = RuleReason(proposed, Rules(row))) return reason;
  if (ProposedBefore(index, row)) return {Reason::Kind::kProposedTwice, {}};
  if (TakenByAnotherFile(row, current, proposed))
    return FailureReason(std::make_error_code(std::errc::file_exists));
  return {};
}

std::vector<std::size_t> RowChecks::RowsListedAgain() {
  CatchUp(list_.Count());
  std::vector<std::size_t> rows;
  for (const std::uint32_t key : repeatedSources_) {
    const auto [first, last] = EntriesOf(sources_, key);
    for (auto at = first; at != last; ++at) {
      const RenameEntry& row = list_.Row(RowOf(*at));
      if (Tried(row) && ListedAgain(RowOf(*at), row)) rows.push_back(RowOf(*at));
    }
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

std::string RowChecks::WouldBeRefused(std::size_t index) {
  const Reason refusal = Refusal(index);
  if (refusal.kind == Reason::Kind::kNone) return {};
  return Describe(refusal, list_.Row(index).NewName);
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
