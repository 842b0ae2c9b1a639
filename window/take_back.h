// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/history_store.h"
#include "window/rename_command.h"

namespace vornick::window {

// What taking a batch back did.
struct TakeBackResult {
  std::uint64_t takenBack = 0;    // renamed back now
  std::uint64_t alreadyBack = 0;  // found at their old names already (an earlier take-back, say)
  // Rows that could not be taken back, numbered as in the batch; `name` is where the file was
  // looked for, `target` its old name.
  std::vector<RenameFailure> failures;
};

// Gives every file of batch `id` that it renamed its old name back, last renamed first, and
// records each in the batch. A file is renamed back only while it is still the file the batch
// renamed (the same device and inode at its new name), and nothing is ever replaced; a file found
// at its old name already counts as back, so taking a batch back twice (or after a take-back that
// was itself cut short) never renames a file twice. Throws platform::HistoryError when the batch
// cannot be read, or marked as being taken back, before anything is renamed; std::out_of_range
// when there is no such batch.
TakeBackResult TakeBackBatch(platform::FileSystem& fileSystem, platform::HistoryStore& store,
                             std::int64_t id);

// Settles a batch whose program ended in the middle of it, leaving its files as they are: each
// row it did not say the outcome of is looked up on disk (renamed when the file is at its new
// name), and the batch is marked finished, so that it is not offered at every start.
void SettleBatch(platform::FileSystem& fileSystem, platform::HistoryStore& store, std::int64_t id);

// A batch's state in English: running, interrupted, taken back, partly taken back or done.
std::string_view BatchStateWords(const platform::BatchSummary& batch);

// The newest batch of renames that still has files at their new names and that no running program
// is writing; Undo batches are not offered (taking one back renames the files again).
std::optional<platform::BatchSummary> NewestToTakeBack(
    const std::vector<platform::BatchSummary>& batches);
// The newest batch of renames whose program ended in the middle of it (or of taking it back),
// with files maybe still renamed.
std::optional<platform::BatchSummary> NewestInterrupted(
    const std::vector<platform::BatchSummary>& batches);

}  // namespace vornick::window
