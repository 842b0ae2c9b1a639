// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/file_system.h"

namespace vornick::platform {

// One line of /proc/self/mountinfo, as far as the rules need it.
struct MountEntry {
  std::uint32_t major = 0;  // of the device, as stat gives it for files on the mount
  std::uint32_t minor = 0;
  std::string mountPoint;    // unescaped
  std::string type;          // "ext4", "fuseblk", "fuse.sshfs"
  std::string source;        // unescaped: "/dev/sdb1", or a word where there is no device
  std::string superOptions;  // the file system's own options, ntfs3's windows_names among them
  bool operator==(const MountEntry&) const = default;
};

// A mountinfo field with the kernel's escapes undone: \040 space, \011 tab, \012 newline, \134
// backslash (any backslash and three octal digits).
std::string UnescapeMountField(std::string_view field);

// The fields of one line of mountinfo; nothing when the line is not one.
std::optional<MountEntry> ParseMountInfoLine(std::string_view line);

// Every line of a mountinfo text that is one.
std::vector<MountEntry> ParseMountInfo(std::string_view text);

// Of the mounts of device major:minor, the one whose mount point holds `path` (a real path) most
// closely; the first of them when none holds it, nullptr when the device is not mounted.
const MountEntry* FindMount(std::span<const MountEntry> mounts, std::uint32_t major,
                            std::uint32_t minor, std::string_view path);

// True when a mount point of `mounts` lies below `folder` (a real path, without a trailing
// separator but for the root): somewhere in its tree, another file system may begin.
bool MountedBelow(std::span<const MountEntry> mounts, std::string_view folder);

// The system statfs's f_type names; nothing for FUSE, whose daemon may serve any.
std::optional<NameRules::System> SystemOfMagic(std::uint32_t magic);

// The rules of `system` where statfs gives `namelen` as the longest name: a sane value below 255
// lowers the limit of a system that counts in bytes.
NameRules RulesWithNameLimit(NameRules::System system, bool windowsNames, long namelen) noexcept;

// The system a file system's name stands for, as FUSE subtypes, udev and daemons spell them
// ("exfat", "ntfs-3g", "vfat"); nothing for another name.
std::optional<NameRules::System> SystemOfName(std::string_view name);

// The system of a FUSE mount by its type: "fuse.X" and "fuseblk.X" by X, kUnknown when X is not
// known; nothing for plain "fuse" and "fuseblk", which do not tell.
std::optional<NameRules::System> SystemOfFuseType(std::string_view type);

// The system udev found on a block device, from its database file ("E:ID_FS_TYPE=exfat").
std::optional<NameRules::System> SystemOfUdevData(std::string_view data);

// The system a volume's first sector names: exFAT, NTFS or FAT.
std::optional<NameRules::System> SystemOfBootSector(std::string_view sector);

// True when the comma-separated `options` hold windows_names.
bool HasWindowsNamesOption(std::string_view options);

// A process's arguments, from its NUL-separated /proc/<pid>/cmdline.
std::vector<std::string> SplitCommandLine(std::string_view cmdline);

// The system a FUSE daemon serves by its program's name (ntfs-3g, lowntfs-3g,
// mount.exfat-fuse); nothing for another program.
std::optional<NameRules::System> SystemOfDaemon(std::span<const std::string> argv);

// True when an argument after the program's name is `path`, trailing separators aside.
bool HasPathArgument(std::span<const std::string> argv, std::string_view path);

// True when the daemon was given windows_names: "-o a,windows_names" or "-owindows_names".
bool HasWindowsNamesArgument(std::span<const std::string> argv);

// Finds out which file system a folder is on, and so the rules its names must keep. For the UI
// thread only: the answers are kept, per mount, unguarded.
class MountRules {
 public:
  // Where the kernel's and udev's files are read; tests point them at folders of their own.
  explicit MountRules(std::string proc = "/proc", std::string udev = "/run/udev/data");

  // The rules of the file system `folder` is on; POSIX's when that cannot be found out. Costs a
  // statx and a statfs once the folder's mount has been looked up.
  NameRules RulesOf(const std::string& folder) noexcept;
  // The rules of `folder`'s whole tree when nothing is mounted below it; costs a look at the
  // mounts and a realpath.
  std::optional<NameRules> TreeRules(const std::string& folder) noexcept;

 private:
  NameRules LookUp(const std::string& folder, std::uint32_t major, std::uint32_t minor,
                   std::uint32_t magic, long namelen) const;
  NameRules LookUpFuse(const MountEntry& mount, long namelen) const;
  std::optional<NameRules::System> SystemOfBlockDevice(const MountEntry& mount) const;
  std::optional<std::vector<std::string>> FindDaemon(const MountEntry& mount) const;

  std::string proc_, udev_;
  // By device and mount: a device mounted anew, another stick in the same slot, is looked at anew.
  std::map<std::pair<std::uint64_t, std::uint64_t>, NameRules> known_;
};

}  // namespace vornick::platform
