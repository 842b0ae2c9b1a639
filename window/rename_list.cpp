// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/rename_list.h"

#include <stdexcept>

namespace vornick::window {

void RenameList::ThrowNoRow(std::size_t index) {
  throw std::out_of_range("no row " + std::to_string(index));
}

RenameEntry& RenameList::Append(std::string currentName, std::string_view folder) {
  std::shared_ptr<const std::string> shared;
  if (count_ != 0 && *At(count_ - 1).Folder == folder) {
    shared = At(count_ - 1).Folder;
  } else {
    shared = std::make_shared<const std::string>(folder);
  }
  if (count_ % kBlockRows == 0) blocks_.emplace_back().reserve(kBlockRows);
  RenameEntry& row =
      blocks_.back().emplace_back(RenameEntry{std::move(currentName), {}, std::move(shared)});
  ++count_;
  return row;
}

void RenameList::SetAllChecked(bool checked) noexcept {
  for (std::vector<RenameEntry>& block : blocks_) {
    for (RenameEntry& row : block) row.Checked = checked;
  }
}

void RenameList::SetNewName(std::size_t index, std::string newName) {
  RenameEntry& row = At(index);
  row.Checked = newName != row.CurrentName;
  row.NewName = std::move(newName);
  ++generation_;
}

void RenameList::SetState(std::size_t index, RowState state, Reason failure) {
  At(index).State = state;
  if (failure) {
    failures_[index] = failure;
  } else {
    failures_.erase(index);
  }
}

Reason RenameList::Failure(std::size_t index) const {
  const auto found = failures_.find(index);
  return found == failures_.end() ? Reason() : found->second;
}

void RenameList::Clear() noexcept {
  blocks_.clear();
  count_ = 0;
  failures_.clear();
  ++generation_;
  selectedItem_.reset();
}

}  // namespace vornick::window
