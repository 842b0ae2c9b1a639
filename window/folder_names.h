// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/file_system.h"

namespace vornick::window {

// The names found in the folders a load read, kept small (a hash of each name with A-Z folded),
// so that asking whether a proposed name is taken costs no look-up on disk for the many names that
// are free. What is kept says nothing once the program has renamed files; it is forgotten then.
class FolderNames {
 public:
  void Record(const std::string& folder, const std::vector<platform::FolderEntry>& entries);
  void Forget() noexcept {
    folders_.clear();
    lastFolder_ = nullptr;
  }

  enum class Answer { kUnknown, kFree, kOnlyItself, kMaybeTaken };
  // Whether an entry of `folder` bears the name `target` (in any letter case) other than the file
  // named `current` itself; kUnknown when the folder was not recorded.
  Answer Lookup(const std::string& folder, std::string_view current, std::string_view target) const;

 private:
  static std::uint64_t Folded(std::string_view name) noexcept;
  std::unordered_map<std::string, std::vector<std::uint64_t>> folders_;  // sorted hashes
  // Rows of a folder come together: the last folder asked about is found again without a hash.
  mutable const std::string* lastFolder_ = nullptr;
  mutable const std::vector<std::uint64_t>* lastHashes_ = nullptr;
};

}  // namespace vornick::window
