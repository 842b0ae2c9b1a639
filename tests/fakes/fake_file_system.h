// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_system.h"

namespace vornick::fakes {

// An in-memory file system for tests. Paths are absolute and '/'-separated; a folder may be named
// with or without its trailing '/'. Attribute bits are exactly the ones given (nothing comes from
// a name); adding a path makes its missing parent folders.
//   fs.AddFolder("/a/h/", kAttrDirectory | kAttrHidden);
//   fs.AddFile("/a/b/x.mp3");          // archive (32) by default
//   fs.AddLink("/a/b/up", "/a/");      // its target's bits and kAttrLink; dangling: kAttrSystem
//   fs.SetUnreadable("/a/b/");         // ReadFolder throws FileSystemError (EACCES)
//   fs.SetBroken("/a/b/");             // ReadFolder throws std::length_error, not the disk's
//   fs.SetReadAhead(true);             // a walk reads a copy of it on a thread of its own
//   fs.SetRules("/card/", platform::RulesFor(platform::NameRules::System::kExfat));
// A folder with rules refuses the names they refuse, as the kernel answers (EINVAL, EILSEQ,
// ENAMETOOLONG), and finds names as its case rule folds them; with `caseStaysOnRename` a change of
// letter case alone answers success and changes nothing, as kernel vfat and exfat do.
// ReadFolder lists in the real order, links resolved. Rename never replaces another entry.
// TreeRules tells a folder's rules for its whole tree when every folder in it has the same, as
// though a folder of other rules were another file system mounted there.
// GetIdentity and Rename may be called from two threads at once.
class FakeFileSystem : public platform::FileSystem {
 public:
  FakeFileSystem();

  void AddFolder(const std::string& path, std::uint32_t attributes = platform::kAttrDirectory);
  void AddFile(const std::string& path, std::uint32_t attributes = platform::kAttrArchive);
  void AddLink(const std::string& path, const std::string& target);
  void SetUnreadable(const std::string& folder);
  void SetBroken(const std::string& folder);
  void SetReadAhead(bool readAhead) noexcept { readAhead_ = readAhead; }
  void SetRules(const std::string& folder, const platform::NameRules& rules,
                bool caseStaysOnRename = false);

  int ReadFolderCalls() const noexcept { return readFolderCalls_; }
  int RenameCalls() const noexcept { return renameCalls_; }
  int RulesOfCalls() const noexcept { return rulesOfCalls_; }
  int CanReadTimesCalls() const noexcept { return canReadTimesCalls_; }

  std::uint32_t GetAttributes(const std::string& path) override;
  bool CanReadTimes(const std::string& path) noexcept override;
  std::vector<platform::FolderEntry> ReadFolder(const std::string& folder) override;
  platform::FileIdentity GetIdentity(const std::string& path) override;
  std::error_code Rename(const std::string& from, const std::string& to) noexcept override;
  platform::NameRules RulesOf(const std::string& folder) noexcept override;
  std::optional<platform::NameRules> TreeRules(const std::string& folder) override;
  std::unique_ptr<platform::FileSystem> ForReadingAhead() override;

 private:
  struct Node {
    std::uint32_t attributes = platform::kAttrDirectory;
    std::uint64_t inode = 0;
    bool link = false;
    std::string target;
    bool unreadable = false;
    bool broken = false;
    platform::NameRules rules;
    bool caseStaysOnRename = false;
  };
  // The key of the entry of folder `key` that its case rule takes as `name`, if any.
  std::optional<std::string> FoldedEntry(const std::string& key, const std::string& name) const;

  Node& Make(const std::string& path, std::uint32_t attributes);
  // The key of the node `path` names, links followed (the last one only when `followLast`).
  std::string Resolve(const std::string& path, bool followLast = true, int hops = 0) const;
  std::uint32_t AttributesOf(const std::string& key) const;

  std::map<std::string, Node> nodes_;  // by path without trailing '/'; the root is ""
  int readFolderCalls_ = 0;
  int renameCalls_ = 0;
  int rulesOfCalls_ = 0;
  int canReadTimesCalls_ = 0;
  bool readAhead_ = false;
  // The history's lookups run on a thread of their own, beside the renames.
  std::mutex mutex_;
};

}  // namespace vornick::fakes
