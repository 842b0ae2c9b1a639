// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into a test program, these take the place of the C library's calls: the program meets a
// file system that refuses RENAME_NOREPLACE and hard links, as FAT through FUSE does, and whose
// renames are slow enough for another program to save a file at the target meanwhile.
#include <stdio.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

extern "C" {

int renameat2(int fromFolder, const char* from, int toFolder, const char* to,
              unsigned int flags) noexcept {
  if (flags != 0) {
    errno = EINVAL;
    return -1;
  }
  std::this_thread::sleep_for(std::chrono::microseconds(300));
  return static_cast<int>(::syscall(SYS_renameat2, fromFolder, from, toFolder, to, 0));
}

int renameat(int fromFolder, const char* from, int toFolder, const char* to) noexcept {
  return renameat2(fromFolder, from, toFolder, to, 0);
}

int linkat(int, const char*, int, const char*, int) noexcept {
  errno = EPERM;
  return -1;
}

}  // extern "C"
