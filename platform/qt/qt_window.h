#pragma once

#include <QByteArray>
#include <QCursor>
#include <QElapsedTimer>
#include <memory>
#include <optional>
#include <string>

#include "platform/qt/main_form.h"
#include "platform/window.h"
#include "window/rename_list.h"

namespace vornick::platform::qt {

class RenameModel;

// The Window that Form1 drives, on Qt Widgets: each request becomes a widget call, in twips
// converted to device-independent pixels.
class QtWindow final : public Window {
 public:
  QtWindow();
  ~QtWindow() override;

  MainForm& Form() const { return *form_; }
  RenameModel& Model() const { return *model_; }
  // The list the view shows: Form1's own rows; none before they go away.
  void ShowRows(window::RenameList* rows);
  // Hands the rows appended since the last call to the view, in one insert.
  void ShowAppendedRows();
  // Where the cursor files are looked for; the executable's folder unless set.
  void SetProgramFolder(std::string folder) { programFolder_ = std::move(folder); }

  void SetCaption(const std::string& caption) override;
  std::string Caption() const override;
  void SetMousePointer(int code) override;
  int MousePointer() const override;
  bool LoadMouseIcon(const std::string& cursorFile) override;
  std::string ProgramFolder() const override;
  void DoEvents() override;
  [[noreturn]] void End() override;
  float OuterWidth() const override;
  float OuterHeight() const override;
  float ControlWidth(Control control) const override;
  bool SetControlWidth(Control control, float width) override;
  bool SetControlHeight(Control control, float height) override;
  bool SetControlTop(Control control, float top) override;
  void SetReportView() override;
  void AddColumn(const std::string& header, float width) override;
  bool SetColumnWidth(int column, float width) override;
  void RowsAppended() override;
  void RowsChanged(std::size_t first, std::size_t last) override;
  void RowsAboutToBeCleared() override;
  void RowsCleared() override;
  int Value(Control button) const override;
  void SetValue(Control button, int value) override;

 private:
  void ShowPointer();

  std::unique_ptr<MainForm> form_;
  RenameModel* model_;  // owned by the form
  std::string caption_;
  int pointer_ = kPointerDefault;
  std::optional<QCursor> mouseIcon_;
  QByteArray mouseIconBytes_;
  std::string programFolder_;
  QElapsedTimer lastShown_;  // since rows were last shown at a DoEvents
  qint64 showInterval_ = 0;
};

}  // namespace vornick::platform::qt
