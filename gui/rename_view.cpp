// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/rename_view.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QToolTip>
#include <algorithm>

#include "gui/rename_model.h"
#include "gui/uri_list.h"

namespace vornick::gui {
namespace {

const QString kUriList = QStringLiteral("text/uri-list");

// Edits a proposed name. Return keeps it, Escape leaves it as it was; a name that cannot be a file
// name is refused at Return, in words, and the edit stays open.
class NameDelegate final : public QStyledItemDelegate {
 public:
  explicit NameDelegate(RenameView* view) : QStyledItemDelegate(view), view_(view) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
      line->setAccessibleName(RenameView::tr("Proposed name"));
    }
    return editor;
  }

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    QStyledItemDelegate::setEditorData(editor, index);
    // The name without its extension is selected, as file managers do: that is what is retyped.
    // The view selects the whole text once the editor is made: this comes after it.
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
      QTimer::singleShot(0, line, [line] {
        const qsizetype dot = line->text().lastIndexOf(QLatin1Char('.'));
        line->setSelection(0, dot > 0 ? dot : line->text().size());
      });
    }
  }

  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override {
    // Leaving the edit another way than by Return (a click elsewhere) keeps only a good name.
    if (auto* line = qobject_cast<QLineEdit*>(editor);
        line != nullptr && !RenameModel::NotANameWords(line->text()).isEmpty()) {
      return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
  }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    auto* line = qobject_cast<QLineEdit*>(object);
    if (line != nullptr && event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        const QString words = RenameModel::NotANameWords(line->text());
        if (!words.isEmpty()) {
          line->setAccessibleDescription(words);
          QToolTip::showText(line->mapToGlobal(QPoint(0, line->height())), words, line);
          emit view_->EditRefused(words);
          return true;
        }
      }
    }
    return QStyledItemDelegate::eventFilter(object, event);
  }

 private:
  RenameView* view_;
};

}  // namespace

RenameView::RenameView(QWidget* parent) : QTableView(parent) {
  // A list of rows, as file managers show one: no grid, no row numbers, Tab leaves it.
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  SetRowHeight();
  setShowGrid(false);
  setWordWrap(false);
  setTabKeyNavigation(false);
  setCornerButtonEnabled(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setSelectionBehavior(SelectRows);
  setSelectionMode(ExtendedSelection);
  // Only the proposed name can be edited (the model says which cells); F2 is handled here, as the
  // current cell is often another column of the row.
  setEditTriggers(DoubleClicked);
  setItemDelegateForColumn(RenameModel::kNewName, new NameDelegate(this));
  // A click on a header sorts by it, again for the other way, and a third time back to list order.
  header()->setSortIndicatorClearable(true);
  header()->setSortIndicator(-1, Qt::AscendingOrder);
  setSortingEnabled(true);
  setAcceptDrops(true);
  setDragDropMode(DropOnly);
  header()->setStretchLastSection(false);
  header()->setSectionsMovable(false);

  // Moves over every part of the list count, with or without a button held.
  for (QWidget* part : {static_cast<QWidget*>(this), viewport(), static_cast<QWidget*>(header()),
                        header()->viewport(), static_cast<QWidget*>(horizontalScrollBar()),
                        static_cast<QWidget*>(verticalScrollBar())}) {
    part->setMouseTracking(true);
    part->installEventFilter(this);
  }

  connect(this, &QAbstractItemView::clicked, this, [this] {
    if (!checkToggledByRelease_) emit RowClicked();
  });
}

void RenameView::EditProposedName() {
  const QModelIndex name = currentIndex().siblingAtColumn(RenameModel::kNewName);
  if (!name.isValid()) return;
  scrollTo(name);
  edit(name);
}

bool RenameView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  if (const auto* rows = qobject_cast<const RenameModel*>(model());
      rows != nullptr && index.column() == RenameModel::kNewName && trigger != NoEditTriggers &&
      state() != EditingState) {
    if (const QString why = rows->WhyNotEditable(index); !why.isEmpty()) {
      const QRect cell = visualRect(index);
      QToolTip::showText(viewport()->mapToGlobal(cell.bottomLeft()), why, viewport(), cell);
      emit EditRefused(why);
      return false;
    }
  }
  const bool handled = QTableView::edit(index, trigger, event);
  // The only thing a mouse release can edit here is a check box (names open on a double-click).
  if (handled && event != nullptr && event->type() == QEvent::MouseButtonRelease) {
    checkToggledByRelease_ = true;
  }
  return handled;
}

void RenameView::SetRowHeight() {
  // As high as the delegate makes a cell with a check box, an icon and a line of text.
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.features |= QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay |
                     QStyleOptionViewItem::HasDecoration;
  option.text = QStringLiteral("Xg");
  const QSize cell = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this);
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(cell.height());
}

void RenameView::changeEvent(QEvent* event) {
  QTableView::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) SetRowHeight();
}

QModelIndex RenameView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  // Home and End go to the first and last row, as in any list.
  if (action == MoveHome || action == MoveEnd) modifiers |= Qt::ControlModifier;
  return QTableView::moveCursor(action, modifiers);
}

void RenameView::mousePressEvent(QMouseEvent* event) {
  QTableView::mousePressEvent(event);
  // The row clicked becomes the current one, also by a click on its check box, so that Space
  // then turns over the mark the user sees.
  if (const QModelIndex index = indexAt(event->position().toPoint());
      index.isValid() && index.row() != currentIndex().row()) {
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
  }
}

bool RenameView::ToggleBySpace(QKeyEvent* event) {
  const bool plain =
      event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
  if (event->key() != Qt::Key_Space || !plain) {
    if (plain && !event->text().isEmpty() && event->text().front().isPrint())
      lastSearchKey_.start();
    return false;
  }
  if (lastSearchKey_.isValid() &&
      lastSearchKey_.elapsed() < QApplication::keyboardInputInterval()) {
    // The check box of the first column would take it before the search does.
    lastSearchKey_.start();
    keyboardSearch(QStringLiteral(" "));
    event->accept();
    return true;
  }
  const QModelIndex mark = currentIndex().siblingAtColumn(0);
  if (!mark.isValid() || !(model()->flags(mark) & Qt::ItemIsUserCheckable)) return false;
  const bool checked = mark.data(Qt::CheckStateRole).toInt() == Qt::Checked;
  model()->setData(mark, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
  event->accept();
  return true;
}

void RenameView::keyPressEvent(QKeyEvent* event) {
  if (ToggleBySpace(event)) return;
  if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier &&
      state() != EditingState) {
    EditProposedName();
    event->accept();
    return;
  }
  // The Menu key and Shift+F10 open the context menu at the current row. Only some platforms
  // turn the Menu key into a context menu themselves; there the menu has the keyboard by the time
  // the key arrives, so it never opens twice.
  const bool menuKey = event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier;
  const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
  if (!menuKey && !shiftF10) {
    QTableView::keyPressEvent(event);
    return;
  }
  const QRect row = visualRect(currentIndex());
  const QPoint at = viewport()->rect().intersects(row)
                        ? QPoint(row.left() + row.height(), row.bottom())
                        : viewport()->rect().topLeft();
  QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, viewport()->mapToGlobal(at),
                         event->modifiers());
  QCoreApplication::sendEvent(viewport(), &menu);
  event->accept();
}

void RenameView::dataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight,
                             const QList<int>& roles) {
  // Every row has one height, and a change of mark, icon or tip never alters it. For a range of
  // rows (a million for Select All) the base classes would measure every row of it again and work
  // out which of them are on screen; painting the rows on screen anew is enough.
  const bool sameSize = !roles.isEmpty() && std::none_of(roles.begin(), roles.end(), [](int role) {
    return role == Qt::DisplayRole || role == Qt::SizeHintRole || role == Qt::FontRole;
  });
  if (!sameSize || topLeft.row() == bottomRight.row()) {
    QTableView::dataChanged(topLeft, bottomRight, roles);
    return;
  }
  viewport()->update();
  if (QAccessible::isActive()) {
    QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::DataChanged);
    event.setFirstRow(topLeft.row());
    event.setFirstColumn(topLeft.column());
    event.setLastRow(bottomRight.row());
    event.setLastColumn(bottomRight.column());
    QAccessible::updateAccessibility(&event);
  }
}

void RenameView::mouseReleaseEvent(QMouseEvent* event) {
  checkToggledByRelease_ = false;
  QTableView::mouseReleaseEvent(event);
  checkToggledByRelease_ = false;
}

bool RenameView::AcceptAsCopy(QDropEvent* event) {
  if (!event->mimeData()->hasFormat(kUriList)) return false;
  if (event->possibleActions() & Qt::CopyAction) {
    event->setDropAction(Qt::CopyAction);
  } else if (event->possibleActions() & Qt::LinkAction) {
    event->setDropAction(Qt::LinkAction);
  } else {
    return false;
  }
  event->accept();
  return true;
}

void RenameView::dragEnterEvent(QDragEnterEvent* event) {
  if (!AcceptAsCopy(event)) event->ignore();
}

void RenameView::dragMoveEvent(QDragMoveEvent* event) {
  if (!AcceptAsCopy(event)) event->ignore();
}

void RenameView::dropEvent(QDropEvent* event) {
  if (!AcceptAsCopy(event)) {
    event->ignore();
    return;
  }
  std::vector<std::string> paths = LocalPathsFromUriList(event->mimeData()->data(kUriList));
  QTimer::singleShot(0, this, [this, paths = std::move(paths)] { emit PathsDropped(paths); });
}

bool RenameView::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    // A cell cut off shows its whole text, before what the row's status says.
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const QString text = index.data(Qt::DisplayRole).toString();
    if (index.isValid() && !text.isEmpty()) {
      // The delegate's width for the whole cell (check box, mark and text) against what it has.
      QStyleOptionViewItem option;
      initViewItemOption(&option);
      if (itemDelegateForIndex(index)->sizeHint(option, index).width() >
          visualRect(index).width()) {
        const QString status = index.data(Qt::ToolTipRole).toString();
        QToolTip::showText(help->globalPos(),
                           status.isEmpty() ? text : text + QLatin1Char('\n') + status, viewport(),
                           visualRect(index));
        return true;
      }
    }
  }
  return QTableView::viewportEvent(event);
}

void RenameView::paintEvent(QPaintEvent* event) {
  QTableView::paintEvent(event);
  if (model() == nullptr || model()->rowCount() != 0) return;
  // The empty list says what it is for, in the light text of the theme.
  QPainter painter(viewport());
  painter.setPen(palette().color(QPalette::PlaceholderText));
  painter.drawText(viewport()->rect().adjusted(12, 12, -12, -12),
                   Qt::AlignCenter | Qt::TextWordWrap, EmptyListText());
}

QString RenameView::EmptyListText() {
  return tr("Drop music files and folders here, or use Load Folder and Load Files.");
}

bool RenameView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) {
    // A move that a part passed on to the view itself was counted at the part already.
    const bool passedOn =
        watched == this &&
        childAt(static_cast<QMouseEvent*>(event)->position().toPoint()) != nullptr;
    if (!passedOn) emit MouseMoved();
  }
  return QTableView::eventFilter(watched, event);
}

}  // namespace vornick::gui
