#include "platform/qt/main_form.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

#include "platform/qt/command_button.h"
#include "platform/qt/rename_view.h"
#include "platform/qt/twips.h"

// Resources of a static library are registered by hand, once.
static void InitIcons() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(icons);
    return true;
  }();
  static_cast<void>(registered);
}

namespace vornick::platform::qt {
namespace {

struct ButtonDescription {
  const char* caption;
  const char* picture;
  int left;  // twips
};

// Check1 .. Check8; "Clear List" (Check8) stands between "Unselect All" and "Exit".
constexpr std::array<ButtonDescription, 8> kButtons{{
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

QRect TwipsRect(float left, float top, float width, float height) {
  return {ToPixels(left), ToPixels(top), ToPixels(width), ToPixels(height)};
}

QFont ArialFont(double points, QFont::Weight weight) {
  QFont font(QStringLiteral("Arial"));
  font.setPointSizeF(points);
  font.setWeight(weight);
  return font;
}

}  // namespace

QIcon MainForm::Picture(int number) {
  InitIcons();
  const char* name = kButtons.at(static_cast<std::size_t>(number - 1)).picture;
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
  setWindowTitle(QStringLiteral("Vornick"));
  setWindowIcon(Picture(1));
  resize(ToPixels(kClientWidth), ToPixels(kClientHeight));
  QPalette colours = palette();
  colours.setColor(QPalette::Window, Qt::white);
  setPalette(colours);
  setAutoFillBackground(true);
  setMouseTracking(true);

  listView1_ = new RenameView(this);
  listView1_->setGeometry(TwipsRect(120, 120, 9975, 4935));
  listView1_->setFont(ArialFont(9.75, QFont::Normal));

  list4_ = new QListWidget(this);
  list4_->setGeometry(TwipsRect(7320, 0, 3135, 450));
  list4_->hide();

  const QFont buttonFont = ArialFont(11.25, QFont::Bold);
  for (int number = 1; number <= 8; ++number) {
    const ButtonDescription& description = kButtons.at(static_cast<std::size_t>(number - 1));
    auto* button =
        new CommandButton(QString::fromLatin1(description.caption), Picture(number), this);
    button->setGeometry(
        TwipsRect(static_cast<float>(description.left), kButtonTop, kButtonWidth, kButtonHeight));
    button->setFont(buttonFont);
    button->setMouseTracking(true);
    button->installEventFilter(this);
    checks_.at(static_cast<std::size_t>(number - 1)) = button;
  }

  // Tab order follows the tab indexes, so Exit (Check7) comes before Clear List (Check8).
  QWidget* previous = listView1_;
  for (QWidget* next : checks_) {
    setTabOrder(previous, next);
    previous = next;
  }
}

QWidget& MainForm::ControlWidget(Control control) const {
  switch (control) {
    case Control::kListView1:
      return *listView1_;
    case Control::kList4:
      return *list4_;
    default:
      return Check(static_cast<int>(control) - static_cast<int>(Control::kCheck1) + 1);
  }
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
    for (int number = 1; number <= 8; ++number) {
      if (watched == checks_.at(static_cast<std::size_t>(number - 1))) emit CheckMouseMoved(number);
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vornick::platform::qt
