// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/name_hash.h"

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

std::uint64_t HashName(std::string_view name, bool foldCase) noexcept {
  const char* const bytes = name.data();
  const std::size_t size = name.size();
  std::uint64_t hash = Mix(0xCBF29CE484222325u, size);
  const auto add = [&](std::uint64_t word) { hash = Mix(hash, foldCase ? FoldWord(word) : word); };
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes + i, sizeof word);
    add(word);
  }
  if (const std::size_t rest = size - i; rest != 0) {
    // The last bytes alone, as the low bytes of a word; taken from the last eight bytes when
    // there are eight.
    std::uint64_t word = 0;
    if (size >= 8) {
      std::memcpy(&word, bytes + size - 8, sizeof word);
      word >>= 8 * (8 - rest);
    } else {
      for (std::size_t k = 0; k < rest; ++k)
        word |= std::uint64_t{static_cast<unsigned char>(bytes[i + k])} << (8 * k);
    }
    add(word);
  }
  return hash ^ (hash >> 32);
}

}  // namespace vornick::window
