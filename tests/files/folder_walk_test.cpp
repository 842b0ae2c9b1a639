// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/folder_walk.h"
#include "files/name_pattern.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "tests/fakes/fake_file_system.h"

namespace vornick::files {
namespace {

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

// Each walk is run reading as it goes, and reading ahead on a thread of its own.
class AddSubFoldersTest : public ::testing::TestWithParam<bool> {
 protected:
  AddSubFoldersTest() { fs.SetReadAhead(GetParam()); }
  fakes::FakeFileSystem fs;
};

INSTANTIATE_TEST_SUITE_P(ReadAhead, AddSubFoldersTest, ::testing::Bool());

TEST_P(AddSubFoldersTest, AppendsVisibleReadableFoldersInPreOrder) {
  fs.AddFolder("/A/C/");
  fs.AddFolder("/A/B/D/");
  fs.AddFile("/A/B/x.mp3");
  fs.AddFolder("/A/hidden/inner/");
  fs.AddFolder("/A/hidden/", kAttrDirectory | kAttrHidden);
  fs.AddFolder("/A/system/inner/");
  fs.AddFolder("/A/system/", kAttrDirectory | kAttrSystem);
  fs.AddFolder("/A/readonly/", kAttrDirectory | kAttrReadOnly);
  fs.AddFolder("/A/.x/");  // bits decide, not the name
  fs.AddFolder("/A/locked/inner/");
  fs.SetUnreadable("/A/locked/");
  int events = 0;
  EXPECT_EQ(Walk(fs, "/A/", &events),
            (Paths{"/A/.x/", "/A/B/", "/A/B/D/", "/A/C/", "/A/locked/", "/A/readonly/"}));
  EXPECT_EQ(events, 7);  // the start and each folder appended
  fs.SetUnreadable("/A/");
  for (const char* start : {"/A/", "/A/B/D/", "/missing/"}) EXPECT_EQ(Walk(fs, start), Paths{});
}

TEST_P(AddSubFoldersTest, NeverLeavesTheFolderThroughALinkAndTellsWhatItPassedOver) {
  fs.AddFolder("/m/b/inner/");
  fs.AddLink("/m/a", "/m/b/");
  fs.AddLink("/m/b/up", "/m/");
  fs.AddLink("/m/out", "/elsewhere/");
  fs.AddLink("/m/song.mp3", "/elsewhere/x.mp3");
  fs.AddFile("/elsewhere/x.mp3");
  fs.AddFolder("/m/locked/");
  fs.SetUnreadable("/m/locked/");
  fs.AddLink("/start", "/m/b/");  // the chosen folder may be a link
  std::vector<PassedOver> passedOver;
  PendingPaths pending;
  AddFolderTree(fs, pending, "/m/", {}, &passedOver);
  AddFolderTree(fs, pending, "/start/", {}, &passedOver);
  Paths paths;
  for (; !pending.Empty(); pending.RemoveFront()) paths.push_back(pending.Front());
  EXPECT_EQ(paths,
            (Paths{"/m/", "/m/b/", "/m/b/inner/", "/m/locked/", "/start/", "/start/inner/"}));
  Paths told;
  for (const PassedOver& item : passedOver)
    told.push_back(item.path + (item.why == PassedOver::Why::kNotRead ? item.error.message() : ""));
  EXPECT_EQ(told, (Paths{"/m/a", "/m/out", "/m/b/up", "/m/locked/Permission denied", "/start/up"}));
  EXPECT_EQ(ListFiles(fs, "/m/*.mp3"), Paths{"song.mp3"});  // a link to a file is listed
}

TEST_P(AddSubFoldersTest, HasNoSixteenBitLimits) {
  for (int i = 0; i < 40000; ++i) fs.AddFolder("/m/" + std::to_string(i) + "/");
  for (int i = 0; i < 40000; ++i) fs.AddFile("/m/" + std::to_string(i) + ".mp3");
  EXPECT_EQ(Walk(fs, "/m/").size(), 40000u);
  EXPECT_EQ(ListFiles(fs, "/m/*.mp3").value_or(Paths{}).size(), 40000u);
}

// A walk that is ended from outside (the listing of its folders throws) ends at once, whether the
// folders are read ahead or not, with each folder listed once and in order up to there; and a
// reading that fails other than by the disk ends it after the folders read before.
TEST_P(AddSubFoldersTest, EndsWhereItsListingOrAReadingThatIsNotTheDisksEnds) {
  // More folders than are read ahead, each with its files.
  for (int i = 0; i < 3000; ++i) {
    const std::string folder = "/m/" + std::to_string(10000 + i) + "/";
    fs.AddFile(folder + "a.mp3");
    fs.AddFile(folder + std::to_string(i) + ".mp3");
  }
  PendingPaths pending;
  std::size_t listed = 0;
  const auto listAll = [&] {
    for (; !pending.Empty(); pending.RemoveFront()) {
      const std::string expected =
          listed == 0 ? "/m/" : "/m/" + std::to_string(9999 + listed) + "/";
      ASSERT_EQ(pending.Front(), expected);
      ASSERT_TRUE(pending.FrontEntries());
      ASSERT_EQ(pending.FrontEntries()->Size(), listed == 0 ? 3000u : 2u);
      if (listed > 0) {
        EXPECT_EQ(pending.FrontEntries()->Name(0), std::to_string(listed - 1) + ".mp3");
      }
      ++listed;
    }
  };
  AddFolderTree(fs, pending, "/m/", {}, nullptr, listAll);
  EXPECT_EQ(listed, 3001u);

  for (const std::size_t stopAt : {1u, 2000u}) {
    listed = 0;
    struct Enough {};
    EXPECT_THROW(AddFolderTree(fs, pending, "/m/", {}, nullptr,
                               [&] {
                                 listAll();
                                 if (listed == stopAt) throw Enough{};
                               }),
                 Enough);
    EXPECT_EQ(listed, stopAt);
  }

  fs.SetBroken("/m/10002/");
  listed = 0;
  EXPECT_THROW(AddFolderTree(fs, pending, "/m/", {}, nullptr, listAll), std::length_error);
  EXPECT_EQ(listed, 3u);  // the start and the two folders before the broken one
}

TEST(ListFilesTest, ListsOrdinaryVisibleFilesByPatternOrNoList) {
  fakes::FakeFileSystem fs;
  fs.AddFile("/m/b.mp3");
  fs.AddFile("/m/A.MP3", kAttrReadOnly);
  fs.AddFile("/m/hidden.mp3", kAttrHidden);
  fs.AddFile("/m/system.mp3", kAttrSystem);
  fs.AddFolder("/m/folder.mp3/");
  fs.AddLink("/m/dead.mp3", "/nowhere");
  EXPECT_EQ(ListFiles(fs, "/m/*.mp3"), (Paths{"A.MP3", "b.mp3"}));
  fs.AddFolder("/locked/");
  fs.SetUnreadable("/locked/");
  for (const char* pattern :
       {"/m/*.wav", "/none/*.mp3", "/m/b.mp3/*.*", "/m/", "*.mp3", "/locked/*.*"})
    EXPECT_EQ(ListFiles(fs, pattern), std::nullopt) << pattern;
}

TEST(NamePatternTest, MatchesStarsQuestionMarksAndAsciiCase) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"*.mp3", "Song.MP3", true},
      {"*.mp3", "song.mp3.txt", false},
      {"*.MP3", "song.mp3", true},
      {"*.mp3", "mp3", false},
      {"*[.mp3", "x{.MP3", false},  // only letters have a case
      {"*.*", "README", true},      // every file, with or without a dot
      // Stars alone match anything, even bytes that are no characters; nothing matches nothing.
      {"*", "caf\xE9 \xC3.mp3", true},
      {"**", "", true},
      {"", "", true},
      {"", "a", false},
      {"*?", "", false},
      {"?*", "\xC3\xA9", true},
      {"a*b*c", "aXbYbc", true},
      {"a*b*c", "aXbYbd", false},
      // Non-ASCII letters keep their case; '?' takes a whole character, also a lone byte.
      {"caf\xC3\xA9.mp3", "caf\xC3\x89.mp3", false},
      {"caf?.mp3", "caf\xC3\xA9.mp3", true},
      {"caf??.mp3", "caf\xC3\xA9.mp3", false},
      {"beyonc?.mp3", "Beyonc\xE9.mp3", true},
      {"*\xA9*", "caf\xC3\xA9.mp3", false},  // never half of a character
      // Everything but '*' and '?' is literal, unlike fnmatch(3).
      {"a[1].mp3", "a1.mp3", false},
      {"a\\*.mp3", "a\\x.mp3", true},
  };
  for (const auto& [pattern, name, matches] : cases) {
    EXPECT_EQ(MatchesPattern(pattern, name), matches) << pattern << " / " << name;
    EXPECT_EQ(NamePattern(pattern).Matches(name), matches) << pattern << " / " << name;
  }
}

}  // namespace
}  // namespace vornick::files
