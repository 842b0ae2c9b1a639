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

Paths Walk(fakes::FakeFileSystem& fs, const std::string& folder, int* events = nullptr) {
  PendingPaths pending;
  AddSubFolders(fs, pending, folder, [&] {
    if (events != nullptr) ++*events;
  });
  Paths paths;
  for (; !pending.Empty(); pending.RemoveFront()) paths.push_back(pending.Front());
  return paths;
}

TEST(AddSubFoldersTest, AppendsVisibleFoldersInPreOrderOncePerFolder) {
  fakes::FakeFileSystem fs;
  fs.AddFolder("/A/C/");
  fs.AddFolder("/A/B/D/");
  fs.AddFile("/A/B/x.mp3");
  fs.AddFolder("/A/hidden/inner/", kAttrDirectory);
  fs.AddFolder("/A/hidden/", kAttrDirectory | kAttrHidden);
  fs.AddFolder("/A/system/inner/");
  fs.AddFolder("/A/system/", kAttrDirectory | kAttrSystem);
  fs.AddFolder("/A/readonly/", kAttrDirectory | kAttrReadOnly | kAttrArchive);
  fs.AddFolder("/A/.x/");  // bits decide, not the name
  fs.AddFolder("/A/..x/");
  int events = 0;
  EXPECT_EQ(Walk(fs, "/A/", &events),
            (Paths{"/A/..x/", "/A/.x/", "/A/B/", "/A/B/D/", "/A/C/", "/A/readonly/"}));
  EXPECT_EQ(events, 7);  // the start and each folder appended
  EXPECT_EQ(fs.ReadFolderCalls(), 7);
  EXPECT_EQ(fs.MaxOpenListings(), 1);
  EXPECT_EQ(Walk(fs, "/A/B/D/"), Paths{});
}

TEST(AddSubFoldersTest, NeverEntersAFolderTwice) {
  fakes::FakeFileSystem fs;
  fs.AddFolder("/m/b/inner/");
  fs.AddFolder("/m/c/");
  fs.AddLink("/m/a", "/m/b/");  // the link comes before the folder itself
  fs.AddLink("/m/c/back", "/m/b/");
  fs.AddLink("/m/c/up", "/m/");
  fs.AddLink("/m/c/self", "/m/c/");
  fs.AddFolder("/elsewhere/x/");
  fs.AddLink("/m/d", "/elsewhere/");  // out of the tree: followed
  fs.AddLink("/m/dead", "/nowhere/");
  fs.AddFile("/song.mp3");
  fs.AddLink("/m/song", "/song.mp3");
  EXPECT_EQ(Walk(fs, "/m/"), (Paths{"/m/a/", "/m/a/inner/", "/m/c/", "/m/d/", "/m/d/x/"}));
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
}

TEST(AddSubFoldersTest, HasNoSixteenBitLimits) {
  fakes::FakeFileSystem fs;
  for (int i = 0; i < 40000; ++i) {
    fs.AddFolder("/m/" + std::to_string(i) + "/");
    fs.AddFile("/m/" + std::to_string(i) + ".mp3");
  }
  EXPECT_EQ(Walk(fs, "/m/").size(), 40000u);
  EXPECT_EQ(ListFiles(fs, "/m/*.mp3").value_or(Paths{}).size(), 40000u);
}

TEST(ListFilesTest, ListsOrdinaryVisibleFilesByPattern) {
  fakes::FakeFileSystem fs;
  fs.AddFile("/m/b.mp3");
  fs.AddFile("/m/A.MP3", kAttrReadOnly);
  fs.AddFile("/m/hidden.mp3", kAttrHidden);
  fs.AddFile("/m/system.mp3", kAttrSystem);
  fs.AddFolder("/m/folder.mp3/");
  fs.AddFile("/m/README");
  fs.AddLink("/m/dead.mp3", "/nowhere");
  EXPECT_EQ(ListFiles(fs, "/m/*.mp3"), (Paths{"A.MP3", "b.mp3"}));
  EXPECT_EQ(ListFiles(fs, "/m/*.*"), (Paths{"A.MP3", "b.mp3", "README"}));
  // No list, never an empty one.
  for (const char* pattern : {"/m/*.wav", "/none/*.mp3", "/m/b.mp3/*.*", "/m/", "*.mp3"})
    EXPECT_EQ(ListFiles(fs, pattern), std::nullopt) << pattern;
  fs.SetUnreadable("/m/");
  EXPECT_EQ(ListFiles(fs, "/m/*.mp3"), std::nullopt);
}

}  // namespace
}  // namespace vornick::files
