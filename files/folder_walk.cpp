// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/folder_walk.h"

#include <unordered_set>
#include <utility>

#include "files/name_pattern.h"
#include "files/path_helpers.h"

namespace vornick::files {
namespace {

using platform::FileIdentity;
using platform::FileSystemError;
using platform::FolderEntry;

constexpr std::uint32_t kSkippedBits = platform::kAttrHidden | platform::kAttrSystem;

struct IdentityHash {
  std::size_t operator()(const FileIdentity& identity) const noexcept {
    return std::hash<std::uint64_t>()(identity.inode * 0x9E3779B97F4A7C15u ^ identity.device);
  }
};
using Entered = std::unordered_set<FileIdentity, IdentityHash>;

// One folder of the walk: its walkable subfolders, how far the walk has gone through them, and
// all of its entries when they are kept for its listing.
struct Level {
  std::string path;
  std::vector<FolderEntry> subfolders;
  std::size_t next = 0;
  std::optional<std::vector<FolderEntry>> others;
};

// The folders of one walk. Only a link can lead back to a folder already entered (mounts make no
// cycles), so identities are taken only from the first link on, when those of the folders entered
// until then are caught up from their paths. In a tree without links a folder costs its listing
// and nothing more.
class Walk {
 public:
  Walk(platform::FileSystem& fileSystem, const std::function<void()>& doEvents,
       std::vector<std::string>* notRead, bool keepOthers)
      : fileSystem_(fileSystem), doEvents_(doEvents), notRead_(notRead), keepOthers_(keepOthers) {}

  // Lists `path` and runs events once. Nothing (and no events) when the folder was entered before
  // in this walk. A folder that cannot be listed gives a level without subfolders: it is passed
  // over, and its listing of files will find nothing either.
  std::optional<Level> Enter(std::string path, bool throughLink) {
    if (throughLink && !tracking_) StartTracking();
    Level level{std::move(path), {}, 0, {}};
    try {
      FileIdentity identity;
      level.subfolders = fileSystem_.ReadFolder(level.path, tracking_ ? &identity : nullptr);
      if (tracking_ && !entered_.insert(identity).second) return std::nullopt;
      if (keepOthers_) {
        level.others.emplace();
        // Folders stay in the copy too: a name is taken by a folder as much as by a file.
        for (FolderEntry& entry : level.subfolders) {
          if ((entry.attributes & platform::kAttrDirectory) == 0) {
            level.others->push_back(std::move(entry));
          } else {
            level.others->push_back(entry);
          }
        }
      }
    } catch (const FileSystemError&) {
      level.subfolders.clear();
      if (notRead_ != nullptr) notRead_->push_back(level.path);
    }
    if (!tracking_) enteredPaths_.push_back(level.path);
    if (doEvents_) doEvents_();
    std::erase_if(level.subfolders, [](const FolderEntry& entry) {
      return (entry.attributes & platform::kAttrDirectory) == 0 ||
             (entry.attributes & kSkippedBits) != 0;
    });
    return level;
  }

 private:
  void StartTracking() {
    for (const std::string& path : enteredPaths_) {
      try {
        entered_.insert(fileSystem_.GetIdentity(path));
      } catch (const FileSystemError&) {
        // Gone since it was listed: nothing can lead back into it.
      }
    }
    enteredPaths_.clear();
    tracking_ = true;
  }

  platform::FileSystem& fileSystem_;
  const std::function<void()>& doEvents_;
  std::vector<std::string>* notRead_;
  bool keepOthers_;
  bool tracking_ = false;
  std::vector<std::string> enteredPaths_;
  Entered entered_;
};

// The walk of AddSubFolders and AddFolderTree: folders appended in pre-order, the start folder too
// when asked, each with the entries that are not folders when asked.
void WalkTree(platform::FileSystem& fileSystem, PendingPaths& pending, const std::string& folder,
              const std::function<void()>& doEvents, std::vector<std::string>* notRead,
              bool withStart) {
  Walk walk(fileSystem, doEvents, notRead, withStart);
  // An explicit stack rather than recursion: there is no depth limit. A folder is listed before
  // it is appended, so that one entered before is never appended again; the order of the work
  // list is the same.
  std::vector<Level> stack;
  if (auto start = walk.Enter(folder, false)) {
    if (withStart) pending.Append(start->path, std::move(start->others));
    stack.push_back(std::move(*start));
  } else if (withStart) {
    pending.Append(folder);
  }
  while (!stack.empty()) {
    Level& level = stack.back();
    if (level.next == level.subfolders.size()) {
      stack.pop_back();
      continue;
    }
    const FolderEntry& subfolder = level.subfolders[level.next++];
    std::string path;
    path.reserve(level.path.size() + subfolder.name.size() + 1);
    path.append(level.path).append(subfolder.name).push_back(kSeparator);
    std::optional<Level> inner =
        walk.Enter(std::move(path), (subfolder.attributes & platform::kAttrLink) != 0);
    if (!inner) continue;
    pending.Append(inner->path, std::move(inner->others));
    stack.push_back(std::move(*inner));
  }
}

}  // namespace

void AddSubFolders(platform::FileSystem& fileSystem, PendingPaths& pending,
                   const std::string& folder, const std::function<void()>& doEvents,
                   std::vector<std::string>* notRead) {
  WalkTree(fileSystem, pending, folder, doEvents, notRead, false);
}

void AddFolderTree(platform::FileSystem& fileSystem, PendingPaths& pending,
                   const std::string& folder, const std::function<void()>& doEvents,
                   std::vector<std::string>* notRead) {
  WalkTree(fileSystem, pending, folder, doEvents, notRead, true);
}

bool IsMatchingFile(const FolderEntry& entry, std::string_view filePattern) {
  return (entry.attributes & (platform::kAttrDirectory | kSkippedBits)) == 0 &&
         MatchesPattern(filePattern, entry.name);
}

std::optional<std::vector<std::string>> ListFiles(platform::FileSystem& fileSystem,
                                                  const std::string& pattern) {
  try {
    const std::string folder = GetFolder(pattern);
    const std::string_view filePattern = std::string_view(pattern).substr(folder.size());
    std::vector<FolderEntry> entries = fileSystem.ReadFolder(folder, nullptr);
    std::vector<std::string> names;
    for (FolderEntry& entry : entries) {
      if (IsMatchingFile(entry, filePattern)) names.push_back(std::move(entry.name));
    }
    if (names.empty()) return std::nullopt;
    return names;
  } catch (const std::exception&) {
    return std::nullopt;  // any failure gives no list, never part of one
  }
}

}  // namespace vornick::files
