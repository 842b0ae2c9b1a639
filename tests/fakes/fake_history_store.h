// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/history_store.h"

namespace vornick::fakes {

// The history in memory; its calls may come from two threads. `failAfter` lets that many synced
// writes (a batch begun, rows added, a take-back begun) succeed and fails the rest with ENOSPC, as
// a disk that fills up would.
class FakeHistoryStore final : public platform::HistoryStore {
 public:
  int failAfter = -1;  // none fail
  int syncedWrites = 0;

  std::int64_t BeginBatch(platform::BatchKind kind, std::string_view command,
                          std::span<const std::string> folders,
                          std::span<const platform::HistoryRow> rows) override {
    const std::lock_guard lock(mutex_);
    Sync();
    platform::StoredBatch& batch = batches_[++lastId_];
    batch.summary.id = lastId_;
    batch.summary.started = 1'800'000'000 + lastId_;
    batch.summary.kind = kind;
    batch.summary.command = command;
    Add(batch, folders, rows);
    return lastId_;
  }
  void AddRows(std::int64_t id, std::span<const std::string> folders,
               std::span<const platform::HistoryRow> rows) override {
    const std::lock_guard lock(mutex_);
    Sync();
    Add(batches_.at(id), folders, rows);
  }
  void RecordOutcomes(std::int64_t id, std::span<const std::uint64_t> rows,
                      platform::RowOutcome outcome) override {
    const std::lock_guard lock(mutex_);
    platform::StoredBatch& batch = batches_.at(id);
    for (const std::uint64_t row : rows) {
      platform::RowOutcome& now = batch.rows.at(row).outcome;
      if (now != platform::RowOutcome::kTakenBack) now = outcome;
    }
  }
  void FinishBatch(std::int64_t id) override {
    const std::lock_guard lock(mutex_);
    batches_.at(id).summary.finished = true;
  }
  void BeginTakeBack(std::int64_t id) override {
    const std::lock_guard lock(mutex_);
    Sync();
    batches_.at(id).summary.finished = false;
  }
  std::vector<platform::BatchSummary> Batches() override {
    const std::lock_guard lock(mutex_);
    std::vector<platform::BatchSummary> all;
    for (auto batch = batches_.rbegin(); batch != batches_.rend(); ++batch) {
      all.push_back(Summary(batch->second));
    }
    return all;
  }
  std::optional<platform::StoredBatch> Batch(std::int64_t id) override {
    const std::lock_guard lock(mutex_);
    const auto found = batches_.find(id);
    if (found == batches_.end()) return std::nullopt;
    platform::StoredBatch batch = found->second;
    batch.summary = Summary(batch);
    return batch;
  }
  std::string Location() const override { return "/fake/history.sqlite"; }
  std::string TakeSetAside() override { return std::exchange(setAside, std::string()); }

  std::string setAside;  // what TakeSetAside hands out next

 private:
  void Sync() {
    if (failAfter >= 0 && syncedWrites >= failAfter) {
      throw platform::HistoryError("/fake", std::make_error_code(std::errc::no_space_on_device),
                                   "cannot write the history in /fake: No space left on device");
    }
    ++syncedWrites;
  }
  static void Add(platform::StoredBatch& batch, std::span<const std::string> folders,
                  std::span<const platform::HistoryRow> rows) {
    batch.folders.insert(batch.folders.end(), folders.begin(), folders.end());
    for (const platform::HistoryRow& row : rows) batch.rows.push_back({row, {}});
  }
  static platform::BatchSummary Summary(const platform::StoredBatch& batch) {
    platform::BatchSummary summary = batch.summary;
    summary.files = batch.rows.size();
    summary.renamed = static_cast<std::uint64_t>(
        std::count_if(batch.rows.begin(), batch.rows.end(), [](const platform::StoredRow& row) {
          return row.outcome == platform::RowOutcome::kUnknown ||
                 row.outcome == platform::RowOutcome::kRenamed;
        }));
    summary.takenBack = static_cast<std::uint64_t>(
        std::count_if(batch.rows.begin(), batch.rows.end(), [](const platform::StoredRow& row) {
          return row.outcome == platform::RowOutcome::kTakenBack;
        }));
    summary.folder = batch.folders.empty() ? std::string() : batch.folders.front();
    return summary;
  }

  std::map<std::int64_t, platform::StoredBatch> batches_;
  std::int64_t lastId_ = 0;
  std::recursive_mutex mutex_;
};

}  // namespace vornick::fakes
