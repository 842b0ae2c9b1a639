// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/rename_view.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDropEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>
#include <algorithm>

#include "gui/uri_list.h"

namespace vornick::gui {
namespace {

const QString kUriList = QStringLiteral("text/uri-list");

}  // namespace

RenameView::RenameView(QWidget* parent) : QTreeView(parent) {
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setItemsExpandable(false);
  setExpandsOnDoubleClick(false);
  setAllColumnsShowFocus(true);
  setSelectionBehavior(SelectRows);
  setSelectionMode(SingleSelection);
  setEditTriggers(NoEditTriggers);
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

bool RenameView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  const bool handled = QTreeView::edit(index, trigger, event);
  // The only thing a mouse release can edit here is a check box (the items are not editable).
  if (handled && event != nullptr && event->type() == QEvent::MouseButtonRelease) {
    checkToggledByRelease_ = true;
  }
  return handled;
}

void RenameView::mousePressEvent(QMouseEvent* event) {
  QTreeView::mousePressEvent(event);
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
  // The Menu key and Shift+F10 open the context menu at the current row. Only some platforms
  // turn the Menu key into a context menu themselves; there the menu has the keyboard by the time
  // the key arrives, so it never opens twice.
  const bool menuKey = event->key() == Qt::Key_Menu && event->modifiers() == Qt::NoModifier;
  const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
  if (!menuKey && !shiftF10) {
    QTreeView::keyPressEvent(event);
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
  const bool sameSize =
      uniformRowHeights() && !roles.isEmpty() &&
      std::none_of(roles.begin(), roles.end(), [](int role) {
        return role == Qt::DisplayRole || role == Qt::SizeHintRole || role == Qt::FontRole;
      });
  if (!sameSize || topLeft.row() == bottomRight.row()) {
    QTreeView::dataChanged(topLeft, bottomRight, roles);
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
  QTreeView::mouseReleaseEvent(event);
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
  return QTreeView::viewportEvent(event);
}

void RenameView::paintEvent(QPaintEvent* event) {
  QTreeView::paintEvent(event);
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
  return QTreeView::eventFilter(watched, event);
}

}  // namespace vornick::gui
