#include "platform/posix/posix_file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "files/folder_walk.h"
#include "tests/platform/temp_folder.h"

namespace vornick::platform {
namespace {

using Names = std::vector<std::string>;

Names NamesOf(const std::vector<FolderEntry>& entries) {
  Names names;
  for (const FolderEntry& entry : entries) names.push_back(entry.name);
  return names;
}

const FolderEntry* Find(const std::vector<FolderEntry>& entries, const std::string& name) {
  for (const FolderEntry& entry : entries) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

TEST(PosixFileSystemTest, ListsEntriesFoldedThenByExactBytes) {
  TempFolder temp;
  for (const char* name :
       {"b.mp3", "B.mp3", "a", "_x", "Z", "ab", "\xE9.mp3", "e.mp3", ".hidden", "..x"})
    temp.Write(name);
  PosixFileSystem fs;
  EXPECT_EQ(NamesOf(fs.ReadFolder(temp.Path(), nullptr)),
            (Names{"..x", ".hidden", "_x", "a", "ab", "B.mp3", "b.mp3", "e.mp3", "Z", "\xE9.mp3"}));
}

TEST(PosixFileSystemTest, MapsTypesToAttributeBits) {
  TempFolder temp;
  const std::string root = temp.Path();
  temp.Write("song.mp3");
  temp.Write(".hidden.mp3");
  temp.Write("caf\xE9.mp3", "latin-1");
  std::filesystem::create_directories(root + "folder/inner");
  std::filesystem::create_directories(root + ".cache");
  ASSERT_EQ(::mkfifo((root + "pipe.mp3").c_str(), 0600), 0);
  std::filesystem::create_symlink(root + "song.mp3", root + "to-file.mp3");
  std::filesystem::create_directory_symlink(root + "folder", root + "to-folder");
  std::filesystem::create_directory_symlink(root + "folder", root + ".to-folder");
  std::filesystem::create_symlink(root + "missing", root + "dangling.mp3");
  std::filesystem::create_symlink(root + "loop", root + "loop");

  PosixFileSystem fs;
  const std::vector<FolderEntry> entries = fs.ReadFolder(root, nullptr);
  const std::pair<const char*, std::uint32_t> kExpected[] = {
      {"song.mp3", 0},
      {".hidden.mp3", kAttrHidden},
      {"caf\xE9.mp3", 0},
      {"folder", kAttrDirectory},
      {".cache", kAttrDirectory | kAttrHidden},
      {"pipe.mp3", kAttrSystem},
      {"to-file.mp3", kAttrLink},
      {"to-folder", kAttrDirectory | kAttrLink},
      {".to-folder", kAttrDirectory | kAttrHidden | kAttrLink},
      {"dangling.mp3", kAttrSystem | kAttrLink},
      {"loop", kAttrSystem | kAttrLink},
  };
  EXPECT_EQ(entries.size(), std::size(kExpected));
  for (const auto& [name, bits] : kExpected) {
    const FolderEntry* entry = Find(entries, name);
    ASSERT_NE(entry, nullptr) << name;
    EXPECT_EQ(entry->attributes, bits) << name;
    EXPECT_EQ(fs.GetAttributes(root + name), bits) << name;
  }
  FileIdentity throughLink;
  fs.ReadFolder(root + "to-folder/", &throughLink);
  EXPECT_EQ(throughLink, fs.GetIdentity(root + "folder/"));
  EXPECT_NE(throughLink, fs.GetIdentity(root));
  EXPECT_EQ(fs.GetAttributes(root + "folder/"), kAttrDirectory);
  EXPECT_EQ(fs.GetAttributes(root + ".cache/"), kAttrDirectory | kAttrHidden);
  EXPECT_EQ(fs.GetAttributes(root + "."), kAttrDirectory);
}

TEST(PosixFileSystemTest, ReportsWhatCannotBeRead) {
  TempFolder temp;
  const std::string file = temp.Write("song.mp3");
  std::filesystem::create_symlink(temp.Path() + "missing", temp.Path() + "dangling");
  PosixFileSystem fs;
  EXPECT_TRUE(fs.CanReadTimes(file));
  EXPECT_TRUE(fs.CanReadTimes(temp.Path()));
  EXPECT_FALSE(fs.CanReadTimes(temp.Path() + "dangling"));
  EXPECT_FALSE(fs.CanReadTimes(temp.Path() + "missing"));
  EXPECT_FALSE(fs.CanReadTimes(""));
  try {
    fs.ReadFolder(temp.Path() + "missing/", nullptr);
    ADD_FAILURE();
  } catch (const FileSystemError& error) {
    EXPECT_EQ(error.Error(), std::errc::no_such_file_or_directory);
    EXPECT_EQ(error.Path(), temp.Path() + "missing/");
  }
  EXPECT_THROW(fs.ReadFolder(file, nullptr), FileSystemError);
  EXPECT_THROW(fs.GetAttributes(temp.Path() + "missing"), FileSystemError);
  EXPECT_THROW(fs.GetAttributes(file + "/"), FileSystemError);
  EXPECT_THROW(fs.GetIdentity(temp.Path() + "dangling"), FileSystemError);
}

TEST(PosixFileSystemTest, ListsAFolderLargerThanOneRead) {
  TempFolder temp;
  for (int i = 0; i < 3000; ++i) temp.Write("track number " + std::to_string(i) + ".mp3");
  PosixFileSystem fs;
  const auto names = files::ListFiles(fs, temp.Path() + "*.MP3");
  ASSERT_TRUE(names.has_value());
  EXPECT_EQ(names->size(), 3000u);
  EXPECT_EQ(names->front(), "track number 0.mp3");
}

TEST(PosixFileSystemTest, WalkFollowsLinksButNeverLoops) {
  TempFolder temp;
  const std::string root = temp.Path();
  std::filesystem::create_directories(root + "a/b");
  std::filesystem::create_directories(root + "outside/x");
  std::filesystem::create_directory_symlink(root, root + "a/up");
  std::filesystem::create_directory_symlink(root + "a/b", root + "c");
  std::filesystem::create_directories(root + "lib");
  std::filesystem::create_directory_symlink(root + "outside", root + "lib/out");
  temp.Write("lib/Song.MP3");
  temp.Write("lib/.hidden.mp3");
  ASSERT_EQ(::mkfifo((root + "lib/pipe.mp3").c_str(), 0600), 0);

  PosixFileSystem fs;
  files::PendingPaths pending;
  int events = 0;
  files::AddSubFolders(fs, pending, root, [&] { ++events; });
  Names walked;
  for (; !pending.Empty(); pending.RemoveFront()) walked.push_back(pending.Front());
  // "outside" itself is the folder already walked as lib/out, and "c" is a/b.
  EXPECT_EQ(walked, (Names{root + "a/", root + "a/b/", root + "lib/", root + "lib/out/",
                           root + "lib/out/x/"}));
  EXPECT_EQ(events, 6);  // the start and the folders appended
  EXPECT_EQ(files::ListFiles(fs, root + "lib/*.mp3"), Names{"Song.MP3"});
}

}  // namespace
}  // namespace vornick::platform
