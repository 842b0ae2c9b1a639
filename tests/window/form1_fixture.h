#pragma once

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/headless/headless_dialogs.h"
#include "platform/headless/headless_window.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_settings_store.h"
#include "window/form1.h"

namespace vornick::window {

// Form1 on the given file system (the in-memory one unless a test needs a real disk), fake
// settings and the headless window, wired as a host wires it: a change of a button's Value calls
// its click handler.
template <typename FileSystemType = fakes::FakeFileSystem>
class BasicForm1Test : public ::testing::Test {
 protected:
  BasicForm1Test() {
    window.SetProgramFolder("/app");
    window.SetClickHandler([this](platform::Control button) {
      ++clicks[static_cast<std::size_t>(button)];
      form.CheckClick(button);
    });
  }

  // A press of the button by the user: its Value becomes 1.
  void Press(platform::Control button) { window.SetValue(button, 1); }
  void SetTypes(const std::string& fileTypes, const std::string& checkedIndexes) {
    settings.SetTypes(fileTypes, checkedIndexes);
  }

  // Each row as "current|new|folder|checked".
  std::vector<std::string> Rows() const {
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < form.ListView1().Count(); ++i) {
      const RenameEntry& row = form.ListView1().Row(i);
      rows.push_back(row.CurrentName + "|" + row.NewName + "|" + row.FolderPath() + "|" +
                     (row.Checked ? "1" : "0"));
    }
    return rows;
  }

  FileSystemType fileSystem;
  fakes::FakeSettingsStore settings;
  platform::headless::HeadlessDialogs dialogs;
  platform::headless::HeadlessWindow window;
  Form1 form{fileSystem, settings, dialogs, window};
  std::array<int, 10> clicks{};
};

using Form1Test = BasicForm1Test<>;

}  // namespace vornick::window
