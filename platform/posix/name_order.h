// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vornick::platform {

// The order of a folder's entries: bytes compared with A-Z folded to a-z, ties broken by the exact
// bytes, so that names differing only in case still have a fixed order.
inline bool NameOrderLess(std::string_view a, std::string_view b) noexcept {
  const std::size_t common = std::min(a.size(), b.size());
  std::size_t i = 0;
  while (i < common) {
    // Names of a folder often begin alike: equal bytes are passed over eight at a time.
    if (i + 8 <= common) {
      std::uint64_t x, y;
      std::memcpy(&x, a.data() + i, sizeof x);
      std::memcpy(&y, b.data() + i, sizeof y);
      if (x == y) {
        i += 8;
        continue;
      }
    }
    auto x = static_cast<unsigned char>(a[i]);
    auto y = static_cast<unsigned char>(b[i]);
    ++i;
    if (x == y) continue;
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + ('a' - 'A'));
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + ('a' - 'A'));
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;  // char_traits<char> compares as unsigned char
}

struct NameOrder {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const noexcept {
    return NameOrderLess(a, b);
  }
  // The first eight bytes, A-Z folded, as one number that orders as they do; a shorter name is
  // padded with zero bytes, which no name holds, so that it comes before the longer ones it
  // begins. Names whose keys differ are in the keys' order.
  static std::uint64_t Prefix(std::string_view name) noexcept {
    std::uint64_t key = 0;
    const std::size_t bytes = std::min<std::size_t>(name.size(), 8);
    for (std::size_t i = 0; i < bytes; ++i) {
      auto c = static_cast<unsigned char>(name[i]);
      if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c + ('a' - 'A'));
      key |= std::uint64_t{c} << (56 - 8 * i);
    }
    return key;
  }
};

}  // namespace vornick::platform
