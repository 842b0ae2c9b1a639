// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <new>

namespace vornick::window {

// Room for the big arrays a long list fills from end to end (its rows, their names). On Linux it
// is taken in whole 2 MiB pages where the kernel offers them: a million rows then cost a few dozen
// page faults rather than tens of thousands, which is much of what loading them costs on top of
// reading the folders. Elsewhere it is plain memory.
inline constexpr std::size_t kLargePage = std::size_t{2} << 20;

// `bytes` rounded up to whole large pages; at least one.
constexpr std::size_t LargeRoom(std::size_t bytes) noexcept {
  return bytes <= kLargePage ? kLargePage : (bytes + kLargePage - 1) / kLargePage * kLargePage;
}

// LargeRoom(bytes) bytes, aligned to a large page; throws std::bad_alloc when there are none.
void* AllocateLarge(std::size_t bytes);
// Gives back what AllocateLarge(bytes) gave, with the same `bytes`.
void FreeLarge(void* room, std::size_t bytes) noexcept;

// An allocator that takes arrays of half a large page or more from AllocateLarge and
// smaller ones from the heap, so that a vector that stays small costs no more than it did. One made
// with `large` false always takes from the heap: for room that a short list may leave mostly
// unused, which counts only as far as it is written in small pages.
template <class T>
class LargeAllocator {
 public:
  using value_type = T;
  explicit LargeAllocator(bool large = true) noexcept : large_(large) {}
  template <class U>
  LargeAllocator(const LargeAllocator<U>& other) noexcept : large_(other.large_) {}

  T* allocate(std::size_t count) {
    if (IsLarge(count)) return static_cast<T*>(AllocateLarge(count * sizeof(T)));
    return std::allocator<T>().allocate(count);
  }
  void deallocate(T* array, std::size_t count) noexcept {
    if (IsLarge(count)) return FreeLarge(array, count * sizeof(T));
    std::allocator<T>().deallocate(array, count);
  }
  friend bool operator==(const LargeAllocator& a, const LargeAllocator& b) noexcept {
    return a.large_ == b.large_;
  }

 private:
  template <class U>
  friend class LargeAllocator;
  // From half a large page up: the room rounded up to whole pages wastes at most as much as the
  // array holds.
  bool IsLarge(std::size_t count) const noexcept {
    return large_ && count >= kLargePage / 2 / sizeof(T);
  }

  bool large_ = true;
};

}  // namespace vornick::window
