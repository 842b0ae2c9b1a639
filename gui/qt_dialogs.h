// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>

#include "gui/window_state.h"
#include "gui/wording.h"
#include "platform/dialogs.h"
#include "window/reports.h"

class QWidget;

namespace vornick::gui {

// The folder picker and the file-open dialog are the desktop's (QFileDialog); reports are message
// boxes, worded in the user's language, except those that list files or folders: a ReportDialog,
// which fits on the screen however long its list. All are modal over `parent`.
class QtDialogs final : public platform::Dialogs, public window::Reports {
 public:
  // With a window state, each picker opens in the folder it gave last, and the state hears of each
  // folder picked.
  explicit QtDialogs(QWidget* parent, WindowState* state = nullptr)
      : parent_(parent), state_(state) {}

  std::string BrowseForFolder(const std::string& prompt) override;
  std::vector<std::string> ShowOpen(const platform::OpenDialogOptions& options) override;
  void RenameFailed(window::RenameDirection direction,
                    const std::vector<window::RenameFailure>& failures) override;
  void Stopped(window::Command command, const std::string& why, bool typesUnreadable) override;
  void PassedOver(window::Command command,
                  const std::vector<window::PassedOver>& passedOver) override;
  // Cancel is the default: nothing is renamed without a way back unless the user says so.
  bool GoOnWithoutHistory(window::Command command, const std::string& where,
                          std::error_code error) override;
  bool OfferTakeBack(const platform::BatchSummary& batch, bool interrupted) override;
  void HistorySetAside(const std::string& location, const std::string& setAsideAs) override;

  // A message box of plain text with an OK button; a long text shows its beginning, and the whole
  // under "Show Details...".
  void ShowMessage(const QString& title, const QString& text);
  // A question of plain text; true when the user picks `goOn`. Escape (and closing the box)
  // answers `stop`; Return answers `goOn` when `goOnIsDefault`, else `stop`.
  bool Ask(const QuestionText& question, QMessageBox::Icon icon, bool goOnIsDefault);

 private:
  // Where the picker of `picker` opens: its last folder, or Qt's choice.
  QString StartFolder(WindowState::Picker picker) const;

  QWidget* parent_;
  WindowState* state_;
};

}  // namespace vornick::gui
