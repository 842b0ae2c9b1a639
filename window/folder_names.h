// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "window/large_memory.h"

namespace vornick::window {

// The names found in the folders a load read, kept small (a hash of each name with A-Z folded),
// so that asking whether a proposed name is taken costs no look-up on disk for the many names that
// are free. A folder is known by the address of the path that its rows share, so that finding it
// needs no hash of the path; that address is the folder's until the list is cleared, when this is
// forgotten too. What is kept says nothing once the program has renamed files; it is forgotten
// then.
class FolderNames {
 public:
  // Takes the names of `entries`, read from a folder, to be recorded for it by Record next.
  void Take(const platform::FolderListing& entries);
  // Records the names taken last for the folder whose rows share the path at `folder`.
  void Record(const char* folder);
  void Forget() noexcept {
    folders_.clear();
    slots_.clear();
    placed_ = 0;
    hashes_.clear();
    recorded_ = 0;
    lastFolder_ = nullptr;
  }

  enum class Answer { kUnknown, kFree, kOnlyItself, kMaybeTaken };
  // Whether an entry of `folder` (a row's shared path) bears the name `target` (in any letter
  // case) other than the file named `current` itself; kUnknown when the folder was not recorded.
  Answer Lookup(const char* folder, std::string_view current, std::string_view target) const;

 private:
  struct Recorded {
    const char* folder = nullptr;
    std::uint32_t first = 0, count = 0;  // its sorted hashes in hashes_
  };
  // Half a hash: two names of one folder rarely share it, and when they do, a name is only asked
  // on disk (kMaybeTaken), never taken for free.
  static std::uint32_t Folded(std::string_view name) noexcept;
  // The hashes of a folder of up to this many names are looked through, not sorted.
  static constexpr std::uint32_t kLookedThrough = 16;
  // The slot of `folder` in slots_: the one holding it, or the empty one where it would go.
  std::size_t SlotOf(const char* folder) const noexcept;
  // Puts the folders recorded since the last question into slots_.
  void Place() const;
  // The hashes of every folder's names, folder after folder, in one array; those past recorded_
  // are taken and not recorded yet.
  std::vector<std::uint32_t, LargeAllocator<std::uint32_t>> hashes_;
  std::size_t recorded_ = 0;
  // The folders in the order recorded, found by their address through an open-addressed table of
  // their positions plus one (0 is an empty slot). A node-based map costs a cache miss or more
  // for each of the many folders of a load. The table is filled when a question comes, in one go
  // rather than between the reading of one folder and the next, when it is out of the cache.
  std::vector<Recorded> folders_;
  mutable std::vector<std::uint32_t> slots_;
  mutable std::size_t placed_ = 0;  // folders_ put into slots_, from the first
  // Rows of a folder come together: the last folder asked about is found again at once.
  mutable const char* lastFolder_ = nullptr;
  mutable const Recorded* lastRecorded_ = nullptr;
};

}  // namespace vornick::window
