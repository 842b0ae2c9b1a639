// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QItemSelection>
#include <QStringList>
#include <array>
#include <cstddef>
#include <unordered_map>

#include "window/rename_list.h"
#include "window/row_checks.h"

namespace vornick::gui {

// The rows of Form1's rename list as the list view sees them. It holds no copy of a row: it reads
// the list, and writes back only the check mark and the selection flags. Rows appended to the list
// reach the view only when ShowAppendedRows is called, all of them in one insert.
//
// Each row's status (what Rename or Undo did to it, or why Rename would refuse it) is an icon in
// the first column, a tooltip and the first cell's accessible description. Working it out may look
// at the disk, so it is asked only for the rows the view paints, and kept until the rows change.
class RenameModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit RenameModel(QObject* parent = nullptr);

  // The list shown and what tells each row's status (none: nothing is shown, as when the list goes
  // away before the view).
  void SetRows(window::RenameList* rows, window::RowChecks* checks);
  void AddColumn(const QString& header);

  // Shows the rows appended since the last call, in one insert.
  void ShowAppendedRows();
  bool HasHiddenRows() const;
  // While held, no row shows a status and none is worked out: rows still to come in a long command
  // can change them, and working them out as the rows come would slow the command.
  void HoldStatuses(bool held);
  bool StatusesHeld() const { return held_; }
  // Rows first..last changed (their marks, or what was done to them): their statuses are asked
  // again when next painted.
  void ForgetStatuses(std::size_t first, std::size_t last);
  // The same rows, on screen: one signal.
  void ShowChangedRows(std::size_t first, std::size_t last);
  // The same, when their proposed names changed too: every column of them.
  void ShowChangedNames(std::size_t first, std::size_t last);
  // Around emptying the list: one reset.
  void BeginClear();
  void EndClear();

  // Keeps the rows' Selected flags and the list's SelectedItem in step with the view.
  void UpdateSelection(const QItemSelection& selected, const QItemSelection& deselected);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 private:
  struct Status {
    window::RowStatus::Kind kind;
    QString words;  // empty for kNone
  };

  const window::RenameEntry* Entry(const QModelIndex& index) const;
  const Status& StatusOf(int row) const;
  const QIcon& IconOf(window::RowStatus::Kind kind) const;

  window::RenameList* rows_ = nullptr;
  window::RowChecks* checks_ = nullptr;
  // The statuses of the rows painted since they last changed; few, as only rows on screen are.
  mutable std::unordered_map<int, Status> statuses_;
  mutable std::array<QIcon, 5> icons_;  // by kind, made when first shown
  int shown_ = 0;                       // rows the view knows of
  bool clearing_ = false;
  bool held_ = false;
  QStringList headers_;
};

}  // namespace vornick::gui
