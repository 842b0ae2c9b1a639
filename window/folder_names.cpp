// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/folder_names.h"

#include <algorithm>
#include <cstring>

namespace vornick::window {

namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101u;

// The eight bytes of `word` with A-Z made a-z, all at once.
std::uint64_t FoldWord(std::uint64_t word) noexcept {
  const std::uint64_t low = word & ~(kOnes * 0x80);
  // The top bit of each byte: from 'A' on, and from past 'Z' on, among bytes below 0x80.
  const std::uint64_t fromA = low + kOnes * (0x80 - 'A');
  const std::uint64_t pastZ = low + kOnes * (0x80 - 'Z' - 1);
  const std::uint64_t upper = fromA & ~pastZ & ~word & (kOnes * 0x80);
  return word | (upper >> 2);
}

std::uint64_t Mix(std::uint64_t hash, std::uint64_t word) noexcept {
  hash = (hash ^ word) * 0x9E3779B97F4A7C15u;
  return hash ^ (hash >> 29);
}

}  // namespace

std::uint64_t FolderNames::Folded(std::string_view name) noexcept {
  // Over the bytes with A-Z folded, as a file system that ignores case compares them; eight bytes
  // at a time, since every name of a load is hashed.
  std::uint64_t hash = Mix(0xCBF29CE484222325u, name.size());
  std::size_t i = 0;
  for (; i + 8 <= name.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, name.data() + i, sizeof word);
    hash = Mix(hash, FoldWord(word));
  }
  if (i < name.size()) {
    std::uint64_t word = 0;
    std::memcpy(&word, name.data() + i, name.size() - i);
    hash = Mix(hash, FoldWord(word));
  }
  return hash ^ (hash >> 32);
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
