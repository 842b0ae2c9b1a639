// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/history/history_files.h"

#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <ctime>
#include <string_view>
#include <vector>

namespace vornick::platform::history {
namespace {

[[noreturn]] void Fail(const std::string& path, int error = errno) {
  throw PathFailure(path, {error, std::system_category()});
}

// A new entry survives a power cut only once the folder holding it is synced.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

std::string ParentOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool Exists(const std::string& path) {
  struct stat status;
  return ::lstat(path.c_str(), &status) == 0 || errno != ENOENT;
}

// Renames without replacing: renameat2 where the file system takes the flag, else a look first.
bool RenameIfFree(const std::string& from, const std::string& to) {
#if defined(RENAME_NOREPLACE)
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno == EEXIST) return false;
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP && errno != EOPNOTSUPP) Fail(from);
#endif
  if (Exists(to)) return false;
  if (::rename(from.c_str(), to.c_str()) != 0) Fail(from);
  return true;
}

}  // namespace

void MakeFolders(const std::string& folder) {
  struct stat status;
  // Down from the top: each part that is missing is made, each one there must be a folder.
  std::vector<std::string> parts;
  for (std::size_t end = 0;;) {
    end = folder.find_first_not_of('/', end);
    if (end == std::string::npos) break;
    end = folder.find('/', end);
    parts.push_back(folder.substr(0, end));
    if (end == std::string::npos) break;
  }
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const std::string& part = parts[i];
    if (::mkdir(part.c_str(), 0700) == 0) {
      // Only the owner's bits can be missing, and only by a strange umask.
      ::chmod(part.c_str(), 0700);
      SyncFolder(ParentOf(part));
    } else {
      // Some file systems refuse to make what is there already with another reason than EEXIST.
      const int refused = errno;
      if (::stat(part.c_str(), &status) != 0) Fail(part, refused == EEXIST ? errno : refused);
      if (!S_ISDIR(status.st_mode)) Fail(part, i + 1 == parts.size() ? EEXIST : ENOTDIR);
    }
  }
}

bool MakePrivateFile(const std::string& file, const std::string& folder) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) {
    if (errno == EEXIST) return false;
    Fail(file);
  }
  // The umask can only take bits away from 0600; this says it whatever the umask.
  const bool made = ::fchmod(fd, 0600) == 0 && ::fsync(fd) == 0;
  const int error = errno;
  ::close(fd);
  if (!made) {
    ::unlink(file.c_str());
    Fail(file, error);
  }
  SyncFolder(folder);
  return true;
}

std::string SetAside(const std::string& file, const std::string& folder) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  const std::string base = file + ".damaged-" + stamp;
  for (int counter = 1; counter < 10000; ++counter) {
    const std::string name = counter == 1 ? base : base + "-" + std::to_string(counter);
    // The name must be free for the file's companions too, so that they go beside it.
    if (Exists(name + "-wal") || Exists(name + "-shm")) continue;
    if (!RenameIfFree(file, name)) continue;
    for (const char* suffix : {"-wal", "-shm"}) {
      if (Exists(file + suffix)) RenameIfFree(file + suffix, name + suffix);
    }
    SyncFolder(folder);
    return name;
  }
  Fail(file, EEXIST);
}

std::int64_t ProcessStartTime(std::int64_t pid) {
  const std::string path = "/proc/" + std::to_string(pid) + "/stat";
  FILE* in = ::fopen(path.c_str(), "re");
  if (in == nullptr) return 0;
  char buffer[1024];
  const std::size_t size = ::fread(buffer, 1, sizeof buffer, in);
  ::fclose(in);
  // The command name in parentheses may hold spaces and parentheses itself: fields are counted
  // from the last ')', which ends field 2.
  std::string_view text(buffer, size);
  const std::size_t close = text.rfind(')');
  if (close == std::string_view::npos || close + 3 > text.size()) return 0;
  // Field 3, the state: a process that has ended but not been waited for runs no more.
  if (text[close + 2] == 'Z' || text[close + 2] == 'X') return 0;
  text.remove_prefix(close + 1);
  for (int field = 3; field < 22; ++field) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) return 0;
    const std::size_t end = text.find(' ', start);
    if (end == std::string_view::npos) return 0;
    text.remove_prefix(end);
  }
  text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
  std::int64_t startTime = 0;
  std::from_chars(text.data(), text.data() + text.size(), startTime);
  return startTime;
}

bool IsRunning(std::int64_t pid, std::int64_t startTime) {
  if (pid <= 0) return false;
  // Written where /proc could not be read: the pid alone is all there is to go by.
  if (startTime == 0) return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
  return ProcessStartTime(pid) == startTime;
}

}  // namespace vornick::platform::history
