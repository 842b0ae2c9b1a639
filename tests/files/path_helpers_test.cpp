// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/path_helpers.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/fakes/fake_file_system.h"

namespace vornick::files {
namespace {

TEST(PathHelpersTest, SplitsAtTheLastSlash) {
  // Each path, then its file name and its folder.
  const std::string cases[][3] = {
      {"/Music/song.mp3", "song.mp3", "/Music/"},
      {"song.mp3", "song.mp3", ""},
      {"/Music/", "", "/Music/"},
      {R"(/C:\Music\a.mp3)", R"(C:\Music\a.mp3)", "/"},  // a backslash is part of a name
      {"/ caf\xC3\xA9 \xE9/x", "x", "/ caf\xC3\xA9 \xE9/"},
  };
  for (const auto& [path, fileName, folder] : cases) {
    EXPECT_EQ(GetFileName(path), fileName) << path;
    EXPECT_EQ(GetFolder(path), folder) << path;
  }
}

TEST(PathHelpersTest, IsFolderFailsWhereFileExistsAnswersFalse) {
  fakes::FakeFileSystem fs;
  fs.AddFolder("/music/hidden/", platform::kAttrDirectory | platform::kAttrHidden);
  fs.AddFile("/music/song.mp3", platform::kAttrReadOnly);
  EXPECT_TRUE(IsFolder(fs, "/music") && IsFolder(fs, "/music/hidden/"));
  EXPECT_FALSE(IsFolder(fs, "/music/song.mp3"));
  EXPECT_TRUE(FileExists(fs, "/music/song.mp3") && FileExists(fs, "/music/"));
  for (const char* path : {"/music/none", "/music/song.mp3/x", ""}) {
    EXPECT_THROW(IsFolder(fs, path), platform::FileSystemError) << path;
    EXPECT_FALSE(FileExists(fs, path)) << path;
  }
}

}  // namespace
}  // namespace vornick::files
