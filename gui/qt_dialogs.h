// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dialogs.h"

class QWidget;

namespace vornick::gui {

// The folder picker and the file-open dialog are the desktop's (QFileDialog); messages are message
// boxes. All are modal over `parent`.
class QtDialogs final : public platform::Dialogs {
 public:
  explicit QtDialogs(QWidget* parent) : parent_(parent) {}

  std::string BrowseForFolder(const std::string& prompt) override;
  std::vector<std::string> ShowOpen(const platform::OpenDialogOptions& options) override;
  void ShowMessage(const std::string& title, const std::string& text) override;

 private:
  QWidget* parent_;
};

}  // namespace vornick::gui
