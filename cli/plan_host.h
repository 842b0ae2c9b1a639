#pragma once

#include <string>

#include "platform/headless/headless_dialogs.h"
#include "platform/headless/headless_window.h"
#include "window/form1.h"

namespace vornick::cli {

// Form1 on the headless window: commands run by pressing their buttons, dialogs answered from
// what the command line was given.
class PlanHost {
 public:
  PlanHost(platform::FileSystem& fileSystem, platform::SettingsStore& settings);
  PlanHost(const PlanHost&) = delete;
  PlanHost& operator=(const PlanHost&) = delete;

  window::Form1& Form() noexcept { return form_; }
  platform::headless::HeadlessDialogs& Dialogs() noexcept { return dialogs_; }

  void Press(platform::Control button) { window_.SetValue(button, 1); }
  // Load Folder with `folder` as the picker's answer.
  void LoadFolder(const std::string& folder);
  // Load Files with `file` as the dialog's answer.
  void LoadFile(const std::string& file);

 private:
  platform::headless::HeadlessWindow window_;
  platform::headless::HeadlessDialogs dialogs_;
  window::Form1 form_;
};

}  // namespace vornick::cli
