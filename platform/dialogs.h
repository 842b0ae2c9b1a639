// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace vornick::platform {

struct OpenDialogOptions {
  std::string title;              // "Add File(s) - Use Ctrl and Shift to select multiple files"
  std::string filterDescription;  // "MP3 Files (*.mp3)"
  std::string filterPattern;      // "*.mp3"
  bool allowMultiSelect = true;
};

// The modal dialogs the commands show to ask for files; what a command did is reported through
// the controller's own interface.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // The folder picker: the chosen folder's full path (exact bytes), or "" when cancelled.
  virtual std::string BrowseForFolder(const std::string& prompt) = 0;

  // The file-open dialog: the full paths picked (exact bytes), in the dialog's order; none when
  // cancelled.
  virtual std::vector<std::string> ShowOpen(const OpenDialogOptions& options) = 0;
};

}  // namespace vornick::platform
