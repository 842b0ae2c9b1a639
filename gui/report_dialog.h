// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

#include "gui/wording.h"

class QLabel;
class QPushButton;
class QTreeView;

namespace vornick::gui {

class ReportModel;

// A report of many files or folders: a summary, then one line for each in a list that scrolls,
// sorts by a column and copies to the clipboard. However long the list, the dialog stays within
// the screen it opens on, so its buttons are always in reach.
class ReportDialog final : public QDialog {
  Q_OBJECT

 public:
  ReportDialog(ReportText report, QWidget* parent);

  QLabel& Summary() const { return *summary_; }
  QTreeView& List() const { return *list_; }
  QPushButton& CopyButton() const { return *copy_; }
  QPushButton& OkButton() const { return *ok_; }

  // The lines selected, or all of them when none is, in the list's order: the cells of each
  // separated by tabs, each line ending with a line break.
  QString CopiedText() const;
  // Puts CopiedText on the clipboard.
  void Copy() const;

 private:
  void FitToScreen();

  ReportModel* model_;
  QLabel* summary_;
  QTreeView* list_;
  QPushButton* copy_;
  QPushButton* ok_;
};

}  // namespace vornick::gui
