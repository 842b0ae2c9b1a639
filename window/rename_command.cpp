// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/rename_command.h"

#include <algorithm>

#include "files/path_helpers.h"
#include "window/file_renamer.h"

namespace vornick::window {

std::vector<RenameFailure> RenameRows(platform::FileSystem& fileSystem, RenameList& list,
                                      RenameDirection direction,
                                      std::span<const std::size_t> listedAgain) {
  const bool undo = direction == RenameDirection::kUndo;
  std::vector<RenameFailure> failures;
  FileRenamer renamer(fileSystem);
  ForEachRowToTry(
      list, direction, listedAgain,
      [&](std::size_t i, const RenameEntry& row, std::string_view name, std::string_view target) {
        Reason reason = RefusalReason(name, target);
        if (!reason) reason = renamer.Rename(row.FolderPath(), name, target);
        if (!reason) {
          list.SetState(i, undo ? RowState::kNotRenamed : RowState::kRenamed);
          return;
        }
        const RowState failed = undo ? RowState::kUndoFailed : RowState::kRenameFailed;
        // The same failure again is nothing new to tell: the row shows it already.
        if (row.State != failed || list.Failure(i) != reason) {
          failures.push_back(
              {i, std::string(row.FolderPath()), std::string(name), std::string(target), reason});
        }
        list.SetState(i, failed, reason);
      });
  return failures;
}

}  // namespace vornick::window
