// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/folder_names.h"

#include <algorithm>

namespace vornick::window {

std::uint64_t FolderNames::Folded(std::string_view name) noexcept {
  // FNV-1a over the bytes with A-Z folded, as a file system that ignores case compares them.
  std::uint64_t hash = 0xCBF29CE484222325u;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    hash = (hash ^ byte) * 0x100000001B3u;
  }
  return hash;
}

void FolderNames::Record(const std::string& folder,
                         const std::vector<platform::FolderEntry>& entries) {
  lastFolder_ = nullptr;
  std::vector<std::uint64_t>& hashes = folders_[folder];
  hashes.clear();
  hashes.reserve(entries.size());
  for (const platform::FolderEntry& entry : entries) hashes.push_back(Folded(entry.name));
  std::sort(hashes.begin(), hashes.end());
}

FolderNames::Answer FolderNames::Lookup(const std::string& folder, std::string_view current,
                                        std::string_view target) const {
  if (&folder != lastFolder_) {
    const auto found = folders_.find(folder);
    lastFolder_ = &folder;
    lastHashes_ = found == folders_.end() ? nullptr : &found->second;
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
