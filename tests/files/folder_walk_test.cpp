#include "files/folder_walk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/fake_file_system.h"

namespace vornick::files {
namespace {

using platform::kAttrArchive;
using platform::kAttrDirectory;
using platform::kAttrHidden;
using platform::kAttrReadOnly;
using platform::kAttrSystem;
using Paths = std::vector<std::string>;

Paths Drain(PendingPaths& pending) {
  Paths paths;
  for (; !pending.Empty(); pending.RemoveFront()) paths.push_back(pending.Front());
  return paths;
}

Paths Walk(fakes::FakeFileSystem& fs, const std::string& folder) {
  PendingPaths pending;
  AddSubFolders(fs, pending, folder, {});
  return Drain(pending);
}

TEST(AddSubFoldersTest, AppendsEveryFolderBelowInPreOrder) {
  fakes::FakeFileSystem fs;
  fs.AddFolder("/A/C/");
  fs.AddFolder("/A/B/D/");
  fs.AddFile("/A/B/x.mp3");
  fs.AddFolder("/A/b2/");
  EXPECT_EQ(Walk(fs, "/A/"), (Paths{"/A/B/", "/A/B/D/", "/A/b2/", "/A/C/"}));
  // Each folder is listed once, a folder's listing before any below it.
  EXPECT_EQ(fs.ReadFolderLog(), (Paths{"/A/", "/A/B/", "/A/B/D/", "/A/b2/", "/A/C/"}));
  EXPECT_EQ(fs.MaxOpenListings(), 1);
  EXPECT_EQ(Walk(fs, "/A/B/D/"), Paths{});
}

TEST(AddSubFoldersTest, SkipsHiddenAndSystemFoldersOnly) {
  fakes::FakeFileSystem fs;
  fs.AddFolder("/m/hidden/", kAttrDirectory | kAttrHidden);
  fs.AddFolder("/m/hidden/inner/");
  fs.AddFolder("/m/system/", kAttrDirectory | kAttrSystem);
  fs.AddFolder("/m/system/inner/");
  fs.AddFolder("/m/readonly/", kAttrDirectory | kAttrReadOnly | kAttrArchive);
  fs.AddFolder("/m/readonly/inner/");
  fs.AddFolder("/m/.x/");
  fs.AddFolder("/m/..x/");
  fs.AddFile("/m/file.mp3");
  EXPECT_EQ(Walk(fs, "/m/"), (Paths{"/m/..x/", "/m/.x/", "/m/readonly/", "/m/readonly/inner/"}));
  EXPECT_EQ(fs.ReadFolderCalls(), 5);
}

TEST(AddSubFoldersTest, RunsEventsOncePerFolderWalked) {
  fakes::FakeFileSystem fs;
  fs.AddFolder("/A/B/D/");
  fs.AddFolder("/A/C/");
  fs.AddLink("/A/C/loop", "/A/");
  std::vector<std::size_t> appendedBefore;
  PendingPaths pending;
  AddSubFolders(fs, pending, "/A/", [&] { appendedBefore.push_back(pending.Count()); });
  // The start, B, D and C; not the way back to A.
  EXPECT_EQ(appendedBefore, (std::vector<std::size_t>{0, 0, 1, 2}));
  EXPECT_EQ(pending.Count(), 3u);
}

TEST(AddSubFoldersTest, NeverEntersAFolderTwice) {
  fakes::FakeFileSystem fs;
  fs.AddFolder("/lib/a/");
  fs.AddLink("/lib/a/up", "/lib/");      // back to the start
  fs.AddLink("/lib/a/self", "/lib/a/");  // to itself
  fs.AddFolder("/elsewhere/x/");
  fs.AddLink("/lib/b1", "/elsewhere/");  // out of the tree: followed, once
  fs.AddLink("/lib/b2", "/elsewhere/");
  fs.AddLink("/lib/dead", "/nowhere/");
  fs.AddFile("/song.mp3");
  fs.AddLink("/lib/song", "/song.mp3");
  EXPECT_EQ(Walk(fs, "/lib/"), (Paths{"/lib/a/", "/lib/b1/", "/lib/b1/x/"}));
}

TEST(AddSubFoldersTest, NeverEntersAFolderTwiceWhicheverWayComesFirst) {
  fakes::FakeFileSystem fs;
  fs.AddFolder("/m/b/inner/");
  fs.AddFolder("/m/c/");
  fs.AddLink("/m/a", "/m/b/");        // the link comes before the folder itself
  fs.AddLink("/m/c/back", "/m/b/");   // and again after both
  fs.AddLink("/m/c/inner", "/m/b/inner/");
  EXPECT_EQ(Walk(fs, "/m/"), (Paths{"/m/a/", "/m/a/inner/", "/m/c/"}));
}

TEST(AddSubFoldersTest, PassesOverWhatCannotBeRead) {
  fakes::FakeFileSystem fs;
  fs.AddFolder("/m/a/locked/inner/");
  fs.AddFolder("/m/a/z/");
  fs.AddFolder("/m/b/");
  fs.SetUnreadable("/m/a/locked/");
  EXPECT_EQ(Walk(fs, "/m/"), (Paths{"/m/a/", "/m/a/locked/", "/m/a/z/", "/m/b/"}));

  fs.SetUnreadable("/m/");
  EXPECT_EQ(Walk(fs, "/m/"), Paths{});
  EXPECT_EQ(Walk(fs, "/missing/"), Paths{});

  fs.SetUnreadable("/m/", false);
  fs.SetAttributesUnreadable("/m/");  // no identity for the start: still walked
  EXPECT_EQ(Walk(fs, "/m/").size(), 4u);
}

TEST(AddSubFoldersTest, HasNoSixteenBitLimit) {
  fakes::FakeFileSystem fs;
  for (int i = 0; i < 40000; ++i) fs.AddFolder("/m/" + std::to_string(i) + "/");
  fs.AddFolder("/m/39999/deep/");
  const Paths paths = Walk(fs, "/m/");
  ASSERT_EQ(paths.size(), 40001u);
  EXPECT_EQ(paths.back(), "/m/9999/");
}

TEST(ListFilesTest, ListsOrdinaryVisibleFilesByPattern) {
  fakes::FakeFileSystem fs;
  fs.AddFile("/m/b.mp3");
  fs.AddFile("/m/A.MP3", kAttrReadOnly);
  fs.AddFile("/m/c.mp3", kAttrArchive | kAttrReadOnly);
  fs.AddFile("/m/hidden.mp3", kAttrHidden);
  fs.AddFile("/m/system.mp3", kAttrSystem);
  fs.AddFolder("/m/folder.mp3/");
  fs.AddFile("/m/cover.jpg");
  fs.AddFile("/m/README");
  fs.AddLink("/m/dead.mp3", "/nowhere");
  EXPECT_EQ(ListFiles(fs, "/m/*.mp3"), (Paths{"A.MP3", "b.mp3", "c.mp3"}));
  EXPECT_EQ(ListFiles(fs, "/m/*.*"), (Paths{"A.MP3", "b.mp3", "c.mp3", "cover.jpg", "README"}));
  EXPECT_EQ(ListFiles(fs, "/m/?.mp3"), (Paths{"A.MP3", "b.mp3", "c.mp3"}));
  EXPECT_EQ(ListFiles(fs, "/m/cover.JPG"), Paths{"cover.jpg"});
}

TEST(ListFilesTest, GivesNoListRatherThanAnEmptyOne) {
  fakes::FakeFileSystem fs;
  fs.AddFile("/m/song.mp3");
  fs.AddFile("/m/locked/song.mp3");
  fs.SetUnreadable("/m/locked/");
  fs.AddFile("/m/hidden.wav", kAttrHidden);
  EXPECT_EQ(ListFiles(fs, "/m/*.wav"), std::nullopt);
  EXPECT_EQ(ListFiles(fs, "/m/locked/*.mp3"), std::nullopt);
  EXPECT_EQ(ListFiles(fs, "/none/*.mp3"), std::nullopt);
  EXPECT_EQ(ListFiles(fs, "/m/song.mp3/*.*"), std::nullopt);
  EXPECT_EQ(ListFiles(fs, "/m/"), std::nullopt);
  EXPECT_EQ(ListFiles(fs, "*.mp3"), std::nullopt);
}

TEST(ListFilesTest, HasNoSixteenBitLimit) {
  fakes::FakeFileSystem fs;
  for (int i = 0; i < 40000; ++i) fs.AddFile("/m/" + std::to_string(i) + ".mp3");
  const auto names = ListFiles(fs, "/m/*.mp3");
  ASSERT_TRUE(names.has_value());
  EXPECT_EQ(names->size(), 40000u);
}

}  // namespace
}  // namespace vornick::files
