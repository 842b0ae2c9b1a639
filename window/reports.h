// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <system_error>
#include <vector>

#include "platform/history_store.h"
#include "window/list_operations.h"
#include "window/rename_command.h"

namespace vornick::window {

// The commands whose outcome Form1 reports.
enum class Command { kRename, kUndo, kLoadFolder, kLoadFiles, kDrop };

// What Form1 tells the user, as data: the window words it in the user's language. Each call is
// one message the user dismisses.
class Reports {
 public:
  virtual ~Reports() = default;
  // The rows Rename or Undo could not do (never called with none).
  virtual void RenameFailed(RenameDirection direction,
                            const std::vector<RenameFailure>& failures) = 0;
  // `command` stopped before its end; `why` is the system's own account of the failure, which
  // was in reading the file types of the settings when `typesUnreadable`.
  virtual void Stopped(Command command, const std::string& why, bool typesUnreadable) = 0;
  // The folders and links a Load Folder or a drop passed over (never called with none).
  virtual void PassedOver(Command command, const std::vector<window::PassedOver>& passedOver) = 0;

  // The history cannot be written in `where` (`error` says why), so `command` would have no way
  // back once the window closes: true when the user agrees to go on without it.
  virtual bool GoOnWithoutHistory(Command command, const std::string& where,
                                  std::error_code error) = 0;
  // Offers to take `batch` back: true when the user takes it. `interrupted` when its program ended
  // in the middle of it (asked at start); false when Undo had nothing else to do.
  virtual bool OfferTakeBack(const platform::BatchSummary& batch, bool interrupted) = 0;
  // The history at `location` was damaged: it was kept as `setAsideAs`, and a new one started.
  virtual void HistorySetAside(const std::string& location, const std::string& setAsideAs) = 0;
};

}  // namespace vornick::window
