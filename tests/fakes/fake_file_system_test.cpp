// The fake's own rules, which the tests of files/ and window/ rely on.
#include "tests/fakes/fake_file_system.h"

#include <gtest/gtest.h>

namespace vornick::fakes {
namespace {

using platform::FileSystemError;
using platform::kAttrArchive;
using platform::kAttrDirectory;
using platform::kAttrHidden;
using platform::kAttrSystem;

TEST(FakeFileSystemTest, ListsSortedWithExactBitsAndResolvedLinks) {
  FakeFileSystem fs;
  fs.AddFile("/a/b.mp3");
  fs.AddFile("/a/B.mp3", kAttrHidden);
  fs.AddFolder("/a/c/");
  fs.AddLink("/a/up", "/a/");
  fs.AddLink("/a/dead", "/nowhere/");
  platform::FileIdentity identity;
  const auto entries = fs.ReadFolder("/a/up/", &identity);
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[0].name, "B.mp3");
  EXPECT_EQ(entries[0].attributes, kAttrHidden);
  EXPECT_EQ(entries[1].name, "b.mp3");
  EXPECT_EQ(entries[1].attributes, kAttrArchive);
  EXPECT_EQ(entries[2].name, "c");
  EXPECT_EQ(entries[3].name, "dead");
  EXPECT_EQ(entries[3].attributes, kAttrSystem | platform::kAttrLink);
  EXPECT_EQ(entries[4].name, "up");
  EXPECT_EQ(entries[4].attributes, kAttrDirectory | platform::kAttrLink);
  EXPECT_EQ(fs.GetAttributes("/a/up"), kAttrDirectory | platform::kAttrLink);
  EXPECT_EQ(identity, fs.GetIdentity("/a"));
  EXPECT_EQ(fs.ReadFolder("/a/up/up/c", nullptr).size(), 0u);
  EXPECT_EQ(fs.ReadFolderCalls(), 2);
  EXPECT_EQ(fs.MaxOpenListings(), 1);
}

TEST(FakeFileSystemTest, FailuresThrowOrReportFalse) {
  FakeFileSystem fs;
  fs.AddFolder("/a/locked/");
  fs.SetUnreadable("/a/locked/");
  fs.AddFile("/a/x.mp3");
  fs.SetAttributesUnreadable("/a/x.mp3");
  EXPECT_THROW(fs.ReadFolder("/a/locked/", nullptr), FileSystemError);
  EXPECT_EQ(fs.GetAttributes("/a/locked/"), kAttrDirectory);
  EXPECT_THROW(fs.GetAttributes("/a/x.mp3"), FileSystemError);
  EXPECT_THROW(fs.GetAttributes("/a/none"), FileSystemError);
  EXPECT_FALSE(fs.CanReadTimes("/a/x.mp3"));
  EXPECT_FALSE(fs.CanReadTimes("/a/none"));
  EXPECT_TRUE(fs.CanReadTimes("/a/locked"));
}

TEST(FakeFileSystemTest, RenameNeverReplaces) {
  FakeFileSystem fs;
  fs.AddFile("/a/x.mp3");
  fs.AddFile("/a/y.mp3");
  EXPECT_EQ(fs.Rename("/a/x.mp3", "/a/y.mp3"), std::errc::file_exists);
  EXPECT_EQ(fs.Rename("/a/none.mp3", "/a/z.mp3"), std::errc::no_such_file_or_directory);
  EXPECT_EQ(fs.Rename("/a/x.mp3", "/b/x.mp3"), std::errc::no_such_file_or_directory);
  EXPECT_EQ(fs.Rename("/a/x.mp3", "/a/X.mp3"), std::error_code());
  EXPECT_EQ(fs.Names("/a/"), (std::vector<std::string>{"X.mp3", "y.mp3"}));
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
