// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/rename_model.h"

#include <QApplication>
#include <QPixmap>
#include <QStyle>
#include <algorithm>
#include <climits>
#include <exception>

#include "gui/wording.h"

namespace vornick::gui {
namespace {

enum Column { kCurrentName = 0, kNewName = 1, kFolder = 2 };

int RowCountOf(const window::RenameList& rows) {
  return static_cast<int>(std::min<std::size_t>(rows.Count(), INT_MAX));
}

using Kind = window::RowStatus::Kind;

// Rows scrolled through are not kept for ever: past this many, the statuses start over.
constexpr std::size_t kMostStatusesKept = 4096;

const QList<int> kStatusRoles{Qt::CheckStateRole, Qt::DecorationRole, Qt::ToolTipRole,
                              Qt::AccessibleDescriptionRole};

}  // namespace

RenameModel::RenameModel(QObject* parent) : QAbstractTableModel(parent) {}

void RenameModel::SetRows(window::RenameList* rows, window::RowChecks* checks) {
  beginResetModel();
  rows_ = rows;
  checks_ = checks;
  statuses_.clear();
  shown_ = rows == nullptr ? 0 : RowCountOf(*rows);
  clearing_ = false;
  endResetModel();
}

void RenameModel::AddColumn(const QString& header) {
  const int column = static_cast<int>(headers_.size());
  beginInsertColumns({}, column, column);
  headers_.append(header);
  endInsertColumns();
}

bool RenameModel::HasHiddenRows() const {
  return rows_ != nullptr && !clearing_ && RowCountOf(*rows_) != shown_;
}

void RenameModel::ShowAppendedRows() {
  if (!HasHiddenRows()) return;
  // A new row can make a row shown before one of two rows of the same file, or of the same name.
  statuses_.clear();
  const int count = RowCountOf(*rows_);
  if (count < shown_) {
    // Rows only ever go away through a clear; should that be skipped, start over.
    beginResetModel();
    shown_ = count;
    endResetModel();
    return;
  }
  beginInsertRows({}, shown_, count - 1);
  shown_ = count;
  endInsertRows();
}

void RenameModel::HoldStatuses(bool held) {
  if (held == held_) return;
  held_ = held;
  statuses_.clear();
}

void RenameModel::ForgetStatuses(std::size_t first, std::size_t last) {
  std::erase_if(statuses_, [first, last](const auto& status) {
    const auto row = static_cast<std::size_t>(status.first);
    return row >= first && row <= last;
  });
}

void RenameModel::ShowChangedRows(std::size_t first, std::size_t last) {
  if (clearing_ || shown_ == 0 || first > last) return;
  const auto lastShown = static_cast<std::size_t>(shown_ - 1);
  if (first > lastShown) return;
  last = std::min(last, lastShown);
  emit dataChanged(index(static_cast<int>(first), kCurrentName),
                   index(static_cast<int>(last), kCurrentName), kStatusRoles);
}

void RenameModel::ShowChangedNames(std::size_t first, std::size_t last) {
  if (clearing_ || shown_ == 0 || first > last) return;
  const auto lastShown = static_cast<std::size_t>(shown_ - 1);
  if (first > lastShown) return;
  last = std::min(last, lastShown);
  emit dataChanged(index(static_cast<int>(first), 0),
                   index(static_cast<int>(last), columnCount() - 1));
}

void RenameModel::BeginClear() {
  if (clearing_) return;
  beginResetModel();
  clearing_ = true;
  statuses_.clear();
}

void RenameModel::EndClear() {
  if (!clearing_) return;
  shown_ = rows_ == nullptr ? 0 : RowCountOf(*rows_);
  clearing_ = false;
  endResetModel();
}

void RenameModel::UpdateSelection(const QItemSelection& selected,
                                  const QItemSelection& deselected) {
  if (rows_ == nullptr || clearing_) return;
  const auto mark = [this](const QItemSelection& ranges, bool on) {
    for (const QItemSelectionRange& range : ranges) {
      const int last = std::min(range.bottom(), RowCountOf(*rows_) - 1);
      for (int row = range.top(); row <= last; ++row) {
        rows_->SetSelected(static_cast<std::size_t>(row), on);
      }
    }
  };
  mark(deselected, false);
  mark(selected, true);
  if (!selected.isEmpty()) {
    rows_->SetSelectedItem(static_cast<std::size_t>(selected.first().top()));
  } else if (const auto item = rows_->SelectedItem();
             item && *item < rows_->Count() && !rows_->Row(*item).Selected) {
    rows_->SetSelectedItem(std::nullopt);
  }
}

int RenameModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shown_;
}

int RenameModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

const window::RenameEntry* RenameModel::Entry(const QModelIndex& index) const {
  if (rows_ == nullptr || !index.isValid() || index.row() >= shown_) return nullptr;
  const auto row = static_cast<std::size_t>(index.row());
  return row < rows_->Count() ? &rows_->Row(row) : nullptr;
}

const RenameModel::Status& RenameModel::StatusOf(int row) const {
  static const Status kHeld{Kind::kNone, {}};
  if (held_) return kHeld;
  if (const auto found = statuses_.find(row); found != statuses_.end()) return found->second;
  if (statuses_.size() >= kMostStatusesKept) statuses_.clear();
  window::RowStatus status;
  if (checks_ != nullptr) {
    try {
      status = checks_->Status(static_cast<std::size_t>(row));
    } catch (const std::exception&) {
      // A status that cannot be worked out is not shown; the row itself still is.
    }
  }
  QString words;
  if (status.kind != Kind::kNone) {
    // Undo's target is the name the row had before Rename.
    const window::RenameEntry& entry = rows_->Row(static_cast<std::size_t>(row));
    words = StatusWords(status,
                        Text(status.kind == Kind::kUndoFailed ? entry.CurrentName : entry.NewName));
  }
  return statuses_.emplace(row, Status{status.kind, words}).first->second;
}

const QIcon& RenameModel::IconOf(Kind kind) const {
  QIcon& icon = icons_.at(static_cast<std::size_t>(kind));
  if (!icon.isNull()) return icon;
  QStyle* style = QApplication::style();
  switch (kind) {
    case Kind::kNone: {
      // A blank of the icons' size, so that every row's name begins at the same place.
      const int side = style->pixelMetric(QStyle::PM_SmallIconSize);
      QPixmap blank(side, side);
      blank.fill(Qt::transparent);
      icon = QIcon(blank);
      break;
    }
    case Kind::kRenamed:
      icon = style->standardIcon(QStyle::SP_DialogApplyButton);
      break;
    case Kind::kRenameFailed:
    case Kind::kUndoFailed:
      icon = style->standardIcon(QStyle::SP_MessageBoxCritical);
      break;
    case Kind::kWouldBeRefused:
      icon = style->standardIcon(QStyle::SP_MessageBoxWarning);
      break;
  }
  return icon;
}

QVariant RenameModel::data(const QModelIndex& index, int role) const {
  const window::RenameEntry* entry = Entry(index);
  if (entry == nullptr) return {};
  if (role == Qt::DisplayRole) {
    switch (index.column()) {
      case kCurrentName:
        return Text(entry->CurrentName);
      case kNewName:
        return Text(entry->NewName);
      case kFolder:
        return Text(entry->FolderPath());
      default:
        return {};
    }
  }
  if (role == Qt::CheckStateRole && index.column() == kCurrentName) {
    return entry->Checked ? Qt::Checked : Qt::Unchecked;
  }
  // The status is asked only for the roles that show it.
  if (role == Qt::DecorationRole && index.column() == kCurrentName) {
    return IconOf(StatusOf(index.row()).kind);
  }
  if (role == Qt::ToolTipRole ||
      (role == Qt::AccessibleDescriptionRole && index.column() == kCurrentName)) {
    const QString& words = StatusOf(index.row()).words;
    return words.isEmpty() ? QVariant() : words;
  }
  return {};
}

QVariant RenameModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= headers_.size()) return {};
  if (role == Qt::DisplayRole) return headers_.at(section);
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

Qt::ItemFlags RenameModel::flags(const QModelIndex& index) const {
  // Asked for every row at each layout of the view: the row is not looked at.
  if (!index.isValid() || index.row() >= shown_ || clearing_) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
  if (index.column() == kCurrentName) flags |= Qt::ItemIsUserCheckable;
  return flags;
}

bool RenameModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::CheckStateRole || index.column() != kCurrentName || Entry(index) == nullptr) {
    return false;
  }
  const bool checked = static_cast<Qt::CheckState>(value.toInt()) == Qt::Checked;
  rows_->SetChecked(static_cast<std::size_t>(index.row()), checked);
  // Only checked rows count against each other: any row's mark may change with this one.
  statuses_.clear();
  emit dataChanged(this->index(0, kCurrentName), this->index(shown_ - 1, kCurrentName),
                   kStatusRoles);
  return true;
}

}  // namespace vornick::gui
