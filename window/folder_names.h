// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace vornick::window {

// The names found in the folders a load read, kept small (a hash of each name with A-Z folded),
// so that asking whether a proposed name is taken costs no look-up on disk for the many names that
// are free. A folder is known by the copy of its path that its rows share, so that finding it
// needs no hash of the path. What is kept says nothing once the program has renamed files; it is
// forgotten then.
class FolderNames {
 public:
  // Takes the names of `entries`, read from a folder, to be recorded for it by Record next.
  void Take(const platform::FolderListing& entries);
  // Records the names taken last for the folder whose rows share `folder`.
  void Record(std::shared_ptr<const std::string> folder);
  void Forget() noexcept {
    folders_.clear();
    slots_.clear();
    hashes_.clear();
    recorded_ = 0;
    lastFolder_ = nullptr;
  }

  enum class Answer { kUnknown, kFree, kOnlyItself, kMaybeTaken };
  // Whether an entry of `folder` (a row's shared path) bears the name `target` (in any letter
  // case) other than the file named `current` itself; kUnknown when the folder was not recorded.
  Answer Lookup(const std::string& folder, std::string_view current, std::string_view target) const;

 private:
  struct Recorded {
    std::shared_ptr<const std::string> folder;  // held, so that its address is not used again
    std::size_t first = 0, count = 0;           // its sorted hashes in hashes_
  };
  static std::uint64_t Folded(std::string_view name) noexcept;
  // The slot of `folder` in slots_: the one holding it, or the empty one where it would go.
  std::size_t SlotOf(const std::string* folder) const noexcept;
  void Grow();
  // The hashes of every folder's names, folder after folder, in one array; those past recorded_
  // are taken and not recorded yet.
  std::vector<std::uint64_t> hashes_;
  std::size_t recorded_ = 0;
  // The folders in the order recorded, found by their address through an open-addressed table of
  // their positions plus one (0 is an empty slot). A node-based map costs a cache miss or more
  // for each of the many folders of a load.
  std::vector<Recorded> folders_;
  std::vector<std::uint32_t> slots_;
  // Rows of a folder come together: the last folder asked about is found again at once.
  mutable const std::string* lastFolder_ = nullptr;
  mutable const Recorded* lastRecorded_ = nullptr;
};

}  // namespace vornick::window
