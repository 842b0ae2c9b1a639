// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "window/reason.h"

namespace vornick::window {

// What Rename and Undo did to a row's file. Undo acts only on files Rename renamed.
enum class RowState : std::uint8_t {
  kNotRenamed,    // never renamed, or renamed back
  kRenamed,       // at its proposed name
  kRenameFailed,  // Rename tried and could not; still at its current name
  kUndoFailed,    // Undo tried and could not; still at its proposed name
};

// One row of the list. Its current name and folder never change after the row is made; its
// proposed name changes only through RenameList::SetNewName; its check mark, the view's Selected
// flag and the record of what was done to it do.
struct RenameEntry {
  std::string CurrentName;
  std::string NewName;
  // Rows of one folder share one copy of its path, which keeps a million rows small.
  std::shared_ptr<const std::string> Folder;
  bool Checked = false;
  bool Selected = false;
  RowState State = RowState::kNotRenamed;

  const std::string& FolderPath() const { return *Folder; }
  bool IsRenamed() const { return State == RowState::kRenamed || State == RowState::kUndoFailed; }
};

// The rows of the list, in the order they were added; rows are numbered from 0 here.
class RenameList {
 public:
  std::size_t Count() const noexcept { return count_; }
  // Changes whenever the list is emptied or a proposed name changes, so that what was worked out
  // from its rows is redone.
  std::uint64_t Generation() const noexcept { return generation_; }
  const RenameEntry& Row(std::size_t index) const { return At(index); }
  void SetChecked(std::size_t index, bool checked) { At(index).Checked = checked; }
  void SetSelected(std::size_t index, bool selected) { At(index).Selected = selected; }
  void SetAllChecked(bool checked) noexcept;
  // Gives a row another proposed name, checked when it differs from the current one.
  void SetNewName(std::size_t index, std::string newName);
  // Records what the last Rename or Undo did to a row; `failure` is why it could not, if so.
  void SetState(std::size_t index, RowState state, Reason failure = {});
  // Why the last Rename or Undo of a row failed; none when it did not.
  Reason Failure(std::size_t index) const;

  // The row the view calls current (its SelectedItem), if any.
  std::optional<std::size_t> SelectedItem() const noexcept { return selectedItem_; }
  void SetSelectedItem(std::optional<std::size_t> index) { selectedItem_ = index; }

  // Appends an unchecked row with an empty NewName and returns it (it stays where it is while the
  // list is not emptied); the folder's copy is shared with the row before when they are equal.
  RenameEntry& Append(std::string currentName, std::string_view folder);
  void Clear() noexcept;

 private:
  // Rows are kept in blocks of a fixed size, so that a list of a million rows grows without
  // moving the rows it has, nor holding them twice while it grows.
  static constexpr std::size_t kBlockRows = 4096;
  RenameEntry& At(std::size_t index) {
    if (index >= count_) ThrowNoRow(index);
    return blocks_[index / kBlockRows][index % kBlockRows];
  }
  const RenameEntry& At(std::size_t index) const {
    if (index >= count_) ThrowNoRow(index);
    return blocks_[index / kBlockRows][index % kBlockRows];
  }
  [[noreturn]] static void ThrowNoRow(std::size_t index);

  std::vector<std::vector<RenameEntry>> blocks_;  // each reserved for kBlockRows
  std::size_t count_ = 0;
  // Few rows fail, so their reasons are kept apart from the million that do not.
  std::unordered_map<std::size_t, Reason> failures_;
  std::optional<std::size_t> selectedItem_;
  std::uint64_t generation_ = 0;
};

}  // namespace vornick::window
