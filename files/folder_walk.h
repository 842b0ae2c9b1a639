// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "files/name_pattern.h"
#include "platform/file_system.h"

namespace vornick::files {

// The work list of folders still to be listed, each ending with the separator: appended at the
// end, taken from the front, empty between commands. A folder may carry the entries the walk read
// from it, so that listing it needs no second reading.
class PendingPaths {
 public:
  void Append(std::string_view folder, std::optional<platform::FolderListing> entries = {}) {
    // Into the room of a path removed before, when there is one: a load appends every folder.
    std::string path = std::exchange(sparePath_, {});
    path.assign(folder);
    paths_.push_back({std::move(path), std::move(entries)});
  }
  std::size_t Count() const noexcept { return paths_.size(); }
  bool Empty() const noexcept { return paths_.empty(); }
  const std::string& Front() const { return paths_.front().path; }
  // The entries read from the first folder by the walk, if it kept them.
  const std::optional<platform::FolderListing>& FrontEntries() const {
    return paths_.front().entries;
  }
  // The first folder's entries are kept for the walk to read the next folder into.
  void RemoveFront() {
    if (paths_.front().entries) spare_ = std::move(*paths_.front().entries);
    sparePath_ = std::move(paths_.front().path);
    paths_.pop_front();
  }
  void Clear() noexcept {
    paths_.clear();
    spare_ = {};
    sparePath_ = {};
  }
  // A listing to read into, with the room of one read before when there is one.
  platform::FolderListing TakeSpare() noexcept { return std::exchange(spare_, {}); }

 private:
  struct Folder {
    std::string path;
    std::optional<platform::FolderListing> entries;
  };
  std::deque<Folder> paths_;
  platform::FolderListing spare_;
  std::string sparePath_;
};

// A folder or link that a gathering operation passed over, and why.
struct PassedOver {
  enum class Why { kNotRead, kLinkNotFollowed };
  std::string path;  // exact bytes
  Why why = Why::kNotRead;
  std::error_code error;  // the system's reason when a folder could not be read
};

// Appends every folder below `folder` (which ends with the separator) to `pending`, in pre-order,
// calling `doEvents` once for every folder visited. Hidden and system folders are neither appended
// nor walked. A link to a folder is never entered, so the walk stays inside `folder` (which may
// itself be a link); such links and the folders that cannot be read are passed over, and appended
// to `passedOver` when it is given.
void AddSubFolders(platform::FileSystem& fileSystem, PendingPaths& pending,
                   const std::string& folder, const std::function<void()>& doEvents,
                   std::vector<PassedOver>* passedOver = nullptr);

// Appends `folder` (which ends with the separator) and every folder below it to `pending`, as
// AddSubFolders does, each with all the entries read from it, so that each folder is read once.
// `appended`, when given, is called after each folder is appended: it may take folders off the
// front of `pending` (so that the tree's listings are not all held at once), or throw to end the
// walk. Where the file system offers one for another thread (ForReadingAhead), the folders are read
// on a thread of their own, ahead of the appending: `pending`, `doEvents`, `passedOver` and
// `appended` still see each folder in the same order, on the calling thread, once it is read.
void AddFolderTree(platform::FileSystem& fileSystem, PendingPaths& pending,
                   const std::string& folder, const std::function<void()>& doEvents,
                   std::vector<PassedOver>* passedOver = nullptr,
                   const std::function<void()>& appended = {});

// True when an entry with `name` and `attributes` is an ordinary visible file whose name matches
// `filePattern`.
bool IsMatchingFile(std::string_view name, std::uint32_t attributes,
                    const NamePattern& filePattern);

// The names (no folder part) of the ordinary visible files matching `pattern`: a folder ending
// with the separator, then a file pattern with * and ? ("*.*" is every file), ASCII letters
// matched without regard to case. No list when nothing matches or anything fails.
std::optional<std::vector<std::string>> ListFiles(platform::FileSystem& fileSystem,
                                                  const std::string& pattern);

}  // namespace vornick::files
