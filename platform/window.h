#pragma once

#include <cstddef>
#include <string>

namespace vornick::platform {

// The window's controls that the handlers address.
enum class Control {
  kListView1,
  kList4,
  kCheck1,
  kCheck2,
  kCheck3,
  kCheck4,
  kCheck5,
  kCheck6,
  kCheck7,
  kCheck8
};

// Mouse pointer codes of the window.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerArrow = 1;
inline constexpr int kPointerHourglass = 11;
inline constexpr int kPointerCustom = 99;

// What Form1 drives: the window, its controls and the list view. Sizes are twips.
class Window {
 public:
  virtual ~Window() = default;

  virtual void SetCaption(const std::string& caption) = 0;
  virtual std::string Caption() const = 0;

  virtual void SetMousePointer(int code) = 0;
  virtual int MousePointer() const = 0;
  // Loads a cursor file as the picture shown for kPointerCustom. False, and the picture kept, when
  // the file cannot be loaded.
  virtual bool LoadMouseIcon(const std::string& cursorFile) = 0;

  // The folder of the running program, without a trailing separator.
  virtual std::string ProgramFolder() const = 0;
  // Runs pending window events; other handlers may run nested inside this call.
  virtual void DoEvents() = 0;
  // Ends the program at once, from wherever it is called. Never returns: a host that cannot end
  // the process (a test) throws something that is not a std::exception, so no handler catches it.
  [[noreturn]] virtual void End() = 0;

  // Outer size of the window, frame and title bar included.
  virtual float OuterWidth() const = 0;
  virtual float OuterHeight() const = 0;
  virtual float ControlWidth(Control control) const = 0;
  // Each returns false, changing nothing, when the control refuses the value (a negative size).
  virtual bool SetControlWidth(Control control, float width) = 0;
  virtual bool SetControlHeight(Control control, float height) = 0;
  virtual bool SetControlTop(Control control, float top) = 0;

  // The list view: report style, its columns (numbered from 1), and the rows of Form1's rename
  // list.
  virtual void SetReportView() = 0;
  virtual void AddColumn(const std::string& header, float width) = 0;
  virtual bool SetColumnWidth(int column, float width) = 0;
  // Rows were appended at the end; the view may show them together at the next DoEvents or when the
  // running handler returns.
  virtual void RowsAppended() = 0;
  // The check marks of rows first..last (0-based, inclusive) changed.
  virtual void RowsChanged(std::size_t first, std::size_t last) = 0;
  // Around emptying the list.
  virtual void RowsAboutToBeCleared() = 0;
  virtual void RowsCleared() = 0;

  // The Value of a two-state command button (0 raised, 1 pressed). Setting it raises the button's
  // click handler at once, before SetValue returns, as a press does.
  virtual int Value(Control button) const = 0;
  virtual void SetValue(Control button, int value) = 0;
};

}  // namespace vornick::platform
