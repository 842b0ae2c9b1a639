// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCursor>
#include <QElapsedTimer>
#include <memory>
#include <optional>
#include <string>

#include "gui/main_form.h"
#include "platform/window.h"
#include "window/rename_list.h"
#include "window/row_checks.h"

namespace vornick::gui {

class RenameModel;

// The Window that Form1 drives, on Qt Widgets: each request becomes a widget call, in twips
// converted to device-independent pixels.
class QtWindow final : public platform::Window {
 public:
  QtWindow();
  ~QtWindow() override;

  MainForm& Form() const { return *form_; }
  RenameModel& Model() const { return *model_; }
  // The list the view shows, Form1's own rows, and what tells each row's status; none before they
  // go away.
  void ShowRows(window::RenameList* rows, window::RowChecks* checks);
  // Hands the rows appended since the last call to the view, in one insert.
  void ShowAppendedRows();
  // Shows the rows' statuses, held back while a command that lets events run (DoEvents) was under
  // way; called when the outermost command ends.
  void ShowStatuses();
  // Where the cursor files are looked for; the executable's folder unless set.
  void SetProgramFolder(std::string folder) { programFolder_ = std::move(folder); }

  void SetCaption(const std::string& caption) override;
  std::string Caption() const override;
  void SetMousePointer(platform::Pointer pointer) override;
  platform::Pointer MousePointer() const override;
  bool LoadMouseIcon(const std::string& cursorFile) override;
  std::string ProgramFolder() const override;
  // $XDG_DATA_HOME/vornick, then each of $XDG_DATA_DIRS/vornick.
  std::vector<std::string> DataFolders() const override;
  void DoEvents() override;
  [[noreturn]] void End() override;
  platform::Twips OuterWidth() const override;
  platform::Twips OuterHeight() const override;
  platform::Twips ListWidth() const override;
  bool SetListWidth(platform::Twips width) override;
  bool SetListHeight(platform::Twips height) override;
  bool SetButtonTop(platform::Button button, platform::Twips top) override;
  void AddColumn(const std::string& header, platform::Twips width) override;
  bool SetColumnWidth(int column, platform::Twips width) override;
  void RowsChanged(std::size_t first, std::size_t last) override;
  void NamesChanged(std::size_t first, std::size_t last) override;
  void RowsAboutToBeCleared() override;
  void RowsCleared() override;

 private:
  void ShowPointer();

  std::unique_ptr<MainForm> form_;
  RenameModel* model_;  // owned by the form
  std::string caption_;
  platform::Pointer pointer_ = platform::Pointer::kDefault;
  std::optional<QCursor> mouseIcon_;
  // Which file the pointer picture was read from, and how it stood then: a hover reads it again
  // only when it changed.
  std::string mouseIconPath_;
  std::string mouseIconStamp_;
  std::string programFolder_;
  QElapsedTimer lastShown_;   // since rows were last shown at a DoEvents
  QElapsedTimer lastEvents_;  // since events last ran at a DoEvents, in this command
  qint64 showInterval_ = 0;
};

}  // namespace vornick::gui
