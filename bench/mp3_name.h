// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace vornick::bench {

// True for a name ending in ".mp3" in any letter case, as the floors count them.
inline bool IsMp3Name(std::string_view name) {
  if (name.size() < 4) return false;
  const std::string_view tail = name.substr(name.size() - 4);
  return tail[0] == '.' && (tail[1] | 0x20) == 'm' && (tail[2] | 0x20) == 'p' && tail[3] == '3';
}

}  // namespace vornick::bench
