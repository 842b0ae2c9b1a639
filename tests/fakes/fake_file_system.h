#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/file_system.h"
#include "platform/posix/name_order.h"

namespace vornick::fakes {

// An in-memory file system for tests.
//
// Paths are absolute and '/'-separated; a folder may be named with or without its trailing '/'.
// Attribute bits are exactly the ones given: nothing is derived from a name, so a hidden folder
// is AddFolder(path, kAttrDirectory | kAttrHidden) whatever it is called. Adding a path makes its
// missing parent folders (plain, attributes 16).
//
//   using namespace vornick::platform;
//   fakes::FakeFileSystem fs;
//   fs.AddFolder("/a/b/");                                // /a/ and /a/b/
//   fs.AddFolder("/a/h/", kAttrDirectory | kAttrHidden);  // hidden folder
//   fs.AddFile("/a/b/x.mp3");                             // archive (32) by default
//   fs.AddFile("/a/b/ro.mp3", kAttrReadOnly);
//   fs.AddLink("/a/b/up", "/a/");     // an entry of /a/b/ leading to /a/: its bits and kAttrLink
//   fs.AddLink("/a/dead", "/nowhere"); // a dangling link: kAttrSystem and kAttrLink
//   fs.SetUnreadable("/a/b/");        // ReadFolder("/a/b/") throws FileSystemError (EACCES)
//   fs.SetAttributesUnreadable("/a/b/x.mp3");  // GetAttributes, GetIdentity throw; CanReadTimes
//   false fs.FailRename("/a/b/x.mp3", std::make_error_code(std::errc::permission_denied));
//   fs.SetCaseInsensitive(true);      // names looked up with A-Z folded, as on FAT
//
// ReadFolder lists a folder's entries in the real order (NameOrderLess), links resolved.
// Rename follows the real rules: missing source or target folder -> no_such_file_or_directory; an
// existing target -> file_exists, unless it is the source itself (a case-only rename on a
// case-insensitive fake), which is renamed. Renames() lists the successful ones.
class FakeFileSystem : public platform::FileSystem {
 public:
  FakeFileSystem();
  ~FakeFileSystem() override;

  void AddFolder(const std::string& path, std::uint32_t attributes = platform::kAttrDirectory);
  void AddFile(const std::string& path, std::uint32_t attributes = platform::kAttrArchive);
  void AddLink(const std::string& path, const std::string& target);
  void SetUnreadable(const std::string& folder, bool unreadable = true);
  void SetAttributesUnreadable(const std::string& path, bool unreadable = true);
  void FailRename(const std::string& from, std::error_code error);
  void SetCaseInsensitive(bool caseInsensitive) noexcept { caseInsensitive_ = caseInsensitive; }

  // True when `path` names something (links followed).
  bool Exists(const std::string& path) const;
  // The names in `folder`, in listing order, without attribute filtering; empty when missing.
  std::vector<std::string> Names(const std::string& folder) const;

  int ReadFolderCalls() const noexcept { return readFolderCalls_; }
  // The folders passed to ReadFolder, in call order, as they were passed.
  const std::vector<std::string>& ReadFolderLog() const noexcept { return readFolderLog_; }
  // The number of listings in progress; stays 0 between calls, 1 inside ReadFolder.
  int OpenListings() const noexcept { return openListings_; }
  int MaxOpenListings() const noexcept { return maxOpenListings_; }
  const std::vector<std::pair<std::string, std::string>>& Renames() const noexcept {
    return renames_;
  }

  std::uint32_t GetAttributes(const std::string& path) override;
  bool CanReadTimes(const std::string& path) noexcept override;
  std::vector<platform::FolderEntry> ReadFolder(const std::string& folder,
                                                platform::FileIdentity* identity) override;
  platform::FileIdentity GetIdentity(const std::string& path) override;
  std::error_code Rename(const std::string& from, const std::string& to) noexcept override;

 private:
  struct Node;
  struct Parent {
    Node* folder = nullptr;
    std::string name;  // the last component, possibly empty for "/"
  };

  Node* Make(const std::string& path, bool folder, std::uint32_t attributes);
  // The node at `path`, links followed; throws FileSystemError.
  Node* Resolve(const std::string& path, bool followLast = true) const;
  Node* Find(Node* folder, std::string_view name) const;
  Node* Follow(Node* node, const std::string& path, int& hops) const;
  Parent SplitParent(const std::string& path) const;
  // The bits of `node`; a link's are its target's and kAttrLink.
  std::uint32_t AttributesOf(Node* node, const std::string& path) const;

  std::unique_ptr<Node> root_;
  std::uint64_t nextInode_ = 1;
  bool caseInsensitive_ = false;
  std::set<std::string> attributesUnreadable_;
  std::map<std::string, std::error_code> renameErrors_;
  int readFolderCalls_ = 0;
  std::vector<std::string> readFolderLog_;
  int openListings_ = 0;
  int maxOpenListings_ = 0;
  std::vector<std::pair<std::string, std::string>> renames_;
};

}  // namespace vornick::fakes
