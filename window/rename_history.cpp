// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/rename_history.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

#include "window/file_renamer.h"
#include "window/store_worker.h"

namespace vornick::window {
namespace {

// The first piece is small, so that the first rename waits little; the pieces grow from there
// (each is one synced write), by half each time: the worker writes the next piece while the
// renames go through this one, and a file looked up and written costs it about half what a rename
// costs here, so a piece twice as large would keep the renames waiting.
constexpr std::size_t kFirstPiece = 256;
constexpr std::size_t kLargestPiece = 16384;
constexpr std::size_t kOutcomesAtOnce = 1024;

// A checked row that Rename or Undo tries.
struct Attempt {
  std::size_t index = 0;  // in the list
  const RenameEntry* row = nullptr;
  Reason refusal;                   // refused before any rename
  std::optional<HistoryLink> link;  // an Undo of a row this list renamed: taken back there
  // Written by the worker for the rows of a new batch:
  std::int64_t historyRow = -1;  // its number in the batch, once written
  std::error_code lookup;        // why the file could not be looked up
};

struct Piece {
  std::size_t begin = 0, end = 0;  // attempts
  std::uint64_t ticket = 0;
  std::error_code failure;  // the history could not be written: the piece's rows are not either
};

// The new batch, as the worker writes it.
class NewBatch {
 public:
  NewBatch(platform::FileSystem& fileSystem, platform::HistoryStore& store,
           platform::BatchKind kind, std::string_view command, bool undo)
      : fileSystem_(fileSystem), store_(store), kind_(kind), command_(command), undo_(undo) {}

  std::int64_t Id() const noexcept { return id_; }

  // Looks up and writes the files of the piece's attempts that need it.
  void Write(std::vector<Attempt>& attempts, Piece& piece) {
    if (broken_) {
      piece.failure = broken_;
      return;
    }
    std::vector<std::string> folders;
    std::vector<platform::HistoryRow> rows;
    std::string path;
    for (std::size_t k = piece.begin; k < piece.end; ++k) {
      Attempt& attempt = attempts[k];
      if (attempt.refusal || attempt.link) continue;
      const RenameEntry& row = *attempt.row;
      const std::string_view name = undo_ ? row.NewName : row.CurrentName;
      const std::string_view target = undo_ ? row.CurrentName : row.NewName;
      platform::HistoryRow written;
      path.assign(row.FolderPath()).append(name);
      try {
        written.identity = fileSystem_.GetIdentity(path);
      } catch (const platform::FileSystemError& error) {
        attempt.lookup = error.Error();
        continue;
      }
      const auto [folder, added] =
          folderIndex_.try_emplace(row.Folder.data(), static_cast<std::uint32_t>(folderCount_));
      if (added) {
        folders.push_back(row.FolderPath());
        ++folderCount_;
      }
      written.folder = folder->second;
      written.from = name;
      written.to = target;
      rows.push_back(std::move(written));
      attempt.historyRow = static_cast<std::int64_t>(rowCount_ + rows.size() - 1);
    }
    if (rows.empty()) return;
    try {
      if (id_ == 0) {
        id_ = store_.BeginBatch(kind_, command_, folders, rows);
      } else {
        store_.AddRows(id_, folders, rows);
      }
      rowCount_ += rows.size();
    } catch (const platform::HistoryError& error) {
      broken_ = error.Error() ? error.Error() : std::make_error_code(std::errc::io_error);
      brokenWhat_ = error.what();
      brokenWhere_ = error.Where();
      piece.failure = broken_;
      // The piece's rows were not written after all.
      for (std::size_t k = piece.begin; k < piece.end; ++k) attempts[k].historyRow = -1;
      folderCount_ -= folders.size();
      std::erase_if(folderIndex_,
                    [this](const auto& entry) { return entry.second >= folderCount_; });
    }
  }

  [[noreturn]] void ThrowBroken() const {
    throw platform::HistoryError(brokenWhere_, broken_, brokenWhat_);
  }

 private:
  platform::FileSystem& fileSystem_;
  platform::HistoryStore& store_;
  platform::BatchKind kind_;
  std::string command_;
  bool undo_;
  std::int64_t id_ = 0;
  std::uint64_t rowCount_ = 0;
  std::size_t folderCount_ = 0;
  // Rows of one folder share its path: a folder is found by that copy.
  std::unordered_map<const char*, std::uint32_t> folderIndex_;
  std::error_code broken_;
  std::string brokenWhat_, brokenWhere_;
};

// The outcomes of some rows, written by the worker when they are done (a row left unknown is
// looked up on disk). A row renamed is left unknown: its batch says so once it finishes, which
// spares a write for every file.
struct Outcomes {
  std::vector<std::uint64_t> failed;
  std::map<std::int64_t, std::vector<std::uint64_t>> takenBack;

  bool Empty() const { return failed.empty() && takenBack.empty(); }
  void Write(platform::HistoryStore& store, std::int64_t batch) const {
    try {
      if (!failed.empty()) store.RecordOutcomes(batch, failed, platform::RowOutcome::kFailed);
      for (const auto& [linked, rows] : takenBack) {
        store.RecordOutcomes(linked, rows, platform::RowOutcome::kTakenBack);
      }
    } catch (const platform::HistoryError&) {
      // Each row is looked up on disk when its batch is taken back; nothing is lost.
    }
  }
};

}  // namespace

std::optional<HistoryLink> RenameHistory::Link(std::size_t index) const {
  for (auto batch = batches_.rbegin(); batch != batches_.rend(); ++batch) {
    const auto found = std::lower_bound(batch->rows.begin(), batch->rows.end(), index,
                                        [](const std::pair<std::uint32_t, std::uint32_t>& row,
                                           std::size_t i) { return row.first < i; });
    if (found != batch->rows.end() && found->first == index) {
      return HistoryLink{batch->id, found->second};
    }
  }
  return std::nullopt;
}

std::vector<RenameFailure> RenameHistory::Run(platform::FileSystem& fileSystem, RenameList& list,
                                              RenameDirection direction, std::string_view command,
                                              std::span<const std::size_t> listedAgain) {
  const bool undo = direction == RenameDirection::kUndo;
  std::vector<Attempt> attempts;
  std::vector<std::int64_t> linkedBatches;
  // Link() for rows asked in order: each batch is read on from where the last row was found.
  std::vector<std::size_t> linkFrom(batches_.size(), 0);
  const auto link = [&](std::size_t i) -> std::optional<HistoryLink> {
    for (std::size_t b = batches_.size(); b-- > 0;) {
      const auto& rows = batches_[b].rows;
      std::size_t& at = linkFrom[b];
      while (at < rows.size() && rows[at].first < i) ++at;
      if (at < rows.size() && rows[at].first == i)
        return HistoryLink{batches_[b].id, rows[at].second};
    }
    return std::nullopt;
  };
  ForEachRowToTry(
      list, direction, listedAgain,
      [&](std::size_t i, const RenameEntry& row, std::string_view name, std::string_view target) {
        Attempt& attempt = attempts.emplace_back();
        attempt.index = i;
        attempt.row = &row;
        attempt.refusal = RefusalReason(name, target);
        if (undo && !attempt.refusal) {
          attempt.link = link(i);
          if (attempt.link && std::find(linkedBatches.begin(), linkedBatches.end(),
                                        attempt.link->batch) == linkedBatches.end()) {
            linkedBatches.push_back(attempt.link->batch);
          }
        }
      });
  if (attempts.empty()) return {};

  // The batches whose rows are taken back count as unfinished until this ends.
  for (const std::int64_t batch : linkedBatches) store_.BeginTakeBack(batch);

  std::vector<Piece> pieces;
  for (std::size_t begin = 0, size = kFirstPiece; begin < attempts.size();
       begin += size, size = std::min(size * 3 / 2, kLargestPiece)) {
    pieces.push_back({begin, std::min(begin + size, attempts.size()), 0, {}});
  }
  NewBatch batch(fileSystem, store_,
                 undo ? platform::BatchKind::kUndo : platform::BatchKind::kRename, command, undo);
  // Declared after everything its tasks use, so that it ends (and runs what was posted) first.
  StoreWorker worker;
  for (Piece& piece : pieces) {
    piece.ticket = worker.Post([&batch, &attempts, &piece] { batch.Write(attempts, piece); });
  }
  // The worker is well ahead of the renames by now: its upkeep costs them nothing.
  worker.Post([this] {
    try {
      store_.Tidy();
    } catch (const platform::HistoryError&) {
      // Done at the next batch.
    }
  });

  std::vector<RenameFailure> failures;
  FileRenamer renamer(fileSystem);
  bool renamedAny = false;
  auto outcomes = std::make_shared<Outcomes>();
  std::vector<std::pair<std::int64_t, std::uint32_t>> linksTakenBack;  // batch, list row
  std::size_t outcomeCount = 0;
  // Written a few at a time, so that what is left to write once the last file is renamed is
  // little (each write is one statement for a run of rows).
  const auto writeOutcomes = [&] {
    if (outcomes->Empty()) return;
    worker.Post([outcomes, &batch, this] { outcomes->Write(store_, batch.Id()); });
    outcomes = std::make_shared<Outcomes>();
    outcomeCount = 0;
  };
  Written written;
  for (Piece& piece : pieces) {
    worker.WaitFor(piece.ticket);
    if (piece.failure && !renamedAny && batch.Id() == 0) batch.ThrowBroken();
    for (std::size_t k = piece.begin; k < piece.end; ++k) {
      const Attempt& attempt = attempts[k];
      const RenameEntry& row = *attempt.row;
      const std::string_view name = undo ? row.NewName : row.CurrentName;
      const std::string_view target = undo ? row.CurrentName : row.NewName;
      Reason reason = attempt.refusal;
      if (!reason && !attempt.link) {
        if (attempt.lookup) {
          reason = FailureReason(attempt.lookup);
        } else if (attempt.historyRow < 0) {
          reason = {Reason::Kind::kNoHistory, piece.failure};
        }
      }
      if (!reason) reason = renamer.Rename(row.FolderPath(), name, target);
      const auto historyRow = static_cast<std::uint64_t>(attempt.historyRow);
      if (!reason) {
        renamedAny = true;
        list.SetState(attempt.index, undo ? RowState::kNotRenamed : RowState::kRenamed);
        if (attempt.link) {
          outcomes->takenBack[attempt.link->batch].push_back(attempt.link->row);
          linksTakenBack.emplace_back(attempt.link->batch,
                                      static_cast<std::uint32_t>(attempt.index));
          if (++outcomeCount == kOutcomesAtOnce) writeOutcomes();
        } else if (attempt.historyRow >= 0 && !undo) {
          written.rows.emplace_back(static_cast<std::uint32_t>(attempt.index),
                                    static_cast<std::uint32_t>(historyRow));
        }
        continue;
      }
      if (attempt.historyRow >= 0) {
        outcomes->failed.push_back(historyRow);
        if (++outcomeCount == kOutcomesAtOnce) writeOutcomes();
      }
      const RowState failed = undo ? RowState::kUndoFailed : RowState::kRenameFailed;
      if (row.State != failed || list.Failure(attempt.index) != reason) {
        failures.push_back({attempt.index, std::string(row.FolderPath()), std::string(name),
                            std::string(target), reason});
      }
      list.SetState(attempt.index, failed, reason);
    }
    writeOutcomes();
  }
  const std::uint64_t last = worker.Post([&batch, &linkedBatches, this] {
    try {
      if (batch.Id() != 0) store_.FinishBatch(batch.Id());
      for (const std::int64_t linked : linkedBatches) store_.FinishBatch(linked);
    } catch (const platform::HistoryError&) {
      // Left unfinished, the batch is offered to be taken back, and each row looked up on disk.
    }
  });
  worker.WaitFor(last);
  DropLinks(linksTakenBack);
  if (batch.Id() != 0 && !written.rows.empty()) {
    written.id = batch.Id();
    batches_.push_back(std::move(written));
  }
  return failures;
}

// A row taken back is asked for its link no more (only renamed rows are), and a Rename of it
// again links it to its new batch: each Rename and Undo of a million rows would otherwise keep
// another 8 MB until Clear List.
void RenameHistory::DropLinks(std::vector<std::pair<std::int64_t, std::uint32_t>>& taken) {
  if (taken.empty()) return;
  // In list order they are sorted already when they come from one batch, as they mostly do.
  if (!std::is_sorted(taken.begin(), taken.end())) std::sort(taken.begin(), taken.end());
  for (Written& written : batches_) {
    auto next = std::lower_bound(taken.begin(), taken.end(), std::pair{written.id, 0u});
    std::erase_if(written.rows, [&](const std::pair<std::uint32_t, std::uint32_t>& row) {
      while (next != taken.end() && next->first == written.id && next->second < row.first) ++next;
      return next != taken.end() && next->first == written.id && next->second == row.first;
    });
  }
  std::erase_if(batches_, [](const Written& written) { return written.rows.empty(); });
}

}  // namespace vornick::window
