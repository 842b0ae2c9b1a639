// SPDX-License-Identifier: GPL-3.0-or-later
// The window's own events: load, layout on resize, and the mouse pointer.
#include <exception>

#include "files/path_helpers.h"
#include "window/form1.h"

namespace vornick::window {
namespace {

using platform::Pointer;
using platform::Twips;

constexpr const char* kHandCursor = "HAND-M.CUR";
constexpr const char* kDropCursor = "dragfiles.cur";

struct ColumnShare {
  const char* header;
  double factor;
};
constexpr ColumnShare kColumns[] = {
    {"Filename Now", 2.0 / 5.0}, {"Filename After Rename", 2.0 / 5.0}, {"Folder", 1.0 / 5.0}};

// A column's share of the list's width, worked in double precision and handed over in single.
Twips ColumnWidth(Twips listWidth, double factor) {
  return static_cast<Twips>(static_cast<double>(listWidth) * factor - 100.0);
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

// The cursor file is looked for beside the program, then in the data folders; the first one there
// is taken. A file that is there but not a picture counts as missing: LoadMouseIcon keeps the old
// one.
void Form1::LoadCursorIfThere(std::string_view fileName) {
  std::vector<std::string> folders = window_.DataFolders();
  folders.insert(folders.begin(), window_.ProgramFolder());
  for (std::string& path : folders) {
    path += files::kSeparator;
    path += fileName;
    if (files::FileExists(fileSystem_, path)) {
      window_.LoadMouseIcon(path);
      return;
    }
  }
}

void Form1::OnLoad() {
  LoadCursorIfThere(kHandCursor);
  for (const ColumnShare& column : kColumns) {
    window_.AddColumn(column.header, ColumnWidth(window_.ListWidth(), column.factor));
  }
}

// The list fills the window and the buttons sit at its bottom edge; a size the window refuses
// (too small a window) is skipped, leaving that element as it was.
void Form1::OnResize() {
  LayoutStep([&] {
    const Twips width = window_.OuterWidth() - 350.0f;
    if (width >= 0) window_.SetListWidth(width);
  });
  LayoutStep([&] {
    const Twips height = window_.OuterHeight() - 1800.0f - 75.0f;
    if (height >= 0) window_.SetListHeight(height);
  });
  for (std::size_t i = 0; i < platform::kButtonCount; ++i) {
    LayoutStep([&] {
      window_.SetButtonTop(static_cast<Button>(i), window_.OuterHeight() - 1600.0f - 60.0f);
    });
  }
  for (int column = 0; column < 3; ++column) {
    LayoutStep([&] {
      const Twips width = ColumnWidth(window_.ListWidth(), kColumns[column].factor);
      if (width >= 0) window_.SetColumnWidth(column, width);
    });
  }
}

// The hand over a button (Clear List has none); the cursor file is looked for on every move, so
// a replaced file shows.
void Form1::OnButtonMouseMove(Button button) {
  if (button == Button::kClearList) return;
  LoadCursorIfThere(kHandCursor);
  window_.SetMousePointer(Pointer::kCustom);
}

// Over the empty list the pointer invites a drop; over rows it is the arrow.
void Form1::OnListMouseMove() {
  if (operations_.List().Count() != 0) {
    window_.SetMousePointer(Pointer::kArrow);
    return;
  }
  LoadCursorIfThere(kDropCursor);
  window_.SetMousePointer(Pointer::kCustom);
}

void Form1::OnMouseMove() {
  window_.SetMousePointer(Pointer::kArrow);
}

}  // namespace vornick::window
