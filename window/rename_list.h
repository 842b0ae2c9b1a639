#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornick::window {

// One row of the list. Only Checked (and the view's Selected flag) change after the row is made.
struct RenameEntry {
  std::string CurrentName;
  std::string NewName;
  // Rows of one folder share one copy of its path, which keeps a million rows small.
  std::shared_ptr<const std::string> Folder;
  bool Checked = false;
  bool Selected = false;

  const std::string& FolderPath() const { return *Folder; }
};

// The rows of ListView1, in the order they were added; rows are numbered from 0 here.
class RenameList {
 public:
  std::size_t Count() const noexcept { return rows_.size(); }
  const RenameEntry& Row(std::size_t index) const { return rows_.at(index); }
  void SetChecked(std::size_t index, bool checked) { rows_.at(index).Checked = checked; }
  void SetSelected(std::size_t index, bool selected) { rows_.at(index).Selected = selected; }
  void SetAllChecked(bool checked) noexcept;

  // The row the view calls current (its SelectedItem), if any.
  std::optional<std::size_t> SelectedItem() const noexcept { return selectedItem_; }
  void SetSelectedItem(std::optional<std::size_t> index) { selectedItem_ = index; }

  // Appends an unchecked row with an empty NewName and returns it; the folder's copy is shared
  // with the row before when they are equal.
  RenameEntry& Append(std::string currentName, std::string_view folder);
  void Clear() noexcept;

 private:
  std::vector<RenameEntry> rows_;
  std::optional<std::size_t> selectedItem_;
};

}  // namespace vornick::window
