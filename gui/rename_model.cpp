// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/rename_model.h"

#include <QApplication>
#include <QFont>
#include <QItemSelectionModel>
#include <QPixmap>
#include <QStyle>
#include <algorithm>
#include <climits>
#include <exception>
#include <numeric>
#include <unordered_set>

#include "files/name_rules.h"
#include "gui/wording.h"

namespace vornick::gui {
namespace {

std::size_t RowCountOf(const window::RenameList& rows) {
  return std::min<std::size_t>(rows.Count(), INT_MAX);
}

// The text a column shows of a row, as bytes.
std::string_view ColumnText(const window::RenameEntry& row, int column) {
  switch (column) {
    case RenameModel::kNewName:
      return row.NewName;
    case RenameModel::kFolder:
      return row.FolderPath();
    default:
      return row.CurrentName;
  }
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
  matchedFolder_ = nullptr;
  listShown_ = rows == nullptr ? 0 : RowCountOf(*rows);
  clearing_ = false;
  order_ = FullOrder();
  arranged_ = Arranged();
  endResetModel();
}

void RenameModel::AddColumn(const QString& header) {
  const int column = static_cast<int>(headers_.size());
  beginInsertColumns({}, column, column);
  headers_.append(header);
  endInsertColumns();
}

bool RenameModel::HasHiddenRows() const {
  return rows_ != nullptr && !clearing_ && RowCountOf(*rows_) != listShown_;
}

std::size_t RenameModel::ListRow(int viewRow) const {
  return arranged_ ? order_.at(static_cast<std::size_t>(viewRow))
                   : static_cast<std::size_t>(viewRow);
}

std::optional<int> RenameModel::ViewRow(std::size_t listRow) const {
  if (listRow >= listShown_) return std::nullopt;
  if (!arranged_) return static_cast<int>(listRow);
  const auto found = std::find(order_.begin(), order_.end(), listRow);
  if (found == order_.end()) return std::nullopt;
  return static_cast<int>(found - order_.begin());
}

std::vector<std::size_t> RenameModel::ShownRows() const {
  std::vector<std::size_t> rows;
  if (!arranged_) {
    rows.resize(listShown_);
    std::iota(rows.begin(), rows.end(), std::size_t{0});
    return rows;
  }
  rows.assign(order_.begin(), order_.end());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void RenameModel::ShowAppendedRows() {
  if (!HasHiddenRows()) return;
  // A new row can make a row shown before one of two rows of the same file, or of the same name.
  statuses_.clear();
  const std::size_t count = RowCountOf(*rows_);
  if (count < listShown_) {
    // Rows only ever go away through a clear; should that be skipped, start over.
    beginResetModel();
    listShown_ = count;
    order_ = FullOrder();
    arranged_ = Arranged();
    endResetModel();
    return;
  }
  const std::size_t first = listShown_;
  if (!arranged_) {
    beginInsertRows({}, static_cast<int>(first), static_cast<int>(count - 1));
    listShown_ = count;
    endInsertRows();
    return;
  }
  std::vector<std::uint32_t> added;
  for (std::size_t i = first; i < count; ++i) {
    if (Passes(i)) added.push_back(static_cast<std::uint32_t>(i));
  }
  listShown_ = count;
  if (added.empty()) return;
  if (sortColumn_ < 0) {
    // Filtered in list order: the new rows come last.
    const int at = static_cast<int>(order_.size());
    beginInsertRows({}, at, at + static_cast<int>(added.size()) - 1);
    order_.insert(order_.end(), added.begin(), added.end());
    endInsertRows();
    return;
  }
  // Sorted: each new row lands where the sort puts it.
  SortRows(added);
  std::vector<std::uint32_t> merged(order_.size() + added.size());
  std::merge(order_.begin(), order_.end(), added.begin(), added.end(), merged.begin(),
             [this](std::uint32_t a, std::uint32_t b) {
               const int order = CompareNatural(ColumnText(rows_->Row(a), sortColumn_),
                                                ColumnText(rows_->Row(b), sortColumn_));
               if (order != 0) return sortOrder_ == Qt::AscendingOrder ? order < 0 : order > 0;
               return a < b;
             });
  Rearrange(std::move(merged));
}

bool RenameModel::Passes(std::size_t index) const {
  const window::RenameEntry& row = rows_->Row(index);
  switch (kind_) {
    case RowKind::kAll:
      break;
    case RowKind::kWouldChange:
      if (row.NewName == row.CurrentName || row.IsRenamed()) return false;
      break;
    case RowKind::kRenamed:
      if (row.State != window::RowState::kRenamed) return false;
      break;
    case RowKind::kFailed:
      if (row.State != window::RowState::kRenameFailed &&
          row.State != window::RowState::kUndoFailed)
        return false;
      break;
    case RowKind::kWouldBeRefused:
      if (StatusOf(index).kind != Kind::kWouldBeRefused) return false;
      break;
  }
  if (match_.In(row.CurrentName) || match_.In(row.NewName)) return true;
  // Rows of a folder come together and share its path: it is searched once for them.
  if (row.Folder.data() != matchedFolder_) {
    matchedFolder_ = row.Folder.data();
    folderMatches_ = match_.In(row.FolderPath());
  }
  return folderMatches_;
}

void RenameModel::SortRows(std::vector<std::uint32_t>& rows) const {
  if (sortColumn_ < 0) {
    std::sort(rows.begin(), rows.end());
    return;
  }
  SortNatural(
      rows, [this](std::uint32_t row) { return ColumnText(rows_->Row(row), sortColumn_); },
      sortOrder_ == Qt::AscendingOrder);
}

void RenameModel::Rearrange(std::vector<std::uint32_t> order) {
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const QModelIndexList before = persistentIndexList();
  std::vector<std::size_t> listRows;
  listRows.reserve(static_cast<std::size_t>(before.size()));
  for (const QModelIndex& index : before) listRows.push_back(ListRow(index.row()));
  order_ = std::move(order);
  arranged_ = Arranged();
  // Where each of them stands now: one pass over the rows, looking for a few.
  std::unordered_map<std::size_t, int> where;
  for (const std::size_t row : listRows) where.emplace(row, -1);
  if (arranged_) {
    for (std::size_t i = 0; i < order_.size(); ++i) {
      if (const auto found = where.find(order_[i]); found != where.end())
        found->second = static_cast<int>(i);
    }
  } else {
    for (auto& [row, at] : where) at = row < listShown_ ? static_cast<int>(row) : -1;
  }
  QModelIndexList after;
  after.reserve(before.size());
  for (qsizetype i = 0; i < before.size(); ++i) {
    const int at = where.at(listRows[static_cast<std::size_t>(i)]);
    after.append(at < 0 ? QModelIndex() : index(at, before[i].column()));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
  emit Rearranged();
}

void RenameModel::Arrange(bool narrower) {
  std::vector<std::uint32_t> order;
  if (rows_ != nullptr && Arranged()) {
    if (narrower) {
      // The rows shown stay in their order; only those the narrower filter still keeps stay.
      order.reserve(order_.size());
      std::copy_if(order_.begin(), order_.end(), std::back_inserter(order),
                   [this](std::uint32_t row) { return Passes(row); });
    } else {
      order = FullOrder();
    }
  }
  Rearrange(std::move(order));
}

std::vector<std::uint32_t> RenameModel::FullOrder() const {
  std::vector<std::uint32_t> order;
  if (rows_ == nullptr || !Arranged()) return order;
  order.reserve(Filtering() ? 0 : listShown_);
  for (std::size_t i = 0; i < listShown_; ++i) {
    if (!Filtering() || Passes(i)) order.push_back(static_cast<std::uint32_t>(i));
  }
  SortRows(order);
  return order;
}

void RenameModel::sort(int column, Qt::SortOrder order) {
  if (column >= columnCount()) column = -1;
  if (column == sortColumn_ && order == sortOrder_) return;
  sortColumn_ = column;
  sortOrder_ = order;
  Arrange(false);
}

void RenameModel::SetFilter(const QString& text, RowKind kind) {
  TextMatch match(text);
  // A filter that only narrows (more text typed, the same kind) searches the rows shown alone.
  const bool narrower = Filtering() && kind == kind_ && match.Narrows(match_);
  if (kind == kind_ && match.Narrows(match_) && match_.Narrows(match)) return;
  match_ = std::move(match);
  kind_ = kind;
  matchedFolder_ = nullptr;
  Arrange(narrower);
}

void RenameModel::HoldStatuses(bool held) {
  if (held == held_) return;
  held_ = held;
  statuses_.clear();
  // Rows of a kind picked by their status were not told apart while statuses were held, and the
  // command may have changed them all: they are picked again.
  if (!held && kind_ != RowKind::kAll) Arrange(false);
}

void RenameModel::ForgetStatuses(std::size_t first, std::size_t last) {
  std::erase_if(statuses_, [first, last](const auto& status) {
    return status.first >= first && status.first <= last;
  });
}

void RenameModel::ShowAllChanged(bool names) {
  const int count = rowCount();
  if (count == 0) return;
  if (names) {
    emit dataChanged(index(0, 0), index(count - 1, columnCount() - 1));
  } else {
    emit dataChanged(index(0, kCurrentName), index(count - 1, kCurrentName), kStatusRoles);
  }
}

void RenameModel::ShowChangedRows(std::size_t first, std::size_t last) {
  if (clearing_ || listShown_ == 0 || first > last || first >= listShown_) return;
  last = std::min(last, listShown_ - 1);
  if (arranged_) {
    if (first != last) return ShowAllChanged(false);
    if (const auto row = ViewRow(first))
      emit dataChanged(index(*row, kCurrentName), index(*row, kCurrentName), kStatusRoles);
    return;
  }
  emit dataChanged(index(static_cast<int>(first), kCurrentName),
                   index(static_cast<int>(last), kCurrentName), kStatusRoles);
}

void RenameModel::ShowChangedNames(std::size_t first, std::size_t last) {
  if (clearing_ || listShown_ == 0 || first > last || first >= listShown_) return;
  last = std::min(last, listShown_ - 1);
  // A row keeps its place when its name changes, also in a sorted or filtered view: a row that
  // moved or went away as it was edited would lose the user's eye.
  if (arranged_) {
    if (first != last) return ShowAllChanged(true);
    if (const auto row = ViewRow(first))
      emit dataChanged(index(*row, 0), index(*row, columnCount() - 1));
    return;
  }
  emit dataChanged(index(static_cast<int>(first), 0),
                   index(static_cast<int>(last), columnCount() - 1));
}

void RenameModel::BeginClear() {
  if (clearing_) return;
  beginResetModel();
  clearing_ = true;
  statuses_.clear();
  // The folders go with the rows; another may come at the same address.
  matchedFolder_ = nullptr;
}

void RenameModel::EndClear() {
  if (!clearing_) return;
  listShown_ = rows_ == nullptr ? 0 : RowCountOf(*rows_);
  clearing_ = false;
  order_ = FullOrder();
  arranged_ = Arranged();
  endResetModel();
}

void RenameModel::UpdateSelection(const QItemSelection& selected,
                                  const QItemSelection& deselected) {
  if (rows_ == nullptr || clearing_) return;
  const auto mark = [this](const QItemSelection& ranges, bool on) {
    for (const QItemSelectionRange& range : ranges) {
      const int last = std::min(range.bottom(), rowCount() - 1);
      for (int row = range.top(); row <= last; ++row) rows_->SetSelected(ListRow(row), on);
    }
  };
  mark(deselected, false);
  mark(selected, true);
  if (!selected.isEmpty() && selected.first().top() < rowCount()) {
    rows_->SetSelectedItem(ListRow(selected.first().top()));
  } else if (const auto item = rows_->SelectedItem();
             item && *item < rows_->Count() && !rows_->Row(*item).Selected) {
    rows_->SetSelectedItem(std::nullopt);
  }
}

void RenameModel::SyncSelection(const QItemSelectionModel& selection) {
  if (rows_ == nullptr || clearing_) return;
  for (std::size_t i = 0; i < rows_->Count(); ++i) {
    if (rows_->Row(i).Selected) rows_->SetSelected(i, false);
  }
  std::optional<std::size_t> first;
  for (const QModelIndex& row : selection.selectedRows()) {
    if (row.row() >= rowCount()) continue;
    const std::size_t listRow = ListRow(row.row());
    rows_->SetSelected(listRow, true);
    if (!first || listRow < *first) first = listRow;
  }
  if (const auto item = rows_->SelectedItem();
      !item || *item >= rows_->Count() || !rows_->Row(*item).Selected) {
    rows_->SetSelectedItem(first);
  }
}

int RenameModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return static_cast<int>(arranged_ ? order_.size() : listShown_);
}

int RenameModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headers_.size());
}

const window::RenameEntry* RenameModel::Entry(const QModelIndex& index) const {
  if (rows_ == nullptr || !index.isValid() || index.row() >= rowCount()) return nullptr;
  const std::size_t row = ListRow(index.row());
  return row < rows_->Count() ? &rows_->Row(row) : nullptr;
}

const RenameModel::Status& RenameModel::StatusOf(std::size_t row) const {
  static const Status kHeld{Kind::kNone, {}};
  if (held_) return kHeld;
  if (const auto found = statuses_.find(row); found != statuses_.end()) return found->second;
  if (statuses_.size() >= kMostStatusesKept) statuses_.clear();
  window::RowStatus status;
  if (checks_ != nullptr) {
    try {
      status = checks_->Status(row);
    } catch (const std::exception&) {
      // A status that cannot be worked out is not shown; the row itself still is.
    }
  }
  QString words;
  if (status.kind != Kind::kNone) {
    // Undo's target is the name the row had before Rename.
    const window::RenameEntry& entry = rows_->Row(row);
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
  if (role == Qt::EditRole && index.column() == kNewName) return Text(entry->NewName);
  if (role == Qt::CheckStateRole && index.column() == kCurrentName) {
    return entry->Checked ? Qt::Checked : Qt::Unchecked;
  }
  const bool edited = entry->Edited && index.column() == kNewName;
  if (role == Qt::FontRole && edited) {
    QFont font;
    font.setItalic(true);
    return font;
  }
  // The status is asked only for the roles that show it.
  if (role == Qt::DecorationRole && index.column() == kCurrentName) {
    return IconOf(StatusOf(ListRow(index.row())).kind);
  }
  if (role == Qt::ToolTipRole ||
      (role == Qt::AccessibleDescriptionRole && index.column() == kCurrentName)) {
    const QString& words = StatusOf(ListRow(index.row())).words;
    if (edited) return words.isEmpty() ? EditedWords() : EditedWords() + QLatin1Char('\n') + words;
    return words.isEmpty() ? QVariant() : words;
  }
  if (role == Qt::AccessibleDescriptionRole && edited) return EditedWords();
  return {};
}

QString RenameModel::WhyNotEditable(const QModelIndex& index) const {
  const window::RenameEntry* entry = Entry(index);
  return entry != nullptr && entry->IsRenamed() ? RenamedWords() : QString();
}

QString RenameModel::RenamedWords() {
  return tr("This file is renamed already. Undo the Rename before you give it another name.");
}

QString RenameModel::EditedWords() {
  return tr("Edited by hand");
}

QString RenameModel::NotANameWords(const QString& name) {
  switch (files::WhyNotAName(name.toStdString())) {
    case files::NotAName::kNone:
      return {};
    case files::NotAName::kEmpty:
      return tr("A file name cannot be empty.");
    case files::NotAName::kDots:
      return tr("\".\" and \"..\" name folders, not files.");
    case files::NotAName::kSlash:
      return tr("A file name cannot hold \"/\": it separates folders.");
    case files::NotAName::kNul:
      return tr("A file name cannot hold a NUL character.");
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
  if (!index.isValid() || index.row() >= rowCount() || clearing_) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
  if (index.column() == kCurrentName) flags |= Qt::ItemIsUserCheckable;
  if (index.column() == kNewName && editHook_) flags |= Qt::ItemIsEditable;
  return flags;
}

bool RenameModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  const window::RenameEntry* entry = Entry(index);
  if (entry == nullptr) return false;
  if (role == Qt::EditRole && index.column() == kNewName && editHook_) {
    const QString text = value.toString();
    // A name shown as it is (bytes that are not UTF-8 included) is left as it is.
    if (text == Text(entry->NewName)) return true;
    return editHook_(ListRow(index.row()), text.toStdString()).isEmpty();
  }
  if (role != Qt::CheckStateRole || index.column() != kCurrentName) return false;
  const bool checked = static_cast<Qt::CheckState>(value.toInt()) == Qt::Checked;
  rows_->SetChecked(ListRow(index.row()), checked);
  // Only checked rows count against each other: any row's mark may change with this one.
  statuses_.clear();
  ShowAllChanged(false);
  return true;
}

}  // namespace vornick::gui
