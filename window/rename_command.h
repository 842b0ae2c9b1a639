// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/file_system.h"
#include "window/reason.h"
#include "window/rename_list.h"

namespace vornick::window {

// Rename takes each checked row from its current name to its proposed one; Undo takes it back.
enum class RenameDirection { kRename, kUndo };

// A checked row that was not renamed, and why.
struct RenameFailure {
  std::size_t row = 0;  // numbered from 0
  std::string folder;
  std::string name;    // the name the file was to be renamed from
  std::string target;  // the name it was to be given
  Reason reason;
};

// Rename takes every checked row that is not renamed to its proposed name; Undo takes every
// checked row that Rename renamed back. In list order, never replacing a file: a row that is
// refused or fails is recorded in the row, and in the returned list unless it failed so before, and
// the next one is tried.
// A row whose target is its own name is left alone, and so are `listedAgain` (rows in order whose
// file another row renames): neither is tried nor told. Names and marks of the rows never change.
std::vector<RenameFailure> RenameRows(platform::FileSystem& fileSystem, RenameList& list,
                                      RenameDirection direction,
                                      std::span<const std::size_t> listedAgain = {});

// Calls `tryRow(index, row, name, target)` for each row that Rename (or Undo) tries, in list
// order: checked, renamed or not as `direction` asks, with a name to change, and not among
// `listedAgain` (sorted row numbers). `tryRow` may record what it did in the row.
template <class TryRow>
void ForEachRowToTry(const RenameList& list, RenameDirection direction,
                     std::span<const std::size_t> listedAgain, TryRow&& tryRow) {
  const bool undo = direction == RenameDirection::kUndo;
  auto again = listedAgain.begin();
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const RenameEntry& row = list.Row(i);
    // Undo takes back only what Rename did; Rename leaves alone what it did already.
    if (!row.Checked || row.IsRenamed() != undo) continue;
    const std::string_view name = undo ? row.NewName : row.CurrentName;
    const std::string_view target = undo ? row.CurrentName : row.NewName;
    if (name == target) continue;
    while (again != listedAgain.end() && *again < i) ++again;
    if (again != listedAgain.end() && *again == i) continue;
    tryRow(i, row, name, target);
  }
}

}  // namespace vornick::window
