// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/folder_names.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "window/name_hash.h"

namespace vornick::window {

std::uint32_t FolderNames::Folded(std::string_view name) noexcept {
  return static_cast<std::uint32_t>(HashName(name, true) >> 32);
}

void FolderNames::Take(const platform::FolderListing& entries) {
  hashes_.resize(recorded_);
  // Grown by doubling: a load takes folder after folder, and each growth copies every hash into
  // memory new to the process, each page of it a fault. Room not written to yet costs no memory
  // (a block this large is mapped apart), so the first room is ample: a library of a hundred
  // thousand files never grows it.
  constexpr std::size_t kFirstRoom = std::size_t{1} << 17;
  if (const std::size_t needed = recorded_ + entries.Size(); needed > hashes_.capacity())
    hashes_.reserve(std::max({needed, 2 * hashes_.capacity(), kFirstRoom}));
  for (std::size_t i = 0; i < entries.Size(); ++i) hashes_.push_back(Folded(entries.Name(i)));
  // A few names are looked through one by one: most folders need no sort.
  if (entries.Size() > kLookedThrough)
    std::sort(hashes_.begin() + static_cast<std::ptrdiff_t>(recorded_), hashes_.end());
}

std::size_t FolderNames::SlotOf(const char* folder) const noexcept {
  const std::size_t mask = slots_.size() - 1;
  // Addresses differ most in their middle bits: a multiply brings those to the top.
  std::size_t slot = static_cast<std::size_t>(
      (reinterpret_cast<std::uintptr_t>(folder) * 0x9E3779B97F4A7C15u) >> 32);
  for (;; ++slot) {
    slot &= mask;
    if (slots_[slot] == 0 || folders_[slots_[slot] - 1].folder == folder) return slot;
  }
}

void FolderNames::Place() const {
  // At most half the slots are used, so that a search soon meets an empty one.
  if (2 * folders_.size() > slots_.size()) {
    std::size_t size = std::max<std::size_t>(64, slots_.size());
    while (2 * folders_.size() > size) size *= 2;
    slots_.assign(size, 0);
    placed_ = 0;
  }
  // In the order recorded, so that a folder recorded again is found by its last recording.
  for (; placed_ < folders_.size(); ++placed_)
    slots_[SlotOf(folders_[placed_].folder)] = static_cast<std::uint32_t>(placed_ + 1);
}

void FolderNames::Record(const char* folder) {
  lastFolder_ = nullptr;
  if (folders_.size() >= UINT32_MAX) throw std::length_error("too many folders recorded");
  // As for the hashes: first room for the folders of a large library.
  if (folders_.capacity() == 0) folders_.reserve(std::size_t{1} << 14);
  folders_.push_back({folder, static_cast<std::uint32_t>(recorded_),
                      static_cast<std::uint32_t>(hashes_.size() - recorded_)});
  recorded_ = hashes_.size();
}

FolderNames::Answer FolderNames::Lookup(const char* folder, std::string_view current,
                                        std::string_view target) const {
  if (folder != lastFolder_) {
    if (placed_ < folders_.size()) Place();
    const std::size_t slot = slots_.empty() ? 0 : SlotOf(folder);
    lastFolder_ = folder;
    lastRecorded_ = slots_.empty() || slots_[slot] == 0 ? nullptr : &folders_[slots_[slot] - 1];
  }
  if (lastRecorded_ == nullptr) return Answer::kUnknown;
  const auto first = hashes_.begin() + static_cast<std::ptrdiff_t>(lastRecorded_->first);
  const auto last = first + static_cast<std::ptrdiff_t>(lastRecorded_->count);
  const std::uint32_t key = Folded(target);
  std::ptrdiff_t found = 0;
  if (lastRecorded_->count > kLookedThrough) {
    const auto [from, to] = std::equal_range(first, last, key);
    found = to - from;
  } else {
    found = std::count(first, last, key);
  }
  if (found == 0) return Answer::kFree;
  // A change of letter case only finds the file itself, which is no obstacle when it is alone.
  if (found == 1 && Folded(current) == key) return Answer::kOnlyItself;
  return Answer::kMaybeTaken;
}

}  // namespace vornick::window
