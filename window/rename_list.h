// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/file_system.h"
#include "window/large_memory.h"
#include "window/reason.h"

namespace vornick::window {

// What Rename and Undo did to a row's file. Undo acts only on files Rename renamed.
enum class RowState : std::uint8_t {
  kNotRenamed,    // never renamed, or renamed back
  kRenamed,       // at its proposed name
  kRenameFailed,  // Rename tried and could not; still at its current name
  kUndoFailed,    // Undo tried and could not; still at its proposed name
};

// A name held by the list: its bytes, ended by a NUL, stay where the list put them until the list
// is cleared. One pointer in place of a string keeps a million rows small; a name cannot hold a NUL
// byte, as no file name can. It reads like a string: it compares with and adds to strings.
class RowName {
 public:
  RowName() noexcept : RowName("") {}
  // `text` must outlive the name: the list's own bytes, or a literal.
  RowName(const char* text) noexcept {  // NOLINT: reads as a string
    std::memcpy(text_, &text, sizeof text_);
  }

  const char* data() const noexcept {
    const char* text = nullptr;
    std::memcpy(&text, text_, sizeof text_);
    return text;
  }
  std::size_t size() const noexcept { return std::char_traits<char>::length(data()); }
  bool empty() const noexcept { return *data() == '\0'; }
  std::string_view View() const noexcept { return data(); }
  operator std::string_view() const noexcept { return data(); }  // NOLINT
  operator std::string() const { return data(); }                // NOLINT

  friend bool operator==(RowName a, RowName b) noexcept {
    return a.data() == b.data() || a.View() == b.View();
  }
  friend bool operator==(RowName a, const char* b) noexcept { return a.View() == b; }
  friend bool operator==(RowName a, std::string_view b) noexcept { return a.View() == b; }
  friend std::string operator+(RowName a, RowName b) { return Join(a.View(), b.View()); }
  friend std::string operator+(RowName a, const char* b) { return Join(a.View(), b); }
  friend std::string operator+(const char* a, RowName b) { return Join(a, b.View()); }
  friend std::string operator+(RowName a, std::string_view b) { return Join(a.View(), b); }
  friend std::string operator+(std::string_view a, RowName b) { return Join(a, b.View()); }
  friend std::ostream& operator<<(std::ostream& out, RowName name) { return out << name.View(); }

 private:
  static std::string Join(std::string_view a, std::string_view b) {
    std::string joined;
    joined.reserve(a.size() + b.size());
    return joined.append(a).append(b);
  }
  // The pointer's bytes, so that a row packs its names without padding between them.
  char text_[sizeof(const char*)];
};

// One row of the list, as RenameList shows it. Its current name and folder never change after the
// row is made; everything else changes only through RenameList, which tells its listeners. Rows of
// one folder share one copy of its path: the same bytes at the same address.
struct RenameEntry {
  RowName CurrentName;
  RowName NewName;
  RowName Folder;
  // The marks share one byte, so that a row takes 25 bytes. Only the main thread writes them; the
  // history's worker reads names alone.
  bool Checked : 1 = false;
  bool Selected : 1 = false;
  RowState State : 2 = RowState::kNotRenamed;
  // The proposed name was typed by the user rather than worked out from the current name.
  bool Edited : 1 = false;
  // The rules the load found for the whole tree the row's folder is in, as their place in the
  // list's table (RenameList::TreeRules); 0 when the folder's own rules are to be asked for.
  std::uint8_t TreeRules : 3 = 0;

  RowName FolderPath() const { return Folder; }
  bool IsRenamed() const { return State == RowState::kRenamed || State == RowState::kUndoFailed; }
};
// A million rows' budget counts on it.
static_assert(sizeof(RenameEntry) == 3 * sizeof(RowName) + 1);

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
  // they are equal. A name or folder holding a NUL byte is refused (std::invalid_argument).
  std::size_t Append(std::string_view currentName, std::string_view folder,
                     std::string_view newName, bool checked, RowState state = RowState::kNotRenamed,
                     std::uint8_t treeRules = 0);
  void SetChecked(std::size_t index, bool checked);
  void SetAllChecked(bool checked) noexcept;
  // Gives a row another proposed name, checked when it differs from the current one; `edited` says
  // whether the user typed it.
  void SetNewName(std::size_t index, std::string_view newName, bool edited = false);
  // Records what the last Rename or Undo did to a row; `failure` is why it could not, if so.
  void SetState(std::size_t index, RowState state, Reason failure = {});
  // Why the last Rename or Undo of a row failed; none when it did not.
  Reason Failure(std::size_t index) const;
  void Clear() noexcept;

  // The place of `rules` in the table of rules found for whole trees, for rows to keep: from 1 on,
  // and 0 when the table is full. The table is emptied with the list.
  std::uint8_t TreeRulesPlace(const platform::NameRules& rules);
  const platform::NameRules& TreeRules(std::uint8_t place) const {
    return treeRules_.at(place - 1);
  }

  // The view's own marks, which nothing else looks at: no listener is told of them.
  void SetSelected(std::size_t index, bool selected) { At(index).Selected = selected; }
  // The row the view calls current (its SelectedItem), if any.
  std::optional<std::size_t> SelectedItem() const noexcept { return selectedItem_; }
  void SetSelectedItem(std::optional<std::size_t> index) { selectedItem_ = index; }

 private:
  // The bytes of the rows' names and folders, in large chunks that are never moved, so that a name
  // costs its bytes and a NUL, and a row a pointer to it. A name given again (an edit) takes new
  // bytes; the old ones stay until the list is cleared, so that no name read is changed under its
  // reader.
  class NameBytes {
   public:
    RowName Add(std::string_view name);
    void Clear() noexcept {
      chunks_.clear();
      free_ = nullptr;
      left_ = 0;
    }

   private:
    // A short list's names take a small chunk; a long list's go on in large pages.
    static constexpr std::size_t kFirstChunkBytes = std::size_t{64} << 10;
    static constexpr std::size_t kChunkBytes = kLargePage;
    struct ChunkFree {
      std::size_t largeBytes = 0;  // 0: from new[]
      void operator()(char* chunk) const noexcept {
        if (largeBytes != 0) {
          FreeLarge(chunk, largeBytes);
        } else {
          delete[] chunk;
        }
      }
    };
    std::vector<std::unique_ptr<char[], ChunkFree>> chunks_;
    char* free_ = nullptr;
    std::size_t left_ = 0;
  };

  // Rows are kept in blocks of a fixed size, so that a list of a million rows grows without moving
  // the rows it has, nor holding them twice while it grows. The first block is small, so that a
  // short list stays small; each one after it fills a large page.
  static constexpr std::size_t kFirstBlockRows = 4096;
  static constexpr std::size_t kBlockRows = kLargePage / sizeof(RenameEntry);
  using Block = std::vector<RenameEntry, LargeAllocator<RenameEntry>>;
  template <class List>
  static auto& At(List& list, std::size_t index) {
    if (index >= list.count_) ThrowNoRow(index);
    if (index < kFirstBlockRows) return list.blocks_[0][index];
    index -= kFirstBlockRows;
    return list.blocks_[1 + index / kBlockRows][index % kBlockRows];
  }
  RenameEntry& At(std::size_t index) { return At(*this, index); }
  const RenameEntry& At(std::size_t index) const { return At(*this, index); }
  [[noreturn]] static void ThrowNoRow(std::size_t index);
  // Takes a row out of, or into, the counts.
  void Count(const RenameEntry& row, bool in) noexcept;
  template <class Tell>
  void TellAll(Tell tell) noexcept {
    for (Listener* listener : listeners_) tell(*listener);
  }

  std::vector<Block> blocks_;  // each reserved for its rows
  NameBytes names_;
  std::size_t count_ = 0;
  std::size_t lastFolderSize_ = 0;  // of the last row's folder
  std::size_t checked_ = 0, renamed_ = 0, failed_ = 0;
  // Few rows fail, so their reasons are kept apart from the million that do not.
  std::unordered_map<std::size_t, Reason> failures_;
  std::optional<std::size_t> selectedItem_;
  std::vector<Listener*> listeners_;
  // As many as a row's three bits can tell.
  static constexpr std::size_t kMostTreeRules = 7;
  std::vector<platform::NameRules> treeRules_;
};

}  // namespace vornick::window
