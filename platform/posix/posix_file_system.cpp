// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/posix_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sched.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unicode/uchar.h>
#include <unicode/utf8.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/posix/descriptor.h"
#include "platform/posix/name_order.h"

namespace vornick::platform {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;
// The folders a walk on a thread of its own closes in one go: well below any limit of descriptors.
constexpr std::size_t kClosedTogether = 128;

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
  return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino), 0};
}

// A path as the *at() calls take it: a folder descriptor and a name in that folder. A path the
// kernel takes whole is left whole (relative to the working folder); a longer one is reached
// through its folders a piece at a time, so that depth has no limit. A folder path keeps its
// trailing separator in the name.
class Located {
 public:
  explicit Located(const std::string& path) noexcept : folder_(-1), name_(path.c_str()) {
    if (path.size() < PATH_MAX) return;
    std::size_t end = path.size();
    while (end > 1 && path[end - 1] == '/') --end;
    const std::size_t nameStart = path.rfind('/', end - 1) + 1;
    name_ += nameStart;
    std::string_view rest = std::string_view(path).substr(0, nameStart);
    int fd = AT_FDCWD;
    while (!rest.empty()) {
      // The longest run of whole folders that the kernel takes in one call.
      std::size_t cut = rest.size();
      if (cut >= PATH_MAX) {
        cut = rest.rfind('/', PATH_MAX - 2);
        if (cut == std::string_view::npos || cut == 0) {
          error_ = std::make_error_code(std::errc::filename_too_long);
          break;
        }
        ++cut;
      }
      const std::string piece(rest.substr(0, cut));
      rest.remove_prefix(cut);
      const int next = ::openat(fd, piece.c_str(), kFolderPathFlags);
      if (fd != AT_FDCWD) ::close(fd);
      if (next < 0) {
        error_ = LastError();
        fd = -1;
        break;
      }
      fd = next;
    }
    folder_.Reset(fd == AT_FDCWD ? -1 : fd);
  }

  // The folder the name is in; the working folder for a path taken whole.
  int Folder() const noexcept { return folder_.Get() >= 0 ? folder_.Get() : AT_FDCWD; }
  const char* Name() const noexcept { return name_; }
  // Why the folder could not be reached; then the path is not to be used.
  std::error_code Error() const noexcept { return error_; }

 private:
  static constexpr int kFolderPathFlags =
#if defined(O_PATH)
      O_PATH |
#else
      O_RDONLY |
#endif
      O_DIRECTORY | O_CLOEXEC;
  Descriptor folder_;
  const char* name_;
  std::error_code error_;
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

#if defined(__linux__)
// The kernel pads each record to eight bytes after the name's NUL: the name ends at the first NUL
// of the record's last eight bytes, and only those are looked through.
std::string_view NameOf(const struct dirent64& entry) noexcept {
  const std::size_t room = entry.d_reclen - offsetof(struct dirent64, d_name);
  const std::size_t from = room > 8 ? room - 8 : 0;
  const void* end = std::memchr(entry.d_name + from, '\0', room - from);
  if (end == nullptr) return std::string_view(entry.d_name, ::strnlen(entry.d_name, room));
  return std::string_view(entry.d_name, static_cast<const char*>(end) - entry.d_name);
}
#endif

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
      const std::string_view name = NameOf(*raw);
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

// True when `to` is `from` with only the case of letters changed, in the very same folder.
// The two names differ at most in the case of their letters, as a file system that ignores case
// compares them: character by character, each taken to its upper case (exFAT and NTFS keep a
// table of just that); bytes that are not UTF-8 must be the same bytes.
bool SameButCase(std::string_view a, std::string_view b) noexcept {
  const auto* bytesA = reinterpret_cast<const std::uint8_t*>(a.data());
  const auto* bytesB = reinterpret_cast<const std::uint8_t*>(b.data());
  const auto lengthA = static_cast<std::int32_t>(a.size());
  const auto lengthB = static_cast<std::int32_t>(b.size());
  std::int32_t i = 0, j = 0;
  while (i < lengthA && j < lengthB) {
    const std::int32_t startA = i, startB = j;
    UChar32 charA, charB;
    U8_NEXT(bytesA, i, lengthA, charA);
    U8_NEXT(bytesB, j, lengthB, charB);
    if (charA < 0 || charB < 0) {
      if (a.substr(static_cast<std::size_t>(startA), static_cast<std::size_t>(i - startA)) !=
          b.substr(static_cast<std::size_t>(startB), static_cast<std::size_t>(j - startB)))
        return false;
    } else if (charA != charB && u_toupper(charA) != u_toupper(charB)) {
      return false;
    }
  }
  return i == lengthA && j == lengthB;
}

bool CaseVariants(std::string_view from, std::string_view to) noexcept {
  if (from == to) return false;
  const std::size_t slash = from.rfind('/');
  const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  if (from.substr(0, nameStart) != to.substr(0, nameStart)) return false;
  return SameButCase(from.substr(nameStart), to.substr(nameStart));
}

// Throws when the folder of `path` cannot be reached.
void CheckReached(const Located& located, const std::string& path) {
  if (located.Error()) Throw(path, located.Error());
}

std::error_code PlainRename(const Located& from, const Located& to) noexcept {
  return ::renameat(from.Folder(), from.Name(), to.Folder(), to.Name()) == 0 ? std::error_code()
                                                                             : LastError();
}

bool SameFile(const struct stat& a, const struct stat& b) noexcept {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// For file systems that refuse RENAME_NOREPLACE. A hard link cannot replace anything. Where there
// are no hard links either, the target name is first taken by an empty file created exclusively,
// and the source is renamed over that reservation only while it still stands there untouched: a
// file that another program saves at that name before is never replaced, and one that replaces
// the reservation is noticed. Left open is only the moment between that last look and the
// rename, which no call of such file systems closes.
std::error_code RenameWithoutReplaceFlag(const Located& from, const Located& to) noexcept {
  if (::linkat(from.Folder(), from.Name(), to.Folder(), to.Name(), 0) == 0) {
    if (::unlinkat(from.Folder(), from.Name(), 0) == 0) return {};
    const std::error_code error = LastError();
    ::unlinkat(to.Folder(), to.Name(), 0);
    return error;
  }
  const int linkError = errno;
  if (linkError == EEXIST) return std::make_error_code(std::errc::file_exists);
  if (linkError != EPERM && linkError != ENOTSUP && linkError != EOPNOTSUPP &&
      linkError != ENOSYS && linkError != EMLINK)
    return {linkError, std::system_category()};
  // A source that is not there leaves no reservation behind.
  struct stat source;
  if (::fstatat(from.Folder(), from.Name(), &source, AT_SYMLINK_NOFOLLOW) != 0) return LastError();
  Descriptor reservation(
      ::openat(to.Folder(), to.Name(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (reservation.Get() < 0)
    return errno == EEXIST ? std::make_error_code(std::errc::file_exists) : LastError();
  struct stat reserved, standing;
  const auto stillReserved = [&] {
    return ::fstatat(to.Folder(), to.Name(), &standing, AT_SYMLINK_NOFOLLOW) == 0 &&
           SameFile(standing, reserved) && standing.st_size == 0;
  };
  if (::fstat(reservation.Get(), &reserved) != 0) return LastError();
  // Closed before it is renamed over: FUSE file systems keep a file replaced while open as a
  // hidden ".fuse_hidden" entry until it is closed, which the user would see in the folder.
  reservation.Reset(-1);
  if (!stillReserved()) return std::make_error_code(std::errc::file_exists);
  if (::renameat(from.Folder(), from.Name(), to.Folder(), to.Name()) == 0) return {};
  const std::error_code error = LastError();
  if (stillReserved()) ::unlinkat(to.Folder(), to.Name(), 0);
  return error;
}

// Renames onto a target that is there: only when it is the source itself under another letter
// case. `buffer` takes a reading of the folder.
std::error_code RenameOntoExisting(char* buffer, const Located& source, const Located& target,
                                   std::string_view from, std::string_view to,
                                   const struct stat& standing) noexcept {
  struct stat status;
  if (::fstatat(source.Folder(), source.Name(), &status, AT_SYMLINK_NOFOLLOW) != 0)
    return LastError();
  if (SameEntry(status, standing)) return PlainRename(source, target);
  // Some file systems (FUSE ones among them) number a file anew for every name it is looked up
  // by. The target is still the source when the two names differ only in the case of their
  // letters and the source's is the only entry of the folder that does: the look-up that found
  // the target ignored case, and can only have found the source. Any other entry that might have
  // been found (the target's exact name, or another case of it) refuses the rename.
  if (!CaseVariants(from, to)) return std::make_error_code(std::errc::file_exists);
  const std::string_view name = LastComponent(to), sourceName = LastComponent(from);
  const std::string folder(target.Name(), std::string_view(target.Name()).size() - name.size());
  try {
    bool sourceSeen = false, otherSeen = false;
    Descriptor fd(::openat(target.Folder(), folder.empty() ? "." : folder.c_str(),
                           O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.Get() < 0) return LastError();
    ForEachEntry(fd, buffer, std::string(to), [&](std::string_view entry, unsigned char) {
      if (entry == sourceName) {
        sourceSeen = true;
      } else if (SameButCase(entry, name)) {
        otherSeen = true;
      }
    });
    if (otherSeen || !sourceSeen) return std::make_error_code(std::errc::file_exists);
  } catch (const FileSystemError& error) {
    return error.Error();
  } catch (const std::bad_alloc&) {
    return std::make_error_code(std::errc::not_enough_memory);
  }
  return PlainRename(source, target);
}

}  // namespace

std::error_code RenameWithoutReplaceFlag(const std::string& from, const std::string& to) noexcept {
  const Located source(from), target(to);
  if (source.Error()) return source.Error();
  if (target.Error()) return target.Error();
  return RenameWithoutReplaceFlag(source, target);
}

PosixFileSystem::PosixFileSystem() : buffer_(new char[kBufferSize]) {}
PosixFileSystem::~PosixFileSystem() {
  if (ownTable_) {
    // Its descriptors were in the table of its walk's thread, which went with the thread: here
    // their numbers are other descriptors. (A walk lets go of all of them when it ends.)
    held_.clear();
    closing_.clear();
  }
  walks_ = 0;
  EndWalk();
}

std::unique_ptr<FileSystem> PosixFileSystem::ForReadingAhead() {
  auto reader = std::make_unique<PosixFileSystem>();
  reader->readsAhead_ = true;
  reader->closing_.reserve(kClosedTogether);
  return reader;
}

void PosixFileSystem::BeginWalk() {
#if defined(__linux__)
  // A walk on a thread of its own takes a table of descriptors of its own, and closes there the
  // process's descriptors that came with it (the process's own stay open: a lock or a pipe is
  // the process's, not this copy's). Every call to the system costs much on some machines, and
  // closing a folder is a third of a walk's calls: the folders read are then closed many in one
  // call. The table is given back when the thread ends.
  if (readsAhead_ && !tableTried_) {
    tableTried_ = true;
    ownTable_ = ::unshare(CLONE_FILES) == 0 && ::close_range(3, ~0U, 0) == 0;
  }
#endif
  ++walks_;
}

void PosixFileSystem::EndWalk() noexcept {
  if (walks_ > 0) --walks_;
  if (walks_ > 0) return;
  for (const Held& held : held_) Close(held.fd);
  held_.clear();
  CloseTogether();
}

void PosixFileSystem::Close(int fd) noexcept {
  if (!ownTable_) {
    ::close(fd);
    return;
  }
  closing_.push_back(fd);  // room for kClosedTogether was reserved
  if (closing_.size() >= kClosedTogether) CloseTogether();
}

void PosixFileSystem::CloseTogether() noexcept {
  // Every descriptor of the table but the three standard ones is the walk's: each run of
  // numbers is closed in one call, the folders still held lying between the runs.
  std::sort(closing_.begin(), closing_.end());
  for (std::size_t first = 0, end; first < closing_.size(); first = end) {
    end = first + 1;
    while (end < closing_.size() && closing_[end] == closing_[end - 1] + 1) ++end;
#if defined(__linux__)
    if (::close_range(closing_[first], closing_[end - 1], 0) == 0) continue;
#endif
    for (std::size_t i = first; i < end; ++i) ::close(closing_[i]);
  }
  closing_.clear();
}

int PosixFileSystem::OpenFolder(const std::string& folder) {
  const auto inside = [&](const Held& held) {
    return folder.size() > held.length &&
           folder.compare(0, held.length, heldPath_, 0, held.length) == 0;
  };
  while (!held_.empty() && !inside(held_.back())) {
    Close(held_.back().fd);
    held_.pop_back();
  }
  if (!held_.empty()) {
    const std::string_view rest = std::string_view(folder).substr(held_.back().length);
    const std::string_view name = rest.substr(0, rest.size() - 1);
    if (rest.back() == '/' && name.find('/') == std::string_view::npos && name != "." &&
        name != "..") {
      name_.assign(name);
      // O_NOFOLLOW: a link put in the place of a folder since it was read is not entered.
      return ::openat(held_.back().fd, name_.c_str(),
                      O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
    }
  }
  const Located located(folder);
  CheckReached(located, folder);
  return ::openat(located.Folder(), located.Name(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

std::uint32_t PosixFileSystem::GetAttributes(const std::string& path) {
  const Located located(path);
  CheckReached(located, path);
  struct stat status;
  if (::fstatat(located.Folder(), located.Name(), &status, AT_SYMLINK_NOFOLLOW) != 0)
    Throw(path, LastError());
  const std::uint32_t hidden = HiddenBit(LastComponent(path));
  if (S_ISLNK(status.st_mode)) return LinkBits(located.Folder(), located.Name(), hidden);
  return TypeBits(status.st_mode) | hidden;
}

bool PosixFileSystem::CanReadTimes(const std::string& path) noexcept {
  const Located located(path);
  struct stat status;
  return !located.Error() && ::fstatat(located.Folder(), located.Name(), &status, 0) == 0;
}

void PosixFileSystem::ReadSorted(const std::string& folder, FolderListing& listing) {
  Descriptor fd(OpenFolder(folder));
  if (fd.Get() < 0 && errno == EMFILE && !closing_.empty()) {
    // The folders waiting to be closed took the last descriptors.
    CloseTogether();
    fd.Reset(OpenFolder(folder));
  }
  if (fd.Get() < 0) Throw(folder, LastError());

  const int folderFd = fd.Get();
  listing.Clear();
  ForEachEntry(fd, buffer_.get(), folder, [&](std::string_view name, unsigned char type) {
    if (const auto attributes = Describe(folderFd, name, type)) listing.Add(name, *attributes);
  });
  listing.SortByName(NameOrder{});
  // A walk goes into this folder next: it stays open for that, up to a depth that leaves the
  // process descriptors to spare.
  constexpr std::size_t kMostHeld = 64;
  if (walks_ > 0 && fd.Get() >= 0 && held_.size() < kMostHeld && folder.ends_with('/')) {
    // Every folder still held is one that this one lies in: their paths begin this one's.
    held_.push_back({folder.size(), fd.Get()});
    fd.Release();
    heldPath_ = folder;
  }
  if (fd.Get() >= 0) Close(fd.Release());
}

std::vector<FolderEntry> PosixFileSystem::ReadFolder(const std::string& folder) {
  ReadSorted(folder, read_);
  std::vector<FolderEntry> entries;
  entries.reserve(read_.Size());
  for (std::size_t i = 0; i < read_.Size(); ++i)
    entries.push_back({std::string(read_.Name(i)), read_.Attributes(i)});
  return entries;
}

void PosixFileSystem::ReadFolderInto(const std::string& folder, FolderListing& listing) {
  // Read into room kept from call to call, which then changes places with the caller's listing:
  // a walk that hands back the listings it is done with reads with no allocation at all.
  ReadSorted(folder, read_);
  std::swap(listing, read_);
}

FileIdentity PosixFileSystem::GetIdentity(const std::string& path) {
  const Located located(path);
  CheckReached(located, path);
#if defined(STATX_BTIME)
  // statx costs what fstatat costs, and tells the birth time too.
  struct statx extended;
  if (::statx(located.Folder(), located.Name(), AT_STATX_SYNC_AS_STAT, STATX_INO | STATX_BTIME,
              &extended) == 0) {
    FileIdentity identity{makedev(extended.stx_dev_major, extended.stx_dev_minor), extended.stx_ino,
                          0};
    if ((extended.stx_mask & STATX_BTIME) != 0) {
      identity.born = extended.stx_btime.tv_sec * 1'000'000'000LL + extended.stx_btime.tv_nsec;
    }
    return identity;
  }
  if (errno != ENOSYS) Throw(path, LastError());
#endif
  struct stat status;
  if (::fstatat(located.Folder(), located.Name(), &status, 0) != 0) Throw(path, LastError());
  return IdentityOf(status);
}

std::error_code PosixFileSystem::Rename(const std::string& from, const std::string& to) noexcept {
  const Located source(from), target(to);
  if (source.Error()) return source.Error();
  if (target.Error()) return target.Error();
  struct stat standing;
  const auto lookAtTarget = [&] {
    return ::fstatat(target.Folder(), target.Name(), &standing, AT_SYMLINK_NOFOLLOW) == 0;
  };
#if defined(RENAME_NOREPLACE)
  // The common case costs one call; the target is looked at only when it is there.
  if (::renameat2(source.Folder(), source.Name(), target.Folder(), target.Name(),
                  RENAME_NOREPLACE) == 0)
    return {};
  if (errno == EEXIST) {
    if (!lookAtTarget()) return std::make_error_code(std::errc::file_exists);
    return RenameOntoExisting(buffer_.get(), source, target, from, to, standing);
  }
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP && errno != EOPNOTSUPP)
    return LastError();
#endif
  // Without the flag: the target must be absent, or the source itself under another case.
  if (lookAtTarget()) return RenameOntoExisting(buffer_.get(), source, target, from, to, standing);
  if (errno != ENOENT) return LastError();
  return RenameWithoutReplaceFlag(source, target);
}

}  // namespace vornick::platform
