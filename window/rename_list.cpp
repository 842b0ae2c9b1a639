// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/rename_list.h"

namespace vornick::window {

RenameEntry& RenameList::Append(std::string currentName, std::string_view folder) {
  std::shared_ptr<const std::string> shared;
  if (!rows_.empty() && *rows_.back().Folder == folder) {
    shared = rows_.back().Folder;
  } else {
    shared = std::make_shared<const std::string>(folder);
  }
  rows_.push_back(RenameEntry{std::move(currentName), {}, std::move(shared)});
  return rows_.back();
}

void RenameList::SetAllChecked(bool checked) noexcept {
  for (RenameEntry& row : rows_) row.Checked = checked;
}

void RenameList::SetState(std::size_t index, RowState state, Reason failure) {
  rows_.at(index).State = state;
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
  rows_.clear();
  failures_.clear();
  ++generation_;
  selectedItem_.reset();
}

}  // namespace vornick::window
