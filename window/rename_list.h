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

// One row of the list, as RenameList shows it. Its current name and folder never change after the
// row is made; everything else changes only through RenameList, which tells its listeners.
struct RenameEntry {
  std::string CurrentName;
  std::string NewName;
  // Rows of one folder share one copy of its path, which keeps a million rows small.
  std::shared_ptr<const std::string> Folder;
  bool Checked = false;
  bool Selected = false;
  RowState State = RowState::kNotRenamed;
  // The proposed name was typed by the user rather than worked out from the current name.
  bool Edited = false;

  const std::string& FolderPath() const { return *Folder; }
  bool IsRenamed() const { return State == RowState::kRenamed || State == RowState::kUndoFailed; }
};

// The rows of the list, in the order they were added; rows are numbered from 0 here. The list
// alone changes its rows, and tells every listener what it changed, so that what is worked out
// from the rows follows them.
class RenameList {
 public:
  // Told of each change as it is made; a listener must not change the list meanwhile.
  class Listener {
   public:
    virtual void RowsAppended(std::size_t /*first*/, std::size_t /*count*/) noexcept {}
    virtual void CheckChanged(std::size_t /*index*/) noexcept {}
    virtual void AllChecked(bool /*checked*/) noexcept {}
    // The row's proposed name changed; its check mark, when it changed with it, is told apart.
    virtual void NameChanged(std::size_t /*index*/) noexcept {}
    // Rename or Undo tried the row's file: the disk may have changed.
    virtual void StateChanged(std::size_t /*index*/) noexcept {}
    virtual void Cleared() noexcept {}

   protected:
    ~Listener() = default;
  };

  RenameList() = default;
  // Listeners hold on to the list they listen to.
  RenameList(const RenameList&) = delete;
  RenameList& operator=(const RenameList&) = delete;

  // Until RemoveListener; a listener is told nothing of what was there before.
  void AddListener(Listener& listener) { listeners_.push_back(&listener); }
  void RemoveListener(Listener& listener) noexcept;

  std::size_t Count() const noexcept { return count_; }
  // How many rows are checked, renamed (State kRenamed), and failed (kRenameFailed or kUndoFailed);
  // kept as the rows change, so that a million rows are counted at no cost.
  std::size_t CheckedCount() const noexcept { return checked_; }
  std::size_t RenamedCount() const noexcept { return renamed_; }
  std::size_t FailedCount() const noexcept { return failed_; }
  const RenameEntry& Row(std::size_t index) const { return At(index); }

  // Appends a row and returns its number; the folder's copy is shared with the row before when
  // they are equal.
  std::size_t Append(std::string currentName, std::string_view folder, std::string newName,
                     bool checked, RowState state = RowState::kNotRenamed);
  void SetChecked(std::size_t index, bool checked);
  void SetAllChecked(bool checked) noexcept;
  // Gives a row another proposed name, checked when it differs from the current one; `edited` says
  // whether the user typed it.
  void SetNewName(std::size_t index, std::string newName, bool edited = false);
  // Records what the last Rename or Undo did to a row; `failure` is why it could not, if so.
  void SetState(std::size_t index, RowState state, Reason failure = {});
  // Why the last Rename or Undo of a row failed; none when it did not.
  Reason Failure(std::size_t index) const;
  void Clear() noexcept;

  // The view's own marks, which nothing else looks at: no listener is told of them.
  void SetSelected(std::size_t index, bool selected) { At(index).Selected = selected; }
  // The row the view calls current (its SelectedItem), if any.
  std::optional<std::size_t> SelectedItem() const noexcept { return selectedItem_; }
  void SetSelectedItem(std::optional<std::size_t> index) { selectedItem_ = index; }

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
  // Takes a row out of, or into, the counts.
  void Count(const RenameEntry& row, bool in) noexcept;
  template <class Tell>
  void TellAll(Tell tell) noexcept {
    for (Listener* listener : listeners_) tell(*listener);
  }

  std::vector<std::vector<RenameEntry>> blocks_;  // each reserved for kBlockRows
  std::size_t count_ = 0;
  std::size_t checked_ = 0, renamed_ = 0, failed_ = 0;
  // Few rows fail, so their reasons are kept apart from the million that do not.
  std::unordered_map<std::size_t, Reason> failures_;
  std::optional<std::size_t> selectedItem_;
  std::vector<Listener*> listeners_;
};

}  // namespace vornick::window
