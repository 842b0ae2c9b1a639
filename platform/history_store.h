// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/file_system.h"

namespace vornick::platform {

// The history cannot be written (or read): `Where()` names the file or folder, `Error()` says why.
class HistoryError : public std::runtime_error {
 public:
  HistoryError(std::string where, std::error_code error, const std::string& what)
      : std::runtime_error(what), where_(std::move(where)), error_(error) {}
  const std::string& Where() const noexcept { return where_; }
  std::error_code Error() const noexcept { return error_; }

 private:
  std::string where_;
  std::error_code error_;
};

// Which way a batch renames: a Rename takes files to their proposed names; an Undo (the window's
// Undo, `apply --undo`) gives them their names back.
enum class BatchKind : std::uint8_t { kRename = 0, kUndo = 1 };

// One file of a batch: the folder it is in, the name it has and the name it is to be given, and
// which file it is, so that taking the batch back touches only that file.
struct HistoryRow {
  std::uint32_t folder = 0;  // index into the batch's folders
  std::string from;
  std::string to;
  FileIdentity identity;
};

// What became of a row, as far as the history knows.
enum class RowOutcome : std::uint8_t {
  // Not said: renamed, once the batch has finished (a write for every file would slow a Rename);
  // in a batch that never finished, look on disk.
  kUnknown = 0,
  kRenamed = 1,    // at its new name
  kFailed = 2,     // never renamed
  kTakenBack = 3,  // renamed, and given its old name back
};

struct StoredRow {
  HistoryRow row;
  RowOutcome outcome = RowOutcome::kUnknown;
};

// One batch as `history` lists it.
struct BatchSummary {
  std::int64_t id = 0;
  std::int64_t started = 0;  // seconds since 1970, UTC
  BatchKind kind = BatchKind::kRename;
  std::string command;        // what ran it: "Rename", "vornick-cli rename", ...
  bool finished = false;      // false: it is under way, or its program ended in the middle
  bool running = false;       // its program still runs (so unfinished is not interrupted)
  std::uint64_t files = 0;    // rows recorded
  std::uint64_t renamed = 0;  // rows renamed (or unknown) and not taken back
  std::uint64_t takenBack = 0;
  std::string folder;  // the folder that holds every file of the batch, with its separator
};

// A batch's folders and rows, in the order they were recorded.
struct StoredBatch {
  BatchSummary summary;
  std::vector<std::string> folders;  // each ending with the separator
  std::vector<StoredRow> rows;
};

// The history of renames, kept where it survives the program (a crash or a power cut too).
// Every call may throw HistoryError. Calls for one batch come from one thread at a time.
class HistoryStore {
 public:
  virtual ~HistoryStore() = default;

  // A new batch with its first rows, on disk (synced) when this returns; its id.
  virtual std::int64_t BeginBatch(BatchKind kind, std::string_view command,
                                  std::span<const std::string> folders,
                                  std::span<const HistoryRow> rows) = 0;
  // More rows and folders of the batch (numbered on from those before), synced on return.
  virtual void AddRows(std::int64_t batch, std::span<const std::string> folders,
                       std::span<const HistoryRow> rows) = 0;
  // The rows now known renamed or failed, by their number in the batch (from 0), synced on
  // return: a batch's rows written as they go leave its finish little to sync. A row left unknown
  // is looked up on disk later.
  virtual void RecordOutcomes(std::int64_t batch, std::span<const std::uint64_t> rows,
                              RowOutcome outcome) = 0;
  // The batch is over (synced on return).
  virtual void FinishBatch(std::int64_t batch) = 0;
  // The upkeep that may wait until the writes a rename waits for are done: batches beyond the
  // bound kept are dropped, oldest first (never an unfinished one), and the log is written into
  // the file.
  virtual void Tidy() {}
  // A batch is being taken back: until FinishBatch it counts as unfinished again.
  virtual void BeginTakeBack(std::int64_t batch) = 0;

  // Every batch, newest first.
  virtual std::vector<BatchSummary> Batches() = 0;
  virtual std::optional<StoredBatch> Batch(std::int64_t batch) = 0;

  // The file (or folder) the history lives in, for messages.
  virtual std::string Location() const = 0;
  // A damaged history that was set aside (renamed) and replaced by a new one since the last call:
  // the name it was given; empty when none.
  virtual std::string TakeSetAside() = 0;
};

}  // namespace vornick::platform
