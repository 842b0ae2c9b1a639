// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <QItemSelection>
#include <QStringList>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

#include "gui/row_order.h"
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
//
// The view may sort the rows and show only some of them; the list keeps its order, and Rename and
// Undo go by it. The model then holds the list's row numbers in the order shown ("view rows" are
// positions in it); while neither is asked for, it holds nothing and view rows are list rows.
class RenameModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kCurrentName = 0, kNewName = 1, kFolder = 2 };
  // The rows a filter shows, besides those its text picks.
  enum class RowKind { kAll, kWouldChange, kWouldBeRefused, kRenamed, kFailed };
  // Takes a name the user typed for a list row; returns why it was refused, or nothing.
  using EditHook = std::function<QString(std::size_t listRow, const std::string& name)>;

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
  // Sets them anew from `selection`: a row that a sort or filter takes off the view leaves the
  // selection without a word of it to UpdateSelection.
  void SyncSelection(const QItemSelectionModel& selection);

  // The list row a view row shows, and back (none when the row is not shown).
  std::size_t ListRow(int viewRow) const;
  std::optional<int> ViewRow(std::size_t listRow) const;
  // The list's rows the view shows, in list order.
  std::vector<std::size_t> ShownRows() const;
  // How many rows the list has, shown or not (those the view was told of).
  std::size_t ListCount() const noexcept { return listShown_; }

  // Sorts the view by `column` (-1: list order); stable, so rows alike stay in list order.
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
  // Shows only the rows with `text` in a column (without regard to case) that are of `kind`.
  void SetFilter(const QString& text, RowKind kind);
  bool Filtering() const noexcept { return !match_.Empty() || kind_ != RowKind::kAll; }

  // Where the names typed into the proposed-name column go; without one, that column cannot be
  // edited.
  void SetEditHook(EditHook hook) { editHook_ = std::move(hook); }
  // Why `name` could not be a proposed name (empty when it could): asked before the edit ends.
  static QString NotANameWords(const QString& name);
  // Why the proposed name of the row at `index` cannot be edited now (empty when it can): Undo
  // finds a renamed file by it.
  QString WhyNotEditable(const QModelIndex& index) const;
  static QString RenamedWords();
  // What the proposed name of a row the user edited says of it.
  static QString EditedWords();

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 signals:
  // The rows shown were sorted or filtered anew.
  void Rearranged();

 private:
  struct Status {
    window::RowStatus::Kind kind;
    QString words;  // empty for kNone
  };

  const window::RenameEntry* Entry(const QModelIndex& index) const;
  const Status& StatusOf(std::size_t listRow) const;
  const QIcon& IconOf(window::RowStatus::Kind kind) const;
  // Whether the sort and filter asked for need an order of their own.
  bool Arranged() const noexcept { return sortColumn_ >= 0 || Filtering(); }
  // Whether list row `index` passes the filter.
  bool Passes(std::size_t index) const;
  // Sorts `rows` (list rows) as the view sorts.
  void SortRows(std::vector<std::uint32_t>& rows) const;
  // Shows `order` as the new arrangement, the selection and current row kept where they still
  // show.
  void Rearrange(std::vector<std::uint32_t> order);
  // Builds the arrangement anew; `narrower`: the filter only narrowed, so the rows shown suffice.
  void Arrange(bool narrower);
  // Every row of the list that passes the filter, sorted.
  std::vector<std::uint32_t> FullOrder() const;
  // Every view row's status roles, or all of its columns, changed.
  void ShowAllChanged(bool names);

  window::RenameList* rows_ = nullptr;
  window::RowChecks* checks_ = nullptr;
  // The statuses of the rows painted since they last changed, by list row; few, as only rows on
  // screen are.
  mutable std::unordered_map<std::size_t, Status> statuses_;
  mutable std::array<QIcon, 5> icons_;  // by kind, made when first shown
  std::size_t listShown_ = 0;           // list rows the view was told of
  // The list rows in the order shown, while the rows are sorted or filtered (arranged_); the
  // sort and the filter asked for may be ahead of it while it is made anew.
  std::vector<std::uint32_t> order_;
  bool arranged_ = false;
  int sortColumn_ = -1;
  Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
  TextMatch match_{QString()};
  RowKind kind_ = RowKind::kAll;
  // The folder last searched for the filter's text, and whether it holds it.
  mutable const char* matchedFolder_ = nullptr;
  mutable bool folderMatches_ = false;
  EditHook editHook_;
  bool clearing_ = false;
  bool held_ = false;
  QStringList headers_;
};

}  // namespace vornick::gui
