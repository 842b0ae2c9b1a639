// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/history_store.h"

namespace vornick::platform {

namespace sqlite {
class Connection;
}

// The newest batches are always kept, however large.
inline constexpr std::size_t kHistoryKeptBatches = 100;
// Beyond those, the oldest batches are dropped while the history holds more batches than this...
inline constexpr std::size_t kHistoryMaxBatches = 1000;
// ...or more files in all than this.
inline constexpr std::uint64_t kHistoryMaxFiles = 1000000;

// What Tidy keeps the history within; other bounds than these are for tests.
struct HistoryBounds {
  std::size_t keptBatches = kHistoryKeptBatches;
  std::size_t maxBatches = kHistoryMaxBatches;
  std::uint64_t maxFiles = kHistoryMaxFiles;
};

// The history in FOLDER/history.sqlite, through SQLite's C API: WAL, each batch's rows synced
// before the call that writes them returns, names as exact bytes. The file is opened on the first
// call; reading a history that is not there makes nothing. Several processes may write it at once.
class SqliteHistoryStore final : public HistoryStore {
 public:
  explicit SqliteHistoryStore(std::string folder, HistoryBounds bounds = {});
  ~SqliteHistoryStore() override;
  SqliteHistoryStore(const SqliteHistoryStore&) = delete;
  SqliteHistoryStore& operator=(const SqliteHistoryStore&) = delete;

  // $XDG_STATE_HOME/vornick when XDG_STATE_HOME is an absolute path, else
  // $HOME/.local/state/vornick.
  static std::string DefaultFolder();

  std::int64_t BeginBatch(BatchKind kind, std::string_view command,
                          std::span<const std::string> folders,
                          std::span<const HistoryRow> rows) override;
  void AddRows(std::int64_t batch, std::span<const std::string> folders,
               std::span<const HistoryRow> rows) override;
  void RecordOutcomes(std::int64_t batch, std::span<const std::uint64_t> rows,
                      RowOutcome outcome) override;
  void FinishBatch(std::int64_t batch) override;
  // Drops the oldest batches beyond the bounds (never an unfinished one, nor the one this object
  // finished last) and copies the -wal into the file.
  void Tidy() override;
  void BeginTakeBack(std::int64_t batch) override;
  std::vector<BatchSummary> Batches() override;
  std::optional<StoredBatch> Batch(std::int64_t batch) override;
  std::string Location() const override { return file_; }
  std::string TakeSetAside() override;

 private:
  struct Appended;
  enum class Access { kRead, kWrite };

  // Opens the history on first use: for writing, making its folder and file as needed. False when
  // there is none to read.
  bool Open(Access access);
  // Connects to the file that is there; false when it was damaged and has been set aside.
  bool Connect();
  void CreateSchema();
  void Synchronous(bool full);
  void Append(std::int64_t batch, Appended& appended, std::span<const std::string> folders,
              std::span<const HistoryRow> rows);
  void Prune();
  // Throws the HistoryError: "cannot write the history in FOLDER: REASON".
  [[noreturn]] void Refuse(Access access, int error, const std::string& reason) const;
  [[noreturn]] void Refuse(Access access, const std::string& where, std::error_code error,
                           const std::string& reason) const;

  // Runs `body`, every failure turned into a HistoryError.
  template <class Body>
  auto Guarded(Access access, Body body);
  // Runs `body` on the history, opened (made) first.
  template <class Body>
  auto Writing(Body body);
  // Runs `body` on the history, or `nothing` when there is none.
  template <class Body, class Nothing>
  auto Reading(Body body, Nothing nothing);

  std::string folder_, file_;
  HistoryBounds bounds_;
  std::int64_t pid_ = 0, pidStarted_ = 0;
  std::unique_ptr<sqlite::Connection> db_;
  int synchronous_ = -1;
  std::int64_t lastFinished_ = 0;
  std::string setAside_;
};

}  // namespace vornick::platform
