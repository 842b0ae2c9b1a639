#pragma once

#include <string>

#include "files/folder_walk.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/settings_store.h"
#include "platform/window.h"
#include "window/rename_list.h"

namespace vornick::window {

// The main window's logic: the rename list, the work list, and every event handler and command.
// The host (the Qt window, or the headless one of the command line and the tests) calls the
// handlers; Form1 reaches its window, dialogs, disk and settings only through the platform objects.
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

  // Event handlers.
  void Form_Load();
  void Form_Resize();
  void Form_MouseMove();
  void ListView1_Click();
  void ListView1_MouseMove();
  void ListView1_OLEDragDrop(const std::vector<std::string>& droppedPaths);
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
  platform::FileSystem& fileSystem_;
  platform::SettingsStore& settings_;
  platform::Dialogs& dialogs_;
  platform::Window& window_;
  RenameList list_;
  files::PendingPaths pending_;
  std::string lastClickedName_;
};

}  // namespace vornick::window
