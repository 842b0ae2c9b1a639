// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "window/reason.h"

namespace vornick::window {

// Renames one file of a row, as every command does: never replacing a file, wording a failure by
// the rules of the folder's file system where they tell why, and calling a change of letter case
// done only when the folder shows it.
class FileRenamer {
 public:
  explicit FileRenamer(platform::FileSystem& fileSystem) : fileSystem_(fileSystem) {}

  // Renames `name` in `folder` to `target`; the reason when it was not renamed.
  Reason Rename(std::string_view folder, std::string_view name, std::string_view target);
  // The rules of `folder`'s file system; rows of a folder come together, so it is asked once.
  const platform::NameRules& Rules(std::string_view folder);

 private:
  Reason ChangeCase(std::string_view folder, const platform::NameRules& rules);

  platform::FileSystem& fileSystem_;
  std::string from_, to_;
  std::string rulesFolder_;
  bool haveRules_ = false;
  platform::NameRules rules_;
};

// The reason for a rename of `from` that failed with `error`. Some file systems (exfat-fuse, for
// one) answer a name they refuse with "no such file": when the file is there, the name is what
// was refused.
Reason RenameFailureReason(platform::FileSystem& fileSystem, const std::string& from,
                           std::error_code error);

// The name a file has for a moment on its way to another letter case, where the file system would
// not change the case in place. Made from the file's identity, so that taking a batch back after a
// crash between the two steps finds the file there.
std::string CaseStepName(const platform::FileIdentity& identity);

// Whether `folder` has an entry named exactly `name` (a look-up by name may fold case); true when
// the folder cannot be read, so that the answer of a look-up stands.
bool FolderShows(platform::FileSystem& fileSystem, const std::string& folder,
                 std::string_view name);

// Whether `a` and `b` differ in letter case only, as a file system that folds every letter sees it.
bool CaseOnly(std::string_view a, std::string_view b);

}  // namespace vornick::window
