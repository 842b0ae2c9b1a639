// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/history_store.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace vornick::gui {

// The rename history, newest batch first, with a way to take a batch back. It holds no rule of its
// own: it reads the batches and takes one back through what it is given.
class HistoryDialog final : public QDialog {
  Q_OBJECT

 public:
  // `read` may throw (a history that cannot be read): the dialog then says why instead.
  using Reader = std::function<std::vector<platform::BatchSummary>()>;
  using TakeBack = std::function<void(std::int64_t batch)>;
  HistoryDialog(Reader read, TakeBack takeBack, QWidget* parent);

  QTreeWidget& Table() const { return *table_; }
  QPushButton& TakeBackButton() const { return *takeBack_; }
  QPushButton& CloseButton() const { return *close_; }
  // What stands above the table when there is nothing to list, or the history cannot be read.
  QLabel& Note() const { return *note_; }

  // Reads the history again; the batch selected stays selected while it is there.
  void Refresh();

 private:
  std::optional<platform::BatchSummary> Selected() const;
  void UpdateTakeBack();
  void TakeBackSelected();

  Reader read_;
  TakeBack takeBackBatch_;
  std::vector<platform::BatchSummary> batches_;  // in the table's order
  QLabel* note_;
  QTreeWidget* table_;
  QPushButton* takeBack_;
  QPushButton* close_;
};

}  // namespace vornick::gui
