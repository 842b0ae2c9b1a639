#include "files/path_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/fakes/fake_file_system.h"

namespace vornick::files {
namespace {

struct SplitCase {
  std::string path;
  std::string fileName;
  std::string folder;
};

// Written with '\'; the same table runs again with '/' in place of '\'.
const SplitCase kSplitCases[] = {
    {R"(C:\Music\song.mp3)", "song.mp3", R"(C:\Music\)"},
    {"song.mp3", "song.mp3", ""},
    {R"(C:\Music\)", "", R"(C:\Music\)"},
    {"", "", ""},
    {"C:/Music/song.mp3", "C:/Music/song.mp3", ""},
    {R"(\\server\share\a.mp3)", "a.mp3", R"(\\server\share\)"},
    {R"(C:\Music\\a.mp3)", "a.mp3", R"(C:\Music\\)"},
    {"\\ caf\xC3\xA9 \xE9\\x", "x", "\\ caf\xC3\xA9 \xE9\\"},
};

TEST(PathHelpersTest, SplitsAtTheLastSeparator) {
  for (const SplitCase& c : kSplitCases) {
    EXPECT_EQ(GetFileName(c.path, '\\'), c.fileName) << c.path;
    EXPECT_EQ(GetFolder(c.path, '\\'), c.folder) << c.path;
    if (c.path.find('/') != std::string::npos) continue;  // '/' is an ordinary character there
    const auto slashes = [](std::string text) {
      std::replace(text.begin(), text.end(), '\\', '/');
      return text;
    };
    EXPECT_EQ(GetFileName(slashes(c.path)), slashes(c.fileName)) << c.path;
    EXPECT_EQ(GetFolder(slashes(c.path)), slashes(c.folder)) << c.path;
  }
}

TEST(PathHelpersTest, IsFolderFailsRatherThanAnswerFalse) {
  fakes::FakeFileSystem fs;
  fs.AddFolder("/music/hidden/", platform::kAttrDirectory | platform::kAttrHidden);
  fs.AddFile("/music/song.mp3", platform::kAttrReadOnly);
  fs.AddFolder("/music/secret/");
  fs.SetAttributesUnreadable("/music/secret/");
  EXPECT_TRUE(IsFolder(fs, "/music"));
  EXPECT_TRUE(IsFolder(fs, "/music/hidden/"));
  EXPECT_FALSE(IsFolder(fs, "/music/song.mp3"));
  for (const char* path : {"/music/none", "/music/secret", ""})
    EXPECT_THROW(IsFolder(fs, path), platform::FileSystemError) << path;
  EXPECT_TRUE(FileExists(fs, "/music/song.mp3"));
  EXPECT_TRUE(FileExists(fs, "/music/"));
  for (const char* path : {"/music/none", "/music/secret", "/music/song.mp3/x", ""})
    EXPECT_FALSE(FileExists(fs, path)) << path;
}

}  // namespace
}  // namespace vornick::files
