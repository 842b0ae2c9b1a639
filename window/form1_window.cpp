// The window's own events: load, layout on resize, and the mouse pointer.
#include <exception>

#include "files/path_helpers.h"
#include "window/form1.h"

namespace vornick::window {
namespace {

using platform::Control;

constexpr const char* kHandCursor = "HAND-M.CUR";
constexpr const char* kDropCursor = "dragfiles.cur";

constexpr Control kButtons[] = {Control::kCheck1, Control::kCheck2, Control::kCheck3,
                                Control::kCheck4, Control::kCheck5, Control::kCheck6,
                                Control::kCheck7, Control::kCheck8};

struct ColumnShare {
  const char* header;
  double factor;
};
constexpr ColumnShare kColumns[] = {
    {"Filename Now", 2.0 / 5.0}, {"Filename After Rename", 2.0 / 5.0}, {"Folder", 1.0 / 5.0}};

// A column's share of the list's width, worked in double precision and handed over in single.
float ColumnWidth(float listWidth, double factor) {
  return static_cast<float>(static_cast<double>(listWidth) * factor - 100.0);
}

// Runs one layout step; a step that fails is skipped and the next one runs.
template <class Step>
void LayoutStep(Step step) noexcept {
  try {
    step();
  } catch (const std::exception&) {
  }
}

}  // namespace

void Form1::LoadCursorIfThere(std::string_view fileName) {
  std::string path = window_.ProgramFolder();
  path += files::kSeparator;
  path += fileName;
  // A file that is there but not a picture counts as missing: LoadMouseIcon keeps the old one.
  if (files::FileExists(fileSystem_, path)) window_.LoadMouseIcon(path);
}

void Form1::Form_Load() {
  LoadCursorIfThere(kHandCursor);
  window_.SetReportView();
  for (const ColumnShare& column : kColumns) {
    window_.AddColumn(column.header,
                      ColumnWidth(window_.ControlWidth(Control::kListView1), column.factor));
  }
}

// The list fills the window and the buttons sit at its bottom edge; a size the window refuses
// (too small a window) is skipped, leaving that element as it was.
void Form1::Form_Resize() {
  LayoutStep([&] {
    const float width = window_.OuterWidth() - 350.0f;
    if (width >= 0) window_.SetControlWidth(Control::kListView1, width);
  });
  LayoutStep([&] {
    const float height = window_.OuterHeight() - 1800.0f - 75.0f;
    if (height >= 0) window_.SetControlHeight(Control::kListView1, height);
  });
  for (const Control button : kButtons) {
    LayoutStep([&] { window_.SetControlTop(button, window_.OuterHeight() - 1600.0f - 60.0f); });
  }
  for (int column = 1; column <= 3; ++column) {
    LayoutStep([&] {
      const float width =
          ColumnWidth(window_.ControlWidth(Control::kListView1), kColumns[column - 1].factor);
      if (width >= 0) window_.SetColumnWidth(column, width);
    });
  }
}

// The hand over a button; the cursor file is read again on every move, so a replaced file shows.
void Form1::Check1_MouseMove() {
  LoadCursorIfThere(kHandCursor);
  window_.SetMousePointer(platform::kPointerCustom);
}
void Form1::Check2_MouseMove() {
  Check1_MouseMove();
}
void Form1::Check3_MouseMove() {
  Check1_MouseMove();
}
void Form1::Check4_MouseMove() {
  Check1_MouseMove();
}
void Form1::Check5_MouseMove() {
  Check1_MouseMove();
}
void Form1::Check6_MouseMove() {
  Check1_MouseMove();
}
void Form1::Check7_MouseMove() {
  Check1_MouseMove();
}

// Over the empty list the pointer invites a drop; over rows it is the arrow.
void Form1::ListView1_MouseMove() {
  if (list_.Count() != 0) {
    window_.SetMousePointer(platform::kPointerArrow);
    return;
  }
  LoadCursorIfThere(kDropCursor);
  window_.SetMousePointer(platform::kPointerCustom);
}

void Form1::Form_MouseMove() {
  window_.SetMousePointer(platform::kPointerArrow);
}

}  // namespace vornick::window
