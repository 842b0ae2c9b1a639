#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/folder_walk.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"
#include "platform/window.h"
#include "window/rename_command.h"
#include "window/rename_list.h"

namespace vornick::window {

// The main window's logic: the rename list, the work list, and every event handler and command.
// The host (the Qt window, or the headless one of the command line and the tests) calls the
// handlers; Form1 reaches its window, dialogs, disk and settings only through the platform objects.
//
// Every handler contains the failures (std::exception) of its own work, so none escapes to the
// host; only the window's End() unwinds through them.
class Form1 {
 public:
  Form1(platform::FileSystem& fileSystem, platform::SettingsStore& settings,
        platform::Dialogs& dialogs, platform::Window& window);

  RenameList& ListView1() noexcept { return list_; }
  const RenameList& ListView1() const noexcept { return list_; }
  files::PendingPaths& List4() noexcept { return pending_; }
  const std::string& LastClickedName() const noexcept { return lastClickedName_; }

  // Appends a row for `fullPath`; throws cleaning::NameCleaningError (the row stays, unchecked,
  // with an empty NewName) when its name cannot be cleaned.
  void AddEntry(const std::string& fullPath, bool markIfChanged);
  // Appends a row exactly as given, as a saved plan holds it.
  void AddPlannedRow(std::string currentName, std::string newName, std::string_view folder,
                     bool checked);

  // The rows that the last Rename or Undo could not do (empty when all went well).
  const std::vector<RenameFailure>& LastRenameFailures() const noexcept { return failures_; }
  // True while Load Folder or a drop gathers folders.
  bool Gathering() const noexcept { return gathering_; }

  // Event handlers.
  void Form_Load();
  void Form_Resize();
  void Form_MouseMove();
  void ListView1_Click();
  void ListView1_MouseMove();
  void ListView1_OLEDragDrop(const std::vector<std::string>& droppedPaths);
  // Calls the click handler of `button` (Check1 to Check8), as the window does when its Value
  // changes.
  void CheckClick(platform::Control button);
  void Check1_Click();  // Rename
  void Check2_Click();  // Undo
  void Check3_Click();  // Load Folder
  void Check4_Click();  // Load Files
  void Check5_Click();  // Select All
  void Check6_Click();  // Unselect All
  void Check7_Click();  // Exit
  void Check8_Click();  // Clear List
  void Check1_MouseMove();
  void Check2_MouseMove();
  void Check3_MouseMove();
  void Check4_MouseMove();
  void Check5_MouseMove();
  void Check6_MouseMove();
  void Check7_MouseMove();

 private:
  // The push-button protocol: true when this click is the press that runs the command.
  bool Pressed(platform::Control button);
  // Runs `command`, showing a failure that escapes it as one message titled `title`.
  void Contained(const std::string& title, const std::function<void()>& command);

  void Rename(RenameDirection direction);
  void SetAllChecked(bool checked);
  void ClearList();
  void LoadFolder();
  void LoadFiles();

  // Folder gathering, shared by Load Folder and drops.
  void FillPending(std::string folder);
  void AddListing(const std::string& folder, const std::string& filePattern);
  void DropPath(const std::string& path);
  void DropFile(const std::string& path);
  // AddEntry, going on when the name cannot be cleaned (the row stays, unchecked).
  void AddEntryContained(const std::string& fullPath, bool markIfChanged);
  // The selected file types; MP3 when none is configured.
  std::vector<std::string> FileTypes();
  void EndGathering();

  // Pointer and cursor files.
  void LoadCursorIfThere(std::string_view fileName);

  platform::FileSystem& fileSystem_;
  platform::SettingsStore& settings_;
  platform::Dialogs& dialogs_;
  platform::Window& window_;
  RenameList list_;
  files::PendingPaths pending_;
  std::string lastClickedName_;
  std::vector<RenameFailure> failures_;
  bool gathering_ = false;
};

}  // namespace vornick::window
