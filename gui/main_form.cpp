// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/main_form.h"

#include <QAction>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QSvgRenderer>
#include <algorithm>
#include <numeric>

#include "gui/command_button.h"
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

  // The history has no button of its own, so the eight buttons stay as they are.
  history_ = new QAction(tr("&History..."), this);
  history_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
  history_->setShortcutContext(Qt::WindowShortcut);
  history_->setToolTip(tr("See the renames kept, and take an earlier one back (Ctrl+H)"));
  addAction(history_);
  fileList_->addAction(history_);
  fileList_->setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(history_, &QAction::triggered, this, &MainForm::HistoryRequested);
  // For music copied to memory cards, sticks and Windows disks, whose file systems refuse names
  // that Linux takes.
  makeSafe_ = new QAction(tr("Make Names &Safe for the Disk"), this);
  makeSafe_->setToolTip(
      tr("Rewrite the proposed names of the selected rows (all rows when none is selected) into "
         "names the disk they are on takes; nothing is renamed until Rename"));
  fileList_->addAction(makeSafe_);
  connect(makeSafe_, &QAction::triggered, this, &MainForm::MakeNamesSafeRequested);
}

void MainForm::ReportOuterSize() {
  const QSize outer = frameGeometry().size();
  if (outer == lastOuterSize_) return;
  lastOuterSize_ = outer;
  emit Resized();
}

void MainForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
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
