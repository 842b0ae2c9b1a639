// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/large_memory.h"

#include <cstdint>
#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace vornick::window {

#if defined(__linux__)

void* AllocateLarge(std::size_t bytes) {
  const std::size_t room = LargeRoom(bytes);
  // Mapped with a page to spare, then trimmed to the aligned part: only aligned pages can be
  // backed by large ones.
  const std::size_t mapped = room + kLargePage;
  void* const map =
      ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (map == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(map);
  const std::uintptr_t aligned = (start + kLargePage - 1) & ~std::uintptr_t{kLargePage - 1};
  if (aligned != start) ::munmap(map, aligned - start);
  const std::size_t after = start + mapped - (aligned + room);
  if (after != 0) ::munmap(reinterpret_cast<void*>(aligned + room), after);
  void* const result = reinterpret_cast<void*>(aligned);
  // Advice only: where the kernel has no large pages to give, small ones serve.
  (void)::madvise(result, room, MADV_HUGEPAGE);
  return result;
}

void FreeLarge(void* room, std::size_t bytes) noexcept {
  if (room != nullptr) ::munmap(room, LargeRoom(bytes));
}

#else

void* AllocateLarge(std::size_t bytes) {
  return ::operator new (LargeRoom(bytes), std::align_val_t{kLargePage});
}

void FreeLarge(void* room, std::size_t /*bytes*/) noexcept {
  ::operator delete (room, std::align_val_t{kLargePage});
}

#endif

}  // namespace vornick::window
