#include "platform/posix/posix_file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "files/folder_walk.h"
#include "tests/platform/temp_folder.h"

namespace vornick::platform {
namespace {

using Names = std::vector<std::string>;

TEST(PosixFileSystemTest, MapsTypesToAttributeBits) {
  TempFolder temp;
  const std::string root = temp.Path();
  for (const char* name :
       {"song.mp3", ".hidden.mp3", "caf\xE9.mp3", "B.mp3", "b.mp3", "Z", "_x", "..x", "\xE9"})
    temp.Write(name);
  std::filesystem::create_directories(root + "folder");
  std::filesystem::create_directories(root + ".cache");
  ASSERT_EQ(::mkfifo((root + "pipe.mp3").c_str(), 0600), 0);
  std::filesystem::create_symlink(root + "song.mp3", root + "to-file.mp3");
  std::filesystem::create_directory_symlink(root + "folder", root + ".to-folder");
  std::filesystem::create_symlink(root + "missing", root + "dangling.mp3");
  std::filesystem::create_symlink(root + "loop", root + "loop");
  // Folded case first, then the exact bytes; bits other than these are 0.
  const Names kOrder = {"..x",          ".cache",      ".hidden.mp3", ".to-folder",
                        "_x",           "B.mp3",       "b.mp3",       "caf\xE9.mp3",
                        "dangling.mp3", "folder",      "loop",        "pipe.mp3",
                        "song.mp3",     "to-file.mp3", "Z",           "\xE9"};
  const std::map<std::string, std::uint32_t> kBits = {
      {"..x", kAttrHidden},
      {".cache", kAttrDirectory | kAttrHidden},
      {".hidden.mp3", kAttrHidden},
      {".to-folder", kAttrDirectory | kAttrHidden | kAttrLink},
      {"dangling.mp3", kAttrSystem | kAttrLink},
      {"folder", kAttrDirectory},
      {"loop", kAttrSystem | kAttrLink},
      {"pipe.mp3", kAttrSystem},
      {"to-file.mp3", kAttrLink},
  };

  PosixFileSystem fs;
  Names names;
  for (const FolderEntry& entry : fs.ReadFolder(root, nullptr)) {
    names.push_back(entry.name);
    const std::uint32_t bits = kBits.contains(entry.name) ? kBits.at(entry.name) : 0;
    EXPECT_EQ(entry.attributes, bits) << entry.name;
    EXPECT_EQ(fs.GetAttributes(root + entry.name), bits) << entry.name;
  }
  EXPECT_EQ(names, kOrder);
  EXPECT_EQ(fs.GetAttributes(root + ".cache/"), kAttrDirectory | kAttrHidden);
  FileIdentity throughLink;
  fs.ReadFolder(root + ".to-folder/", &throughLink);
  EXPECT_EQ(throughLink, fs.GetIdentity(root + "folder"));
  EXPECT_NE(throughLink, fs.GetIdentity(root));

  EXPECT_TRUE(fs.CanReadTimes(root + "song.mp3"));
  EXPECT_FALSE(fs.CanReadTimes(root + "dangling.mp3"));
  EXPECT_THROW(fs.GetAttributes(root + "missing"), FileSystemError);
  EXPECT_THROW(fs.GetAttributes(root + "song.mp3/"), FileSystemError);
  try {
    fs.ReadFolder(root + "song.mp3", nullptr);
    ADD_FAILURE();
  } catch (const FileSystemError& error) {
    EXPECT_EQ(error.Error(), std::errc::not_a_directory);
    EXPECT_EQ(error.Path(), root + "song.mp3");
  }
}

TEST(PosixFileSystemTest, ListsAFolderLargerThanOneRead) {
  TempFolder temp;
  for (int i = 0; i < 3000; ++i) temp.Write("track number " + std::to_string(i) + ".mp3");
  PosixFileSystem fs;
  EXPECT_EQ(files::ListFiles(fs, temp.Path() + "*.MP3").value_or(Names{}).size(), 3000u);
}

TEST(PosixFileSystemTest, WalkFollowsLinksButNeverLoops) {
  TempFolder temp;
  const std::string root = temp.Path();
  std::filesystem::create_directories(root + "a/b");
  std::filesystem::create_directories(root + "lib");
  std::filesystem::create_directories(root + "outside/x");
  std::filesystem::create_directory_symlink(root, root + "a/up");
  std::filesystem::create_directory_symlink(root + "a/b", root + "c");
  std::filesystem::create_directory_symlink(root + "outside", root + "lib/out");
  temp.Write("lib/Song.MP3");
  temp.Write("lib/.hidden.mp3");
  ASSERT_EQ(::mkfifo((root + "lib/pipe.mp3").c_str(), 0600), 0);

  PosixFileSystem fs;
  files::PendingPaths pending;
  files::AddSubFolders(fs, pending, root, {});
  Names walked;
  for (; !pending.Empty(); pending.RemoveFront()) walked.push_back(pending.Front());
  // "c" is a/b, and "outside" the folder already walked as lib/out.
  EXPECT_EQ(walked, (Names{root + "a/", root + "a/b/", root + "lib/", root + "lib/out/",
                           root + "lib/out/x/"}));
  EXPECT_EQ(files::ListFiles(fs, root + "lib/*.mp3"), Names{"Song.MP3"});
}

}  // namespace
}  // namespace vornick::platform
