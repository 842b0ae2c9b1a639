// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vornick::bench {

struct LibraryShape {
  std::size_t files = 100000;
  std::size_t folders = 11000;  // below the root, which is not counted
  std::uint32_t seed = 1;
};

struct LibraryCounts {
  std::size_t files = 0;
  std::size_t folders = 0;
  std::size_t visibleMp3 = 0;  // visible files named *.mp3 (any case) in visible folders
};

// Writes a synthetic music library of empty files into the existing folder `root`: artist folders
// holding album folders holding tracks, with a share of other file types (.flac, .ogg, .jpg,
// .m3u), upper-case .MP3, hidden files and folders, deep folder chains, and non-ASCII and
// non-UTF-8 names. The same shape and seed give the same tree. Throws std::system_error.
LibraryCounts WriteLibrary(const std::string& root, const LibraryShape& shape);

}  // namespace vornick::bench
