// SPDX-License-Identifier: GPL-3.0-or-later
// The floor of `vornick-cli preview` as a whole process: prints the path of every visible .mp3
// file (any case) below FOLDER, one per line, found with getdents64 and the entry type alone.
//
//   getdents_walk FOLDER
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bench/folder_reading.h"
#include "bench/mp3_name.h"

namespace {

using vornick::bench::ForEachEntry;
using vornick::bench::IsMp3Name;

constexpr std::size_t kBufferSize = 64 * 1024;

class Walk {
 public:
  void Below(int folderFd, std::string& path, std::size_t depth) {
    if (buffers_.size() == depth) buffers_.emplace_back(new char[kBufferSize]);
    char* const buffer = buffers_[depth].get();
    const std::size_t length = path.size();
    ForEachEntry(folderFd, buffer, kBufferSize, [&](const struct dirent64& entry) {
      if (entry.d_name[0] == '.') return;  // hidden, "." and ".."
      if (entry.d_type == DT_REG && IsMp3Name(entry.d_name)) {
        path.append(entry.d_name).push_back('\n');
        std::fwrite(path.data(), 1, path.size(), stdout);
        path.resize(length);
      } else if (entry.d_type == DT_DIR) {
        const int sub = ::openat(folderFd, entry.d_name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (sub < 0) return;
        path.append(entry.d_name).push_back('/');
        Below(sub, path, depth + 1);
        path.resize(length);
        ::close(sub);
      }
    });
  }

 private:
  std::vector<std::unique_ptr<char[]>> buffers_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: getdents_walk FOLDER\n", stderr);
    return 2;
  }
  const int fd = ::open(argv[1], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return 1;
  static char output[1 << 16];
  std::setvbuf(stdout, output, _IOFBF, sizeof output);
  std::string path = std::string(argv[1]) + '/';
  Walk().Below(fd, path, 0);
  ::close(fd);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
