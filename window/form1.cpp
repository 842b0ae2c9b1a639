#include "window/form1.h"

#include <exception>

#include "cleaning/name_cleaning.h"
#include "files/path_helpers.h"

namespace vornick::window {

using platform::Control;

Form1::Form1(platform::FileSystem& fileSystem, platform::SettingsStore& settings,
             platform::Dialogs& dialogs, platform::Window& window)
    : fileSystem_(fileSystem), settings_(settings), dialogs_(dialogs), window_(window) {}

void Form1::AddEntry(const std::string& fullPath, bool markIfChanged) {
  RenameEntry& row = list_.Append(files::GetFileName(fullPath), files::GetFolder(fullPath));
  // The row exists before its name is cleaned, so a name that cannot be cleaned leaves it behind
  // unchecked with an empty NewName; the view hears of it either way.
  try {
    row.NewName = cleaning::CleanFileName(row.CurrentName);
  } catch (const cleaning::NameCleaningError&) {
    window_.RowsAppended();
    throw;
  }
  row.Checked = markIfChanged && row.NewName != row.CurrentName;
  window_.RowsAppended();
}

void Form1::AddPlannedRow(std::string currentName, std::string newName, std::string_view folder,
                          bool checked) {
  RenameEntry& row = list_.Append(std::move(currentName), folder);
  row.NewName = std::move(newName);
  row.Checked = checked;
  window_.RowsAppended();
}

// The click rule: the selected rows' check marks turn over, unless the clicked row's name is
// contained in the name last turned over this way.
void Form1::ListView1_Click() {
  const std::optional<std::size_t> selected = list_.SelectedItem();
  if (!selected || *selected >= list_.Count()) return;
  const std::string& name = list_.Row(*selected).CurrentName;
  if (lastClickedName_.find(name) != std::string::npos) return;
  lastClickedName_ = name;

  std::optional<std::size_t> first, last;
  const std::size_t count = list_.Count();
  for (std::size_t i = 0; i < count; ++i) {
    const RenameEntry& row = list_.Row(i);
    if (!row.Selected) continue;
    list_.SetChecked(i, !row.Checked);
    if (!first) first = i;
    last = i;
  }
  if (first) window_.RowsChanged(*first, *last);
}

void Form1::CheckClick(Control button) {
  switch (button) {
    case Control::kCheck1:
      return Check1_Click();
    case Control::kCheck2:
      return Check2_Click();
    case Control::kCheck3:
      return Check3_Click();
    case Control::kCheck4:
      return Check4_Click();
    case Control::kCheck5:
      return Check5_Click();
    case Control::kCheck6:
      return Check6_Click();
    case Control::kCheck7:
      return Check7_Click();
    case Control::kCheck8:
      return Check8_Click();
    case Control::kListView1:
    case Control::kList4:
      return;
  }
}

// A press finds Value at 1 and sets it back to 0, which enters the handler again at once; that
// nested entry finds 0 and does nothing, so each press runs its command once.
bool Form1::Pressed(Control button) {
  if (window_.Value(button) != 1) return false;
  window_.SetValue(button, 0);
  return true;
}

void Form1::Contained(const std::string& title, const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& error) {
    dialogs_.ShowMessage(title, error.what());
  }
}

void Form1::Check1_Click() {
  if (Pressed(Control::kCheck1)) Rename(RenameDirection::kRename);
}

void Form1::Check2_Click() {
  if (Pressed(Control::kCheck2)) Rename(RenameDirection::kUndo);
}

void Form1::Check3_Click() {
  if (Pressed(Control::kCheck3)) LoadFolder();
}

void Form1::Check4_Click() {
  if (Pressed(Control::kCheck4)) LoadFiles();
}

void Form1::Check5_Click() {
  if (Pressed(Control::kCheck5)) SetAllChecked(true);
}

void Form1::Check6_Click() {
  if (Pressed(Control::kCheck6)) SetAllChecked(false);
}

void Form1::Check7_Click() {
  if (Pressed(Control::kCheck7)) window_.End();
}

void Form1::Check8_Click() {
  if (Pressed(Control::kCheck8)) ClearList();
}

void Form1::Rename(RenameDirection direction) {
  failures_.clear();
  Contained(FailureTitle(direction), [&] {
    failures_ = RenameRows(fileSystem_, list_, direction);
    if (!failures_.empty()) {
      dialogs_.ShowMessage(FailureTitle(direction), FailureMessage(failures_, direction));
    }
  });
}

void Form1::SetAllChecked(bool checked) {
  if (list_.Count() == 0) return;
  list_.SetAllChecked(checked);
  window_.RowsChanged(0, list_.Count() - 1);
}

// Only the rows go: LastClickedName, the work list, the caption and the pointer stay.
void Form1::ClearList() {
  if (list_.Count() == 0) return;
  window_.RowsAboutToBeCleared();
  list_.Clear();
  window_.RowsCleared();
}

}  // namespace vornick::window
