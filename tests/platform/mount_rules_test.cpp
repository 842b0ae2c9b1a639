// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/mount_rules.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/platform/fuse_image.h"
#include "tests/platform/temp_folder.h"

namespace vornick::platform {
namespace {

using namespace std::literals;
using System = NameRules::System;
using Args = std::vector<std::string>;

constexpr auto kPosix = System::kPosix;
constexpr auto kFat = System::kFat;
constexpr auto kExfat = System::kExfat;
constexpr auto kNtfs = System::kNtfs;
constexpr auto kSmb = System::kSmb;
constexpr auto kUnknown = System::kUnknown;

// The rules by the name of their system, so that a failure reads.
std::string Shown(const NameRules& rules) {
  static constexpr std::pair<System, const char*> kNames[] = {
      {kPosix, "POSIX"}, {kFat, "FAT"}, {kExfat, "exFAT"},
      {kNtfs, "NTFS"},   {kSmb, "SMB"}, {kUnknown, "unknown"}};
  for (const auto& [system, name] : kNames) {
    if (rules == RulesFor(system)) return name;
    if (rules == RulesFor(system, true)) return name + " windows_names"s;
  }
  return "other rules, at most " + std::to_string(rules.maxLength);
}

TEST(MountInfoTest, UndoesTheKernelsEscapes) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"", ""},
      {"/media/plain", "/media/plain"},
      {R"(/media/My\040Music)", "/media/My Music"},
      {R"(a\011b\012c\134d)", "a\tb\nc\\d"},
      {R"(\0401)", " 1"},        // three digits and no more
      {R"(/x\040)", "/x "},      // at the very end
      {R"(/x\04)", R"(/x\04)"},  // cut short
      {R"(\08x)", R"(\08x)"},    // 8 is no octal digit
      {R"(\400)", R"(\400)"},    // beyond a byte
      {R"(\377)", "\xFF"},       // the last byte
      {R"(\\134)", R"(\\)"},     // a backslash before an escape stays
  };
  for (const auto& [field, expected] : cases)
    EXPECT_EQ(UnescapeMountField(field), expected) << field;
}

TEST(MountInfoTest, ParsesLinesAndRefusesWhatIsNoLine) {
  const std::pair<std::string_view, std::optional<MountEntry>> cases[] = {
      {"36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 - ext3 /dev/root rw,errors=continue",
       MountEntry{98, 0, "/mnt2", "ext3", "/dev/root", "rw,errors=continue"}},
      // No optional fields; the line's end; escapes in the mount point and the source.
      {R"(46 26 7:2 / /tmp/m\0401 rw,nosuid - fuseblk /dev/disk/by-label/My\040Stick rw,a=0)"
       "\n",
       MountEntry{7, 2, "/tmp/m 1", "fuseblk", "/dev/disk/by-label/My Stick", "rw,a=0"}},
      {"50 26 259:65537 / /media/a rw shared:1 master:2 - ntfs3 /dev/sdb1 rw,windows_names",
       MountEntry{259, 65537, "/media/a", "ntfs3", "/dev/sdb1", "rw,windows_names"}},
      // A folder named "-" is no separator.
      {"51 26 0:50 / /mnt/- rw - tmpfs tmpfs rw",
       MountEntry{0, 50, "/mnt/-", "tmpfs", "tmpfs", "rw"}},
      {"", std::nullopt},
      {"36 35 98:0 /mnt1 /mnt2 rw master:1 ext3 /dev/root rw", std::nullopt},  // no separator
      {"36 35 98:0 /mnt1 /mnt2 rw - ext3 /dev/root", std::nullopt},  // the options missing
      {"36 35 98 /mnt1 /mnt2 rw - ext3 /dev/root rw", std::nullopt},
      {"36 35 98: /mnt1 /mnt2 rw - ext3 /dev/root rw", std::nullopt},
      {"36 35 :0 /mnt1 /mnt2 rw - ext3 /dev/root rw", std::nullopt},
      {"36 35 98:0x /mnt1 /mnt2 rw - ext3 /dev/root rw", std::nullopt},
      {"36 35 -1:0 /mnt1 /mnt2 rw - ext3 /dev/root rw", std::nullopt},
  };
  for (const auto& [line, expected] : cases) EXPECT_EQ(ParseMountInfoLine(line), expected) << line;

  const std::vector<MountEntry> all = ParseMountInfo(
      "26 1 254:0 / / rw - ext4 /dev/vda rw\nbroken\n"
      "24 23 0:22 / /dev/shm rw - tmpfs tmpfs rw,size=4k");
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].mountPoint, "/");
  EXPECT_EQ(all[1].superOptions, "rw,size=4k");
}

TEST(MountInfoTest, FindsTheMountOfTheDeviceThatHoldsThePathMostClosely) {
  const std::vector<MountEntry> mounts = {
      {8, 1, "/", "ext4", "/dev/sda1", "rw"},
      {7, 2, "/mnt/a", "fuseblk", "/dev/loop2", "rw"},
      {7, 2, "/mnt/a/b", "fuseblk", "/dev/loop2", "rw"},
      {7, 3, "/mnt/a/b/c", "fuseblk", "/dev/loop3", "rw"},
      {7, 2, "/srv/x", "fuseblk", "/dev/loop2", "rw"},
      {2, 7, "/mnt/swapped", "ext4", "/dev/y", "rw"},
  };
  const struct {
    std::uint32_t major, minor;
    std::string_view path;
    const char* expected;  // the mount point, or null for none
  } cases[] = {
      {7, 2, "/mnt/a/b/c/d", "/mnt/a/b"},  // /mnt/a/b/c is another device's
      {7, 2, "/mnt/a/bc", "/mnt/a"},       // not a folder of /mnt/a/b
      {7, 2, "/mnt/a", "/mnt/a"},
      {7, 2, "/srv/x/y", "/srv/x"},
      {7, 2, "/elsewhere", "/mnt/a"},  // bound in from outside what this process sees: the first
      {8, 1, "/mnt/a/b", "/"},
      {7, 3, "/mnt/a/b/c", "/mnt/a/b/c"},
      {2, 7, "/mnt/swapped", "/mnt/swapped"},
      {9, 9, "/", nullptr},
      {7, 9, "/mnt/a", nullptr},
  };
  for (const auto& test : cases) {
    const MountEntry* found = FindMount(mounts, test.major, test.minor, test.path);
    EXPECT_EQ(found != nullptr ? found->mountPoint : "none",
              test.expected != nullptr ? test.expected : "none")
        << test.major << ":" << test.minor << " " << test.path;
  }
}

TEST(MountInfoTest, TellsWhetherAMountPointLiesBelowAFolder) {
  const std::vector<MountEntry> mounts = {
      {8, 1, "/", "ext4", "/dev/sda1", "rw"},
      {7, 2, "/mnt/a", "vfat", "/dev/sdb1", "rw"},
      {7, 3, "/mnt/ab/c", "exfat", "/dev/sdc1", "rw"},
      {7, 4, "/mnt/a b/c", "vfat", "/dev/sdd1", "rw"},
  };
  const std::pair<std::string_view, bool> cases[] = {
      {"/mnt", true},    {"/mnt/", true},      {"/mnt/a", false},   {"/mnt/a/", false},
      {"/mnt/ab", true}, {"/mnt/ab/c", false}, {"/mnt/a b", true},  {"/mn", false},
      {"/", true},       {"/home/u", false},   {"/mnt/a/b", false},
  };
  for (const auto& [folder, below] : cases)
    EXPECT_EQ(MountedBelow(mounts, folder), below) << folder;
}

TEST(StatfsTest, TellsTheSystemByItsMagicNumber) {
  const std::pair<std::uint32_t, std::optional<System>> cases[] = {
      {0xEF53, kPosix},            // ext2, ext3, ext4
      {0x58465342, kPosix},        // XFS
      {0x9123683E, kPosix},        // Btrfs
      {0x01021994, kPosix},        // tmpfs
      {0x794C7630, kPosix},        // overlayfs
      {0x4d44, kFat},              // vfat, msdos
      {0x2011BAB0, kExfat},        //
      {0x7366746e, kNtfs},         // ntfs3
      {0x5346544e, kNtfs},         // the old driver
      {0xFF534D42, kSmb},          // cifs
      {0xFE534D42, kSmb},          // smb3
      {0x517B, kSmb},              // smbfs
      {0x6969, kUnknown},          // NFS
      {0x65735546, std::nullopt},  // FUSE: the mount tells
      {0x4d45, kPosix},
      {0, kPosix},
  };
  for (const auto& [magic, expected] : cases)
    EXPECT_EQ(SystemOfMagic(magic), expected) << std::hex << magic;
}

TEST(StatfsTest, KeepsALowerLimitOfTheNameLengthWhereItCountsBytes) {
  const struct {
    System system;
    long namelen;
    std::uint32_t expected;
  } cases[] = {
      {kPosix, -1, 255},  {kPosix, 0, 255},    {kPosix, 1, 1},       {kPosix, 254, 254},
      {kPosix, 255, 255}, {kPosix, 1024, 255}, {kUnknown, 100, 100}, {kFat, 72, 72},  // msdos
      {kFat, 1530, 255},                                                              // vfat
      {kExfat, 100, 255}, {kNtfs, 100, 255},   {kSmb, 100, 255},
  };
  for (const auto& test : cases) {
    NameRules expected = RulesFor(test.system, true);
    expected.maxLength = test.expected;
    EXPECT_EQ(RulesWithNameLimit(test.system, true, test.namelen), expected)
        << static_cast<int>(test.system) << " " << test.namelen;
  }
}

TEST(FuseTest, TellsTheSystemByTheSubtypeOfTheMount) {
  const std::pair<std::string_view, std::optional<System>> cases[] = {
      {"fuse", std::nullopt},         {"fuseblk", std::nullopt}, {"fuse.exfat", kExfat},
      {"fuseblk.exfat-fuse", kExfat}, {"fuse.ntfs", kNtfs},      {"fuseblk.ntfs-3g", kNtfs},
      {"fuseblk.lowntfs-3g", kNtfs},  {"fuse.fusefat", kFat},    {"fuse.ext4", kPosix},
      {"fuse.sshfs", kUnknown},       {"fuse.exfatx", kUnknown}, {"fuse.", kUnknown},
      {"fuseblkntfs", kUnknown},      {"ext4", kUnknown},  // no FUSE type at all: nothing is known
                                                           // of what serves it
  };
  for (const auto& [type, expected] : cases) EXPECT_EQ(SystemOfFuseType(type), expected) << type;
}

TEST(FuseTest, TellsTheSystemByUdevsEntryForTheDevice) {
  const std::pair<std::string_view, std::optional<System>> cases[] = {
      {"S:disk/by-uuid/1234\nE:ID_FS_UUID=1234\nE:ID_FS_TYPE=exfat\nE:ID_FS_USAGE=filesystem\n",
       kExfat},
      {"E:ID_FS_TYPE=ntfs", kNtfs},
      {"E:ID_FS_VERSION=FAT32\nE:ID_FS_TYPE=vfat\n", kFat},
      {"E:ID_FS_TYPE_OLD=ntfs\nE:ID_FS_TYPE=ext4\n", kPosix},
      {"E:ID_FS_TYPE=\n", std::nullopt},
      {"E:ID_FS_TYPE=squashfs\n", std::nullopt},
      {"E:ID_FS_USAGE=filesystem\n", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& [data, expected] : cases) EXPECT_EQ(SystemOfUdevData(data), expected) << data;
}

// `size` bytes of zeros with `text` at `offset`.
std::string Sector(std::size_t offset, std::string_view text, std::size_t size = 512) {
  std::string sector(size, '\0');
  sector.replace(offset, text.size(), text);
  sector.resize(size);
  return sector;
}

TEST(FuseTest, TellsTheSystemByTheFirstSectorOfTheVolume) {
  const std::pair<std::string, std::optional<System>> cases[] = {
      {Sector(3, "EXFAT   "), kExfat},
      {Sector(3, "NTFS    "), kNtfs},
      {Sector(82, "FAT32   "), kFat},
      {Sector(54, "FAT16   "), kFat},
      {Sector(54, "FAT12   "), kFat},
      {Sector(3, "EXFAT   ", 11), kExfat},  // just long enough
      {Sector(3, "EXFAT   ", 10), std::nullopt},
      {Sector(82, "FAT32   ", 90), kFat},
      {Sector(82, "FAT32   ", 89), std::nullopt},
      {Sector(3, "EXFAT  X"), std::nullopt},
      {Sector(4, "NTFS    "), std::nullopt},
      {Sector(81, "FAT32   "), std::nullopt},
      {Sector(55, "FAT16   "), std::nullopt},
      {Sector(0, ""), std::nullopt},
      {"", std::nullopt},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(SystemOfBootSector(cases[i].first), cases[i].second) << "case " << i;
}

// The first sectors as the tools that make these file systems write them.
TEST(FuseTest, TellsTheSystemOfImagesTheirToolsMade) {
  const struct {
    const char* tool;
    const char* command;
    int mebibytes;
    System expected;
  } cases[] = {
      {"mkfs.exfat", "mkfs.exfat", 16, kExfat},  {"mkntfs", "mkntfs -F -Q", 16, kNtfs},
      {"mkfs.vfat", "mkfs.vfat", 16, kFat},  // FAT16
      {"mkfs.vfat", "mkfs.vfat -F 12", 4, kFat}, {"mkfs.vfat", "mkfs.vfat -F 32", 64, kFat},
  };
  TempFolder temp;
  int made = 0;
  for (const auto& test : cases) {
    if (!RunQuietly("command -v "s + test.tool)) continue;
    const std::string image = temp.Path() + std::to_string(made++) + ".img";
    std::ofstream(image).close();
    std::filesystem::resize_file(image, static_cast<std::uintmax_t>(test.mebibytes) << 20);
    ASSERT_TRUE(RunQuietly(test.command + " "s + ShellQuoted(image))) << test.command;
    std::ifstream in(image, std::ios::binary);
    std::string sector(512, '\0');
    in.read(sector.data(), 512);
    EXPECT_EQ(SystemOfBootSector(sector), test.expected) << test.command;
  }
  if (made == 0) GTEST_SKIP() << "none of mkfs.exfat, mkntfs, mkfs.vfat is here";
}

TEST(FuseTest, FindsWindowsNamesAmongOptions) {
  const std::pair<std::string_view, bool> cases[] = {
      {"windows_names", true},
      {"rw,windows_names", true},
      {"windows_names,rw", true},
      {"a,windows_names,b", true},
      {"", false},
      {"rw", false},
      {"nowindows_names", false},
      {"windows_names2", false},
      {"windows_name", false},
      {"rw,windows_names=1", false},
  };
  for (const auto& [options, expected] : cases)
    EXPECT_EQ(HasWindowsNamesOption(options), expected) << options;
}

TEST(FuseTest, TellsTheSystemByTheDaemonsProgram) {
  const std::pair<Args, std::optional<System>> cases[] = {
      {{"ntfs-3g", "/dev/sdb1", "/media/a"}, kNtfs},
      {{"/usr/bin/lowntfs-3g"}, kNtfs},
      {{"/sbin/mount.ntfs-3g"}, kNtfs},
      {{"mount.exfat-fuse"}, kExfat},
      {{"/usr/sbin/mount.exfat-fuse", "/dev/loop2", "/mnt"}, kExfat},
      {{"/opt/ntfs/bin/sshfs", "host:", "/mnt"}, std::nullopt},  // the program's name only counts
      {{"grep", "ntfs"}, std::nullopt},
      {{}, std::nullopt},
  };
  for (const auto& [argv, expected] : cases)
    EXPECT_EQ(SystemOfDaemon(argv), expected) << (argv.empty() ? "" : argv[0]);
}

TEST(FuseTest, FindsThePathsTheDaemonServes) {
  const Args argv = {"ntfs-3g", "-o", "windows_names", "/dev/loop3", "/mnt/my music/"};
  const std::pair<std::string_view, bool> cases[] = {
      {"/mnt/my music", true},
      {"/mnt/my music/", true},
      {"/mnt/my music//", true},
      {"/dev/loop3", true},
      {"/mnt/my", false},
      {"/mnt/my music/x", false},
      {"ntfs-3g", false},
      {"", false},
      {"/", false},
  };
  for (const auto& [path, expected] : cases)
    EXPECT_EQ(HasPathArgument(argv, path), expected) << path;
  EXPECT_TRUE(HasPathArgument(Args{"mount.exfat-fuse", "/dev/loop2", "/"}, "/"));
}

TEST(FuseTest, FindsWindowsNamesAmongTheDaemonsArguments) {
  const std::pair<Args, bool> cases[] = {
      {{"ntfs-3g", "-o", "windows_names", "/dev/sdb1", "/m"}, true},
      {{"ntfs-3g", "-o", "rw,windows_names,uid=0", "/dev/sdb1", "/m"}, true},
      {{"ntfs-3g", "-owindows_names", "/dev/sdb1", "/m"}, true},
      {{"lowntfs-3g", "-orw,windows_names"}, true},
      {{"mount.ntfs-3g", "/dev/sdb1", "/m", "-o", "rw", "-o", "windows_names"}, true},
      {{"ntfs-3g", "-o", "rw", "/dev/sdb1", "/m"}, false},
      {{"ntfs-3g", "-o"}, false},
      {{"ntfs-3g", "-o", "windows_names_x"}, false},
      {{"ntfs-3g", "/dev/sdb1", "windows_names"}, false},  // not an option: a path
      {{"ntfs-3g", "-o", "-owindows"}, false},
      {{"windows_names"}, false},
  };
  for (const auto& [argv, expected] : cases)
    EXPECT_EQ(HasWindowsNamesArgument(argv), expected) << ::testing::PrintToString(argv);
}

TEST(MountRulesTest, GivesPosixRulesForAPosixFolderAndForOneNotThere) {
  TempFolder temp;
  MountRules mounts;
  for (const std::string& folder :
       {temp.Path(), temp.Path() + "missing/", std::string(), "/proc/self/"s}) {
    EXPECT_EQ(Shown(mounts.RulesOf(folder)), "POSIX") << folder;
  }
}

TEST(MountRulesTest, GivesATreesRulesOnlyWhenNothingIsMountedBelowIt) {
  TempFolder temp;
  MountRules mounts;
  EXPECT_EQ(mounts.TreeRules(temp.Path()), mounts.RulesOf(temp.Path()));
  EXPECT_EQ(mounts.TreeRules("/"), std::nullopt);  // /proc at least
  EXPECT_EQ(mounts.TreeRules(temp.Path() + "missing/"), std::nullopt);
  EXPECT_EQ(MountRules(temp.Path() + "no-proc").TreeRules(temp.Path()), std::nullopt);
}

TEST(MountRulesTest, TellsTmpfsExfatAndNtfsOnLoopDevicesAndNtfsOptionsOnEachMount) {
  const std::string why = WhyNoLoopMounts({"mkfs.exfat", "mount.exfat-fuse", "mkntfs", "ntfs-3g",
                                           "lowntfs-3g", "losetup", "fusermount"});
  if (!why.empty()) GTEST_SKIP() << why;
  TempFolder temp;
  MountRules mounts;

  const std::string memory = temp.Path() + "memory/";
  std::filesystem::create_directories(memory);
  ASSERT_TRUE(RunQuietly("mount -t tmpfs -o size=1m tmpfs " + ShellQuoted(memory)));
  struct Unmount {
    std::string folder;
    ~Unmount() { RunQuietly("umount " + ShellQuoted(folder)); }
  } unmount{memory};
  EXPECT_EQ(Shown(mounts.RulesOf(memory)), "POSIX");

  LoopImage exfat(temp.Path() + "exfat.img");
  ASSERT_TRUE(exfat.Format(16, "mkfs.exfat"));
  if (!exfat.Attach()) GTEST_SKIP() << "no loop device could be had";
  const std::string stick = temp.Path() + "my stick/";  // escaped in mountinfo
  if (!exfat.Mount("mount.exfat-fuse", stick)) GTEST_SKIP() << "exfat-fuse could not mount";
  std::filesystem::create_directories(stick + "album/");
  EXPECT_EQ(Shown(mounts.RulesOf(stick)), "exFAT");
  EXPECT_EQ(Shown(mounts.RulesOf(stick + "album/")), "exFAT");
  EXPECT_EQ(Shown(mounts.RulesOf(temp.Path())), "POSIX");
  // A tree with the stick mounted in it has no rules of its own; the stick's tree has.
  EXPECT_EQ(mounts.TreeRules(temp.Path()), std::nullopt);
  EXPECT_EQ(Shown(mounts.TreeRules(stick).value_or(NameRules())), "exFAT");

  LoopImage ntfs(temp.Path() + "ntfs.img");
  ASSERT_TRUE(ntfs.Format(16, "mkntfs -F -Q"));
  ASSERT_TRUE(ntfs.Attach());
  const std::string disk = temp.Path() + "disk/";
  // The same device mounted anew, with other options, is looked at anew.
  const std::pair<const char*, const char*> cases[] = {
      {"ntfs-3g", "NTFS"},
      {"ntfs-3g -o windows_names", "NTFS windows_names"},
      {"lowntfs-3g -orw,windows_names", "NTFS windows_names"},
      {"ntfs-3g -o rw", "NTFS"},
  };
  for (const auto& [command, expected] : cases) {
    ASSERT_TRUE(ntfs.Mount(command, disk)) << command;
    EXPECT_EQ(Shown(mounts.RulesOf(disk)), expected) << command;
    EXPECT_EQ(Shown(MountRules().RulesOf(disk)), expected) << command;
  }
}

// An exFAT image mounted with exfat-fuse, looked at through a /proc and a udev database of the
// test's own: what each source tells, and which one is believed.
class FuseMountTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string why =
        WhyNoLoopMounts({"mkfs.exfat", "mount.exfat-fuse", "losetup", "fusermount"});
    if (!why.empty()) GTEST_SKIP() << why;
    ASSERT_TRUE(image_.Format(16, "mkfs.exfat"));
    if (!image_.Attach()) GTEST_SKIP() << "no loop device could be had";
    if (!image_.Mount("mount.exfat-fuse", mount_)) GTEST_SKIP() << "exfat-fuse could not mount";
    struct stat status;
    ASSERT_EQ(::stat(mount_.c_str(), &status), 0);
    device_ = std::to_string(major(status.st_dev)) + ":" + std::to_string(minor(status.st_dev));
    std::filesystem::create_directories(proc_ + "self/");
    std::filesystem::create_directories(udev_);
    std::filesystem::create_directories(mount_ + "album/");
  }

  // The mountinfo line of the mount, as if it were of `type` from `source`.
  std::string Line(const std::string& type, const std::string& source) const {
    std::string escaped;
    for (const char c : mount_.substr(0, mount_.size() - 1))
      escaped += c == ' ' ? std::string("\\040") : std::string(1, c);
    return "60 26 " + device_ + " / " + escaped + " rw,relatime - " + type + " " + source +
           " rw,user_id=0\n";
  }
  void WriteMountInfo(const std::string& text) const {
    std::ofstream(proc_ + "self/mountinfo") << "26 1 254:0 / / rw - ext4 /dev/vda rw\n" << text;
  }
  void WriteUdev(const std::string& data) const { std::ofstream(udev_ + "b" + device_) << data; }
  void WriteDaemon(const std::string& pid, std::string_view cmdline) const {
    std::filesystem::create_directories(proc_ + pid);
    std::ofstream(proc_ + pid + "/cmdline") << cmdline;
  }
  std::string Seen() const { return Shown(MountRules(proc_, udev_).RulesOf(mount_ + "album/")); }

  TempFolder temp_;
  const std::string proc_ = temp_.Path() + "proc/", udev_ = temp_.Path() + "udev/";
  const std::string mount_ = temp_.Path() + "my music/";
  LoopImage image_{temp_.Path() + "exfat.img"};
  std::string device_;
};

TEST_F(FuseMountTest, BelievesTheSubtypeThenUdevThenTheVolumeThenTheDaemon) {
  const std::string folder = mount_.substr(0, mount_.size() - 1), loop = image_.Device();
  const std::string ntfsDaemon =
      "/usr/bin/ntfs-3g\0-o\0windows_names\0/dev/gone\0"s + folder + '\0';
  const struct {
    const char* what;
    std::string mountinfo;
    const char* udev;  // null for no entry
    std::string daemon;
    const char* expected;
  } cases[] = {
      {"the subtype", Line("fuseblk.ntfs-3g", "/dev/gone"), "E:ID_FS_TYPE=vfat\n", "", "NTFS"},
      {"an unknown subtype", Line("fuse.sshfs", loop), "E:ID_FS_TYPE=vfat\n", "", "unknown"},
      {"udev before the volume", Line("fuseblk", loop), "E:ID_FS_TYPE=vfat\n", "", "FAT"},
      {"the volume without udev", Line("fuseblk", loop), nullptr, "", "exFAT"},
      {"the volume where udev knows no type", Line("fuseblk", loop), "E:ID_FS_USAGE=other\n", "",
       "exFAT"},
      {"the daemon where the volume cannot be read", Line("fuseblk", "/dev/gone"), nullptr,
       ntfsDaemon, "NTFS windows_names"},
      {"the daemon's windows_names where udev told NTFS", Line("fuseblk", "/dev/gone"),
       "E:ID_FS_TYPE=ntfs\n", "lowntfs-3g\0-owindows_names\0/dev/gone\0"s + folder + '\0',
       "NTFS windows_names"},
      {"the daemon's windows_names where the subtype told NTFS", Line("fuseblk.ntfs", "/dev/gone"),
       nullptr, ntfsDaemon, "NTFS windows_names"},
      {"the daemon by the mount point alone", Line("fuseblk", "/dev/gone"), nullptr,
       "mount.exfat-fuse\0/dev/elsewhere\0"s + mount_ + '\0', "exFAT"},
      {"the daemon by the device alone", Line("fuse", "/dev/gone"), nullptr,
       "ntfs-3g\0/dev/gone\0/mnt/moved\0"s, "NTFS"},
      {"no daemon of this mount", Line("fuseblk", "/dev/gone"), nullptr,
       "ntfs-3g\0-o\0windows_names\0/dev/other\0/mnt/other\0"s, "unknown"},
      {"no daemon at all", Line("fuseblk", "/dev/gone"), nullptr, "cat\0"s + folder + '\0',
       "unknown"},
      {"a mount not listed", "70 26 0:99 / /other rw - fuse.exfat x rw\n", nullptr, ntfsDaemon,
       "unknown"},
  };
  for (const auto& test : cases) {
    WriteMountInfo(test.mountinfo);
    std::filesystem::remove(udev_ + "b" + device_);
    if (test.udev != nullptr) WriteUdev(test.udev);
    std::filesystem::remove_all(proc_ + "4242");
    if (!test.daemon.empty()) WriteDaemon("4242", test.daemon);
    EXPECT_EQ(Seen(), test.expected) << test.what;
  }
}

// A daemon naming the mount point wins over one naming only the device, wherever it is listed.
TEST_F(FuseMountTest, PrefersTheDaemonOfTheMountPointToOneOfTheDevice) {
  WriteMountInfo(Line("fuseblk", "/dev/gone"));
  const std::string byMountPoint = "ntfs-3g\0-owindows_names\0"s + mount_ + '\0';
  const std::string byDevice = "ntfs-3g\0/dev/gone\0/mnt/x\0"s;
  for (const auto& [first, second] :
       {std::pair(byDevice, byMountPoint), std::pair(byMountPoint, byDevice)}) {
    std::filesystem::remove_all(proc_ + "100");
    std::filesystem::remove_all(proc_ + "200");
    WriteDaemon("100", first);
    WriteDaemon("200", second);
    EXPECT_EQ(Seen(), "NTFS windows_names");
  }
}

TEST_F(FuseMountTest, LooksEachMountUpOnceForAllItsFolders) {
  WriteMountInfo(Line("fuse.exfat", "/dev/gone"));
  MountRules mounts(proc_, udev_);
  EXPECT_EQ(Shown(mounts.RulesOf(mount_)), "exFAT");
  WriteMountInfo(Line("fuse.sshfs", "/dev/gone"));
  EXPECT_EQ(Shown(mounts.RulesOf(mount_ + "album/")), "exFAT");
  EXPECT_EQ(Shown(mounts.RulesOf(temp_.Path())), "POSIX");
  EXPECT_EQ(Shown(mounts.RulesOf(mount_)), "exFAT");
  EXPECT_EQ(Seen(), "unknown");
}

}  // namespace
}  // namespace vornick::platform
