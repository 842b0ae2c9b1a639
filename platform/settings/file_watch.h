// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace vornick::platform {

// Tells without a look at the disk that a file has not changed: the kernel notes every change to
// the entries of the file's folder, and while none has touched the file, asking costs one read of
// an empty queue instead of a look-up of the file's whole path. It answers only where it can be
// sure: a local file system reached without links, the file itself and not a link to one
// elsewhere; anywhere else it is never quiet and the caller looks at the file every time. (A folder
// above the file's folder renamed in the meantime goes unnoticed.)
class FileWatch {
 public:
  FileWatch() = default;
  ~FileWatch();
  FileWatch(const FileWatch&) = delete;
  FileWatch& operator=(const FileWatch&) = delete;

  // Watches `file` (an absolute path) from now on, forgetting any earlier file; false when it
  // cannot be watched surely, and then Quiet() stays false.
  bool Watch(const std::string& file) noexcept;
  // True when the file is watched and nothing has happened to it since Watch or the last call.
  // A false answer ends the watch: the file must be looked at, and may be watched anew.
  bool Quiet() noexcept;
  bool Watching() const noexcept { return queue_ >= 0; }
  void Stop() noexcept;

 private:
  int queue_ = -1;  // the kernel's queue of changes, open while a file is watched
  int fileWatch_ = -1;
  std::string name_;
};

}  // namespace vornick::platform
