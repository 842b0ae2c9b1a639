// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QMargins>
#include <QMetaObject>
#include <QSize>
#include <array>
#include <memory>
#include <string>
#include <vector>

class QHeaderView;
class QObject;
class QWidget;

namespace vornick::gui {

class MainForm;

// How the window stood when the program last ended: its place and size, the list's columns and
// sort, and the last folder of Load Folder and of Load Files. Kept in FOLDER/window.ini, beside the
// rename history and never in the settings file. A file that cannot be read, is damaged or was
// written by another version is passed over, and so is a file that cannot be written: the window
// then opens as it would without one.
class WindowState final {
 public:
  enum class Picker { kLoadFolder, kLoadFiles };

  // Reads FOLDER/window.ini. With an empty folder (none could be found) nothing is read or kept.
  explicit WindowState(std::string folder);
  ~WindowState();
  WindowState(const WindowState&) = delete;
  WindowState& operator=(const WindowState&) = delete;

  const std::string& File() const { return file_; }

  // Before the window first shows: its place and size as they were, moved and shrunk so that the
  // whole window, frame included, lies on a screen that is there now.
  void RestoreGeometry(QWidget& window) const;
  // Once the window has had its first layout: the list's column widths and sort as they were.
  // Until the window's own size changes, a layout that follows (the frame a window manager adds
  // later changes the outer size) gets the widths back.
  void RestoreColumns(MainForm& form);
  // The folder the picker of `picker` opens in: the one it gave last, while that is still a folder;
  // "" otherwise.
  std::string LastFolder(Picker picker) const;
  void SetLastFolder(Picker picker, std::string folder);
  // Takes the window's place and size and the list's columns as they stand.
  void Remember(const QWidget& window, const QHeaderView& header);
  // Writes the file (its folder made as needed, 0700); false when it could not be written.
  bool Save() const;
  // Remembers the window and saves as the window closes and as Exit is pressed: Exit, and a close
  // during a command, end the program at once, before any code after the event loop runs.
  void SaveAtEnd(MainForm& form);

 private:
  class Watch;

  void Read();
  void RememberAndSave(const MainForm& form);

  std::string folder_, file_;
  QByteArray geometry_, columns_;
  QMargins frame_;  // the frame around the window, as a window manager drew it
  int columnCount_ = 0;
  std::array<std::string, 2> lastFolders_;
  // The restored columns and the window size they were restored at, while they hold.
  QSize restoredAt_;
  std::vector<int> restoredWidths_;
  QMetaObject::Connection relayout_;
  std::unique_ptr<QObject> watch_;
};

}  // namespace vornick::gui
