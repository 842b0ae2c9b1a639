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

// One folder of the walk: where its path ends in the walk's path, and its walkable subfolders
// (those of Walk's names from `first` to `end`) and how far the walk has gone through them.
struct Level {
  std::size_t pathSize = 0;
  std::size_t first = 0, end = 0, next = 0;
};

// The folders of one walk. Links to folders are never entered, so the walk cannot loop (mounts
// make no cycles) and needs no record of the folders it entered. The path of the folder it is in
// and the names of the subfolders still to walk, those of every folder it is in, are kept in one
// place each, as a stack: a folder costs no allocation of its own.
class Walk {
 public:
  Walk(platform::FileSystem& fileSystem, PendingPaths& pending,
       const std::function<void()>& doEvents, std::vector<PassedOver>* passedOver, bool keepOthers)
      : fileSystem_(fileSystem),
        pending_(pending),
        doEvents_(doEvents),
        passedOver_(passedOver),
        keepOthers_(keepOthers) {}

  // Lists `folder` and runs events once; it is then the folder the walk is in, and is appended
  // to the work list (with its entries when they are kept) when `append`. A folder that cannot be
  // listed gives a level without subfolders: it is passed over, and its listing of files finds
  // nothing without reading it again.
  Level Enter(const std::string& folder, bool append) {
    path_ = folder;
    return EnterPath(append);
  }

  // Enters the next subfolder of `level`, which is the last level entered and not left.
  Level EnterNext(Level& level) {
    const auto [offset, size] = subfolders_[level.next++];
    path_.resize(level.pathSize);
    path_.append(names_, offset, size).push_back(kSeparator);
    return EnterPath(true);
  }

  // Lets go of the names of `level`'s subfolders: it is the last level entered and not left.
  void Leave(const Level& level) {
    if (level.first < subfolders_.size()) names_.resize(subfolders_[level.first].offset);
    subfolders_.resize(level.first);
  }

 private:
  // Enters the folder at path_.
  Level EnterPath(bool append) {
    // A listing that is not kept is read into the same room every time.
    platform::FolderListing kept = keepOthers_ ? pending_.TakeSpare() : platform::FolderListing{};
    platform::FolderListing& entries = keepOthers_ ? kept : scratch_;
    try {
      fileSystem_.ReadFolderInto(path_, entries);
    } catch (const FileSystemError& error) {
      entries.Clear();
      Pass(path_, PassedOver::Why::kNotRead, error.Error());
    }
    if (doEvents_) doEvents_();
    Level level{path_.size(), subfolders_.size(), 0, 0};
    for (std::size_t i = 0; i < entries.Size(); ++i) {
      const std::uint32_t attributes = entries.Attributes(i);
      if ((attributes & platform::kAttrDirectory) == 0 || (attributes & kSkippedBits) != 0)
        continue;
      const std::string_view name = entries.Name(i);
      if ((attributes & platform::kAttrLink) != 0) {
        Pass(path_ + std::string(name), PassedOver::Why::kLinkNotFollowed, {});
        continue;
      }
      subfolders_.push_back({names_.size(), name.size()});
      names_.append(name);
    }
    level.end = subfolders_.size();
    level.next = level.first;
    // Folders stay among the kept entries too: a name is taken by a folder as much as by a file.
    if (append) pending_.Append(path_, keepOthers_ ? std::optional(std::move(kept)) : std::nullopt);
    return level;
  }

  void Pass(std::string path, PassedOver::Why why, std::error_code error) {
    if (passedOver_ != nullptr) passedOver_->push_back({std::move(path), why, error});
  }

  struct Name {
    std::size_t offset, size;  // in names_
  };

  platform::FileSystem& fileSystem_;
  PendingPaths& pending_;
  platform::FolderListing scratch_;
  const std::function<void()>& doEvents_;
  std::vector<PassedOver>* passedOver_;
  bool keepOthers_;
  std::string path_;
  std::string names_;
  std::vector<Name> subfolders_;
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
  stack.push_back(walk.Enter(folder, withStart));
  if (withStart && appended) appended();
  while (!stack.empty()) {
    Level& level = stack.back();
    if (level.next == level.end) {
      walk.Leave(level);
      stack.pop_back();
      continue;
    }
    Level inner = walk.EnterNext(level);
    stack.push_back(inner);
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
