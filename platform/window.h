// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vornick::platform {

// The eight command buttons, left to right as they stand on screen but for Exit, which is last.
enum class Button {
  kRename,
  kUndo,
  kLoadFolder,
  kLoadFiles,
  kSelectAll,
  kUnselectAll,
  kExit,
  kClearList
};
inline constexpr std::size_t kButtonCount = 8;

enum class Pointer {
  kDefault,    // whatever the control under the pointer shows
  kArrow,      //
  kHourglass,  // busy
  kCustom      // the picture of the last cursor file loaded
};

// Window geometry: 1/1440 inch, 15 to a device-independent pixel.
using Twips = float;

// What Form1 asks of its window.
class Window {
 public:
  virtual ~Window() = default;

  virtual void SetCaption(const std::string& caption) = 0;
  virtual std::string Caption() const = 0;

  virtual void SetMousePointer(Pointer pointer) = 0;
  virtual Pointer MousePointer() const = 0;
  // Loads a cursor file as the picture shown for Pointer::kCustom. False, and the picture kept,
  // when the file cannot be loaded.
  virtual bool LoadMouseIcon(const std::string& cursorFile) = 0;

  // The folder of the running program, without a trailing separator.
  virtual std::string ProgramFolder() const = 0;
  // The folders where the program's own data files are looked for after its own folder, most
  // important first, each without a trailing separator.
  virtual std::vector<std::string> DataFolders() const { return {}; }
  // Runs pending window events; other handlers may run nested inside this call.
  virtual void DoEvents() = 0;
  // Ends the program at once, from wherever it is called. Never returns: a host that cannot end
  // the process (a test) throws something that is not a std::exception, so no handler catches it.
  [[noreturn]] virtual void End() = 0;

  // Layout. The outer size includes the frame and title bar. Each setter returns false, changing
  // nothing, when the widget refuses the value (a negative size).
  virtual Twips OuterWidth() const = 0;
  virtual Twips OuterHeight() const = 0;
  virtual Twips ListWidth() const = 0;
  virtual bool SetListWidth(Twips width) = 0;
  virtual bool SetListHeight(Twips height) = 0;
  virtual bool SetButtonTop(Button button, Twips top) = 0;
  // The list's columns, numbered from 0.
  virtual void AddColumn(const std::string& header, Twips width) = 0;
  virtual bool SetColumnWidth(int column, Twips width) = 0;

  // The check marks of rows first..last (from 0, inclusive) changed.
  virtual void RowsChanged(std::size_t first, std::size_t last) = 0;
  // The proposed names of rows first..last changed (and so their marks).
  virtual void NamesChanged(std::size_t first, std::size_t last) { RowsChanged(first, last); }
  // Around emptying the list.
  virtual void RowsAboutToBeCleared() = 0;
  virtual void RowsCleared() = 0;
};

}  // namespace vornick::platform
