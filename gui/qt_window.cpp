// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/qt_window.h"

#include <cstdint>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QStandardPaths>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "gui/command_button.h"
#include "gui/counts_line.h"
#include "gui/cursor_file.h"
#include "gui/rename_model.h"
#include "gui/rename_view.h"
#include "gui/twips.h"
#include "gui/wording.h"

#include <sys/stat.h>
#include <unistd.h>

namespace vornick::gui {
namespace {

// The largest size or position a widget takes, in twips.
constexpr platform::Twips kMaxTwips =
    static_cast<platform::Twips>(QWIDGETSIZE_MAX) * kTwipsPerPixel;

// Bounds of the wait between two batches of rows shown during a long command.
constexpr qint64 kMinShowIntervalMs = 100;
constexpr qint64 kMaxShowIntervalMs = 1000;
// Events run during a long command at most this often.
constexpr qint64 kEventsIntervalMs = 5;

bool ValidSize(platform::Twips twips) {
  return twips >= 0 && twips <= kMaxTwips;
}
bool ValidPosition(platform::Twips twips) {
  return twips >= -kMaxTwips && twips <= kMaxTwips;
}

// The folder of the running executable as exact bytes, without a trailing separator.
std::string ExecutableFolder() {
#ifdef __linux__
  std::string path(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length > 0 && static_cast<std::size_t>(length) < path.size()) {
    path.resize(static_cast<std::size_t>(length));
    const auto slash = path.rfind('/');
    if (slash != std::string::npos) return path.substr(0, slash);
  }
#endif
  return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

// What identifies a file's present content cheaply: identity, size and change time. Empty when the
// file cannot be looked at.
std::string FileStamp(const std::string& path) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0) return {};
  return std::to_string(status.st_dev) + ':' + std::to_string(status.st_ino) + ':' +
         std::to_string(status.st_size) + ':' + std::to_string(status.st_mtim.tv_sec) + '.' +
         std::to_string(status.st_mtim.tv_nsec) + ':' + std::to_string(status.st_ctim.tv_sec) +
         '.' + std::to_string(status.st_ctim.tv_nsec);
}

}  // namespace

QtWindow::QtWindow() : form_(std::make_unique<MainForm>()), model_(new RenameModel(form_.get())) {
  RenameView& view = form_->FileList();
  view.setModel(model_);
  QObject::connect(view.selectionModel(), &QItemSelectionModel::selectionChanged, model_,
                   &RenameModel::UpdateSelection);
  QObject::connect(model_, &RenameModel::Rearranged, model_,
                   [this, &view] { model_->SyncSelection(*view.selectionModel()); });
  caption_ = form_->windowTitle().toStdString();
}

QtWindow::~QtWindow() = default;

void QtWindow::ShowRows(window::RenameList* rows, window::RowChecks* checks) {
  model_->SetRows(rows, checks);
  form_->Counts().SetRows(rows, checks);
}

void QtWindow::ShowAppendedRows() {
  model_->ShowAppendedRows();
}

void QtWindow::ShowStatuses() {
  form_->Counts().Hold(false);
  if (!model_->StatusesHeld()) return;
  model_->HoldStatuses(false);
  if (const std::size_t count = model_->ListCount(); count > 0) RowsChanged(0, count - 1);
}

void QtWindow::SetCaption(const std::string& caption) {
  caption_ = caption;
  form_->setWindowTitle(Translated(caption));
}

std::string QtWindow::Caption() const {
  return caption_;
}

void QtWindow::ShowPointer() {
  switch (pointer_) {
    case platform::Pointer::kArrow:
      form_->setCursor(Qt::ArrowCursor);
      break;
    case platform::Pointer::kHourglass:
      form_->setCursor(Qt::WaitCursor);
      break;
    case platform::Pointer::kCustom:
      form_->setCursor(mouseIcon_ ? *mouseIcon_ : QCursor(Qt::ArrowCursor));
      break;
    case platform::Pointer::kDefault:
      form_->unsetCursor();
      break;
  }
}

void QtWindow::SetMousePointer(platform::Pointer pointer) {
  if (pointer == pointer_) return;
  pointer_ = pointer;
  // A command starts or ends: the first DoEvents of the next one runs events at once.
  lastEvents_.invalidate();
  ShowPointer();
}

platform::Pointer QtWindow::MousePointer() const {
  return pointer_;
}

bool QtWindow::LoadMouseIcon(const std::string& cursorFile) {
  // Hover handlers load the same file on every move; it is read again only when it changed.
  const std::string stamp = FileStamp(cursorFile);
  if (mouseIcon_ && !stamp.empty() && cursorFile == mouseIconPath_ && stamp == mouseIconStamp_) {
    return true;
  }
  const std::optional<QByteArray> bytes = ReadCursorFile(cursorFile);
  if (!bytes) return false;
  std::optional<QCursor> cursor = CursorFromBytes(*bytes);
  if (!cursor) return false;
  mouseIcon_ = std::move(cursor);
  mouseIconPath_ = cursorFile;
  mouseIconStamp_ = stamp;
  if (pointer_ == platform::Pointer::kCustom) ShowPointer();
  return true;
}

std::string QtWindow::ProgramFolder() const {
  return programFolder_.empty() ? ExecutableFolder() : programFolder_;
}

std::vector<std::string> QtWindow::DataFolders() const {
  std::vector<std::string> folders;
  for (const QString& folder :
       QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
    folders.push_back(QFile::encodeName(folder).toStdString() + "/vornick");
  }
  return folders;
}

void QtWindow::DoEvents() {
  // A long command appends rows between its DoEvents points; they reach the view there, but no
  // more often than the view can follow without slowing the command much: after a batch whose
  // showing (layout and painting included) took t, the next waits at least 19 t.
  const bool show =
      model_->HasHiddenRows() && (!lastShown_.isValid() || lastShown_.elapsed() >= showInterval_);
  model_->HoldStatuses(true);
  form_->Counts().Hold(true);
  // Events run at most every few milliseconds, which is still at once to the user: a load of
  // ten-file folders comes here 200,000 times for a million files, and a run of the event loop
  // with nothing to do costs more than listing a folder.
  if (!show && lastEvents_.isValid() && lastEvents_.elapsed() < kEventsIntervalMs) return;
  QElapsedTimer cost;
  cost.start();
  if (show) ShowAppendedRows();
  QCoreApplication::processEvents();
  lastEvents_.start();
  if (show) {
    showInterval_ = std::clamp<qint64>(19 * cost.elapsed(), kMinShowIntervalMs, kMaxShowIntervalMs);
    lastShown_.start();
  }
}

void QtWindow::End() {
  // At once, from wherever it is called: no window closes, no destructor runs.
  std::fflush(nullptr);
  std::_Exit(EXIT_SUCCESS);
}

platform::Twips QtWindow::OuterWidth() const {
  return ToTwips(form_->frameGeometry().width());
}

platform::Twips QtWindow::OuterHeight() const {
  // Where a tall title bar leaves no room under the buttons for the counts line, the window reads
  // as that much lower, so that the layout lifts the list and the buttons by it.
  const int outer = form_->frameGeometry().height();
  return ToTwips(outer - form_->CountsLineShortfall(outer - form_->height()));
}

platform::Twips QtWindow::ListWidth() const {
  return ToTwips(form_->FileList().width());
}

bool QtWindow::SetListWidth(platform::Twips width) {
  if (!ValidSize(width)) return false;
  form_->SetListSize(ToPixels(width), form_->ListSize().height());
  return true;
}

bool QtWindow::SetListHeight(platform::Twips height) {
  if (!ValidSize(height)) return false;
  form_->SetListSize(form_->FileList().width(), ToPixels(height));
  return true;
}

bool QtWindow::SetButtonTop(platform::Button button, platform::Twips top) {
  if (!ValidPosition(top)) return false;
  CommandButton& widget = form_->ButtonOf(button);
  widget.move(widget.x(), ToPixels(top));
  form_->PlaceCountsLine();
  return true;
}

void QtWindow::AddColumn(const std::string& header, platform::Twips width) {
  model_->AddColumn(Translated(header));
  form_->FileList().setColumnWidth(model_->columnCount() - 1,
                                   ValidSize(width) ? ToPixels(width) : 0);
}

bool QtWindow::SetColumnWidth(int column, platform::Twips width) {
  if (column < 0 || column >= model_->columnCount() || !ValidSize(width)) return false;
  form_->FileList().setColumnWidth(column, ToPixels(width));
  return true;
}

void QtWindow::RowsChanged(std::size_t first, std::size_t last) {
  // One change over the whole range, so that every view, proxy and screen reader hears of every
  // row; a view repaints only what it shows. (Rows not inserted yet are read when they are.)
  model_->ForgetStatuses(first, last);
  model_->ShowChangedRows(first, last);
}

void QtWindow::NamesChanged(std::size_t first, std::size_t last) {
  // A new proposal may take a name from, or give one back to, a row anywhere in the list.
  model_->ForgetStatuses(0, SIZE_MAX);
  model_->ShowChangedNames(first, last);
  model_->ShowChangedRows(0, SIZE_MAX);
}

void QtWindow::RowsAboutToBeCleared() {
  model_->BeginClear();
}

void QtWindow::RowsCleared() {
  model_->EndClear();
}

}  // namespace vornick::gui
