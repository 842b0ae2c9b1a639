// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/folder_walk.h"

#include <chrono>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include "files/name_pattern.h"
#include "files/path_helpers.h"

namespace vornick::files {
namespace {

using platform::FileSystemError;
using platform::FolderEntry;
using platform::FolderListing;

constexpr std::uint32_t kSkippedBits = platform::kAttrHidden | platform::kAttrSystem;

// A folder the walk goes into: a folder, neither hidden nor a system one.
bool IsWalkable(std::uint32_t attributes) {
  return (attributes & platform::kAttrDirectory) != 0 && (attributes & kSkippedBits) == 0;
}

// The file system may keep the folders of a walk open while the walk is in them.
class WalkScope {
 public:
  explicit WalkScope(platform::FileSystem& fileSystem) : fileSystem_(fileSystem) {
    fileSystem_.BeginWalk();
  }
  ~WalkScope() { fileSystem_.EndWalk(); }
  WalkScope(const WalkScope&) = delete;
  WalkScope& operator=(const WalkScope&) = delete;

 private:
  platform::FileSystem& fileSystem_;
};

// One folder as the walk read it: its path, its entries, and why it could not be read (its
// entries are then none).
struct ReadFolder {
  std::string path;
  FolderListing entries;
  std::optional<std::error_code> error;
};

// Reads a tree in pre-order: each folder, then the walkable folders in it in the order of its
// listing, never through a link. Links to folders are never entered, so the walk cannot loop
// (mounts make no cycles) and needs no record of the folders it entered. The path of the folder
// it is in and the names of the subfolders still to read, those of every folder it is in, are
// kept in one place each, as a stack: a folder costs no allocation of its own.
class TreeReader {
 public:
  explicit TreeReader(platform::FileSystem& fileSystem) : fileSystem_(fileSystem) {}

  // Reads `folder` and every folder below it, handing each to `took` once it is read. `took` may
  // keep the folder's entries, changing them for other room to read the next folder into.
  template <class Took>
  void Read(const std::string& folder, Took&& took) {
    const WalkScope scope(fileSystem_);
    folder_.path = folder;
    // An explicit stack rather than recursion: there is no depth limit.
    std::vector<Level> stack;
    stack.push_back(ReadPath(took));
    while (!stack.empty()) {
      Level& level = stack.back();
      if (level.next == level.end) {
        // Lets go of the names of the subfolders of the folder left.
        if (level.first < subfolders_.size()) names_.resize(subfolders_[level.first].offset);
        subfolders_.resize(level.first);
        stack.pop_back();
        continue;
      }
      const auto [offset, size] = subfolders_[level.next++];
      folder_.path.resize(level.pathSize);
      folder_.path.append(names_, offset, size).push_back(kSeparator);
      stack.push_back(ReadPath(took));
    }
  }

 private:
  // One folder of the walk: where its path ends, its subfolders (those of names_ from `first` to
  // `end`) and how far the walk has gone through them.
  struct Level {
    std::size_t pathSize = 0;
    std::size_t first = 0, end = 0, next = 0;
  };
  struct Name {
    std::size_t offset, size;  // in names_
  };

  template <class Took>
  Level ReadPath(Took& took) {
    folder_.error.reset();
    try {
      fileSystem_.ReadFolderInto(folder_.path, folder_.entries);
    } catch (const FileSystemError& error) {
      folder_.entries.Clear();
      folder_.error = error.Error();
    }
    const FolderListing& entries = folder_.entries;
    Level level{folder_.path.size(), subfolders_.size(), 0, 0};
    for (std::size_t i = 0; i < entries.Size(); ++i) {
      const std::uint32_t attributes = entries.Attributes(i);
      if (!IsWalkable(attributes) || (attributes & platform::kAttrLink) != 0) continue;
      const std::string_view name = entries.Name(i);
      subfolders_.push_back({names_.size(), name.size()});
      names_.append(name);
    }
    level.end = subfolders_.size();
    level.next = level.first;
    took(folder_);
    return level;
  }

  platform::FileSystem& fileSystem_;
  ReadFolder folder_;
  std::string names_;
  std::vector<Name> subfolders_;
};

// A TreeReader on a thread of its own, reading ahead of the walk that takes its folders: the
// calls to the system and the work on what they give run side by side. It keeps at most kAhead
// folders read and not taken, and gives the walk the same folders in the same order as a reader of
// its own would.
class ReadAhead {
 public:
  ReadAhead(std::unique_ptr<platform::FileSystem> fileSystem, const std::string& folder)
      : fileSystem_(std::move(fileSystem)), thread_([this, folder] { Run(folder); }) {}
  ~ReadAhead() {
    {
      const std::lock_guard lock(mutex_);
      stop_ = true;
    }
    readerWakes_.notify_one();
    thread_.join();
  }
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // Changes `folder` (whose room goes back to the reader) for the next folder read, in the walk's
  // order; false when every folder has been taken. Throws what stopped the reader.
  bool Next(ReadFolder& folder) {
    if (!folder.path.empty()) returned_.push_back(std::move(folder));
    if (taken_.empty()) Take();
    if (taken_.empty()) {
      if (failure_) std::rethrow_exception(failure_);
      return false;
    }
    folder = std::move(taken_.front());
    taken_.pop_front();
    return true;
  }

 private:
  // Each wake of a waiting thread is a call to the system, and on a virtual machine a costly one:
  // the walk is not woken for each folder read, but once half of kAhead folders wait for it, and
  // it looks every kLook by itself, so that a slow disk's folders still come as they are read.
  static constexpr std::size_t kAhead = 256;
  static constexpr auto kLook = std::chrono::milliseconds(2);
  struct Stopped {};

  // Takes every folder read so far, waiting for some when there are none.
  void Take() {
    std::unique_lock lock(mutex_);
    for (ReadFolder& folder : returned_) room_.push_back(std::move(folder));
    returned_.clear();
    while (ready_.empty() && !done_) {
      walkWaits_ = true;
      walkWakes_.wait_for(lock, kLook);
      walkWaits_ = false;
    }
    taken_.swap(ready_);
    if (readerWaits_) readerWakes_.notify_one();
    failure_ = failure_ ? failure_ : readerFailure_;
  }

  void Run(const std::string& folder) {
    try {
      TreeReader reader(*fileSystem_);
      reader.Read(folder, [this](ReadFolder& read) { Hand(read); });
    } catch (const Stopped&) {
    } catch (...) {
      const std::lock_guard lock(mutex_);
      readerFailure_ = std::current_exception();
    }
    {
      const std::lock_guard lock(mutex_);
      done_ = true;
    }
    walkWakes_.notify_one();
  }

  // Hands the folder just read to the walk, taking room for the next from what the walk gave
  // back.
  void Hand(ReadFolder& read) {
    std::unique_lock lock(mutex_);
    while (ready_.size() >= kAhead && !stop_) {
      readerWaits_ = true;
      readerWakes_.wait(lock);
      readerWaits_ = false;
    }
    if (stop_) throw Stopped{};
    ReadFolder room;
    if (!room_.empty()) {
      room = std::move(room_.back());
      room_.pop_back();
    }
    // The reader goes on with the path it is at, so the walk gets a copy of it.
    room.path.assign(read.path);
    std::swap(room.entries, read.entries);
    room.error = read.error;
    ready_.push_back(std::move(room));
    if (walkWaits_ && ready_.size() == kAhead / 2) walkWakes_.notify_one();
  }

  std::unique_ptr<platform::FileSystem> fileSystem_;
  std::mutex mutex_;
  std::condition_variable walkWakes_, readerWakes_;
  // Under mutex_: the folders read and not taken, the room given back, and how things stand.
  std::deque<ReadFolder> ready_;
  std::vector<ReadFolder> room_;
  bool walkWaits_ = false, readerWaits_ = false, stop_ = false, done_ = false;
  std::exception_ptr readerFailure_;
  // The walk's own: the folders it took and has not handled, and the room it gives back next.
  std::deque<ReadFolder> taken_;
  std::vector<ReadFolder> returned_;
  std::exception_ptr failure_;
  std::thread thread_;  // last: it starts once everything else is made
};

// What a walk does with each folder read: tells what it passes over, runs events once, and
// appends it to the work list (with its entries when they are kept).
class Lister {
 public:
  Lister(PendingPaths& pending, const std::function<void()>& doEvents,
         std::vector<PassedOver>* passedOver, bool keepEntries)
      : pending_(pending),
        doEvents_(doEvents),
        passedOver_(passedOver),
        keepEntries_(keepEntries) {}

  void Take(ReadFolder& folder, bool append) {
    if (folder.error) Pass(folder.path, PassedOver::Why::kNotRead, *folder.error);
    if (doEvents_) doEvents_();
    const FolderListing& entries = folder.entries;
    for (std::size_t i = 0; i < entries.Size(); ++i) {
      if (IsWalkable(entries.Attributes(i)) && (entries.Attributes(i) & platform::kAttrLink) != 0)
        Pass(folder.path + std::string(entries.Name(i)), PassedOver::Why::kLinkNotFollowed, {});
    }
    if (!append) return;
    if (!keepEntries_) return pending_.Append(folder.path);
    // Folders stay among the kept entries too: a name is taken by a folder as much as by a file.
    // The room of a folder listed before is taken in exchange.
    pending_.Append(folder.path, std::optional(std::move(folder.entries)));
    folder.entries = pending_.TakeSpare();
  }

 private:
  void Pass(std::string path, PassedOver::Why why, std::error_code error) {
    if (passedOver_ != nullptr) passedOver_->push_back({std::move(path), why, error});
  }

  PendingPaths& pending_;
  const std::function<void()>& doEvents_;
  std::vector<PassedOver>* passedOver_;
  bool keepEntries_;
};

// The walk of AddSubFolders and AddFolderTree: folders appended in pre-order, the start folder too
// when asked, each with its entries when asked. A folder that cannot be read is passed over, and
// its listing of files finds nothing without reading it again.
void WalkTree(platform::FileSystem& fileSystem, PendingPaths& pending, const std::string& folder,
              const std::function<void()>& doEvents, std::vector<PassedOver>* passedOver,
              bool withStart, const std::function<void()>& appended) {
  Lister lister(pending, doEvents, passedOver, withStart);
  bool start = true;
  const auto take = [&](ReadFolder& read) {
    lister.Take(read, withStart || !start);
    if (appended && (withStart || !start)) appended();
    start = false;
  };
  // Where the file system can be read from another thread, it is read ahead of the listing.
  std::optional<ReadAhead> ahead;
  if (std::unique_ptr<platform::FileSystem> reader = fileSystem.ForReadingAhead()) {
    try {
      ahead.emplace(std::move(reader), folder);
    } catch (const std::system_error&) {
      // No thread to be had: the walk reads as it goes.
    }
  }
  if (!ahead) return TreeReader(fileSystem).Read(folder, take);
  ReadFolder read;
  while (ahead->Next(read)) take(read);
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
