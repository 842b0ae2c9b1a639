// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/posix/mount_rules.h"

namespace vornick::platform {

// The file system on raw POSIX calls. Names are the exact bytes; a folder is listed with
// getdents64 (readdir elsewhere) and the entry type, and an entry is looked at with fstatat only
// where its type is unknown or it is a link.
class PosixFileSystem final : public FileSystem {
 public:
  PosixFileSystem();
  ~PosixFileSystem() override;
  PosixFileSystem(const PosixFileSystem&) = delete;
  PosixFileSystem& operator=(const PosixFileSystem&) = delete;

  std::uint32_t GetAttributes(const std::string& path) override;
  bool CanReadTimes(const std::string& path) noexcept override;
  std::vector<FolderEntry> ReadFolder(const std::string& folder) override;
  void ReadFolderInto(const std::string& folder, FolderListing& listing) override;
  void BeginWalk() override;
  void EndWalk() noexcept override;
  std::unique_ptr<FileSystem> ForReadingAhead() override;
  FileIdentity GetIdentity(const std::string& path) override;
  std::error_code Rename(const std::string& from, const std::string& to) noexcept override;
  NameRules RulesOf(const std::string& folder) noexcept override { return mounts_.RulesOf(folder); }
  std::optional<NameRules> TreeRules(const std::string& folder) override {
    return mounts_.TreeRules(folder);
  }

 private:
  // Opens `folder` for reading: through the folder held for the walk that it lies right in, else
  // by its path; first lets go of the held folders it does not lie in.
  int OpenFolder(const std::string& folder);
  // Reads `folder` into `listing`, sorted.
  void ReadSorted(const std::string& folder, FolderListing& listing);
  // Closes a folder the walk is done with: now, or with others in one call where the walk's
  // thread has a table of descriptors of its own.
  void Close(int fd) noexcept;
  void CloseTogether() noexcept;

  std::unique_ptr<char[]> buffer_;
  FolderListing read_;  // kept between calls to save allocations
  // The folders a walk holds open, each inside the one before it: the path of the innermost, and
  // how much of it each one's path is.
  struct Held {
    std::size_t length;
    int fd;
  };
  std::vector<Held> held_;
  std::string heldPath_, name_;
  int walks_ = 0;
  MountRules mounts_;
  // Made for a walk on a thread of its own (ForReadingAhead); whether that thread's table of
  // descriptors was made its own, holding only the walk's folders; the folders to close together.
  bool readsAhead_ = false, tableTried_ = false, ownTable_ = false;
  std::vector<int> closing_;
};

// The path taken where the file system refuses RENAME_NOREPLACE; also reached by tests.
std::error_code RenameWithoutReplaceFlag(const std::string& from, const std::string& to) noexcept;

}  // namespace vornick::platform
