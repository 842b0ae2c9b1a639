// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/report_dialog.h"

#include <QAbstractTableModel>
#include <QClipboard>
#include <QCollator>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

namespace vornick::gui {

namespace {

// A name may hold a line break or a tab: shown and copied as a space, the list keeps one line for
// each entry and a copied line keeps its cells apart. The tooltip shows the text as it is.
QString OneLine(const QString& text) {
  const auto breaks = [](QChar c) {
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t');
  };
  if (std::none_of(text.begin(), text.end(), breaks)) return text;
  QString line = text;
  std::replace_if(line.begin(), line.end(), breaks, QLatin1Char(' '));
  return line;
}

}  // namespace

// The report's lines, in the order the report gave them until sorted by a column. Sorting is done
// here rather than by a proxy, so that the rows of the view are the rows of the model.
class ReportModel final : public QAbstractTableModel {
 public:
  ReportModel(QStringList headers, std::vector<QStringList> rows, QObject* parent)
      : QAbstractTableModel(parent),
        headers_(std::move(headers)),
        rows_(std::move(rows)),
        order_(rows_.size()) {
    std::iota(order_.begin(), order_.end(), std::size_t{0});
  }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(order_.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(headers_.size());
  }
  Qt::ItemFlags flags(const QModelIndex& index) const override {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
      return {};
    if (role == Qt::DisplayRole) return OneLine(Cell(index.row(), index.column()));
    if (role == Qt::ToolTipRole) return Cell(index.row(), index.column());
    return {};
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return headers_.value(section);
  }

  // A column outside the list gives the report's own order back.
  void sort(int column, Qt::SortOrder order) override {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<std::size_t> entries;  // what each persistent index stood on
    entries.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& index : before)
      entries.push_back(order_[static_cast<std::size_t>(index.row())]);

    std::iota(order_.begin(), order_.end(), std::size_t{0});
    if (column >= 0 && column < columnCount()) {
      // Track 2 before Track 10, and letter case aside, as a file manager lists names.
      QCollator collator;
      collator.setNumericMode(true);
      collator.setCaseSensitivity(Qt::CaseInsensitive);
      const auto cell = [&](std::size_t entry) -> const QString& {
        return rows_[entry].at(column);
      };
      // Stable both ways: equal cells stay in the report's order.
      if (order == Qt::AscendingOrder) {
        std::stable_sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) {
          return collator.compare(cell(a), cell(b)) < 0;
        });
      } else {
        std::stable_sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) {
          return collator.compare(cell(b), cell(a)) < 0;
        });
      }
    }

    std::vector<int> rowOf(order_.size());
    for (std::size_t row = 0; row < order_.size(); ++row)
      rowOf[order_[row]] = static_cast<int>(row);
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i)
      after.append(index(rowOf[entries[static_cast<std::size_t>(i)]], before[i].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
  }

  // The cells of `row` as one line, separated by tabs.
  QString Line(int row) const {
    const QStringList& cells = rows_[order_[static_cast<std::size_t>(row)]];
    QString line;
    for (qsizetype column = 0; column < headers_.size(); ++column) {
      if (column > 0) line += QLatin1Char('\t');
      line += OneLine(cells.value(column));
    }
    return line;
  }

 private:
  const QString& Cell(int row, int column) const {
    static const QString kNone;
    const QStringList& cells = rows_[order_[static_cast<std::size_t>(row)]];
    return column < cells.size() ? cells.at(column) : kNone;
  }

  QStringList headers_;
  std::vector<QStringList> rows_;
  std::vector<std::size_t> order_;  // for each row of the list, its entry in rows_
};

ReportDialog::ReportDialog(ReportText report, QWidget* parent) : QDialog(parent) {
  setWindowTitle(report.title);
  setSizeGripEnabled(true);

  summary_ = new QLabel(report.summary, this);
  summary_->setWordWrap(true);
  summary_->setTextFormat(Qt::PlainText);  // counts and words only, never markup
  // Screen readers say what the report is about as the dialog opens.
  setAccessibleDescription(report.summary);

  model_ = new ReportModel(std::move(report.headers), std::move(report.rows), this);
  list_ = new QTreeView(this);
  list_->setModel(model_);
  list_->setRootIsDecorated(false);
  list_->setItemsExpandable(false);
  list_->setUniformRowHeights(true);  // a hundred thousand lines lay out at once
  list_->setAllColumnsShowFocus(true);
  list_->setWordWrap(false);
  // The end of a name holds its type, the end of a folder its last part: cut in the middle.
  list_->setTextElideMode(Qt::ElideMiddle);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->header()->setSectionsMovable(false);
  // Unsorted at first, in the order the command met the files; a third click goes back to it.
  list_->header()->setSortIndicatorClearable(true);
  list_->header()->setSortIndicator(-1, Qt::AscendingOrder);
  list_->setSortingEnabled(true);
  list_->setAccessibleName(report.listName);
  list_->setAccessibleDescription(report.listDescription);

  auto* buttons = new QDialogButtonBox(this);
  copy_ = buttons->addButton(QCoreApplication::translate("Reports", "&Copy"),
                             QDialogButtonBox::ActionRole);
  copy_->setToolTip(QCoreApplication::translate(
      "Reports", "Copy the selected lines, or all of them when none is selected (Ctrl+C)"));
  ok_ = buttons->addButton(QDialogButtonBox::Ok);
  ok_->setToolTip(QCoreApplication::translate("Reports", "Close this report"));
  ok_->setDefault(true);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(summary_);
  layout->addWidget(list_, 1);
  layout->addWidget(buttons);

  connect(copy_, &QPushButton::clicked, this, &ReportDialog::Copy);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* copyKey = new QShortcut(QKeySequence::Copy, this);
  connect(copyKey, &QShortcut::activated, this, &ReportDialog::Copy);

  FitToScreen();
  // Keyboard users start on the first line, which is not selected: Ctrl+C copies every line
  // until lines are picked.
  list_->setFocus();
  if (model_->rowCount() > 0) {
    list_->selectionModel()->setCurrentIndex(model_->index(0, 0), QItemSelectionModel::NoUpdate);
  }
}

QString ReportDialog::CopiedText() const {
  std::vector<int> rows;
  for (const QModelIndex& index : list_->selectionModel()->selectedRows())
    rows.push_back(index.row());
  if (rows.empty()) {
    rows.resize(static_cast<std::size_t>(model_->rowCount()));
    std::iota(rows.begin(), rows.end(), 0);
  }
  std::sort(rows.begin(), rows.end());
  QString text;
  for (const int row : rows) text += model_->Line(row) + QLatin1Char('\n');
  return text;
}

void ReportDialog::Copy() const {
  QGuiApplication::clipboard()->setText(CopiedText());
}

void ReportDialog::FitToScreen() {
  const QScreen* screen =
      parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;  // no screen to fit: the layout's own size
  const QRect available = screen->availableGeometry();
  // The user may make it larger, but never larger than the screen.
  setMaximumSize(available.size());

  // Wide enough for every column's text, as far as two thirds of the screen allow.
  QHeaderView& header = *list_->header();
  const int columns = model_->columnCount();
  std::vector<int> wanted(static_cast<std::size_t>(columns));
  for (int column = 0; column < columns; ++column) {
    // Beyond the first thousand lines the view does not look, so this is quick for any length.
    list_->resizeColumnToContents(column);
    wanted[static_cast<std::size_t>(column)] = list_->columnWidth(column);
  }
  const int listChrome = 2 * list_->frameWidth() + list_->verticalScrollBar()->sizeHint().width();
  const QMargins margins = layout()->contentsMargins();
  const int width =
      std::min(std::max(margins.left() + listChrome +
                            std::accumulate(wanted.begin(), wanted.end(), 0) + margins.right(),
                        minimumSizeHint().width()),
               available.width() * 2 / 3);

  // Tall enough for every line, as far as two thirds of the screen allow.
  const int innerWidth = width - margins.left() - margins.right();
  const int spacing = std::max(layout()->spacing(), 0);
  const qint64 rowHeight = std::max(list_->sizeHintForRow(0), fontMetrics().height());
  const qint64 listHeight =
      2 * list_->frameWidth() + header.sizeHint().height() + model_->rowCount() * rowHeight;
  const QWidget& buttons = *ok_->parentWidget();
  const qint64 wantedHeight = margins.top() + summary_->heightForWidth(innerWidth) + spacing +
                              listHeight + spacing + buttons.sizeHint().height() + margins.bottom();
  const int height = static_cast<int>(std::min<qint64>(
      std::max<qint64>(wantedHeight, minimumSizeHint().height()), available.height() * 2 / 3));
  resize(width, height);

  // The last column (the reason) takes what the others leave, and no more: a stretched column
  // stays as wide as it was set, and would scroll sideways. Each other column is as wide as its
  // text, but together they leave the last at least a quarter of the width.
  const int viewport = innerWidth - listChrome;
  for (int column = 0; column + 1 < columns; ++column) {
    list_->setColumnWidth(column, std::min(wanted[static_cast<std::size_t>(column)],
                                           viewport * 3 / (4 * (columns - 1))));
  }
  if (columns > 0) list_->setColumnWidth(columns - 1, header.minimumSectionSize());
}

}  // namespace vornick::gui
