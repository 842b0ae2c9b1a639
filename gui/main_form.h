// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <array>

#include "platform/window.h"

namespace vornick::gui {

class CommandButton;
class CountsLine;
class FindBar;
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
  FindBar& Finder() const { return *findBar_; }
  CountsLine& Counts() const { return *counts_; }

  // The list's size as the layout gives it; the find bar, while open, takes its bottom part.
  void SetListSize(int width, int height);
  QSize ListSize() const { return listSize_; }
  // The counts line sits under the lowest button.
  void PlaceCountsLine();
  // How much higher than the layout leaves room for, the line under the buttons needs to be, in
  // pixels, with a frame `frameHeight` pixels taller than the window's inside.
  int CountsLineShortfall(int frameHeight) const;

 signals:
  // The outer size changed (also when the frame first appears around the window).
  void Resized();
  // A mouse move over the bare window, not over a control.
  void MouseMoved();
  void ButtonMouseMoved(platform::Button button);
  void CloseRequested();
  void HistoryRequested();
  void MakeNamesSafeRequested();
  void BackToProposalRequested();
  // Check (true) or uncheck the selected rows.
  void CheckSelectedRequested(bool checked);
  // Check (true) or uncheck the rows the find bar shows (every row while it is closed).
  void CheckShownRequested(bool checked);
  void TypesRequested();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ReportOuterSize();
  QAction* ListAction(const QString& text, const QString& tip);
  void OpenContainingFolder();
  void CopyPaths();
  void LayOutList();

  RenameView* fileList_;
  FindBar* findBar_;
  CountsLine* counts_;
  QSize listSize_;  // as the layout gives it
  QAction* history_;
  std::array<CommandButton*, platform::kButtonCount> buttons_{};
  QSize lastOuterSize_;
};

}  // namespace vornick::gui
