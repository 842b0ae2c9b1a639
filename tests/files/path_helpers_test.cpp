#include "files/path_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/fakes/fake_file_system.h"

namespace vornick::files {
namespace {

using platform::kAttrDirectory;
using platform::kAttrHidden;
using platform::kAttrReadOnly;

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

std::string WithSlashes(std::string text) {
  std::replace(text.begin(), text.end(), '\\', '/');
  return text;
}

TEST(PathHelpersTest, SplitsAtTheLastBackslash) {
  for (const SplitCase& c : kSplitCases) {
    EXPECT_EQ(GetFileName(c.path, '\\'), c.fileName) << c.path;
    EXPECT_EQ(GetFolder(c.path, '\\'), c.folder) << c.path;
    EXPECT_EQ(GetFolder(c.path, '\\') + GetFileName(c.path, '\\'), c.path);
  }
}

TEST(PathHelpersTest, SplitsAtTheLastSlashByDefault) {
  EXPECT_EQ(kSeparator, '/');
  EXPECT_EQ(GetFileName("/music/a\\b.mp3"), "a\\b.mp3");
  for (const SplitCase& c : kSplitCases) {
    if (c.path.find('/') != std::string::npos) continue;  // '/' is an ordinary character there
    const std::string path = WithSlashes(c.path);
    EXPECT_EQ(GetFileName(path), WithSlashes(c.fileName)) << path;
    EXPECT_EQ(GetFolder(path), WithSlashes(c.folder)) << path;
  }
}

TEST(PathHelpersTest, IsFolderReadsTheDirectoryBitOnly) {
  fakes::FakeFileSystem fs;
  fs.AddFolder("/music/");
  fs.AddFolder("/music/hidden/", kAttrDirectory | kAttrHidden);
  fs.AddFolder("/music/locked/", kAttrDirectory | kAttrReadOnly);
  fs.AddFile("/music/song.mp3", kAttrHidden | kAttrReadOnly);
  EXPECT_TRUE(IsFolder(fs, "/music"));
  EXPECT_TRUE(IsFolder(fs, "/music/"));
  EXPECT_TRUE(IsFolder(fs, "/music/hidden"));
  EXPECT_TRUE(IsFolder(fs, "/music/locked/"));
  EXPECT_FALSE(IsFolder(fs, "/music/song.mp3"));
}

TEST(PathHelpersTest, IsFolderFailsRatherThanAnswerFalse) {
  fakes::FakeFileSystem fs;
  fs.AddFolder("/music/secret/");
  fs.SetAttributesUnreadable("/music/secret/");
  EXPECT_THROW(IsFolder(fs, "/music/none"), platform::FileSystemError);
  EXPECT_THROW(IsFolder(fs, "/music/secret"), platform::FileSystemError);
  EXPECT_THROW(IsFolder(fs, ""), platform::FileSystemError);
}

TEST(PathHelpersTest, FileExistsAnswersFalseOnAnyFailure) {
  fakes::FakeFileSystem fs;
  fs.AddFile("/app/HAND-M.CUR");
  fs.AddFile("/app/locked.cur");
  fs.SetAttributesUnreadable("/app/locked.cur");
  EXPECT_TRUE(FileExists(fs, "/app/HAND-M.CUR"));
  EXPECT_TRUE(FileExists(fs, "/app/"));
  EXPECT_FALSE(FileExists(fs, "/app/dragfiles.cur"));
  EXPECT_FALSE(FileExists(fs, "/app/locked.cur"));
  EXPECT_FALSE(FileExists(fs, "/app/HAND-M.CUR/x"));
  EXPECT_FALSE(FileExists(fs, ""));
}

}  // namespace
}  // namespace vornick::files
