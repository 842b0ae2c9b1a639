// The fake's rename rules, which the tests of window/ rely on.
#include "tests/fakes/fake_file_system.h"

#include <gtest/gtest.h>

namespace vornick::fakes {
namespace {

TEST(FakeFileSystemTest, RenameNeverReplaces) {
  FakeFileSystem fs;
  fs.AddFile("/a/x.mp3");
  fs.AddFile("/a/y.mp3");
  EXPECT_EQ(fs.Rename("/a/x.mp3", "/a/y.mp3"), std::errc::file_exists);
  EXPECT_EQ(fs.Rename("/a/none.mp3", "/a/z.mp3"), std::errc::no_such_file_or_directory);
  EXPECT_EQ(fs.Rename("/a/x.mp3", "/b/x.mp3"), std::errc::no_such_file_or_directory);
  EXPECT_EQ(fs.Rename("/a/x.mp3", "/a/X.mp3"), std::error_code());
  fs.SetCaseInsensitive(true);
  EXPECT_EQ(fs.Rename("/a/X.mp3", "/a/Y.MP3"), std::errc::file_exists);
  EXPECT_EQ(fs.Rename("/a/X.mp3", "/a/x.MP3"), std::error_code());
  EXPECT_EQ(fs.Names("/a/"), (std::vector<std::string>{"x.MP3", "y.mp3"}));
  fs.FailRename("/a/y.mp3", std::make_error_code(std::errc::permission_denied));
  EXPECT_EQ(fs.Rename("/a/y.mp3", "/a/z.mp3"), std::errc::permission_denied);
  ASSERT_EQ(fs.Renames().size(), 2u);
  EXPECT_EQ(fs.Renames()[1], (std::pair<std::string, std::string>{"/a/X.mp3", "/a/x.MP3"}));
}

}  // namespace
}  // namespace vornick::fakes
