// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/take_back.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "window/file_renamer.h"

namespace vornick::window {
namespace {

// Outcomes are written in pieces of this many rows (each row is looked up on disk anyway, so one
// lost is found back at its old name).
constexpr std::size_t kRecordEvery = 4096;

// The file at `path` is the file `identity` names; an error when it cannot be looked at.
std::error_code IsTheFile(platform::FileSystem& fileSystem, const std::string& path,
                          const platform::FileIdentity& identity, bool& same) {
  try {
    same = platform::SameFile(fileSystem.GetIdentity(path), identity);
    return {};
  } catch (const platform::FileSystemError& error) {
    same = false;
    return error.Error();
  }
}

}  // namespace

TakeBackResult TakeBackBatch(platform::FileSystem& fileSystem, platform::HistoryStore& store,
                             std::int64_t id) {
  std::optional<platform::StoredBatch> batch = store.Batch(id);
  if (!batch) throw std::out_of_range("no batch " + std::to_string(id) + " in the history");
  store.BeginTakeBack(id);

  TakeBackResult result;
  std::vector<std::uint64_t> back;
  const auto record = [&] {
    std::sort(back.begin(), back.end());
    try {
      store.RecordOutcomes(id, back, platform::RowOutcome::kTakenBack);
    } catch (const platform::HistoryError&) {
      // Taking the batch back again finds these files at their old names.
    }
    back.clear();
  };
  std::string newPath, oldPath, stepPath;
  FileRenamer renamer(fileSystem);
  for (std::size_t k = batch->rows.size(); k-- > 0;) {
    const platform::StoredRow& stored = batch->rows[k];
    if (stored.outcome == platform::RowOutcome::kFailed ||
        stored.outcome == platform::RowOutcome::kTakenBack) {
      continue;
    }
    const platform::HistoryRow& row = stored.row;
    const std::string& folder = batch->folders.at(row.folder);
    newPath.assign(folder).append(row.to);
    oldPath.assign(folder).append(row.from);
    bool atNew = false, atOld = false;
    const std::error_code newError = IsTheFile(fileSystem, newPath, row.identity, atNew);
    // Where look-ups fold case, a change of case alone finds the file at either name: the folder
    // tells which one it bears.
    if (atNew && CaseOnly(row.from, row.to) && !FolderShows(fileSystem, folder, row.to)) {
      atNew = false;
      atOld = true;
    }
    Reason reason;
    bool atStep = false;
    if (!atNew && !atOld) IsTheFile(fileSystem, oldPath, row.identity, atOld);
    if (!atNew && !atOld) {
      // Stopped half-way through a change of letter case.
      stepPath.assign(folder).append(CaseStepName(row.identity));
      IsTheFile(fileSystem, stepPath, row.identity, atStep);
    }
    if (atNew || atStep) {
      reason = atNew ? renamer.Rename(folder, row.to, row.from)
                     : renamer.Rename(folder, CaseStepName(row.identity), row.from);
      if (!reason) {
        ++result.takenBack;
        back.push_back(k);
      }
    } else if (atOld) {
      // Never renamed (the batch ended first), or back already.
      ++result.alreadyBack;
      back.push_back(k);
    } else if (newError) {
      reason = FailureReason(newError);
    } else {
      reason = {Reason::Kind::kNotTheFile, {}};
    }
    if (reason) result.failures.push_back({k, folder, row.to, row.from, reason});
    if (back.size() >= kRecordEvery) record();
  }
  record();
  store.FinishBatch(id);
  try {
    store.Tidy();
  } catch (const platform::HistoryError&) {
    // Done after the next batch.
  }
  std::reverse(result.failures.begin(), result.failures.end());
  return result;
}

void SettleBatch(platform::FileSystem& fileSystem, platform::HistoryStore& store, std::int64_t id) {
  std::optional<platform::StoredBatch> batch = store.Batch(id);
  if (!batch) throw std::out_of_range("no batch " + std::to_string(id) + " in the history");
  std::vector<std::uint64_t> renamed, failed;
  std::string path;
  for (std::size_t k = 0; k < batch->rows.size(); ++k) {
    const platform::StoredRow& stored = batch->rows[k];
    if (stored.outcome != platform::RowOutcome::kUnknown) continue;
    const std::string& folder = batch->folders.at(stored.row.folder);
    path.assign(folder).append(stored.row.to);
    bool atNew = false, atStep = false;
    IsTheFile(fileSystem, path, stored.row.identity, atNew);
    if (atNew && CaseOnly(stored.row.from, stored.row.to)) {
      atNew = FolderShows(fileSystem, folder, stored.row.to);
    } else if (!atNew) {
      // Stopped half-way through a change of letter case: back to the name it had.
      path.assign(folder).append(CaseStepName(stored.row.identity));
      if (IsTheFile(fileSystem, path, stored.row.identity, atStep); atStep) {
        fileSystem.Rename(path, folder + stored.row.from);
      }
    }
    (atNew ? renamed : failed).push_back(k);
  }
  if (!renamed.empty()) store.RecordOutcomes(id, renamed, platform::RowOutcome::kRenamed);
  if (!failed.empty()) store.RecordOutcomes(id, failed, platform::RowOutcome::kFailed);
  store.FinishBatch(id);
}

std::string_view BatchStateWords(const platform::BatchSummary& batch) {
  if (batch.running) return "running";
  if (batch.takenBack != 0) return batch.renamed == 0 ? "taken back" : "partly taken back";
  if (!batch.finished) return "interrupted";
  return "done";
}

std::optional<platform::BatchSummary> NewestToTakeBack(
    const std::vector<platform::BatchSummary>& batches) {
  for (const platform::BatchSummary& batch : batches) {
    if (batch.kind == platform::BatchKind::kRename && batch.renamed != 0 && !batch.running) {
      return batch;
    }
  }
  return std::nullopt;
}

std::optional<platform::BatchSummary> NewestInterrupted(
    const std::vector<platform::BatchSummary>& batches) {
  for (const platform::BatchSummary& batch : batches) {
    if (batch.kind == platform::BatchKind::kRename && !batch.finished && !batch.running &&
        batch.renamed != 0) {
      return batch;
    }
  }
  return std::nullopt;
}

}  // namespace vornick::window
