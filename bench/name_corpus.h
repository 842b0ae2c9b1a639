// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vornick::bench {

// Realistic music file names (artists, titles, track numbers, dashes, underscores, brackets,
// abbreviations, non-ASCII letters, the odd Latin-1 byte), the same for the same seed.
std::vector<std::string> MusicFileNames(std::size_t count, std::uint32_t seed = 1);

}  // namespace vornick::bench
