#include "platform/posix/posix_file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/folder_walk.h"
#include "tests/platform/temp_folder.h"

namespace vornick::platform {
namespace {

using Names = std::vector<std::string>;

TEST(PosixFileSystemTest, ListsEntriesFoldedThenByExactBytes) {
  TempFolder temp;
  for (const char* name :
       {"b.mp3", "B.mp3", "a", "_x", "Z", "ab", "\xE9.mp3", "e.mp3", ".hidden", "..x"})
    temp.Write(name);
  PosixFileSystem fs;
  Names names;
  for (const FolderEntry& entry : fs.ReadFolder(temp.Path(), nullptr)) names.push_back(entry.name);
  EXPECT_EQ(names,
            (Names{"..x", ".hidden", "_x", "a", "ab", "B.mp3", "b.mp3", "e.mp3", "Z", "\xE9.mp3"}));
}

TEST(PosixFileSystemTest, MapsTypesToAttributeBits) {
  TempFolder temp;
  const std::string root = temp.Path();
  temp.Write("song.mp3");
  temp.Write(".hidden.mp3");
  temp.Write("caf\xE9.mp3");
  std::filesystem::create_directories(root + "folder");
  std::filesystem::create_directories(root + ".cache");
  ASSERT_EQ(::mkfifo((root + "pipe.mp3").c_str(), 0600), 0);
  std::filesystem::create_symlink(root + "song.mp3", root + "to-file.mp3");
  std::filesystem::create_directory_symlink(root + "folder", root + ".to-folder");
  std::filesystem::create_symlink(root + "missing", root + "dangling.mp3");
  std::filesystem::create_symlink(root + "loop", root + "loop");
  const std::pair<const char*, std::uint32_t> kExpected[] = {
      {".cache", kAttrDirectory | kAttrHidden},
      {".hidden.mp3", kAttrHidden},
      {".to-folder", kAttrDirectory | kAttrHidden | kAttrLink},
      {"caf\xE9.mp3", 0},
      {"dangling.mp3", kAttrSystem | kAttrLink},
      {"folder", kAttrDirectory},
      {"loop", kAttrSystem | kAttrLink},
      {"pipe.mp3", kAttrSystem},
      {"song.mp3", 0},
      {"to-file.mp3", kAttrLink},
  };

  PosixFileSystem fs;
  const std::vector<FolderEntry> entries = fs.ReadFolder(root, nullptr);
  ASSERT_EQ(entries.size(), std::size(kExpected));
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const auto& [name, bits] = kExpected[i];
    EXPECT_EQ(entries[i].name, name);
    EXPECT_EQ(entries[i].attributes, bits) << name;
    EXPECT_EQ(fs.GetAttributes(root + name), bits) << name;
  }
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
