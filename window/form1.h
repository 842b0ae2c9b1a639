// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"
#include "platform/window.h"
#include "window/list_operations.h"
#include "window/reports.h"

namespace vornick::window {

using platform::Button;

// The main window's controller: it turns the window's events into the list operations and shows
// what they did (caption, pointer, rows, messages). The host (the Qt window, or a test) calls the
// event handlers; Form1 reaches its window and dialogs only through the platform interfaces.
//
// Every handler contains the failures (std::exception) of its own work, so none escapes to the
// host; only the window's End() unwinds through them.
class Form1 {
 public:
  // Without a history store, nothing is kept past the window's life.
  Form1(platform::FileSystem& fileSystem, platform::SettingsStore& settings,
        platform::Dialogs& dialogs, Reports& reports, platform::Window& window,
        platform::HistoryStore* history = nullptr);

  ListOperations& Operations() noexcept { return operations_; }
  const RenameList& List() const noexcept { return operations_.List(); }

  // A press of a command button, by mouse or keyboard. The button's two-state value goes to 1,
  // and its click handler, finding it so, sets it back to 0 (entering itself once more, to no
  // effect) and runs the command; a command can so be pressed again while it runs.
  void Press(Button button);
  int Value(Button button) const { return values_.at(Index(button)); }

  // The window's events.
  void OnLoad();
  void OnResize();
  void OnMouseMove();  // over the bare window
  void OnButtonMouseMove(Button button);
  void OnListClick();
  void OnListMouseMove();
  void OnDrop(const std::vector<std::string>& paths);
  // Paths named when the program started: each folder is added as Load Folder adds the folder
  // picked, each file as Load Files adds the files picked; paths that are not there are reported.
  void OnOpen(const std::vector<std::string>& paths);
  // Once the window shows: a batch that a program left in the middle is offered to be taken back
  // (kept, it is settled as it stands, and not offered again).
  void OnStarted();

  // The history, newest batch first; empty without one. Throws platform::HistoryError.
  std::vector<platform::BatchSummary> History();
  // Takes batch `id` back, rows of the list included, and tells what failed.
  void TakeBack(std::int64_t id);
  // Rewrites the proposed names of the selected rows (every row when none is) into names their
  // folders' file systems take. Returns how many changed.
  std::size_t MakeNamesSafe();
  // The user's own proposed name for row `index` (see ListOperations::EditNewName).
  ListOperations::EditRefusal EditName(std::size_t index, std::string newName);
  // Gives the selected rows (every row when none is) their worked-out proposed names back.
  std::size_t BackToProposal();
  // Checks or unchecks `rows`, as shown by the view (the selected rows, or those a filter shows).
  void CheckRows(const std::vector<std::size_t>& rows, bool checked);

  // What the last Load Folder, Load Files, drop or start-up paths added, and the music files of
  // other types they passed over; none since the list was cleared.
  struct LoadSummary {
    std::size_t added = 0;
    std::map<std::string, std::size_t> otherTypes;  // by type, upper case
  };
  const std::optional<LoadSummary>& LastLoad() const noexcept { return lastLoad_; }

 private:
  static std::size_t Index(Button button) { return static_cast<std::size_t>(button); }
  void SetValue(Button button, int value);
  void OnButtonClick(Button button);

  void Rename(RenameDirection direction);
  // Undo with nothing to do in the list offers the newest batch still renamed; true when it asked.
  bool OfferNewestBatch();
  void TellSetAside();
  void LoadFolder();
  void AddFolder(const std::string& folder);
  void LoadFiles();
  void SetAllChecked(bool checked);
  void ClearList();

  void EndGathering();
  // Idle again, then what went wrong told.
  void EndGathering(Command command, const GatherResult& result);
  PauseHook BusyAt(Pause busy);
  void LoadCursorIfThere(std::string_view fileName);
  void TakeLoad(const GatherResult& result);
  // The selected rows; every row when none is.
  std::vector<std::size_t> SelectedOrAll() const;

  platform::FileSystem& fileSystem_;
  platform::Dialogs& dialogs_;
  Reports& reports_;
  platform::Window& window_;
  platform::HistoryStore* history_;
  ListOperations operations_;
  std::array<int, platform::kButtonCount> values_{};
  std::string lastClickedName_;
  std::optional<LoadSummary> lastLoad_;
};

}  // namespace vornick::window
