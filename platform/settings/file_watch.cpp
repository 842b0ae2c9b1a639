// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settings/file_watch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#if defined(__linux__)
#include <linux/magic.h>
#include <sys/inotify.h>
#include <sys/vfs.h>
#endif

namespace vornick::platform {

FileWatch::~FileWatch() {
  Stop();
}

void FileWatch::Stop() noexcept {
  if (queue_ >= 0) ::close(queue_);
  queue_ = fileWatch_ = -1;
  name_.clear();
}

#if defined(__linux__)

namespace {

// Changes made on another machine (a network share) or under the file system's feet (FUSE, an
// overlay's lower layers) reach no queue: only these are trusted.
bool IsLocalFileSystem(int folder) noexcept {
  struct statfs about;
  if (::fstatfs(folder, &about) != 0) return false;
  switch (static_cast<unsigned long>(about.f_type)) {
    case EXT4_SUPER_MAGIC:  // ext2 and ext3 too
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
    case TMPFS_MAGIC:
    case F2FS_SUPER_MAGIC:
      return true;
    default:
      return false;
  }
}

constexpr std::uint32_t kChanges = IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE | IN_MODIFY |
                                   IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;
// The folder itself went away, or the queue lost changes: nothing can be told any more.
constexpr std::uint32_t kWatchLost =
    IN_IGNORED | IN_Q_OVERFLOW | IN_UNMOUNT | IN_DELETE_SELF | IN_MOVE_SELF;

}  // namespace

bool FileWatch::Watch(const std::string& file) noexcept {
  Stop();
  const std::size_t slash = file.rfind('/');
  if (slash == std::string::npos || slash + 1 == file.size()) return false;
  try {
    const std::string folderPath = slash == 0 ? "/" : file.substr(0, slash);
    // A folder reached through a link could be swapped for another by changing the link.
    char* const real = ::realpath(folderPath.c_str(), nullptr);
    const bool direct = real != nullptr && folderPath == real;
    std::free(real);
    if (!direct) return false;
    const int folder = ::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return false;
    name_ = file.substr(slash + 1);
    struct stat status;
    const bool there = ::fstatat(folder, name_.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0;
    const bool absent = !there && errno == ENOENT;
    // A link's target changes where no watch sees it.
    const bool sure = (there ? !S_ISLNK(status.st_mode) : absent) && IsLocalFileSystem(folder);
    ::close(folder);
    if (sure) queue_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    // The folder, for the file's name coming and going; the file itself, for changes made through
    // another name of it, which the folder does not hear of.
    if (queue_ >= 0 && (::inotify_add_watch(queue_, folderPath.c_str(),
                                            kChanges | IN_ONLYDIR | IN_DONT_FOLLOW) < 0 ||
                        (there && (fileWatch_ = ::inotify_add_watch(
                                       queue_, file.c_str(), kChanges | IN_DONT_FOLLOW)) < 0)))
      Stop();
    if (queue_ < 0) name_.clear();
    return queue_ >= 0;
  } catch (...) {
    Stop();
    return false;
  }
}

bool FileWatch::Quiet() noexcept {
  if (queue_ < 0) return false;
  alignas(struct inotify_event) char buffer[4096];
  for (;;) {
    const ssize_t filled = ::read(queue_, buffer, sizeof buffer);
    if (filled < 0 && errno == EINTR) continue;
    if (filled < 0 && errno == EAGAIN) return true;  // every change read, none of them the file's
    if (filled <= 0) break;
    for (ssize_t offset = 0; offset < filled;) {
      const auto* event = reinterpret_cast<const struct inotify_event*>(buffer + offset);
      offset += static_cast<ssize_t>(sizeof *event + event->len);
      // Other files of the folder come and go as they like.
      if (event->wd == fileWatch_ || (event->mask & kWatchLost) ||
          (event->len != 0 && name_ == event->name)) {
        Stop();
        return false;
      }
    }
  }
  Stop();
  return false;
}

#else

bool FileWatch::Watch(const std::string&) noexcept {
  return false;
}

bool FileWatch::Quiet() noexcept {
  return false;
}

#endif

}  // namespace vornick::platform
