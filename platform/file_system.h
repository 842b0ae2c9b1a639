// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <compare>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace vornick::platform {

// Attribute bits of a path, as the walk and the folder test read them.
inline constexpr std::uint32_t kAttrReadOnly = 1;
inline constexpr std::uint32_t kAttrHidden = 2;  // the name begins with "."
inline constexpr std::uint32_t kAttrSystem = 4;  // neither a regular file nor a folder
inline constexpr std::uint32_t kAttrDirectory = 16;
inline constexpr std::uint32_t kAttrArchive = 32;
inline constexpr std::uint32_t kAttrLink =
    1024;  // a symbolic link; the other bits are its target's

// A file system call that failed, with the path and the system's error number.
class FileSystemError : public std::runtime_error {
 public:
  FileSystemError(std::string path, std::error_code error)
      : std::runtime_error(path + ": " + error.message()), path_(std::move(path)), error_(error) {}
  const std::string& Path() const noexcept { return path_; }
  std::error_code Error() const noexcept { return error_; }

 private:
  std::string path_;
  std::error_code error_;
};

// Where a file really is, so that two paths can be told to name the same one.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  auto operator<=>(const FileIdentity&) const = default;
};

struct FolderEntry {
  std::string name;              // the exact bytes, never "." or ".."
  std::uint32_t attributes = 0;  // links resolved for their type
};

// The file system as the program sees it. Paths are exact bytes; folders end with the separator.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Attribute bits of `path`, links followed; throws FileSystemError when they cannot be read.
  virtual std::uint32_t GetAttributes(const std::string& path) = 0;

  // True when the date and time of `path` can be read (it exists, links followed).
  virtual bool CanReadTimes(const std::string& path) noexcept = 0;

  // The entries of `folder`, sorted by their bytes with A-Z folded to a-z, ties broken by the exact
  // bytes. Throws FileSystemError when the folder cannot be listed.
  virtual std::vector<FolderEntry> ReadFolder(const std::string& folder) = 0;

  // Between BeginWalk and EndWalk a walk reads a tree folder by folder, each folder after the one
  // it is in: the file system may keep each folder open until the walk leaves it, and read the
  // folders in it through it rather than looking up their whole paths again (a link found in
  // their place is then not followed). Everything is let go at EndWalk. Walks may nest.
  virtual void BeginWalk() {}
  virtual void EndWalk() noexcept {}

  // Identity of the file or folder at `path`, links followed; throws FileSystemError.
  virtual FileIdentity GetIdentity(const std::string& path) = 0;

  // Renames `from` to `to` without ever replacing another file: an existing target fails with
  // std::errc::file_exists unless it is `from` itself under another letter case (same device and
  // inode), which is renamed. Returns the failure, or no error.
  virtual std::error_code Rename(const std::string& from, const std::string& to) noexcept = 0;
};

}  // namespace vornick::platform
