#include <gtest/gtest.h>
#include <sys/stat.h>
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
  std::filesystem::create_directories(temp.Path() + "folder");
  ASSERT_EQ(::link(a.c_str(), (temp.Path() + "hardlink.mp3").c_str()), 0);
  PosixFileSystem fs;
  EXPECT_EQ(fs.Rename(a, b), std::errc::file_exists);
  EXPECT_EQ(fs.Rename(a, temp.Path() + "folder"), std::errc::file_exists);
  // Another name of the same file is still another directory entry.
  EXPECT_EQ(fs.Rename(a, temp.Path() + "hardlink.mp3"), std::errc::file_exists);
  EXPECT_EQ(ReadWhole(a), "A");
  EXPECT_EQ(ReadWhole(b), "B");
  EXPECT_EQ(ReadWhole(temp.Path() + "hardlink.mp3"), "A");
}

TEST(PosixRenameTest, ReportsAMissingSourceOrFolder) {
  TempFolder temp;
  const std::string a = temp.Write("a.mp3", "A");
  PosixFileSystem fs;
  EXPECT_EQ(fs.Rename(temp.Path() + "none.mp3", temp.Path() + "x.mp3"),
            std::errc::no_such_file_or_directory);
  EXPECT_EQ(fs.Rename(temp.Path() + "none.mp3", a), std::errc::no_such_file_or_directory);
  EXPECT_EQ(fs.Rename(a, temp.Path() + "none/x.mp3"), std::errc::no_such_file_or_directory);
  EXPECT_EQ(ReadWhole(a), "A");
}

TEST(PosixRenameTest, RenamesToANewOrCaseChangedName) {
  TempFolder temp;
  const std::string a = temp.Write("song.mp3", "A");
  PosixFileSystem fs;
  EXPECT_EQ(fs.Rename(a, temp.Path() + "Song.MP3"), std::error_code());
  EXPECT_EQ(fs.Rename(temp.Path() + "Song.MP3", temp.Path() + "Caf\xE9.mp3"), std::error_code());
  EXPECT_EQ(fs.Rename(temp.Path() + "Caf\xE9.mp3", temp.Path() + "Caf\xE9.mp3"), std::error_code());
  EXPECT_EQ(ReadWhole(temp.Path() + "Caf\xE9.mp3"), "A");
  EXPECT_EQ(ReadWhole(a), "(missing)");
}

// A FAT image mounted with fusefat: a file system that ignores case, refuses RENAME_NOREPLACE and
// hard links, and numbers a file anew for every name it is looked up by.
class FatRenameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (::access("/dev/fuse", R_OK | W_OK) != 0) GTEST_SKIP() << "no usable /dev/fuse";
    for (const char* tool : {"mkfs.vfat", "fusefat", "fusermount"}) {
      if (std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) != 0)
        GTEST_SKIP() << tool << " is missing (packages dosfstools, fusefat, fuse)";
    }
    const std::string image = temp_.Path() + "fat.img";
    std::filesystem::create_directories(mount_);
    if (std::system(("mkfs.vfat -C " + image + " 2048 >/dev/null 2>&1").c_str()) != 0)
      GTEST_SKIP() << "mkfs.vfat could not make an image";
    if (std::system(("fusefat -o rw+ " + image + " " + mount_ + " >/dev/null 2>&1").c_str()) != 0)
      GTEST_SKIP() << "fusefat could not mount the image";
    mounted_ = true;
  }
  void TearDown() override {
    if (mounted_) std::system(("fusermount -u " + mount_ + " >/dev/null 2>&1").c_str());
  }

  TempFolder temp_;
  const std::string mount_ = temp_.Path() + "mnt/";
  bool mounted_ = false;
};

TEST_F(FatRenameTest, ChangesOnlyTheCaseAndNeverReplaces) {
  const std::string song = mount_ + "song.mp3";
  const std::string other = mount_ + "other.mp3";
  std::ofstream(song) << "S";
  std::ofstream(other) << "O";
  PosixFileSystem fs;
  ASSERT_EQ(fs.GetAttributes(mount_ + "SONG.MP3"), 0u) << "this FAT ignores case";

  EXPECT_EQ(fs.Rename(song, mount_ + "Song.MP3"), std::error_code());
  EXPECT_EQ(fs.Rename(mount_ + "Song.MP3", mount_ + "OTHER.mp3"), std::errc::file_exists);
  EXPECT_EQ(fs.Rename(mount_ + "Song.MP3", mount_ + "New Name.mp3"), std::error_code());
  EXPECT_EQ(fs.Rename(mount_ + "none.mp3", mount_ + "x.mp3"), std::errc::no_such_file_or_directory);

  std::vector<std::string> names;
  for (const FolderEntry& entry : fs.ReadFolder(mount_, nullptr)) names.push_back(entry.name);
  EXPECT_EQ(names, (std::vector<std::string>{"New Name.mp3", "other.mp3"}));
  EXPECT_EQ(ReadWhole(mount_ + "New Name.mp3"), "S");
  EXPECT_EQ(ReadWhole(other), "O");
}

}  // namespace
}  // namespace vornick::platform
