// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/folder_names.h"

#include <algorithm>

#include "window/name_hash.h"

namespace vornick::window {

std::uint64_t FolderNames::Folded(std::string_view name) noexcept {
  return HashName(name, true);
}

void FolderNames::Take(const std::vector<platform::FolderEntry>& entries) {
  hashes_.resize(recorded_);
  for (const platform::FolderEntry& entry : entries) hashes_.push_back(Folded(entry.name));
  std::sort(hashes_.begin() + static_cast<std::ptrdiff_t>(recorded_), hashes_.end());
}

void FolderNames::Record(std::shared_ptr<const std::string> folder) {
  lastFolder_ = nullptr;
  const std::string* key = folder.get();
  folders_.insert_or_assign(key,
                            Recorded{std::move(folder), recorded_, hashes_.size() - recorded_});
  recorded_ = hashes_.size();
}

FolderNames::Answer FolderNames::Lookup(const std::string& folder, std::string_view current,
                                        std::string_view target) const {
  if (&folder != lastFolder_) {
    const auto found = folders_.find(&folder);
    lastFolder_ = &folder;
    lastRecorded_ = found == folders_.end() ? nullptr : &found->second;
  }
  if (lastRecorded_ == nullptr) return Answer::kUnknown;
  const auto first = hashes_.begin() + static_cast<std::ptrdiff_t>(lastRecorded_->first);
  const auto last = first + static_cast<std::ptrdiff_t>(lastRecorded_->count);
  const std::uint64_t key = Folded(target);
  const auto [from, to] = std::equal_range(first, last, key);
  if (from == to) return Answer::kFree;
  // A change of letter case only finds the file itself, which is no obstacle when it is alone.
  if (to - from == 1 && Folded(current) == key) return Answer::kOnlyItself;
  return Answer::kMaybeTaken;
}

}  // namespace vornick::window
