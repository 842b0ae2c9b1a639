// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/rename_list.h"

#include <algorithm>
#include <cstring>
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

RowName RenameList::NameBytes::Add(std::string_view name) {
  if (name.find('\0') != std::string_view::npos)
    throw std::invalid_argument("a name cannot hold a NUL byte");
  if (name.empty()) return {};
  const std::size_t size = name.size() + 1;
  // Owned before it is kept, so that a failure to keep it loses nothing.
  const auto keep = [this](std::unique_ptr<char[], ChunkFree> chunk) {
    chunks_.push_back(std::move(chunk));
    return chunks_.back().get();
  };
  char* at = nullptr;
  if (size > kChunkBytes / 4) {
    // A name too long to share a chunk has one of its own; the chunk being filled stays so.
    at = keep(std::unique_ptr<char[], ChunkFree>(new char[size]));
  } else {
    if (size > left_) {
      if (free_ == nullptr) {
        free_ = keep(std::unique_ptr<char[], ChunkFree>(new char[kFirstChunkBytes]));
        left_ = kFirstChunkBytes;
      } else {
        free_ = keep(std::unique_ptr<char[], ChunkFree>(
            static_cast<char*>(AllocateLarge(kChunkBytes)), ChunkFree{kChunkBytes}));
        left_ = kChunkBytes;
      }
    }
    at = free_;
    free_ += size;
    left_ -= size;
  }
  std::memcpy(at, name.data(), name.size());
  at[name.size()] = '\0';
  return at;
}

std::size_t RenameList::Append(std::string_view currentName, std::string_view folder,
                               std::string_view newName, bool checked, RowState state,
                               std::uint8_t treeRules) {
  if (treeRules > treeRules_.size()) throw std::out_of_range("no such tree rules");
  RenameEntry row;
  row.Checked = checked;
  row.State = state;
  row.TreeRules = treeRules & 7u;
  // Rows come folder by folder: the previous row's folder, whose length is known, mostly serves.
  if (count_ != 0 && folder.size() == lastFolderSize_ &&
      (folder.empty() ||
       std::memcmp(At(count_ - 1).Folder.data(), folder.data(), folder.size()) == 0)) {
    row.Folder = At(count_ - 1).Folder;
  } else {
    row.Folder = names_.Add(folder);
    lastFolderSize_ = folder.size();
  }
  row.CurrentName = names_.Add(currentName);
  // Most names change, and few equal each other: only an unchanged name shares its bytes.
  row.NewName = newName == currentName ? row.CurrentName : names_.Add(newName);
  if (count_ == 0 || (count_ >= kFirstBlockRows && (count_ - kFirstBlockRows) % kBlockRows == 0)) {
    // Made whole before it is kept: a block that could not be had leaves the blocks as they were.
    Block block{LargeAllocator<RenameEntry>(count_ != 0)};
    block.reserve(count_ == 0 ? kFirstBlockRows : kBlockRows);
    blocks_.push_back(std::move(block));
  }
  Count(blocks_.back().emplace_back(row), true);
  const std::size_t index = count_++;
  TellAll([index](Listener& listener) { listener.RowsAppended(index, 1); });
  return index;
}

std::uint8_t RenameList::TreeRulesPlace(const platform::NameRules& rules) {
  const auto known = std::find(treeRules_.begin(), treeRules_.end(), rules);
  if (known != treeRules_.end()) return static_cast<std::uint8_t>(known - treeRules_.begin() + 1);
  if (treeRules_.size() == kMostTreeRules) return 0;
  treeRules_.push_back(rules);
  return static_cast<std::uint8_t>(treeRules_.size());
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
  for (Block& block : blocks_) {
    for (RenameEntry& row : block) row.Checked = checked;
  }
  checked_ = checked ? count_ : 0;
  TellAll([checked](Listener& listener) { listener.AllChecked(checked); });
}

void RenameList::SetNewName(std::size_t index, std::string_view newName, bool edited) {
  RenameEntry& row = At(index);
  const bool checked = newName != row.CurrentName;
  const bool renamed = newName != row.NewName || edited != row.Edited;
  const bool checkChanged = checked != row.Checked;
  if (newName != row.NewName) row.NewName = checked ? names_.Add(newName) : row.CurrentName;
  Count(row, false);
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
  names_.Clear();
  count_ = 0;
  checked_ = renamed_ = failed_ = 0;
  failures_.clear();
  treeRules_.clear();
  selectedItem_.reset();
  TellAll([](Listener& listener) { listener.Cleared(); });
}

}  // namespace vornick::window
