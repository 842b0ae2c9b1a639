#pragma once

#include <QAbstractTableModel>
#include <QItemSelection>
#include <QStringList>
#include <cstddef>

#include "window/rename_list.h"

namespace vornick::gui {

// The rows of Form1's rename list as the list view sees them. It holds no copy of a row: it reads
// the list, and writes back only the check mark and the selection flags. Rows appended to the list
// reach the view only when ShowAppendedRows is called, all of them in one insert.
class RenameModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit RenameModel(QObject* parent = nullptr);

  // The list shown (none: nothing is shown, as when the list goes away before the view).
  void SetRows(window::RenameList* rows);
  void AddColumn(const QString& header);

  // Shows the rows appended since the last call, in one insert.
  void ShowAppendedRows();
  bool HasHiddenRows() const;
  // The check marks of rows first..last changed; one signal for the rows shown.
  void ShowChangedRows(std::size_t first, std::size_t last);
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
  const window::RenameEntry* Entry(const QModelIndex& index) const;

  window::RenameList* rows_ = nullptr;
  int shown_ = 0;  // rows the view knows of
  bool clearing_ = false;
  QStringList headers_;
};

}  // namespace vornick::gui
