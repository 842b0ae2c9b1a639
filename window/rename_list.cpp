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

void RenameList::SetState(std::size_t index, RowState state, std::string failure) {
  rows_.at(index).State = state;
  if (failure.empty()) {
    failures_.erase(index);
  } else {
    failures_[index] = std::move(failure);
  }
}

const std::string& RenameList::Failure(std::size_t index) const {
  static const std::string kNone;
  const auto found = failures_.find(index);
  return found == failures_.end() ? kNone : found->second;
}

void RenameList::Clear() noexcept {
  rows_.clear();
  failures_.clear();
  ++generation_;
  selectedItem_.reset();
}

}  // namespace vornick::window
