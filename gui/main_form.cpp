// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main_form.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QSvgRenderer>
#include <QUrl>
#include <algorithm>
#include <numeric>

#include "gui/command_button.h"
#include "gui/counts_line.h"
#include "gui/find_bar.h"
#include "gui/rename_model.h"
#include "gui/rename_view.h"
#include "gui/twips.h"
#include "gui/wording.h"

// Resources of a static library are registered by hand, once.
static void InitIcons() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(icons);
    return true;
  }();
  static_cast<void>(registered);
}

namespace vornick::gui {
namespace {

struct ButtonDescription {
  const char* caption;
  const char* picture;
  int left;  // twips
};

// In the order of platform::Button; "Clear List" stands between "Unselect All" and "Exit".
constexpr std::array<ButtonDescription, platform::kButtonCount> kButtons{{
    {"Rename", "rename", 120},
    {"Undo", "undo", 1680},
    {"Load Folder", "load_folder", 3240},
    {"Load Files", "load_files", 4800},
    {"Select All", "select_all", 6360},
    {"Unselect All", "unselect_all", 7920},
    {"Exit", "exit", 11040},
    {"Clear List", "clear_list", 9480},
}};

// Under the buttons, the layout leaves the outer height less the buttons' top (1660 twips above
// the outer bottom) and their height.
constexpr float kRoomUnderButtons = 1660 - 1095;

QAction* Separator(QObject* parent) {
  auto* separator = new QAction(parent);
  separator->setSeparator(true);
  return separator;
}

constexpr float kClientWidth = 12630, kClientHeight = 7590;
constexpr float kButtonTop = 5160, kButtonWidth = 1455, kButtonHeight = 1095;
// The smallest client area that shows all eight buttons whole above a list of a few rows.
constexpr float kMinClientWidth = 12630, kMinClientHeight = 4500;

QRect TwipsRect(float left, float top, float width, float height) {
  return {ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height)};
}

QFont ArialFont(double points, QFont::Weight weight) {
  QFont font(QStringLiteral("Arial"));
  // Where neither Arial nor its metric twin is there, a sans-serif font stands in.
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(points);
  font.setWeight(weight);
  return font;
}

}  // namespace

QIcon MainForm::Picture(platform::Button button) {
  InitIcons();
  const char* name = kButtons.at(static_cast<std::size_t>(button)).picture;
  QSvgRenderer renderer(QStringLiteral(":/vornick/icons/%1.svg").arg(QLatin1String(name)));
  QIcon icon;
  // Drawn at the size shown and at twice it, for screens with two pixels to a point.
  for (const int side : {32, 64}) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

MainForm::MainForm(QWidget* parent) : QWidget(parent) {
  setWindowTitle(Translated("Vornick"));
  setWindowIcon(Picture(platform::Button::kRename));
  resize(ToPixels(kClientWidth), ToPixels(kClientHeight));
  setMinimumSize(ToPixels(kMinClientWidth), ToPixels(kMinClientHeight));
  setMouseTracking(true);

  fileList_ = new RenameView(this);
  fileList_->setGeometry(TwipsRect(120, 120, 9975, 4935));
  fileList_->setFont(ArialFont(9.75, QFont::Normal));
  fileList_->setAccessibleName(tr("Files to rename"));

  const QFont buttonFont = ArialFont(11.25, QFont::Bold);
  // Made from left to right, so that Tab and a screen reader's reading follow the screen: the
  // list, then the buttons as they stand.
  std::array<std::size_t, platform::kButtonCount> byPlace{};
  std::iota(byPlace.begin(), byPlace.end(), std::size_t{0});
  std::sort(byPlace.begin(), byPlace.end(),
            [](std::size_t a, std::size_t b) { return kButtons.at(a).left < kButtons.at(b).left; });
  for (const std::size_t i : byPlace) {
    const ButtonDescription& description = kButtons.at(i);
    const auto which = static_cast<platform::Button>(i);
    auto* button = new CommandButton(ButtonCaption(which), Picture(which), this);
    button->setToolTip(ButtonToolTip(which));
    button->setGeometry(
        TwipsRect(static_cast<float>(description.left), kButtonTop, kButtonWidth, kButtonHeight));
    button->setFont(buttonFont);
    button->setMouseTracking(true);
    button->installEventFilter(this);
    buttons_.at(i) = button;
  }
  fileList_->setFocus();
  // Ctrl+Q is Exit by the keyboard.
  auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
  quit->setContext(Qt::ApplicationShortcut);
  connect(quit, &QShortcut::activated, this, [this] { ButtonOf(platform::Button::kExit).click(); });

  findBar_ = new FindBar(this);
  findBar_->hide();
  counts_ = new CountsLine(this);
  connect(counts_, &CountsLine::TypesRequested, this, &MainForm::TypesRequested);
  connect(findBar_, &FindBar::CheckShown, this, &MainForm::CheckShownRequested);
  connect(findBar_, &FindBar::Closed, this, [this] {
    LayOutList();
    fileList_->setFocus();
  });

  // The list's context menu (right click, the Menu key, Shift+F10). New commands live here and in
  // keys, so that the eight buttons stay as they are.
  fileList_->setContextMenuPolicy(Qt::ActionsContextMenu);
  QAction* edit = ListAction(tr("&Edit Proposed Name"),
                             tr("Type the name this row's file gets at Rename (F2)"));
  edit->setShortcut(QKeySequence(Qt::Key_F2));
  connect(edit, &QAction::triggered, fileList_, &RenameView::EditProposedName);
  connect(ListAction(tr("&Back to the Proposed Name"),
                     tr("Give the selected rows (all rows when none is selected) the names worked "
                        "out for them again, in place of names typed or made safe")),
          &QAction::triggered, this, &MainForm::BackToProposalRequested);
  fileList_->addAction(Separator(this));
  connect(ListAction(tr("&Check Selected Rows"), tr("Check every selected row")),
          &QAction::triggered, this, [this] { emit CheckSelectedRequested(true); });
  connect(ListAction(tr("&Uncheck Selected Rows"), tr("Uncheck every selected row")),
          &QAction::triggered, this, [this] { emit CheckSelectedRequested(false); });
  connect(ListAction(tr("Check the &Rows Shown"),
                     tr("Check every row the find bar shows (every row while it is closed)")),
          &QAction::triggered, this, [this] { emit CheckShownRequested(true); });
  connect(ListAction(tr("Unchec&k the Rows Shown"),
                     tr("Uncheck every row the find bar shows (every row while it is closed)")),
          &QAction::triggered, this, [this] { emit CheckShownRequested(false); });
  fileList_->addAction(Separator(this));
  QAction* find = ListAction(tr("&Find..."), tr("Find rows by their text or their kind (Ctrl+F)"));
  find->setShortcut(QKeySequence::Find);
  find->setShortcutContext(Qt::WindowShortcut);
  addAction(find);
  connect(find, &QAction::triggered, this, [this] {
    findBar_->Open();
    LayOutList();
  });
  connect(ListAction(tr("&Open Containing Folder"),
                     tr("Show the current row's folder in the file manager")),
          &QAction::triggered, this, &MainForm::OpenContainingFolder);
  QAction* copy =
      ListAction(tr("Copy &Paths"), tr("Copy the full paths of the selected rows (Ctrl+C)"));
  copy->setShortcut(QKeySequence::Copy);
  connect(copy, &QAction::triggered, this, &MainForm::CopyPaths);
  fileList_->addAction(Separator(this));
  // For music copied to memory cards, sticks and Windows disks, whose file systems refuse names
  // that Linux takes.
  connect(ListAction(tr("Make Names &Safe for the Disk"),
                     tr("Rewrite the proposed names of the selected rows (all rows when none is "
                        "selected) into names the disk they are on takes; nothing is renamed "
                        "until Rename")),
          &QAction::triggered, this, &MainForm::MakeNamesSafeRequested);
  connect(ListAction(tr("File &Types..."), tr("Choose the types of file that Load Folder takes")),
          &QAction::triggered, this, &MainForm::TypesRequested);
  // The history has no button of its own, so the eight buttons stay as they are.
  history_ = ListAction(tr("&History..."),
                        tr("See the renames kept, and take an earlier one back (Ctrl+H)"));
  history_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
  history_->setShortcutContext(Qt::WindowShortcut);
  addAction(history_);
  connect(history_, &QAction::triggered, this, &MainForm::HistoryRequested);
}

QAction* MainForm::ListAction(const QString& text, const QString& tip) {
  auto* action = new QAction(text, this);
  action->setToolTip(tip);
  action->setStatusTip(tip);
  // Keys of the list's commands act while the list has the keyboard, not in the find bar's text.
  action->setShortcutContext(Qt::WidgetShortcut);
  fileList_->addAction(action);
  return action;
}

void MainForm::OpenContainingFolder() {
  const QModelIndex current = fileList_->currentIndex();
  if (!current.isValid()) return;
  const QString folder = current.siblingAtColumn(RenameModel::kFolder).data().toString();
  QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void MainForm::CopyPaths() {
  QModelIndexList rows = fileList_->selectionModel()->selectedRows(RenameModel::kFolder);
  if (rows.isEmpty() && fileList_->currentIndex().isValid()) {
    rows.append(fileList_->currentIndex().siblingAtColumn(RenameModel::kFolder));
  }
  std::sort(rows.begin(), rows.end(),
            [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  QStringList paths;
  for (const QModelIndex& folder : rows) {
    paths << folder.data().toString() +
                 folder.siblingAtColumn(RenameModel::kCurrentName).data().toString();
  }
  if (!paths.isEmpty()) QGuiApplication::clipboard()->setText(paths.join(QLatin1Char('\n')));
}

void MainForm::SetListSize(int width, int height) {
  listSize_ = QSize(width, height);
  LayOutList();
}

void MainForm::LayOutList() {
  if (!listSize_.isValid()) listSize_ = fileList_->size();
  const int bar = findBar_->isVisible() ? findBar_->sizeHint().height() : 0;
  fileList_->resize(listSize_.width(), std::max(0, listSize_.height() - bar));
  findBar_->setGeometry(fileList_->x(), fileList_->y() + fileList_->height(), listSize_.width(),
                        bar);
}

void MainForm::PlaceCountsLine() {
  int bottom = 0;
  for (const CommandButton* button : buttons_)
    bottom = std::max(bottom, button->geometry().bottom());
  const int left = fileList_->x();
  counts_->setGeometry(left, bottom + 3, std::max(0, width() - 2 * left),
                       counts_->sizeHint().height());
}

int MainForm::CountsLineShortfall(int frameHeight) const {
  // The layout keeps kRoomUnderButtons twips of the outer height under the buttons, frame
  // included; a tall title bar leaves too little of it for a line of text.
  const int room = ToPixels(kRoomUnderButtons) - frameHeight;
  return std::max(0, counts_->sizeHint().height() + 4 - room);
}

void MainForm::ReportOuterSize() {
  const QSize outer = frameGeometry().size();
  if (outer == lastOuterSize_) return;
  lastOuterSize_ = outer;
  emit Resized();
}

void MainForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceCountsLine();
  lastOuterSize_ = frameGeometry().size();
  emit Resized();
}

void MainForm::moveEvent(QMoveEvent* event) {
  // A window manager adds the frame after the first resize; the outer size changes then.
  QWidget::moveEvent(event);
  ReportOuterSize();
}

void MainForm::mouseMoveEvent(QMouseEvent* event) {
  // Moves that a control passed on are not moves over the bare window.
  if (childAt(event->position().toPoint()) == nullptr) emit MouseMoved();
  QWidget::mouseMoveEvent(event);
}

void MainForm::closeEvent(QCloseEvent* event) {
  emit CloseRequested();
  QWidget::closeEvent(event);
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
      if (watched == buttons_.at(i)) emit ButtonMouseMoved(static_cast<platform::Button>(i));
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vornick::gui
