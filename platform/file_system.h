// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace vornick::platform {

// Attribute bits of a path, as the walk and the folder test read them.
inline constexpr std::uint32_t kAttrReadOnly = 1;
inline constexpr std::uint32_t kAttrHidden = 2;  // the name begins with "."
inline constexpr std::uint32_t kAttrSystem = 4;  // neither a regular file nor a folder
inline constexpr std::uint32_t kAttrDirectory = 16;
inline constexpr std::uint32_t kAttrArchive = 32;
inline constexpr std::uint32_t kAttrLink =
    1024;  // a symbolic link; the other bits are its target's

// A file system call that failed, with the path and the system's error number.
class FileSystemError : public std::runtime_error {
 public:
  FileSystemError(std::string path, std::error_code error)
      : std::runtime_error(path + ": " + error.message()), path_(std::move(path)), error_(error) {}
  const std::string& Path() const noexcept { return path_; }
  std::error_code Error() const noexcept { return error_; }

 private:
  std::string path_;
  std::error_code error_;
};

// Where a file really is, so that two paths can be told to name the same one.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  // When the file was made, in nanoseconds since 1970; 0 where the file system does not say. A
  // file removed and another made in its place may get its inode number, never its birth time.
  std::int64_t born = 0;
  auto operator<=>(const FileIdentity&) const = default;
};

// The same file, where one of the two birth times may be unknown (looked up on another system).
inline bool SameFile(const FileIdentity& a, const FileIdentity& b) noexcept {
  return a.device == b.device && a.inode == b.inode &&
         (a.born == 0 || b.born == 0 || a.born == b.born);
}

struct FolderEntry {
  std::string name;              // the exact bytes, never "." or ".."
  std::uint32_t attributes = 0;  // links resolved for their type
};

// What a folder's file system asks of names beyond what every POSIX one does: the rules of the
// disks music is copied to (memory cards, sticks, Windows disks and shares).
struct NameRules {
  enum class System : std::uint8_t {
    kPosix,    // ext4, XFS, Btrfs, tmpfs and the like
    kFat,      // vfat, msdos
    kExfat,    // the kernel's or FUSE's
    kNtfs,     // ntfs3 or ntfs-3g
    kSmb,      // cifs, smb3: a Windows server's rules are assumed
    kUnknown,  // nfs or an unknown FUSE file system: the server's rules are not known
  };
  enum class CaseFold : std::uint8_t {
    kNone,     // names that differ in case are two names
    kAscii,    // A-Z and a-z are one
    kUnicode,  // every letter's cases are one
  };
  enum class Unit : std::uint8_t { kBytes, kUtf16 };

  System system = System::kPosix;
  bool windowsCharacters = false;   // " * : < > ? \ | and U+0000-U+001F are refused
  bool reservedNames = false;       // CON, PRN, AUX, NUL, COM1-9, LPT1-9 are refused
  bool trailingDotOrSpace = false;  // a dot or space at the end is dropped or refused
  bool utf8Only = false;            // bytes that are not UTF-8 are refused
  CaseFold caseFold = CaseFold::kNone;
  Unit unit = Unit::kBytes;
  std::uint32_t maxLength = 255;  // in `unit`s
  bool operator==(const NameRules&) const = default;
};

// The rules of each kind of file system. `windowsNames` is ntfs-3g's and ntfs3's option of that
// name: NTFS refuses Windows' forbidden names only with it, but Windows folds case on NTFS always.
inline NameRules RulesFor(NameRules::System system, bool windowsNames = false) noexcept {
  using System = NameRules::System;
  NameRules rules;
  rules.system = system;
  const bool windows = system == System::kFat || system == System::kExfat ||
                       system == System::kSmb || (system == System::kNtfs && windowsNames);
  rules.windowsCharacters = rules.reservedNames = rules.trailingDotOrSpace = windows;
  switch (system) {
    case System::kPosix:
    case System::kUnknown:
      break;
    case System::kFat:
      rules.utf8Only = true;
      rules.caseFold = NameRules::CaseFold::kAscii;
      break;
    case System::kExfat:
    case System::kNtfs:
    case System::kSmb:
      rules.utf8Only = true;
      rules.caseFold = NameRules::CaseFold::kUnicode;
      rules.unit = NameRules::Unit::kUtf16;
      break;
  }
  return rules;
}

// A folder's entries as one reading gives them, every name in one block: a folder costs two
// allocations however many names it holds, and its names lie together for whoever goes through
// them next.
class FolderListing {
 public:
  std::size_t Size() const noexcept { return entries_.size(); }
  std::string_view Name(std::size_t i) const noexcept { return NameOf(entries_[i]); }
  std::uint32_t Attributes(std::size_t i) const noexcept { return entries_[i].attributes; }

  void Clear() noexcept {
    names_.clear();
    entries_.clear();
  }
  void Reserve(std::size_t entries, std::size_t nameBytes) {
    entries_.reserve(entries);
    names_.reserve(nameBytes);
  }
  void Add(std::string_view name, std::uint32_t attributes) {
    if (names_.size() + name.size() > UINT32_MAX) throw std::length_error("folder listing");
    entries_.push_back({static_cast<std::uint32_t>(names_.size()),
                        static_cast<std::uint32_t>(name.size()), attributes});
    names_.append(name);
  }
  // Puts the entries in the order that `less` gives their names; the names stay where they are.
  // An order that gives each name a key of its first bytes, which orders any two names whose keys
  // differ, is sorted by the keys first: most comparisons then read no name.
  template <class Less>
  void SortByName(Less less) {
    if constexpr (requires(std::string_view name) { less.Prefix(name); }) {
      struct Keyed {
        std::uint64_t key;
        Entry entry;
      };
      // Kept from folder to folder: a walk sorts every folder it reads.
      thread_local std::vector<Keyed> keyed;
      keyed.clear();
      for (const Entry& entry : entries_) keyed.push_back({less.Prefix(NameOf(entry)), entry});
      std::sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
        if (a.key != b.key) return a.key < b.key;
        return less(NameOf(a.entry), NameOf(b.entry));
      });
      for (std::size_t i = 0; i < keyed.size(); ++i) entries_[i] = keyed[i].entry;
      // A huge folder's room is not kept for the small ones after it.
      if (keyed.capacity() > std::size_t{1} << 14) std::vector<Keyed>().swap(keyed);
    } else {
      std::sort(entries_.begin(), entries_.end(),
                [&](const Entry& a, const Entry& b) { return less(NameOf(a), NameOf(b)); });
    }
  }

 private:
  struct Entry {
    std::uint32_t offset;
    std::uint32_t length;
    std::uint32_t attributes;
  };
  std::string_view NameOf(const Entry& entry) const noexcept {
    return std::string_view(names_).substr(entry.offset, entry.length);
  }
  std::string names_;
  std::vector<Entry> entries_;
};

// The file system as the program sees it. Paths are exact bytes; folders end with the separator.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // Attribute bits of `path`, links followed; throws FileSystemError when they cannot be read.
  virtual std::uint32_t GetAttributes(const std::string& path) = 0;

  // True when the date and time of `path` can be read (it exists, links followed).
  virtual bool CanReadTimes(const std::string& path) noexcept = 0;

  // The entries of `folder`, sorted by their bytes with A-Z folded to a-z, ties broken by the exact
  // bytes. Throws FileSystemError when the folder cannot be listed.
  virtual std::vector<FolderEntry> ReadFolder(const std::string& folder) = 0;
  // The same entries, in the same order, into `listing` (emptied first): what a walk keeps of
  // every folder, without an allocation per name.
  virtual void ReadFolderInto(const std::string& folder, FolderListing& listing) {
    std::vector<FolderEntry> entries = ReadFolder(folder);
    listing.Clear();
    for (const FolderEntry& entry : entries) listing.Add(entry.name, entry.attributes);
  }

  // Between BeginWalk and EndWalk a walk reads a tree folder by folder, each folder after the one
  // it is in: the file system may keep each folder open until the walk leaves it, and read the
  // folders in it through it rather than looking up their whole paths again (a link found in
  // their place is then not followed). Everything is let go at EndWalk. Walks may nest.
  virtual void BeginWalk() {}
  virtual void EndWalk() noexcept {}
  // A file system of its own for a walk to read on another thread, ahead of the work on what it
  // reads: it shares nothing with this one. None where that is not to be had; the walk then reads
  // each folder as it comes to it.
  virtual std::unique_ptr<FileSystem> ForReadingAhead() { return nullptr; }

  // Identity of the file or folder at `path`, links followed; throws FileSystemError.
  virtual FileIdentity GetIdentity(const std::string& path) = 0;

  // The rules of the file system `folder` is on; those of POSIX when they cannot be found out.
  // Looked up once per folder, so cheap enough for every folder of a list.
  virtual NameRules RulesOf(const std::string& folder) noexcept {
    (void)folder;
    return {};
  }

  // The rules of every folder that a walk from `folder` reaches (never through a link), when no
  // file system is mounted anywhere below it; none when one may be, or when that cannot be told,
  // and each folder is then asked about alone. A load asks once for its whole tree.
  virtual std::optional<NameRules> TreeRules(const std::string& folder) {
    (void)folder;
    return std::nullopt;
  }

  // Renames `from` to `to` without ever replacing another file: an existing target fails with
  // std::errc::file_exists unless it is `from` itself under another letter case (same device and
  // inode), which is renamed. Returns the failure, or no error.
  virtual std::error_code Rename(const std::string& from, const std::string& to) noexcept = 0;
};

}  // namespace vornick::platform
