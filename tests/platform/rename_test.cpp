#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/posix/posix_file_system.h"
#include "tests/platform/temp_folder.h"

namespace vornick::platform {
namespace {

TEST(PosixRenameTest, NeverReplacesAnotherFile) {
  TempFolder temp;
  const std::string a = temp.Write("a.mp3", "A");
  const std::string b = temp.Write("b.mp3", "B");
  const std::string hardLink = temp.Path() + "hardlink.mp3";
  std::filesystem::create_directories(temp.Path() + "folder");
  ASSERT_EQ(::link(a.c_str(), hardLink.c_str()), 0);
  PosixFileSystem fs;
  EXPECT_EQ(fs.Rename(a, b), std::errc::file_exists);
  EXPECT_EQ(fs.Rename(a, temp.Path() + "folder"), std::errc::file_exists);
  // Another name of the same file is another entry: renaming onto it would do nothing.
  EXPECT_EQ(fs.Rename(a, hardLink), std::errc::file_exists);
  EXPECT_EQ(fs.Rename(temp.Path() + "none.mp3", b), std::errc::no_such_file_or_directory);
  EXPECT_EQ(fs.Rename(a, temp.Path() + "none/x.mp3"), std::errc::no_such_file_or_directory);
  EXPECT_EQ(ReadWhole(a) + ReadWhole(b) + ReadWhole(hardLink), "ABA");

  EXPECT_EQ(fs.Rename(a, temp.Path() + "A.MP3"), std::error_code());
  EXPECT_EQ(fs.Rename(temp.Path() + "A.MP3", temp.Path() + "Caf\xE9.mp3"), std::error_code());
  EXPECT_EQ(ReadWhole(temp.Path() + "Caf\xE9.mp3"), "A");
  EXPECT_EQ(ReadWhole(a), "(missing)");
}

// A FAT image mounted with fusefat: a file system that ignores case, refuses RENAME_NOREPLACE and
// hard links, and numbers a file anew for every name it is looked up by.
TEST(PosixRenameTest, OnFatChangesOnlyTheCaseAndNeverReplaces) {
  if (::access("/dev/fuse", R_OK | W_OK) != 0) GTEST_SKIP() << "no usable /dev/fuse";
  for (const char* tool : {"mkfs.vfat", "fusefat", "fusermount"}) {
    if (std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) != 0)
      GTEST_SKIP() << tool << " is missing (Debian packages dosfstools, fusefat, fuse)";
  }
  TempFolder temp;
  const std::string image = temp.Path() + "fat.img";
  const std::string mount = temp.Path() + "mnt/";
  std::filesystem::create_directories(mount);
  ASSERT_EQ(std::system(("mkfs.vfat -C " + image + " 2048 >/dev/null 2>&1").c_str()), 0);
  if (std::system(("fusefat -o rw+ " + image + " " + mount + " >/dev/null 2>&1").c_str()) != 0)
    GTEST_SKIP() << "fusefat could not mount an image";
  struct Unmount {
    std::string mount;
    ~Unmount() { std::system(("fusermount -u " + mount + " >/dev/null 2>&1").c_str()); }
  } unmount{mount};

  std::ofstream(mount + "song.mp3") << "S";
  std::ofstream(mount + "other.mp3") << "O";
  PosixFileSystem fs;
  ASSERT_EQ(fs.GetAttributes(mount + "SONG.MP3"), 0u) << "this FAT ignores case";
  EXPECT_EQ(fs.Rename(mount + "song.mp3", mount + "Song.MP3"), std::error_code());
  EXPECT_EQ(fs.Rename(mount + "Song.MP3", mount + "OTHER.mp3"), std::errc::file_exists);
  EXPECT_EQ(fs.Rename(mount + "Song.MP3", mount + "New Name.mp3"), std::error_code());
  std::vector<std::string> names;
  for (const FolderEntry& entry : fs.ReadFolder(mount, nullptr)) names.push_back(entry.name);
  EXPECT_EQ(names, (std::vector<std::string>{"New Name.mp3", "other.mp3"}));
  EXPECT_EQ(ReadWhole(mount + "New Name.mp3") + ReadWhole(mount + "other.mp3"), "SO");
}

}  // namespace
}  // namespace vornick::platform
