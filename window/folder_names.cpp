// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/folder_names.h"

#include <algorithm>

#include "window/name_hash.h"

namespace vornick::window {

std::uint64_t FolderNames::Folded(std::string_view name) noexcept {
  return HashName(name, true);
}

std::vector<std::uint64_t> FolderNames::Hashes(const std::vector<platform::FolderEntry>& entries) {
  std::vector<std::uint64_t> hashes;
  hashes.reserve(entries.size());
  for (const platform::FolderEntry& entry : entries) hashes.push_back(Folded(entry.name));
  std::sort(hashes.begin(), hashes.end());
  return hashes;
}

void FolderNames::Record(std::shared_ptr<const std::string> folder,
                         std::vector<std::uint64_t> hashes) {
  lastFolder_ = nullptr;
  const std::string* key = folder.get();
  folders_.insert_or_assign(key, Recorded{std::move(folder), std::move(hashes)});
}

FolderNames::Answer FolderNames::Lookup(const std::string& folder, std::string_view current,
                                        std::string_view target) const {
  if (&folder != lastFolder_) {
    const auto found = folders_.find(&folder);
    lastFolder_ = &folder;
    lastHashes_ = found == folders_.end() ? nullptr : &found->second.hashes;
  }
  if (lastHashes_ == nullptr) return Answer::kUnknown;
  const std::vector<std::uint64_t>& hashes = *lastHashes_;
  const std::uint64_t key = Folded(target);
  const auto [first, last] = std::equal_range(hashes.begin(), hashes.end(), key);
  if (first == last) return Answer::kFree;
  // A change of letter case only finds the file itself, which is no obstacle when it is alone.
  if (last - first == 1 && Folded(current) == key) return Answer::kOnlyItself;
  return Answer::kMaybeTaken;
}

}  // namespace vornick::window
