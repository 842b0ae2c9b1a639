// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "gui/rename_model.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace vornick::gui {

// The bar under the list that finds rows: the text typed keeps the rows that hold it in any
// column, the choice beside it keeps rows of one kind. Escape closes it, and every row shows again.
class FindBar final : public QWidget {
  Q_OBJECT

 public:
  explicit FindBar(QWidget* parent);

  // Shows the bar (the filter it holds applies again) and puts the keyboard in its text.
  void Open();
  // "N of M rows".
  void ShowCount(int shown, std::size_t total);
  QString Text() const;
  RenameModel::RowKind Which() const;

 signals:
  void FilterChanged(const QString& text, RenameModel::RowKind kind);
  void Closed();
  // "Check the Rows Shown" (true) and "Uncheck the Rows Shown" (false).
  void CheckShown(bool checked);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Close();

  QLineEdit* text_;
  QComboBox* kind_;
  QLabel* count_;
};

}  // namespace vornick::gui
