// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <dirent.h>
#include <unistd.h>

#include <cstddef>
#include <limits>

namespace vornick::bench {

// Calls `visit` with every entry of the open folder, read by getdents64 into `buffer`. Stops at
// the entry whose position marks the end of the folder (ext4 gives it to the last one), as the
// program does, so that a floor makes no read the program can do without.
template <typename Visit>
void ForEachEntry(int folderFd, char* buffer, std::size_t size, Visit visit) {
  for (ssize_t filled; (filled = ::getdents64(folderFd, buffer, size)) > 0;) {
    off64_t next = 0;
    for (ssize_t offset = 0; offset < filled;) {
      const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + offset);
      offset += entry->d_reclen;
      next = entry->d_off;
      visit(*entry);
    }
    if (next == std::numeric_limits<off64_t>::max()) return;
  }
}

}  // namespace vornick::bench
