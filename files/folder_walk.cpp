#include "files/folder_walk.h"

#include <set>
#include <utility>

#include "files/name_pattern.h"
#include "files/path_helpers.h"

namespace vornick::files {
namespace {

using platform::FileSystemError;
using platform::FolderEntry;

constexpr std::uint32_t kSkippedBits = platform::kAttrHidden | platform::kAttrSystem;

// One folder of the walk: its walkable subfolders, and how far the walk has gone through them.
struct Level {
  std::string path;
  std::vector<FolderEntry> subfolders;
  std::size_t next = 0;
};

Level Visit(platform::FileSystem& fileSystem, std::string path,
            const std::function<void()>& doEvents) {
  if (doEvents) doEvents();
  Level level{std::move(path), {}, 0};
  try {
    level.subfolders = fileSystem.ReadFolder(level.path);
  } catch (const FileSystemError&) {
    // A folder that cannot be listed is passed over; it stays in the work list, where its
    // listing will find nothing either.
  }
  std::erase_if(level.subfolders, [](const FolderEntry& entry) {
    return (entry.attributes & platform::kAttrDirectory) == 0 ||
           (entry.attributes & kSkippedBits) != 0;
  });
  return level;
}

}  // namespace

void AddSubFolders(platform::FileSystem& fileSystem, PendingPaths& pending,
                   const std::string& folder, const std::function<void()>& doEvents) {
  // Folders already entered, so that a link back into the tree (or to a folder met before) does
  // not make the walk loop or list a folder twice.
  std::set<platform::FileIdentity> entered;
  try {
    entered.insert(fileSystem.GetIdentity(folder));
  } catch (const FileSystemError&) {
  }

  // An explicit stack rather than recursion: there is no depth limit.
  std::vector<Level> stack;
  stack.push_back(Visit(fileSystem, folder, doEvents));
  while (!stack.empty()) {
    Level& level = stack.back();
    if (level.next == level.subfolders.size()) {
      stack.pop_back();
      continue;
    }
    const FolderEntry& subfolder = level.subfolders[level.next++];
    if (!entered.insert(subfolder.identity).second) continue;
    std::string path;
    path.reserve(level.path.size() + subfolder.name.size() + 1);
    path.append(level.path).append(subfolder.name).push_back(kSeparator);
    pending.Append(path);
    stack.push_back(Visit(fileSystem, std::move(path), doEvents));
  }
}

std::optional<std::vector<std::string>> ListFiles(platform::FileSystem& fileSystem,
                                                  const std::string& pattern) {
  try {
    const std::string folder = GetFolder(pattern);
    const std::string_view filePattern = std::string_view(pattern).substr(folder.size());
    std::vector<FolderEntry> entries = fileSystem.ReadFolder(folder);
    std::vector<std::string> names;
    for (FolderEntry& entry : entries) {
      if ((entry.attributes & (platform::kAttrDirectory | kSkippedBits)) == 0 &&
          MatchesPattern(filePattern, entry.name))
        names.push_back(std::move(entry.name));
    }
    if (names.empty()) return std::nullopt;
    return names;
  } catch (const std::exception&) {
    return std::nullopt;  // any failure gives no list, never part of one
  }
}

}  // namespace vornick::files
