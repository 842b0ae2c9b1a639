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

void RenameList::Clear() noexcept {
  rows_.clear();
  selectedItem_.reset();
}

}  // namespace vornick::window
