// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/posix/name_order.h"

namespace vornick::platform {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

std::error_code LastError() noexcept {
  return {errno, std::system_category()};
}

[[noreturn]] void Throw(const std::string& path, std::error_code error) {
  throw FileSystemError(path, error);
}

bool IsDotOrDotDot(std::string_view name) noexcept {
  return name == "." || name == "..";
}

std::uint32_t HiddenBit(std::string_view name) noexcept {
  return !name.empty() && name.front() == '.' && !IsDotOrDotDot(name) ? kAttrHidden : 0;
}

std::string_view LastComponent(std::string_view path) noexcept {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::uint32_t TypeBits(mode_t mode) noexcept {
  if (S_ISDIR(mode)) return kAttrDirectory;
  if (S_ISREG(mode)) return 0;
  return kAttrSystem;
}

FileIdentity IdentityOf(const struct stat& status) noexcept {
  return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

// The folder descriptor, closed on every way out.
class Descriptor {
 public:
  explicit Descriptor(int fd) noexcept : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const noexcept { return fd_; }
  int Release() noexcept { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

// The bits of a link: its target's, or those of something that is neither file nor folder when it
// leads nowhere (dangling, looping, unreachable).
std::uint32_t LinkBits(int folderFd, const char* name, std::uint32_t hidden) {
  struct stat target;
  const std::uint32_t type =
      ::fstatat(folderFd, name, &target, 0) == 0 ? TypeBits(target.st_mode) : kAttrSystem;
  return type | hidden | kAttrLink;
}

// The attribute bits of one entry, looked at only where the entry type does not say enough;
// nothing when the entry vanished or cannot be looked at, and is left out. `name` is
// NUL-terminated.
std::optional<std::uint32_t> Describe(int folderFd, std::string_view name, unsigned char type) {
  const std::uint32_t hidden = HiddenBit(name);
  switch (type) {
    case DT_REG:
      return hidden;
    case DT_DIR:
      return kAttrDirectory | hidden;
    case DT_LNK:
      return LinkBits(folderFd, name.data(), hidden);
    case DT_UNKNOWN: {
      struct stat status;
      if (::fstatat(folderFd, name.data(), &status, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
      if (S_ISLNK(status.st_mode)) return LinkBits(folderFd, name.data(), hidden);
      return TypeBits(status.st_mode) | hidden;
    }
    default:
      return kAttrSystem | hidden;
  }
}

// Calls visit(name, type) for every entry of the open folder but "." and ".."; the name's
// bytes are followed by a NUL.
template <typename Visit>
void ForEachEntry(Descriptor& folder, char* buffer, const std::string& path, Visit visit) {
#if defined(__linux__)
  for (;;) {
    const ssize_t filled = ::getdents64(folder.Get(), buffer, kBufferSize);
    if (filled < 0) Throw(path, LastError());
    if (filled == 0) return;
    off64_t next = 0;
    for (ssize_t offset = 0; offset < filled;) {
      const auto* raw = reinterpret_cast<const struct dirent64*>(buffer + offset);
      offset += raw->d_reclen;
      next = raw->d_off;
      const std::string_view name(raw->d_name);
      if (!IsDotOrDotDot(name)) visit(name, raw->d_type);
    }
    // The largest position marks the end of the folder (ext4 gives it to the last entry): no
    // further read is needed to learn that nothing follows, and a read per folder is a good share
    // of the cost of a walk. Elsewhere the loop reads on until a read comes back empty.
    if (next == std::numeric_limits<off64_t>::max()) return;
  }
#else
  (void)buffer;
  DIR* stream = ::fdopendir(folder.Get());
  if (stream == nullptr) Throw(path, LastError());
  folder.Release();
  struct Closer {
    DIR* stream;
    ~Closer() { ::closedir(stream); }
  } closer{stream};
  for (;;) {
    errno = 0;
    const struct dirent* raw = ::readdir(stream);
    if (raw == nullptr) {
      if (errno != 0) Throw(path, LastError());
      return;
    }
    const std::string_view name(raw->d_name);
    if (!IsDotOrDotDot(name)) visit(name, raw->d_type);
  }
#endif
}

// True when `from` and `to` name one directory entry: the same inode, which has no other name.
// Hard links to one file are different entries, and renaming one onto the other would report
// success while changing nothing.
bool SameEntry(const struct stat& from, const struct stat& to) noexcept {
  return from.st_dev == to.st_dev && from.st_ino == to.st_ino &&
         (S_ISDIR(from.st_mode) || from.st_nlink <= 1);
}

// True when `to` is `from` with only ASCII letters changed in case, in the very same folder.
bool CaseVariants(std::string_view from, std::string_view to) noexcept {
  if (from.size() != to.size() || from == to) return false;
  const std::size_t slash = from.rfind('/');
  const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  if (from.substr(0, nameStart) != to.substr(0, nameStart)) return false;
  for (std::size_t i = nameStart; i < from.size(); ++i) {
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (fold(from[i]) != fold(to[i])) return false;
  }
  return true;
}

std::error_code PlainRename(const std::string& from, const std::string& to) noexcept {
  return ::rename(from.c_str(), to.c_str()) == 0 ? std::error_code() : LastError();
}

}  // namespace

// For file systems that refuse RENAME_NOREPLACE: a hard link cannot replace anything; where there
// are no hard links either, check that the target is absent just before renaming.
std::error_code RenameWithoutReplaceFlag(const std::string& from, const std::string& to) noexcept {
  if (::link(from.c_str(), to.c_str()) == 0) {
    if (::unlink(from.c_str()) == 0) return {};
    const std::error_code error = LastError();
    ::unlink(to.c_str());
    return error;
  }
  const int linkError = errno;
  if (linkError == EEXIST) return std::make_error_code(std::errc::file_exists);
  if (linkError != EPERM && linkError != ENOTSUP && linkError != EOPNOTSUPP &&
      linkError != ENOSYS && linkError != EMLINK)
    return {linkError, std::system_category()};
  struct stat status;
  if (::lstat(to.c_str(), &status) == 0) return std::make_error_code(std::errc::file_exists);
  if (errno != ENOENT) return LastError();
  return PlainRename(from, to);
}

PosixFileSystem::PosixFileSystem() : buffer_(new char[kBufferSize]) {}
PosixFileSystem::~PosixFileSystem() = default;

std::uint32_t PosixFileSystem::GetAttributes(const std::string& path) {
  struct stat status;
  if (::lstat(path.c_str(), &status) != 0) Throw(path, LastError());
  const std::uint32_t hidden = HiddenBit(LastComponent(path));
  if (S_ISLNK(status.st_mode)) return LinkBits(AT_FDCWD, path.c_str(), hidden);
  return TypeBits(status.st_mode) | hidden;
}

bool PosixFileSystem::CanReadTimes(const std::string& path) noexcept {
  struct stat status;
  return ::stat(path.c_str(), &status) == 0;
}

std::vector<FolderEntry> PosixFileSystem::ReadFolder(const std::string& folder,
                                                     FileIdentity* identity) {
  Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Get() < 0) Throw(folder, LastError());
  if (identity != nullptr) {
    struct stat status;
    if (::fstat(fd.Get(), &status) != 0) Throw(folder, LastError());
    *identity = IdentityOf(status);
  }

  // Names are gathered into one reused block and sorted as small records; each entry's string is
  // then made once, in its final place.
  const int folderFd = fd.Get();
  names_.clear();
  found_.clear();
  ForEachEntry(fd, buffer_.get(), folder, [&](std::string_view name, unsigned char type) {
    if (const auto attributes = Describe(folderFd, name, type)) {
      found_.push_back({static_cast<std::uint32_t>(names_.size()),
                        static_cast<std::uint32_t>(name.size()), *attributes});
      names_.append(name);
    }
  });
  const auto nameOf = [this](const Found& found) {
    return std::string_view(names_).substr(found.offset, found.length);
  };
  std::sort(found_.begin(), found_.end(), [&nameOf](const Found& a, const Found& b) {
    return NameOrderLess(nameOf(a), nameOf(b));
  });
  std::vector<FolderEntry> entries;
  entries.reserve(found_.size());
  for (const Found& found : found_)
    entries.push_back({std::string(nameOf(found)), found.attributes});
  return entries;
}

FileIdentity PosixFileSystem::GetIdentity(const std::string& path) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0) Throw(path, LastError());
  return IdentityOf(status);
}

std::error_code PosixFileSystem::Rename(const std::string& from, const std::string& to) noexcept {
  struct stat target;
#if defined(RENAME_NOREPLACE)
  // The common case costs one call; the target is looked at only when it is there.
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
  if (errno == EEXIST) {
    if (::lstat(to.c_str(), &target) != 0) return std::make_error_code(std::errc::file_exists);
    return RenameOntoExisting(from, to, target);
  }
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP && errno != EOPNOTSUPP)
    return LastError();
#endif
  // Without the flag: the target must be absent, or the source itself under another case.
  if (::lstat(to.c_str(), &target) == 0) return RenameOntoExisting(from, to, target);
  if (errno != ENOENT) return LastError();
  return RenameWithoutReplaceFlag(from, to);
}

std::error_code PosixFileSystem::RenameOntoExisting(const std::string& from, const std::string& to,
                                                    const struct stat& target) noexcept {
  // Only the source itself, found under another letter case, may stand at the target.
  struct stat source;
  if (::lstat(from.c_str(), &source) != 0) return LastError();
  if (SameEntry(source, target)) return PlainRename(from, to);
  // Some file systems (FUSE ones among them) number a file anew for every name it is looked up
  // by. The target is still the source when the folder holds no entry of exactly that name (so
  // the look-up ignored case) and the two names differ only in the case of ASCII letters: a
  // folder that ignores case cannot hold two entries equal but for that.
  if (!CaseVariants(from, to)) return std::make_error_code(std::errc::file_exists);
  const std::size_t nameStart = to.rfind('/') + 1;  // npos + 1 == 0: the current folder
  const std::string folder = nameStart == 0 ? std::string(".") : to.substr(0, nameStart);
  try {
    bool exact = false;
    Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() < 0) return LastError();
    const std::string_view name = std::string_view(to).substr(nameStart);
    ForEachEntry(fd, buffer_.get(), folder,
                 [&](std::string_view entry, unsigned char) { exact = exact || entry == name; });
    if (exact) return std::make_error_code(std::errc::file_exists);
  } catch (const FileSystemError& error) {
    return error.Error();
  }
  return PlainRename(from, to);
}

}  // namespace vornick::platform
