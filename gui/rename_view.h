// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QHeaderView>
#include <QTableView>
#include <string>
#include <vector>

namespace vornick::gui {

// The file list: the rename list in report style, a check box at the start of every row. It tells a
// click on a row's text from a click on its check box, reports every mouse move over any of its
// parts, and takes drops of local files. A table view, as every row has one height: it keeps
// nothing for each row, where a tree view keeps 40 bytes a row and lays them all out.
class RenameView final : public QTableView {
  Q_OBJECT

 public:
  explicit RenameView(QWidget* parent);
  // What the empty list says.
  static QString EmptyListText();
  // Opens the current row's proposed name for editing.
  void EditProposedName();
  // The column headers.
  QHeaderView* header() const { return horizontalHeader(); }

 signals:
  // A left click on a row, not on its check box.
  void RowClicked();
  void MouseMoved();
  // Sent after the drop has finished, so the dragging program is not kept waiting.
  void PathsDropped(const std::vector<std::string>& paths);
  // An edit of a name that cannot be one was refused, in these words.
  void EditRefused(const QString& words);

 protected:
  using QTableView::edit;
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void changeEvent(QEvent* event) override;
  void dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                   const QList<int>& roles) override;

 private:
  // Takes the drop as a copy, never a move: the files stay where they are.
  static bool AcceptAsCopy(QDropEvent* event);

  // Space turns over the current row's mark, whatever column is current; only inside a
  // type-to-find under way is it a letter of the search.
  bool ToggleBySpace(QKeyEvent* event);
  // Every row is as high as a line of text with its check box and icon.
  void SetRowHeight();

  bool checkToggledByRelease_ = false;
  QElapsedTimer lastSearchKey_;  // the last letter typed to find a row
};

}  // namespace vornick::gui
