// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

#include "platform/window.h"

namespace vornick::gui {

class CommandButton;
class RenameView;

// Form1's window: the file list and the eight command buttons at their fixed places. It turns
// the window's own events into signals.
class MainForm final : public QWidget {
  Q_OBJECT

 public:
  explicit MainForm(QWidget* parent = nullptr);

  RenameView& FileList() const { return *fileList_; }
  CommandButton& ButtonOf(platform::Button button) const {
    return *buttons_.at(static_cast<std::size_t>(button));
  }
  static QIcon Picture(platform::Button button);
  // "History...": Ctrl+H anywhere in the window, and the file list's context menu.
  QAction& HistoryAction() const { return *history_; }

 signals:
  // The outer size changed (also when the frame first appears around the window).
  void Resized();
  // A mouse move over the bare window, not over a control.
  void MouseMoved();
  void ButtonMouseMoved(platform::Button button);
  void CloseRequested();
  void HistoryRequested();
  void MakeNamesSafeRequested();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ReportOuterSize();

  RenameView* fileList_;
  QAction* history_;
  QAction* makeSafe_;
  std::array<CommandButton*, platform::kButtonCount> buttons_{};
  QSize lastOuterSize_;
};

}  // namespace vornick::gui
