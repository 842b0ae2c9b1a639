// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/rename_command.h"

#include <algorithm>

#include "files/path_helpers.h"

namespace vornick::window {

std::string_view NameProblem(std::string_view name) noexcept {
  if (name.empty()) return "is empty";
  if (name == "." || name == "..") return "is \".\" or \"..\", which name folders";
  if (name.find(files::kSeparator) != std::string_view::npos) return "holds a folder separator";
  if (name.find('\0') != std::string_view::npos) return "holds a zero byte";
  return {};
}

std::string RefusalReason(std::string_view name, std::string_view target) {
  if (const std::string_view problem = NameProblem(target); !problem.empty()) {
    return "the new name " + std::string(problem);
  }
  if (const std::string_view problem = NameProblem(name); !problem.empty()) {
    return "the name " + std::string(problem);
  }
  if (target.front() == '.' && name.front() != '.') {
    return "the new name begins with \".\", which would hide the file";
  }
  return {};
}

std::string FailureReason(std::error_code error, std::string_view target) {
  const std::string quoted = "\"" + std::string(target) + "\"";
  if (error == std::errc::file_exists || error == std::errc::directory_not_empty ||
      error == std::errc::is_a_directory) {
    return "a file or folder named " + quoted + " is there already";
  }
  if (error == std::errc::no_such_file_or_directory) return "the file is not there";
  if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted) {
    return "permission denied";
  }
  if (error == std::errc::read_only_file_system) return "the disk is read-only";
  if (error == std::errc::filename_too_long) return "the new name is too long";
  if (error == std::errc::no_space_on_device) return "the disk is full";
  if (error == std::errc::device_or_resource_busy) return "the file is in use";
  if (error == std::errc::invalid_argument || error == std::errc::illegal_byte_sequence) {
    return "the disk does not accept the name " + quoted;
  }
  return error.message();
}

std::vector<RenameFailure> RenameRows(platform::FileSystem& fileSystem, RenameList& list,
                                      RenameDirection direction) {
  const bool undo = direction == RenameDirection::kUndo;
  std::vector<RenameFailure> failures;
  std::string from, to;
  const std::size_t count = list.Count();
  for (std::size_t i = 0; i < count; ++i) {
    const RenameEntry& row = list.Row(i);
    // Undo takes back only what Rename did; Rename leaves alone what it did already.
    if (!row.Checked || row.IsRenamed() != undo) continue;
    const std::string& name = undo ? row.NewName : row.CurrentName;
    const std::string& target = undo ? row.CurrentName : row.NewName;
    if (name == target) continue;

    std::string reason = RefusalReason(name, target);
    if (reason.empty()) {
      from.assign(row.FolderPath()).append(name);
      to.assign(row.FolderPath()).append(target);
      if (const std::error_code error = fileSystem.Rename(from, to)) {
        reason = FailureReason(error, target);
      }
    }
    if (reason.empty()) {
      list.SetState(i, undo ? RowState::kNotRenamed : RowState::kRenamed);
      continue;
    }
    const RowState failed = undo ? RowState::kUndoFailed : RowState::kRenameFailed;
    // The same failure again is nothing new to tell: the row shows it already.
    if (row.State != failed || list.Failure(i) != reason) {
      failures.push_back({i, row.FolderPath(), name, target, reason});
    }
    list.SetState(i, failed, std::move(reason));
  }
  return failures;
}

std::string FailureTitle(RenameDirection direction) {
  return direction == RenameDirection::kUndo ? "Some files were not renamed back"
                                             : "Some files were not renamed";
}

std::string FailureMessage(const std::vector<RenameFailure>& failures, RenameDirection direction) {
  std::string text = std::to_string(failures.size());
  text += failures.size() == 1 ? " file was" : " files were";
  text += direction == RenameDirection::kUndo ? " not renamed back" : " not renamed";
  text += "; nothing was overwritten, and the other checked files were done.\n";
  // A message box cannot show a hundred thousand lines; the first ones say what went wrong.
  const std::size_t listed = std::min(failures.size(), kMostFailuresListed);
  for (std::size_t i = 0; i < listed; ++i) {
    const RenameFailure& failure = failures[i];
    text += "\n\"" + failure.name + "\" to \"" + failure.target + "\" in " + failure.folder + ": " +
            failure.reason;
  }
  if (listed < failures.size()) {
    text += "\n... and " + std::to_string(failures.size() - listed) + " more.";
  }
  return text;
}

}  // namespace vornick::window
