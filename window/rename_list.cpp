// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/rename_list.h"

#include <stdexcept>

namespace vornick::window {

void RenameList::ThrowNoRow(std::size_t index) {
  throw std::out_of_range("no row " + std::to_string(index));
}

void RenameList::Count(const RenameEntry& row, bool in) noexcept {
  const auto step = [in](std::size_t& count) { in ? ++count : --count; };
  if (row.Checked) step(checked_);
  if (row.State == RowState::kRenamed) step(renamed_);
  if (row.State == RowState::kRenameFailed || row.State == RowState::kUndoFailed) step(failed_);
}

void RenameList::RemoveListener(Listener& listener) noexcept {
  std::erase(listeners_, &listener);
}

std::size_t RenameList::Append(std::string currentName, std::string_view folder,
                               std::string newName, bool checked, RowState state) {
  std::shared_ptr<const std::string> shared;
  if (count_ != 0 && *At(count_ - 1).Folder == folder) {
    shared = At(count_ - 1).Folder;
  } else {
    shared = std::make_shared<const std::string>(folder);
  }
  if (count_ % kBlockRows == 0) blocks_.emplace_back().reserve(kBlockRows);
  Count(blocks_.back().emplace_back(std::move(currentName), std::move(newName), std::move(shared),
                                    checked, false, state),
        true);
  const std::size_t index = count_++;
  TellAll([index](Listener& listener) { listener.RowsAppended(index, 1); });
  return index;
}

void RenameList::SetChecked(std::size_t index, bool checked) {
  RenameEntry& row = At(index);
  if (row.Checked == checked) return;
  Count(row, false);
  row.Checked = checked;
  Count(row, true);
  TellAll([index](Listener& listener) { listener.CheckChanged(index); });
}

void RenameList::SetAllChecked(bool checked) noexcept {
  for (std::vector<RenameEntry>& block : blocks_) {
    for (RenameEntry& row : block) row.Checked = checked;
  }
  checked_ = checked ? count_ : 0;
  TellAll([checked](Listener& listener) { listener.AllChecked(checked); });
}

void RenameList::SetNewName(std::size_t index, std::string newName, bool edited) {
  RenameEntry& row = At(index);
  const bool checked = newName != row.CurrentName;
  const bool renamed = newName != row.NewName || edited != row.Edited;
  const bool checkChanged = checked != row.Checked;
  Count(row, false);
  row.NewName = std::move(newName);
  row.Checked = checked;
  row.Edited = edited;
  Count(row, true);
  if (renamed) TellAll([index](Listener& listener) { listener.NameChanged(index); });
  if (checkChanged) TellAll([index](Listener& listener) { listener.CheckChanged(index); });
}

void RenameList::SetState(std::size_t index, RowState state, Reason failure) {
  RenameEntry& row = At(index);
  Count(row, false);
  row.State = state;
  Count(row, true);
  if (failure) {
    failures_[index] = failure;
  } else {
    failures_.erase(index);
  }
  TellAll([index](Listener& listener) { listener.StateChanged(index); });
}

Reason RenameList::Failure(std::size_t index) const {
  const auto found = failures_.find(index);
  return found == failures_.end() ? Reason() : found->second;
}

void RenameList::Clear() noexcept {
  blocks_.clear();
  count_ = 0;
  checked_ = renamed_ = failed_ = 0;
  failures_.clear();
  selectedItem_.reset();
  TellAll([](Listener& listener) { listener.Cleared(); });
}

}  // namespace vornick::window
