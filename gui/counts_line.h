// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <QWidget>
#include <optional>

#include "window/form1.h"
#include "window/rename_list.h"
#include "window/row_checks.h"

class QLabel;
class QToolButton;

namespace vornick::gui {

// The line under the buttons: how many rows there are, checked, that Rename would refuse, renamed
// and failed; what the last load added and which music it passed over; and a way to the file
// types. The counts follow the list; those Rename would refuse are worked out a slice at a time
// while the window is idle, as they may look at the disk.
class CountsLine final : public QWidget, private window::RenameList::Listener {
  Q_OBJECT

 public:
  explicit CountsLine(QWidget* parent);
  ~CountsLine() override;

  void SetRows(window::RenameList* rows, window::RowChecks* checks);
  void SetLoad(const std::optional<window::Form1::LoadSummary>& load);
  // While held (a command is under way) the rows Rename would refuse are not counted.
  void Hold(bool held);
  // Counts again once the window is idle: the disk, or the rows, may have changed.
  void Recount() noexcept;
  // The words shown, whole (the line may cut them short).
  QString Words() const { return words_; }

 signals:
  void TypesRequested();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Told for each row of a million: only notes that the counts are to be made again.
  void RowsAppended(std::size_t, std::size_t) noexcept override { Recount(); }
  void CheckChanged(std::size_t) noexcept override { Recount(); }
  void AllChecked(bool) noexcept override { Recount(); }
  void NameChanged(std::size_t) noexcept override { Recount(); }
  void StateChanged(std::size_t) noexcept override { Recount(); }
  void Cleared() noexcept override { Recount(); }

  void CountSlice();
  void Show();

  window::RenameList* rows_ = nullptr;
  window::RowChecks* checks_ = nullptr;
  std::optional<window::Form1::LoadSummary> load_;
  QLabel* text_;
  QToolButton* types_;
  QTimer slice_;
  QTimer heldTick_;
  QString words_;
  std::size_t scanned_ = 0, refused_ = 0;
  std::optional<std::size_t> refusedShown_;  // the last whole count
  bool held_ = false;
};

}  // namespace vornick::gui
