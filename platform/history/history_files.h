// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <system_error>

// What the SQLite store does around its file: the folder it lives in, the file's mode, setting a
// damaged file aside, and telling whether the process that wrote a batch still runs.
namespace vornick::platform::history {

// A system call that failed on `Path()`.
class PathFailure : public std::exception {
 public:
  PathFailure(std::string path, std::error_code error) : path_(std::move(path)), error_(error) {}
  const std::string& Path() const noexcept { return path_; }
  std::error_code Error() const noexcept { return error_; }
  const char* what() const noexcept override { return "path failure"; }

 private:
  std::string path_;
  std::error_code error_;
};

// Makes `folder` and its missing parents, each 0700 whatever the umask. Something that is not a
// folder in the way fails with EEXIST (at `folder` itself) or ENOTDIR (at a parent), naming it.
void MakeFolders(const std::string& folder);

// Makes the empty file 0600 whatever the umask, synced with its folder entry; false when a file of
// that name was there already (made by another process meanwhile, say).
bool MakePrivateFile(const std::string& file, const std::string& folder);

// Renames `file` and its -wal and -shm to FILE.damaged-YYYYMMDD-HHMMSS (local time; "-2", "-3"...
// added when taken), never replacing anything; the new name of `file`.
std::string SetAside(const std::string& file, const std::string& folder);

// When the process `pid` started, in clock ticks since boot (field 22 of /proc/PID/stat); 0 when it
// cannot be told.
std::int64_t ProcessStartTime(std::int64_t pid);

// The process that wrote down `pid` and `startTime` (this one's ProcessStartTime then) still runs:
// a pid used again by another process does not count.
bool IsRunning(std::int64_t pid, std::int64_t startTime);

}  // namespace vornick::platform::history
