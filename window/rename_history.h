// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/file_system.h"
#include "platform/history_store.h"
#include "window/rename_command.h"
#include "window/rename_list.h"

namespace vornick::window {

// A row's line in the history: the batch that renamed it, and its number there.
struct HistoryLink {
  std::int64_t batch = 0;
  std::uint64_t row = 0;
};

// The list's Rename and Undo with every file on disk in the history before it is renamed.
//
// Rename (and an Undo of rows this list did not rename, as `apply --undo` has) is a batch of its
// own: each file is looked up (device and inode) and written, synced, before its rename. The
// lookups and writes run on a thread of their own, a piece ahead of the renames, so that they
// cost next to nothing. The window's Undo of rows this list renamed writes no new batch: it
// records in the batch that renamed them that they were taken back.
class RenameHistory {
 public:
  explicit RenameHistory(platform::HistoryStore& store) : store_(store) {}

  platform::HistoryStore& Store() noexcept { return store_; }

  // As RenameRows. Throws platform::HistoryError, having renamed nothing, when the batch cannot
  // be written; a later failure to write leaves the rows not yet written as they are (failed).
  std::vector<RenameFailure> Run(platform::FileSystem& fileSystem, RenameList& list,
                                 RenameDirection direction, std::string_view command,
                                 std::span<const std::size_t> listedAgain = {});
  // The list was emptied: its rows no longer stand for anything in the history.
  void Forget() noexcept { batches_.clear(); }

  // Where row `index` of the list stands in the history, if this list renamed it.
  std::optional<HistoryLink> Link(std::size_t index) const;

 private:
  // A batch this list wrote: its rows' numbers in the list and in the batch, by list number.
  struct Written {
    std::int64_t id = 0;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> rows;
  };

  // Forgets the links of rows taken back: (batch, row in the list) pairs, sorted here.
  void DropLinks(std::vector<std::pair<std::int64_t, std::uint32_t>>& taken);

  platform::HistoryStore& store_;
  std::vector<Written> batches_;
};

}  // namespace vornick::window
