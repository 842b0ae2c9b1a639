// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/library_generator.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <random>
#include <system_error>
#include <unordered_set>
#include <vector>

#include "bench/name_corpus.h"

namespace vornick::bench {
namespace {

constexpr std::size_t kChainDepth = 6;
constexpr const char* kChainNames[kChainDepth] = {"CD1",      "extras", "live",
                                                  "bootlegs", "rare",   "demos"};
constexpr const char* kHiddenFolders[] = {".thumbnails", ".AppleDouble", ".cache"};
constexpr const char* kSideFiles[] = {"cover.jpg", "Folder.JPG", "playlist.m3u", "notes.txt"};

struct Folder {
  std::string path;  // ends with '/'
  bool visible = true;
  std::unordered_set<std::string> names;
};

class Writer {
 public:
  Writer(const std::string& root, const LibraryShape& shape)
      : random_(shape.seed), pool_(MusicFileNames(shape.files + shape.folders, shape.seed)) {
    root_ = root.ends_with('/') ? root : root + '/';
  }

  // A new subfolder of `parent` (an index, or none for the root), with a name unique there.
  std::size_t AddFolder(std::optional<std::size_t> parent, std::string name) {
    const std::string base = parent ? folders_[*parent].path : root_;
    const bool visible = (!parent || folders_[*parent].visible) && !name.starts_with('.');
    name = Unique(parent ? &folders_[*parent].names : &rootNames_, std::move(name));
    folders_.push_back({base + name + '/', visible, {}});
    MakeFolder(folders_.back().path);
    ++counts_.folders;
    return folders_.size() - 1;
  }

  void AddFile(std::size_t folder, std::string name) {
    Folder& where = folders_[folder];
    name = Unique(&where.names, std::move(name));
    const std::string path = where.path + name;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) throw std::system_error(errno, std::system_category(), path);
    ::close(fd);
    ++counts_.files;
    if (where.visible && !name.starts_with('.') && IsMp3(name)) ++counts_.visibleMp3;
  }

  // A name from the corpus, without its extension when it is to name a folder.
  std::string NextName(bool forFolder) {
    std::string name = pool_[next_++ % pool_.size()];
    if (forFolder) name.erase(name.rfind('.'));
    return name;
  }

  std::size_t Pick(std::size_t count) {
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_);
  }
  unsigned Percent() { return static_cast<unsigned>(Pick(100)); }
  const LibraryCounts& Counts() const noexcept { return counts_; }

 private:
  static bool IsMp3(const std::string& name) {
    if (name.size() < 4) return false;
    std::string tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return tail == ".mp3";
  }

  static std::string Unique(std::unordered_set<std::string>* taken, std::string name) {
    if (taken->insert(name).second) return name;
    const std::size_t dot = name.rfind('.');
    const std::size_t at = dot == std::string::npos || dot == 0 ? name.size() : dot;
    for (int copy = 2;; ++copy) {
      std::string candidate = name;
      candidate.insert(at, " (" + std::to_string(copy) + ")");
      if (taken->insert(candidate).second) return candidate;
    }
  }

  static void MakeFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0755) != 0)
      throw std::system_error(errno, std::system_category(), path);
  }

  std::string root_;
  std::mt19937 random_;
  std::vector<std::string> pool_;
  std::size_t next_ = 0;
  std::vector<Folder> folders_;
  std::unordered_set<std::string> rootNames_;
  LibraryCounts counts_;
};

}  // namespace

LibraryCounts WriteLibrary(const std::string& root, const LibraryShape& shape) {
  Writer writer(root, shape);
  // About one folder in eleven is an artist, a few are hidden, a few percent form deep chains,
  // the rest are albums.
  const std::size_t artists = std::max<std::size_t>(1, shape.folders / 11);
  const std::size_t hidden = shape.folders / 100;
  const std::size_t chains = shape.folders / 100;
  const std::size_t albums = shape.folders > artists + hidden + chains * kChainDepth
                                 ? shape.folders - artists - hidden - chains * kChainDepth
                                 : 1;

  std::vector<std::size_t> artistFolders;
  for (std::size_t i = 0; i < artists; ++i)
    artistFolders.push_back(writer.AddFolder(std::nullopt, writer.NextName(true)));
  std::vector<std::size_t> albumFolders;
  for (std::size_t i = 0; i < albums; ++i)
    albumFolders.push_back(
        writer.AddFolder(artistFolders[i % artistFolders.size()], writer.NextName(true)));
  std::vector<std::size_t> otherFolders;  // hidden folders and chain levels
  for (std::size_t i = 0; i < hidden; ++i)
    otherFolders.push_back(writer.AddFolder(albumFolders[writer.Pick(albumFolders.size())],
                                            kHiddenFolders[i % std::size(kHiddenFolders)]));
  for (std::size_t i = 0; i < chains; ++i) {
    std::size_t level = albumFolders[writer.Pick(albumFolders.size())];
    for (const char* name : kChainNames)
      otherFolders.push_back(level = writer.AddFolder(level, name));
  }

  for (std::size_t i = 0; i < shape.files; ++i) {
    const unsigned where = writer.Percent();
    std::size_t folder = albumFolders[writer.Pick(albumFolders.size())];
    if (where < 2) {
      folder = artistFolders[writer.Pick(artistFolders.size())];
    } else if (where < 8 && !otherFolders.empty()) {
      folder = otherFolders[writer.Pick(otherFolders.size())];
    }
    const unsigned kind = writer.Percent();
    if (kind < 3) {
      writer.AddFile(folder, kSideFiles[writer.Pick(std::size(kSideFiles))]);
    } else if (kind < 5) {
      writer.AddFile(folder, "._" + writer.NextName(false));  // hidden companions
    } else {
      writer.AddFile(folder, writer.NextName(false));
    }
  }
  return writer.Counts();
}

}  // namespace vornick::bench
