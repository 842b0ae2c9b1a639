// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/folder_walk.h"

#include <utility>

#include "files/name_pattern.h"
#include "files/path_helpers.h"

namespace vornick::files {
namespace {

using platform::FileSystemError;
using platform::FolderEntry;

constexpr std::uint32_t kSkippedBits = platform::kAttrHidden | platform::kAttrSystem;

// One folder of the walk: its walkable subfolders, how far the walk has gone through them, and
// all of its entries when they are kept for its listing.
struct Level {
  std::string path;
  std::vector<std::string> subfolders;
  std::size_t next = 0;
  std::optional<platform::FolderListing> others;
};

// The folders of one walk. Links to folders are never entered, so the walk cannot loop (mounts
// make no cycles) and needs no record of the folders it entered.
class Walk {
 public:
  Walk(platform::FileSystem& fileSystem, PendingPaths& pending,
       const std::function<void()>& doEvents, std::vector<PassedOver>* passedOver, bool keepOthers)
      : fileSystem_(fileSystem),
        pending_(pending),
        doEvents_(doEvents),
        passedOver_(passedOver),
        keepOthers_(keepOthers) {}

  // Lists `path` and runs events once. A folder that cannot be listed gives a level without
  // entries: it is passed over, and its listing of files finds nothing without reading it again.
  Level Enter(std::string path) {
    Level level{std::move(path), {}, 0, {}};
    // A listing that is not kept is read into the same room every time.
    platform::FolderListing kept = keepOthers_ ? pending_.TakeSpare() : platform::FolderListing{};
    platform::FolderListing& entries = keepOthers_ ? kept : scratch_;
    try {
      fileSystem_.ReadFolderInto(level.path, entries);
    } catch (const FileSystemError& error) {
      entries.Clear();
      Pass(level.path, PassedOver::Why::kNotRead, error.Error());
    }
    if (doEvents_) doEvents_();
    for (std::size_t i = 0; i < entries.Size(); ++i) {
      const std::uint32_t attributes = entries.Attributes(i);
      if ((attributes & platform::kAttrDirectory) == 0 || (attributes & kSkippedBits) != 0)
        continue;
      if ((attributes & platform::kAttrLink) != 0) {
        Pass(level.path + std::string(entries.Name(i)), PassedOver::Why::kLinkNotFollowed, {});
        continue;
      }
      level.subfolders.emplace_back(entries.Name(i));
    }
    // Folders stay among the kept entries too: a name is taken by a folder as much as by a file.
    if (keepOthers_) level.others = std::move(kept);
    return level;
  }

 private:
  void Pass(std::string path, PassedOver::Why why, std::error_code error) {
    if (passedOver_ != nullptr) passedOver_->push_back({std::move(path), why, error});
  }

  platform::FileSystem& fileSystem_;
  PendingPaths& pending_;
  platform::FolderListing scratch_;
  const std::function<void()>& doEvents_;
  std::vector<PassedOver>* passedOver_;
  bool keepOthers_;
};

// The walk of AddSubFolders and AddFolderTree: folders appended in pre-order, the start folder too
// when asked, each with the entries that are not folders when asked.
void WalkTree(platform::FileSystem& fileSystem, PendingPaths& pending, const std::string& folder,
              const std::function<void()>& doEvents, std::vector<PassedOver>* passedOver,
              bool withStart, const std::function<void()>& appended) {
  // The file system may keep the folders of the walk open while it is in them.
  struct WalkScope {
    platform::FileSystem& fileSystem;
    explicit WalkScope(platform::FileSystem& system) : fileSystem(system) {
      fileSystem.BeginWalk();
    }
    ~WalkScope() { fileSystem.EndWalk(); }
    WalkScope(const WalkScope&) = delete;
    WalkScope& operator=(const WalkScope&) = delete;
  } scope(fileSystem);
  Walk walk(fileSystem, pending, doEvents, passedOver, withStart);
  // An explicit stack rather than recursion: there is no depth limit.
  std::vector<Level> stack;
  stack.push_back(walk.Enter(folder));
  if (withStart) {
    pending.Append(stack.back().path, std::move(stack.back().others));
    if (appended) appended();
  }
  while (!stack.empty()) {
    Level& level = stack.back();
    if (level.next == level.subfolders.size()) {
      stack.pop_back();
      continue;
    }
    const std::string& subfolder = level.subfolders[level.next++];
    std::string path;
    path.reserve(level.path.size() + subfolder.size() + 1);
    path.append(level.path).append(subfolder).push_back(kSeparator);
    Level inner = walk.Enter(std::move(path));
    pending.Append(inner.path, std::move(inner.others));
    stack.push_back(std::move(inner));
    if (appended) appended();
  }
}

}  // namespace

void AddSubFolders(platform::FileSystem& fileSystem, PendingPaths& pending,
                   const std::string& folder, const std::function<void()>& doEvents,
                   std::vector<PassedOver>* passedOver) {
  WalkTree(fileSystem, pending, folder, doEvents, passedOver, false, {});
}

void AddFolderTree(platform::FileSystem& fileSystem, PendingPaths& pending,
                   const std::string& folder, const std::function<void()>& doEvents,
                   std::vector<PassedOver>* passedOver, const std::function<void()>& appended) {
  WalkTree(fileSystem, pending, folder, doEvents, passedOver, true, appended);
}

bool IsMatchingFile(std::string_view name, std::uint32_t attributes,
                    const NamePattern& filePattern) {
  return (attributes & (platform::kAttrDirectory | kSkippedBits)) == 0 && filePattern.Matches(name);
}

std::optional<std::vector<std::string>> ListFiles(platform::FileSystem& fileSystem,
                                                  const std::string& pattern) {
  try {
    const std::string folder = GetFolder(pattern);
    const NamePattern filePattern(pattern.substr(folder.size()));
    std::vector<FolderEntry> entries = fileSystem.ReadFolder(folder);
    std::vector<std::string> names;
    for (FolderEntry& entry : entries) {
      if (IsMatchingFile(entry.name, entry.attributes, filePattern))
        names.push_back(std::move(entry.name));
    }
    if (names.empty()) return std::nullopt;
    return names;
  } catch (const std::exception&) {
    return std::nullopt;  // any failure gives no list, never part of one
  }
}

}  // namespace vornick::files
