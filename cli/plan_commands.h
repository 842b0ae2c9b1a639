// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>

#include "cli/commands.h"
#include "platform/file_system.h"
#include "platform/history_store.h"
#include "window/list_operations.h"

// preview, apply and rename on a given file system and an empty list on it, so that tests can run
// them on their own folders and settings; the commands of the table use the real ones.
namespace vornick::cli {

struct PlanSeams {
  platform::FileSystem& fileSystem;
  window::ListOperations& operations;  // on fileSystem and history, its list empty
  platform::HistoryStore* history = nullptr;
};

int RunPreviewWith(std::span<const std::string> args, Streams streams, PlanSeams seams);
int RunApplyWith(std::span<const std::string> args, Streams streams, PlanSeams seams);
int RunRenameWith(std::span<const std::string> args, Streams streams, PlanSeams seams);
int RunHistoryWith(std::span<const std::string> args, Streams streams,
                   platform::HistoryStore& history);
int RunUndoWith(std::span<const std::string> args, Streams streams, PlanSeams seams);

// One line naming a damaged history that was set aside, if there was one.
void ReportSetAside(platform::HistoryStore* history, Streams& streams);

// A path made absolute against the working folder, with empty and "." components dropped
// (".." is kept: only the file system knows where it leads through a link).
std::string AbsolutePath(const std::string& path);

}  // namespace vornick::cli
