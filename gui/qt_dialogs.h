// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "platform/dialogs.h"
#include "window/reports.h"

class QWidget;

namespace vornick::gui {

// The folder picker and the file-open dialog are the desktop's (QFileDialog); reports are message
// boxes, worded in the user's language. All are modal over `parent`.
class QtDialogs final : public platform::Dialogs, public window::Reports {
 public:
  explicit QtDialogs(QWidget* parent) : parent_(parent) {}

  std::string BrowseForFolder(const std::string& prompt) override;
  std::vector<std::string> ShowOpen(const platform::OpenDialogOptions& options) override;
  void RenameFailed(window::RenameDirection direction,
                    const std::vector<window::RenameFailure>& failures) override;
  void Stopped(window::Command command, const std::string& why, bool typesUnreadable) override;
  void PassedOver(window::Command command,
                  const std::vector<window::PassedOver>& passedOver) override;

  // A message box of plain text with an OK button; a long text shows its beginning, and the whole
  // under "Show Details...".
  void ShowMessage(const QString& title, const QString& text);

 private:
  QWidget* parent_;
};

}  // namespace vornick::gui
