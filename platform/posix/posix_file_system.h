#pragma once

#include <sys/stat.h>

#include <memory>

#include "platform/file_system.h"

namespace vornick::platform {

// The file system on raw POSIX calls. Names are the exact bytes; a folder is listed with
// getdents64 (readdir elsewhere) and the entry type, and an entry is looked at with fstatat only
// where its type is unknown, it is a link, or it is a folder whose identity the walk needs.
class PosixFileSystem final : public FileSystem {
 public:
  PosixFileSystem();
  ~PosixFileSystem() override;
  PosixFileSystem(const PosixFileSystem&) = delete;
  PosixFileSystem& operator=(const PosixFileSystem&) = delete;

  std::uint32_t GetAttributes(const std::string& path) override;
  bool CanReadTimes(const std::string& path) noexcept override;
  std::vector<FolderEntry> ReadFolder(const std::string& folder) override;
  FileIdentity GetIdentity(const std::string& path) override;
  std::error_code Rename(const std::string& from, const std::string& to) noexcept override;

 private:
  std::error_code RenameOntoExisting(const std::string& from, const std::string& to,
                                     const struct stat& target) noexcept;

  std::unique_ptr<char[]> buffer_;  // one listing's raw entries, kept to save an allocation a call
};

}  // namespace vornick::platform
