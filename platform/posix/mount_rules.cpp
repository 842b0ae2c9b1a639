// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/mount_rules.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__linux__)
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#endif

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <memory>

#include "platform/posix/descriptor.h"

namespace vornick::platform {

using System = NameRules::System;

namespace {

// Fields are separated by single spaces; the kernel escapes any inside a field.
std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  while (!line.empty()) {
    const std::size_t space = line.find(' ');
    fields.push_back(line.substr(0, space));
    if (space == std::string_view::npos) break;
    line.remove_prefix(space + 1);
  }
  return fields;
}

bool ParseNumber(std::string_view text, std::uint32_t& value) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return !text.empty() && error == std::errc() && stop == end;
}

// `mountPoint` is `path` or a folder it lies in.
bool Holds(std::string_view mountPoint, std::string_view path) {
  if (mountPoint == "/") return path.starts_with('/');
  return path.starts_with(mountPoint) &&
         (path.size() == mountPoint.size() || path[mountPoint.size()] == '/');
}

std::string_view WithoutTrailingSeparators(std::string_view path) {
  while (path.size() > 1 && path.ends_with('/')) path.remove_suffix(1);
  return path;
}

}  // namespace

std::string UnescapeMountField(std::string_view field) {
  std::string result;
  result.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    const auto octal = [&](std::size_t at) {
      return at < field.size() && field[at] >= '0' && field[at] <= '7';
    };
    if (field[i] == '\\' && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
      const int value = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
      if (value <= 0xFF) {
        result.push_back(static_cast<char>(value));
        i += 3;
        continue;
      }
    }
    result.push_back(field[i]);
  }
  return result;
}

std::optional<MountEntry> ParseMountInfoLine(std::string_view line) {
  if (line.ends_with('\n')) line.remove_suffix(1);
  // id parent major:minor root mount-point options [optional fields...] - type source super-options
  const std::vector<std::string_view> fields = SplitFields(line);
  std::size_t dash = 6;
  while (dash < fields.size() && fields[dash] != "-") ++dash;
  if (fields.size() < dash + 4) return std::nullopt;
  const std::string_view device = fields[2];
  const std::size_t colon = device.find(':');
  MountEntry entry;
  if (colon == std::string_view::npos || !ParseNumber(device.substr(0, colon), entry.major) ||
      !ParseNumber(device.substr(colon + 1), entry.minor)) {
    return std::nullopt;
  }
  entry.mountPoint = UnescapeMountField(fields[4]);
  entry.type = UnescapeMountField(fields[dash + 1]);
  entry.source = UnescapeMountField(fields[dash + 2]);
  entry.superOptions = UnescapeMountField(fields[dash + 3]);
  return entry;
}

std::vector<MountEntry> ParseMountInfo(std::string_view text) {
  std::vector<MountEntry> entries;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (auto entry = ParseMountInfoLine(text.substr(0, end))) entries.push_back(std::move(*entry));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return entries;
}

const MountEntry* FindMount(std::span<const MountEntry> mounts, std::uint32_t major,
                            std::uint32_t minor, std::string_view path) {
  const MountEntry* first = nullptr;
  const MountEntry* closest = nullptr;
  for (const MountEntry& mount : mounts) {
    if (mount.major != major || mount.minor != minor) continue;
    if (first == nullptr) first = &mount;
    // The same device may be mounted at several places, one inside another (bind mounts).
    if (Holds(mount.mountPoint, path) &&
        (closest == nullptr || mount.mountPoint.size() > closest->mountPoint.size())) {
      closest = &mount;
    }
  }
  return closest != nullptr ? closest : first;
}

bool MountedBelow(std::span<const MountEntry> mounts, std::string_view folder) {
  folder = WithoutTrailingSeparators(folder);
  return std::any_of(mounts.begin(), mounts.end(), [folder](const MountEntry& mount) {
    const std::string_view point = WithoutTrailingSeparators(mount.mountPoint);
    return point != folder && Holds(folder, point);
  });
}

std::optional<System> SystemOfMagic(std::uint32_t magic) {
  switch (magic) {
    case 0x4d44:  // vfat, msdos
      return System::kFat;
    case 0x2011BAB0:
      return System::kExfat;
    case 0x7366746e:  // ntfs3
    case 0x5346544e:  // the old ntfs driver
      return System::kNtfs;
    case 0xFF534D42:  // cifs
    case 0xFE534D42:  // smb3
    case 0x517B:      // smbfs
      return System::kSmb;
    case 0x6969:  // nfs
      return System::kUnknown;
    case 0x65735546:
      return std::nullopt;
    default:
      // ext2-4, XFS, Btrfs, tmpfs, F2FS, ZFS, overlayfs: POSIX names, whatever else they differ in.
      return System::kPosix;
  }
}

NameRules RulesWithNameLimit(System system, bool windowsNames, long namelen) noexcept {
  NameRules rules = RulesFor(system, windowsNames);
  // Only where both count bytes: a system counting in UTF-16 gives f_namelen in bytes of an
  // encoding of its own.
  if (rules.unit == NameRules::Unit::kBytes && namelen > 0 && namelen < rules.maxLength)
    rules.maxLength = static_cast<std::uint32_t>(namelen);
  return rules;
}

std::optional<System> SystemOfName(std::string_view name) {
  if (name == "exfat" || name == "exfat-fuse") return System::kExfat;
  if (name == "ntfs" || name == "ntfs3" || name == "ntfs-3g" || name == "lowntfs-3g")
    return System::kNtfs;
  if (name == "vfat" || name == "msdos" || name == "fat" || name == "fusefat") return System::kFat;
  if (name == "ext2" || name == "ext3" || name == "ext4" || name == "xfs" || name == "btrfs")
    return System::kPosix;
  return std::nullopt;
}

std::optional<System> SystemOfFuseType(std::string_view type) {
  if (type == "fuse" || type == "fuseblk") return std::nullopt;
  for (const std::string_view prefix : {"fuse.", "fuseblk."}) {
    if (type.starts_with(prefix))
      return SystemOfName(type.substr(prefix.size())).value_or(System::kUnknown);
  }
  return System::kUnknown;
}

std::optional<System> SystemOfUdevData(std::string_view data) {
  constexpr std::string_view kKey = "E:ID_FS_TYPE=";
  while (!data.empty()) {
    const std::size_t end = data.find('\n');
    const std::string_view line = data.substr(0, end);
    if (line.starts_with(kKey)) return SystemOfName(line.substr(kKey.size()));
    if (end == std::string_view::npos) break;
    data.remove_prefix(end + 1);
  }
  return std::nullopt;
}

std::optional<System> SystemOfBootSector(std::string_view sector) {
  // The OEM name at 3 for exFAT and NTFS; FAT's file system type, where FAT32 and FAT12/16 put it.
  const std::string_view oem = sector.size() >= 11 ? sector.substr(3, 8) : std::string_view();
  if (oem == "EXFAT   ") return System::kExfat;
  if (oem == "NTFS    ") return System::kNtfs;
  if (sector.size() >= 90 && sector.substr(82, 8) == "FAT32   ") return System::kFat;
  if (sector.size() >= 58 && sector.substr(54, 4) == "FAT1") return System::kFat;
  return std::nullopt;
}

bool HasWindowsNamesOption(std::string_view options) {
  for (;;) {
    const std::size_t comma = options.find(',');
    if (options.substr(0, comma) == "windows_names") return true;
    if (comma == std::string_view::npos) return false;
    options.remove_prefix(comma + 1);
  }
}

std::vector<std::string> SplitCommandLine(std::string_view cmdline) {
  // Every argument ends with a NUL, the last one too.
  if (cmdline.ends_with('\0')) cmdline.remove_suffix(1);
  std::vector<std::string> argv;
  if (cmdline.empty()) return argv;
  for (;;) {
    const std::size_t nul = cmdline.find('\0');
    argv.emplace_back(cmdline.substr(0, nul));
    if (nul == std::string_view::npos) return argv;
    cmdline.remove_prefix(nul + 1);
  }
}

std::optional<System> SystemOfDaemon(std::span<const std::string> argv) {
  if (argv.empty()) return std::nullopt;
  std::string_view program = argv[0];
  if (const std::size_t slash = program.rfind('/'); slash != std::string_view::npos)
    program.remove_prefix(slash + 1);
  if (program.find("ntfs") != std::string_view::npos) return System::kNtfs;
  if (program.find("exfat") != std::string_view::npos) return System::kExfat;
  return std::nullopt;
}

bool HasPathArgument(std::span<const std::string> argv, std::string_view path) {
  path = WithoutTrailingSeparators(path);
  if (path.empty()) return false;
  for (std::size_t i = 1; i < argv.size(); ++i)
    if (WithoutTrailingSeparators(argv[i]) == path) return true;
  return false;
}

bool HasWindowsNamesArgument(std::span<const std::string> argv) {
  for (std::size_t i = 1; i < argv.size(); ++i) {
    const std::string_view argument = argv[i];
    if (argument == "-o") {
      if (i + 1 < argv.size() && HasWindowsNamesOption(argv[++i])) return true;
    } else if (argument.starts_with("-o") && HasWindowsNamesOption(argument.substr(2))) {
      return true;
    }
  }
  return false;
}

MountRules::MountRules(std::string proc, std::string udev)
    : proc_(std::move(proc)), udev_(std::move(udev)) {}

#if defined(__linux__)

namespace {

// STATX_MNT_ID_UNIQUE (Linux 6.8): a mount's number that is never given to another mount.
constexpr unsigned kUniqueMountId = 0x4000U;

// The first `limit` bytes of a file; nothing when it cannot be read. Files of /proc say nothing of
// their size, so it is read until its end.
std::optional<std::string> ReadFile(const std::string& path, std::size_t limit) {
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
  if (file.Get() < 0) return std::nullopt;
  std::string content;
  char buffer[8192];
  while (content.size() < limit) {
    const ssize_t got = ::read(file.Get(), buffer, std::min(sizeof buffer, limit - content.size()));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    content.append(buffer, static_cast<std::size_t>(got));
  }
  return content;
}

// The first sector of the volume at `path`, a block device or an image file.
std::optional<std::string> ReadBootSector(const std::string& path) {
  if (!path.starts_with('/')) return std::nullopt;
  // Not blocking: a FIFO named as the source must not hang the window.
  const Descriptor device(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  struct stat status;
  if (device.Get() < 0 || ::fstat(device.Get(), &status) != 0 ||
      !(S_ISBLK(status.st_mode) || S_ISREG(status.st_mode))) {
    return std::nullopt;
  }
  std::string sector(512, '\0');
  const ssize_t got = ::pread(device.Get(), sector.data(), sector.size(), 0);
  if (got <= 0) return std::nullopt;
  sector.resize(static_cast<std::size_t>(got));
  return sector;
}

std::string RealPath(const std::string& folder) {
  const std::unique_ptr<char, decltype(&std::free)> real(::realpath(folder.c_str(), nullptr),
                                                         &std::free);
  return real ? std::string(real.get()) : folder;
}

}  // namespace

NameRules MountRules::RulesOf(const std::string& folder) noexcept {
  try {
    struct statfs system;
    if (::statfs(folder.c_str(), &system) != 0) return {};
    // Asked for every folder of a list: the kind alone tells the rules of most, with no look at
    // the mount.
    const auto magic = static_cast<std::uint32_t>(system.f_type);
    if (const std::optional<System> known = SystemOfMagic(magic);
        known.has_value() && *known != System::kNtfs) {
      return RulesWithNameLimit(*known, false, system.f_namelen);
    }
    struct statx status;
    if (::statx(AT_FDCWD, folder.c_str(), AT_STATX_SYNC_AS_STAT,
                STATX_INO | STATX_MNT_ID | kUniqueMountId, &status) != 0) {
      return {};
    }
    const std::uint64_t mountId =
        (status.stx_mask & (STATX_MNT_ID | kUniqueMountId)) != 0 ? status.stx_mnt_id : 0;
    const std::pair<std::uint64_t, std::uint64_t> key(
        makedev(status.stx_dev_major, status.stx_dev_minor), mountId);
    if (const auto known = known_.find(key); known != known_.end()) return known->second;
    // The magic numbers are 32 bits; f_type is signed where long is, and 32 bits wide on some.
    const NameRules rules =
        LookUp(folder, status.stx_dev_major, status.stx_dev_minor, magic, system.f_namelen);
    known_.emplace(key, rules);
    return rules;
  } catch (...) {
    return {};
  }
}

std::optional<NameRules> MountRules::TreeRules(const std::string& folder) noexcept {
  try {
    const std::unique_ptr<char, decltype(&std::free)> real(::realpath(folder.c_str(), nullptr),
                                                           &std::free);
    if (!real) return std::nullopt;
    const std::optional<std::string> text = ReadFile(proc_ + "/self/mountinfo", 64 << 20);
    if (!text.has_value()) return std::nullopt;
    const std::vector<MountEntry> mounts = ParseMountInfo(*text);
    // A list of no mounts at all was not read right: every system has its root mounted.
    if (mounts.empty() || MountedBelow(mounts, real.get())) return std::nullopt;
    return RulesOf(folder);
  } catch (...) {
    return std::nullopt;
  }
}

NameRules MountRules::LookUp(const std::string& folder, std::uint32_t major, std::uint32_t minor,
                             std::uint32_t magic, long namelen) const {
  const std::optional<System> system = SystemOfMagic(magic);
  if (system.has_value() && *system != System::kNtfs)
    return RulesWithNameLimit(*system, false, namelen);
  // ntfs3's options and FUSE's daemon are told by the mount.
  const std::vector<MountEntry> mounts =
      ParseMountInfo(ReadFile(proc_ + "/self/mountinfo", 64 << 20).value_or(""));
  const MountEntry* mount = FindMount(mounts, major, minor, RealPath(folder));
  if (system.has_value())
    return RulesWithNameLimit(
        *system, mount != nullptr && HasWindowsNamesOption(mount->superOptions), namelen);
  if (mount == nullptr) return RulesWithNameLimit(System::kUnknown, false, namelen);
  return LookUpFuse(*mount, namelen);
}

NameRules MountRules::LookUpFuse(const MountEntry& mount, long namelen) const {
  std::optional<System> system = SystemOfFuseType(mount.type);
  if (!system.has_value()) system = SystemOfBlockDevice(mount);
  // ntfs-3g shows windows_names only on its command line.
  std::optional<std::vector<std::string>> daemon;
  if (!system.has_value() || *system == System::kNtfs) daemon = FindDaemon(mount);
  if (!system.has_value() && daemon.has_value()) system = SystemOfDaemon(*daemon);
  const bool windowsNames = system == System::kNtfs && daemon && HasWindowsNamesArgument(*daemon);
  return RulesWithNameLimit(system.value_or(System::kUnknown), windowsNames, namelen);
}

std::optional<System> MountRules::SystemOfBlockDevice(const MountEntry& mount) const {
  // fuseblk mounts have the device's own number; other mounts may name a device as their source.
  std::optional<dev_t> device;
  struct stat status;
  if (mount.type == "fuseblk") {
    device = makedev(mount.major, mount.minor);
  } else if (mount.source.starts_with('/') && ::stat(mount.source.c_str(), &status) == 0 &&
             S_ISBLK(status.st_mode)) {
    device = status.st_rdev;
  }
  if (device.has_value()) {
    const std::string data = ReadFile(udev_ + "/b" + std::to_string(::major(*device)) + ":" +
                                          std::to_string(::minor(*device)),
                                      1 << 20)
                                 .value_or("");
    if (const auto system = SystemOfUdevData(data)) return system;
  }
  // Without udev (containers, some live systems), the volume tells, where it may be read.
  if (const auto sector = ReadBootSector(mount.source)) return SystemOfBootSector(*sector);
  return std::nullopt;
}

std::optional<std::vector<std::string>> MountRules::FindDaemon(const MountEntry& mount) const {
  struct Closer {
    void operator()(DIR* folder) const noexcept { ::closedir(folder); }
  };
  const std::unique_ptr<DIR, Closer> processes(::opendir(proc_.c_str()));
  if (!processes) return std::nullopt;
  // Naming the mount point is surer than naming the device: a tool such as ntfsfix may be at work
  // on the device meanwhile.
  std::optional<std::vector<std::string>> byDevice;
  while (const dirent* entry = ::readdir(processes.get())) {
    const std::string_view name = entry->d_name;
    if (name.empty() || name.find_first_not_of("0123456789") != std::string_view::npos) continue;
    const auto cmdline = ReadFile(proc_ + "/" + entry->d_name + "/cmdline", 1 << 16);
    if (!cmdline.has_value()) continue;  // gone meanwhile
    std::vector<std::string> argv = SplitCommandLine(*cmdline);
    if (!SystemOfDaemon(argv).has_value()) continue;
    if (HasPathArgument(argv, mount.mountPoint)) return argv;
    if (!byDevice.has_value() && mount.source.starts_with('/') &&
        HasPathArgument(argv, mount.source)) {
      byDevice = std::move(argv);
    }
  }
  return byDevice;
}

#else

NameRules MountRules::RulesOf(const std::string& folder) noexcept {
  (void)folder;
  return {};
}

#endif

}  // namespace vornick::platform
