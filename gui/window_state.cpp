// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/window_state.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QSettings>
#include <QStringList>
#include <QWidget>
#include <algorithm>
#include <functional>

#include <sys/stat.h>
#include <unistd.h>

#include "gui/command_button.h"
#include "gui/main_form.h"
#include "gui/rename_view.h"
#include "platform/history/history_files.h"

namespace vornick::gui {
namespace {

// A file of another version is passed over whole: its values may mean something else.
constexpr int kVersion = 1;
// The file holds a few hundred bytes; anything far larger is not one this program wrote.
constexpr off_t kMostFileSize = 1 << 20;
// A frame wider than this is not a window manager's.
constexpr int kMostFrame = 256;

const QString kVersionKey = QStringLiteral("Version");
const QString kGeometryKey = QStringLiteral("Window/Geometry");
const QString kFrameKey = QStringLiteral("Window/Frame");
const QString kColumnsKey = QStringLiteral("List/Columns");
const QString kColumnCountKey = QStringLiteral("List/ColumnCount");
const QString kFolderKeys[] = {QStringLiteral("Folders/LoadFolder"),
                               QStringLiteral("Folders/LoadFiles")};

QString PathName(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

QByteArray Bytes(const QSettings& file, const QString& key) {
  const QVariant value = file.value(key);
  return value.typeId() == QMetaType::QByteArray ? value.toByteArray() : QByteArray();
}

// "LEFT TOP RIGHT BOTTOM"; no frame when it is anything else.
QMargins ReadFrame(const QString& text) {
  const QStringList parts = text.split(QLatin1Char(' '));
  if (parts.size() != 4) return {};
  int widths[4];
  for (int i = 0; i < 4; ++i) {
    bool number = false;
    widths[i] = parts[i].toInt(&number);
    if (!number || widths[i] < 0 || widths[i] > kMostFrame) return {};
  }
  return {widths[0], widths[1], widths[2], widths[3]};
}

// `client` moved, and shrunk down to `minimum` if need be, so that it and its frame lie within the
// free part of the screen it is mostly on, else of the primary screen.
QRect OnScreen(const QRect& client, const QMargins& frame, const QSize& minimum) {
  QScreen* screen = QGuiApplication::screenAt(client.marginsAdded(frame).center());
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return client;
  const QRect area = screen->availableGeometry().marginsRemoved(frame);
  const QSize size = client.size().boundedTo(area.size()).expandedTo(minimum);
  // A window larger than the screen keeps its top left corner, with the title bar, in sight.
  const int x = std::max(area.left(), std::min(client.left(), area.right() + 1 - size.width()));
  const int y = std::max(area.top(), std::min(client.top(), area.bottom() + 1 - size.height()));
  return {QPoint(x, y), size};
}

}  // namespace

// Hears the window close: Exit and a close during a command end the program at once, so the
// state is saved before.
class WindowState::Watch final : public QObject {
 public:
  explicit Watch(std::function<void()> save) : save_(std::move(save)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Close) save_();
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> save_;
};

WindowState::WindowState(std::string folder) : folder_(std::move(folder)) {
  if (folder_.empty()) return;
  file_ = folder_ + (folder_.ends_with('/') ? "" : "/") + "window.ini";
  Read();
}

WindowState::~WindowState() {
  QObject::disconnect(relayout_);
}

void WindowState::Read() {
  // QSettings would wait for ever on a FIFO, and read a huge file whole.
  struct stat status {};
  if (::stat(file_.c_str(), &status) != 0 || !S_ISREG(status.st_mode) ||
      status.st_size > kMostFileSize)
    return;
  const QSettings file(PathName(file_), QSettings::IniFormat);
  bool versioned = false;
  if (file.status() != QSettings::NoError ||
      file.value(kVersionKey).toInt(&versioned) != kVersion || !versioned)
    return;
  geometry_ = Bytes(file, kGeometryKey);
  frame_ = ReadFrame(file.value(kFrameKey).toString());
  columns_ = Bytes(file, kColumnsKey);
  columnCount_ = file.value(kColumnCountKey).toInt();
  for (std::size_t i = 0; i < lastFolders_.size(); ++i)
    lastFolders_[i] = Bytes(file, kFolderKeys[i]).toStdString();
}

void WindowState::RestoreGeometry(QWidget& window) const {
  if (geometry_.isEmpty() || !window.restoreGeometry(geometry_)) return;
  // The desktop fits a maximized or full-screen window to its screen itself.
  if (window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) return;
  window.setGeometry(OnScreen(window.geometry(), frame_, window.minimumSize()));
}

void WindowState::RestoreColumns(MainForm& form) {
  RenameView& list = form.FileList();
  QHeaderView& header = *list.header();
  if (columns_.isEmpty() || columnCount_ != header.count() || !header.restoreState(columns_))
    return;
  restoredWidths_.clear();
  for (int section = 0; section < header.count(); ++section)
    restoredWidths_.push_back(header.sectionSize(section));
  restoredAt_ = form.size();
  // Connected after the window's own layout, so this runs after it.
  QObject::disconnect(relayout_);
  relayout_ = QObject::connect(&form, &MainForm::Resized, &header, [this, &form, &header] {
    if (form.size() != restoredAt_) {
      QObject::disconnect(relayout_);
      return;
    }
    for (int section = 0; section < header.count(); ++section)
      header.resizeSection(section, restoredWidths_.at(static_cast<std::size_t>(section)));
  });
  // A view that sorts by itself has sorted the rows as the header told it its sort; any other is
  // told here, or the header alone would show an arrow over rows in list order.
  if (!list.isSortingEnabled() && header.sortIndicatorSection() >= 0)
    list.sortByColumn(header.sortIndicatorSection(), header.sortIndicatorOrder());
}

std::string WindowState::LastFolder(Picker picker) const {
  const std::string& folder = lastFolders_.at(static_cast<std::size_t>(picker));
  struct stat status {};
  if (folder.empty() || ::stat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return {};
  return folder;
}

void WindowState::SetLastFolder(Picker picker, std::string folder) {
  lastFolders_.at(static_cast<std::size_t>(picker)) = std::move(folder);
}

void WindowState::Remember(const QWidget& window, const QHeaderView& header) {
  geometry_ = window.saveGeometry();
  const QRect outer = window.frameGeometry(), client = window.geometry();
  frame_ = QMargins(client.left() - outer.left(), client.top() - outer.top(),
                    outer.right() - client.right(), outer.bottom() - client.bottom());
  columns_ = header.saveState();
  columnCount_ = header.count();
}

bool WindowState::Save() const {
  if (folder_.empty()) return false;
  try {
    platform::history::MakeFolders(folder_);
  } catch (const platform::history::PathFailure&) {
    return false;
  }
  // Written beside the file and renamed over it, private before it takes the file's place, so that
  // a reader never sees half a file.
  const std::string written = file_ + ".new-" + std::to_string(::getpid());
  ::unlink(written.c_str());
  bool ok = false;
  {
    QSettings file(PathName(written), QSettings::IniFormat);
    file.setValue(kVersionKey, kVersion);
    if (!geometry_.isEmpty()) {
      file.setValue(kGeometryKey, geometry_);
      file.setValue(kFrameKey, QStringLiteral("%1 %2 %3 %4")
                                   .arg(frame_.left())
                                   .arg(frame_.top())
                                   .arg(frame_.right())
                                   .arg(frame_.bottom()));
    }
    if (!columns_.isEmpty()) {
      file.setValue(kColumnsKey, columns_);
      file.setValue(kColumnCountKey, columnCount_);
    }
    for (std::size_t i = 0; i < lastFolders_.size(); ++i) {
      if (!lastFolders_[i].empty())
        file.setValue(kFolderKeys[i], QByteArray::fromStdString(lastFolders_[i]));
    }
    file.sync();
    ok = file.status() == QSettings::NoError;
  }
  ok = ok && ::chmod(written.c_str(), 0600) == 0 && ::rename(written.c_str(), file_.c_str()) == 0;
  if (!ok) ::unlink(written.c_str());
  return ok;
}

void WindowState::RememberAndSave(const MainForm& form) {
  Remember(form, *form.FileList().header());
  Save();
}

void WindowState::SaveAtEnd(MainForm& form) {
  watch_ = std::make_unique<Watch>([this, &form] { RememberAndSave(form); });
  form.installEventFilter(watch_.get());
  QObject::connect(&form.ButtonOf(platform::Button::kExit), &QAbstractButton::pressed, watch_.get(),
                   [this, &form] { RememberAndSave(form); });
}

}  // namespace vornick::gui
