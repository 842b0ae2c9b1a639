// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/history_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "gui/wording.h"

namespace vornick::gui {
namespace {

enum Column { kWhen, kState, kFiles, kFolder, kCommand, kColumns };

// A long folder keeps the other columns in sight; its tooltip shows it whole.
constexpr int kMostFolderWidth = 320;

// The commands the program itself writes, named here so that they are taken into the
// translations; any other (another program's) is shown as it was written.
[[maybe_unused]] constexpr const char* kCommandTexts[] = {
    QT_TRANSLATE_NOOP("History", "Rename"),
    QT_TRANSLATE_NOOP("History", "Undo"),
};

bool CanTakeBack(const platform::BatchSummary& batch) {
  return batch.renamed > 0 && !batch.running;
}

}  // namespace

HistoryDialog::HistoryDialog(Reader read, TakeBack takeBack, QWidget* parent)
    : QDialog(parent), read_(std::move(read)), takeBackBatch_(std::move(takeBack)) {
  setWindowTitle(QCoreApplication::translate("History", "Rename History"));

  note_ = new QLabel(this);
  note_->setWordWrap(true);
  note_->setTextFormat(Qt::PlainText);  // an error may name a file, never markup

  table_ = new QTreeWidget(this);
  table_->setColumnCount(kColumns);
  table_->setHeaderLabels({QCoreApplication::translate("History", "When"),
                           QCoreApplication::translate("History", "State"),
                           QCoreApplication::translate("History", "Files"),
                           QCoreApplication::translate("History", "Folder"),
                           QCoreApplication::translate("History", "Command")});
  table_->headerItem()->setTextAlignment(kFiles, Qt::AlignRight | Qt::AlignVCenter);
  table_->setRootIsDecorated(false);
  table_->setItemsExpandable(false);
  table_->setUniformRowHeights(true);
  table_->setAllColumnsShowFocus(true);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->header()->setSectionsMovable(false);
  table_->setAccessibleName(QCoreApplication::translate("History", "Renames in the history"));
  const QString tableTip =
      QCoreApplication::translate("History", "Every Rename kept in the history, newest first");
  table_->setToolTip(tableTip);
  table_->setAccessibleDescription(tableTip);

  auto* buttons = new QDialogButtonBox(this);
  takeBack_ = buttons->addButton(QCoreApplication::translate("History", "&Take Back"),
                                 QDialogButtonBox::ActionRole);
  takeBack_->setToolTip(QCoreApplication::translate(
      "History",
      "Give the files of the selected Rename their old names back, where they still have "
      "the new ones"));
  close_ = buttons->addButton(QCoreApplication::translate("History", "&Close"),
                              QDialogButtonBox::RejectRole);
  close_->setToolTip(
      QCoreApplication::translate("History", "Close this window; nothing is renamed"));
  // Return closes, unless Take Back has the focus: a batch is taken back only by its own button.
  close_->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(note_);
  layout->addWidget(table_);
  layout->addWidget(buttons);

  connect(takeBack_, &QPushButton::clicked, this, &HistoryDialog::TakeBackSelected);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(table_, &QTreeWidget::currentItemChanged, this, &HistoryDialog::UpdateTakeBack);

  resize(720, 320);
  Refresh();
  table_->setFocus();
}

void HistoryDialog::Refresh() {
  const std::optional<platform::BatchSummary> selected = Selected();
  table_->clear();
  batches_.clear();
  try {
    batches_ = read_();
    note_->setText(batches_.empty() ? QCoreApplication::translate(
                                          "History", "No renames are kept in the history yet.")
                                    : QString());
  } catch (const std::exception& error) {
    note_->setText(QCoreApplication::translate("History", "The history could not be read: %1")
                       .arg(Text(error.what())));
  }
  note_->setVisible(!note_->text().isEmpty());

  QTreeWidgetItem* current = nullptr;
  for (const platform::BatchSummary& batch : batches_) {
    const QString folder = Text(batch.folder);
    auto* item = new QTreeWidgetItem(table_);
    item->setText(kWhen, WhenWords(batch.started));
    item->setText(kState, BatchStateWords(batch));
    item->setText(kFiles, QLocale().toString(static_cast<qulonglong>(batch.files)));
    item->setTextAlignment(kFiles, Qt::AlignRight | Qt::AlignVCenter);
    item->setText(kFolder, folder);
    item->setToolTip(kFolder, folder);
    item->setText(kCommand, QCoreApplication::translate("History", batch.command.c_str()));
    if (current == nullptr || (selected && batch.id == selected->id)) current = item;
  }
  for (int column = kWhen; column < kCommand; ++column) table_->resizeColumnToContents(column);
  table_->setColumnWidth(kFolder, std::min(table_->columnWidth(kFolder), kMostFolderWidth));
  // Keyboard users start on a row, the newest one unless another was chosen before.
  if (current != nullptr) table_->setCurrentItem(current);
  UpdateTakeBack();
}

std::optional<platform::BatchSummary> HistoryDialog::Selected() const {
  QTreeWidgetItem* item = table_->currentItem();
  if (item == nullptr) return std::nullopt;
  const int row = table_->indexOfTopLevelItem(item);
  if (row < 0 || static_cast<std::size_t>(row) >= batches_.size()) return std::nullopt;
  return batches_[static_cast<std::size_t>(row)];
}

void HistoryDialog::UpdateTakeBack() {
  const std::optional<platform::BatchSummary> batch = Selected();
  takeBack_->setEnabled(batch && CanTakeBack(*batch));
}

void HistoryDialog::TakeBackSelected() {
  const std::optional<platform::BatchSummary> batch = Selected();
  if (!batch || !CanTakeBack(*batch)) return;
  takeBackBatch_(batch->id);
  Refresh();
  // The button goes grey once its batch is back; the keyboard stays on the rows.
  if (!takeBack_->isEnabled()) table_->setFocus();
}

}  // namespace vornick::gui
