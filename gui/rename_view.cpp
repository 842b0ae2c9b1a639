// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/rename_view.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QScrollBar>
#include <QTimer>

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
