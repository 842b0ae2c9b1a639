// SPDX-License-Identifier: GPL-3.0-or-later
// Adding rows: single entries, a folder by the file types, picked files and drops, with other
// operations run where events may run.
#include "window/list_operations.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "cleaning/name_cleaning.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_settings_store.h"

namespace vornick::window {
namespace {

using Strings = std::vector<std::string>;

class ListOperationsTest : public ::testing::Test {
 protected:
  ListOperationsTest() {
    // /m/ holds files of several types and two folders; hidden things are never taken.
    for (const char* file : {"/m/a_b.mp3", "/m/c.wav", "/m/readme.txt", "/m/Sub/d_e.MP3",
                             "/m/Sub/Deep/f.mp3", "/m/Tail/g_h.mp3"}) {
      fileSystem.AddFile(file);
    }
    fileSystem.AddFile("/m/.hidden.mp3", platform::kAttrArchive | platform::kAttrHidden);
    fileSystem.AddFile("/m/.h/x.mp3");
    fileSystem.AddFolder("/m/.h/", platform::kAttrDirectory | platform::kAttrHidden);
  }
  // Each row as "current|new|folder|checked".
  Strings Rows() const {
    Strings rows;
    for (std::size_t i = 0; i < operations.List().Count(); ++i) {
      const RenameEntry& row = operations.List().Row(i);
      rows.push_back(row.CurrentName + "|" + row.NewName + "|" + row.FolderPath() + "|" +
                     (row.Checked ? "1" : "0"));
    }
    return rows;
  }
  Strings Paths() const {
    Strings paths;
    for (std::size_t i = 0; i < operations.List().Count(); ++i)
      paths.push_back(operations.List().Row(i).FolderPath() + operations.List().Row(i).CurrentName);
    return paths;
  }
  void ExpectIdle() const {
    EXPECT_TRUE(operations.PendingPaths().Empty());
    EXPECT_FALSE(operations.Gathering());
  }

  fakes::FakeFileSystem fileSystem;
  fakes::FakeSettingsStore settings;
  ListOperations operations{fileSystem, settings};
};

TEST_F(ListOperationsTest, AddingSplitsCleansAndChecksOnlyTheNewRowWhenNamesDiffer) {
  operations.AddEntry("/music/x_y.mp3", false);  // never checked
  EXPECT_THROW(operations.AddEntry("/music/-intro.mp3", true), cleaning::NameCleaningError);
  // Picked files: one that cannot be cleaned does not stop the others.
  operations.AddFiles({"/m/a_b.mp3", "/m/-intro.mp3", "/m/A B.mp3", "/m/song.mp3", "/m/a_b.mp3"});
  EXPECT_EQ(Rows(), (Strings{"x_y.mp3|X Y.mp3|/music/|0", "-intro.mp3||/music/|0",
                             "a_b.mp3|A B.mp3|/m/|1", "-intro.mp3||/m/|0", "A B.mp3|A B.mp3|/m/|0",
                             "song.mp3|Song.mp3|/m/|1", "a_b.mp3|A B.mp3|/m/|1"}));
}

TEST_F(ListOperationsTest, AddFolderListsEachFolderTypeByTypeInPreOrder) {
  const Strings mp3s = {"/m/a_b.mp3", "/m/Sub/d_e.MP3", "/m/Sub/Deep/f.mp3", "/m/Tail/g_h.mp3"};
  const std::tuple<const char*, const char*, Strings> cases[] = {
      {"MP3,WAV,OGG",
       "1,0",
       {"/m/c.wav", "/m/a_b.mp3", "/m/Sub/d_e.MP3", "/m/Sub/Deep/f.mp3", "/m/Tail/g_h.mp3"}},
      {"", "", mp3s},  // nothing configured: MP3
      {"All Files,MP3",
       "0",
       {"/m/a_b.mp3", "/m/c.wav", "/m/readme.txt", "/m/Sub/d_e.MP3", "/m/Sub/Deep/f.mp3",
        "/m/Tail/g_h.mp3"}},
      {"WAV,All Files", "0,1", {"/m/c.wav"}},  // only first is "All Files" every file
      // A file matched by several types is listed once.
      {"MP3,mp3,Mp?", "0,1,2,0", mp3s},
  };
  for (const auto& [fileTypes, checkedIndexes, paths] : cases) {
    SCOPED_TRACE(std::string(fileTypes) + " / " + checkedIndexes);
    operations.Clear();
    settings.SetTypes(fileTypes, checkedIndexes);
    const GatherResult result = operations.AddFolder("/m/", {});  // the separator is put back
    EXPECT_EQ(Paths(), paths);
    EXPECT_TRUE(result.stopped.empty());
    ExpectIdle();
  }
}

TEST_F(ListOperationsTest, AddFolderNamesTheFoldersItCouldNotRead) {
  fileSystem.SetUnreadable("/m/Sub/");
  const GatherResult result = operations.AddFolder("/m", {});
  EXPECT_EQ(Paths(), (Strings{"/m/a_b.mp3", "/m/Tail/g_h.mp3"}));
  ASSERT_EQ(result.passedOver.size(), 1u);
  EXPECT_EQ(result.passedOver[0].path, "/m/Sub/");
  EXPECT_EQ(result.passedOver[0].error, std::errc::permission_denied);
}

TEST_F(ListOperationsTest, OperationsRunAtPausesAndTheLoadGoesOnWithWhatIsThere) {
  int step = 0;
  std::vector<Pause> pauses;
  const PauseHook pause = [&](Pause point) {
    pauses.push_back(point);
    const std::size_t count = operations.List().Count();
    if (step == 0 && count == 2) {
      operations.Clear();
      step = 1;
    } else if (step == 1 && count == 1) {
      operations.SetAllChecked(false);
      // A second gathering would take this one's folders off the work list.
      EXPECT_TRUE(operations.AddFolder("/m/Tail", {}).refused);
      EXPECT_TRUE(operations.AddDropped({"/m/Tail"}, {}).refused);
      step = 2;
    }
  };
  settings.SetTypes("MP3,WAV", "0,1");
  operations.AddFolder("/m", pause);
  // a_b.mp3 and c.wav of the first folder were cleared; d_e.MP3 was unchecked.
  EXPECT_EQ(Rows(), (Strings{"d_e.MP3|D E.MP3|/m/Sub/|0", "f.mp3|F.mp3|/m/Sub/Deep/|1",
                             "g_h.mp3|G H.mp3|/m/Tail/|1"}));
  EXPECT_EQ(std::count(pauses.begin(), pauses.end(), Pause::kFolder), 4);
  EXPECT_EQ(std::count(pauses.begin(), pauses.end(), Pause::kWalk), 4);
  ExpectIdle();
}

// A folder's rows are there as soon as the walk has read it, before it reads the next one: the
// work list never holds more than the folder being listed, a million files' names never at once.
TEST_F(ListOperationsTest, EachFolderIsListedBeforeTheWalkGoesOn) {
  std::vector<std::pair<std::size_t, std::size_t>> atWalk;  // rows and work list at each read
  for (const bool dropped : {false, true}) {
    operations.Clear();
    atWalk.clear();
    const PauseHook pause = [&](Pause point) {
      if (point == Pause::kWalk)
        atWalk.emplace_back(operations.List().Count(), operations.PendingPaths().Count());
      if (point == Pause::kFolder) {
        EXPECT_EQ(operations.PendingPaths().Count(), 1u);
      }
    };
    if (dropped) {
      operations.AddDropped({"/m"}, pause);
    } else {
      operations.AddFolder("/m", pause);
    }
    // /m, /m/Sub, /m/Sub/Deep, /m/Tail: each read after the rows of the ones before it.
    const std::vector<std::pair<std::size_t, std::size_t>> expected = {
        {0, 0}, {1, 0}, {2, 0}, {3, 0}};
    EXPECT_EQ(atWalk, expected) << dropped;
    EXPECT_EQ(operations.List().Count(), 4u) << dropped;
    ExpectIdle();
  }
}

TEST_F(ListOperationsTest, EachFolderIsReadOnceAndTheSettingsOnlyWhenChanged) {
  settings.SetTypes("MP3,WAV", "0,1");
  operations.AddFolder("/m", {});
  EXPECT_EQ(fileSystem.ReadFolderCalls(), 4);  // /m, Sub, Deep and Tail; the hidden one is not
  EXPECT_EQ(settings.reads, 2);                // once for each key
  EXPECT_EQ(operations.List().Count(), 5u);
}

TEST_F(ListOperationsTest, WhatChangesDuringALoadIsSeenByTheFoldersListedAfter) {
  fileSystem.AddFile("/m/Tail/x.wav");
  // Before /m/Tail is listed: WAV files are chosen, and a Rename renames a file there.
  operations.AddFolder("/m", [&](Pause pause) {
    if (pause != Pause::kFolder || operations.List().Count() != 3) return;
    settings.SetTypes("WAV,MP3,mp3", "0,1,2");  // read anew, a file still listed once
    operations.AddRow("g_h.mp3", "G H.mp3", "/m/Tail/", true);
    operations.Rename();
  });
  EXPECT_EQ(Paths(), (Strings{"/m/a_b.mp3", "/m/Sub/d_e.MP3", "/m/Sub/Deep/f.mp3",
                              "/m/Tail/g_h.mp3", "/m/Tail/x.wav", "/m/Tail/G H.mp3"}));
}

TEST_F(ListOperationsTest, ALoadedFolderTellsWhichProposedNamesAreTaken) {
  for (const char* file : {"/t/a_b.mp3", "/t/so_ng.mp3", "/t/x_y.mp3", "/t/X Y.mp3"})
    fileSystem.AddFile(file);
  fileSystem.AddFolder("/t/A B.mp3/");
  operations.AddFolder("/t", {});
  Strings reasons;
  for (std::size_t i = 0; i < operations.List().Count(); ++i)
    reasons.push_back(operations.Checks().WouldBeRefused(i));
  EXPECT_EQ(reasons, (Strings{"a file or folder named \"A B.mp3\" is there already", "", "",
                              "a file or folder named \"X Y.mp3\" is there already"}));
  // The names the load read answer for the free name; only the taken ones are asked on disk.
  EXPECT_EQ(fileSystem.CanReadTimesCalls(), 2);
}

TEST_F(ListOperationsTest, ALongListFindsTheFileListedTwice) {
  for (int i = 0; i < 70000; ++i) operations.AddRow("f" + std::to_string(i), "F", "/m/", false);
  operations.AddRow("f12345", "F12345", "/m/", true);
  EXPECT_EQ(operations.Checks().WouldBeRefused(70000), "");
  // Checked one by one, more than are kept count by count: the first of them takes the name.
  for (std::size_t i = 0; i < 5000; ++i) operations.List().SetChecked(i, true);
  std::size_t proposedTwice = 0;
  for (std::size_t i = 0; i < 5000; ++i) {
    proposedTwice += operations.Checks().Refusal(i).kind == Reason::Kind::kProposedTwice;
  }
  EXPECT_EQ(operations.Checks().WouldBeRefused(0), "");
  EXPECT_EQ(proposedTwice, 4999u);
  operations.SetAllChecked(true);
  EXPECT_EQ(operations.Checks().WouldBeRefused(12345),
            "another row proposes the same name in this folder");
  EXPECT_EQ(operations.Checks().WouldBeRefused(70000), "listed again above; renamed with that row");
  EXPECT_EQ(operations.Checks().RowsListedAgain(), std::vector<std::size_t>{70000});
}

TEST_F(ListOperationsTest, DropTakesFoldersByMp3AndFilesByTheirTypes) {
  for (const char* file : {"/d/SONG.MP3", "/d/song_x.mp3", "/d/x.mp3.bak", "/d/read_me.txt"})
    fileSystem.AddFile(file);
  settings.SetTypes("WAV,MP3,MP", "0,1,2");
  operations.AddDropped({"/d/SONG.MP3", "/m/Sub/", "/d/song_x.mp3", "/d/x.mp3.bak"}, {});
  // SONG.MP3 matches no ".mp3" in its path; song_x.mp3 matches ".mp3" and ".mp".
  EXPECT_EQ(Rows(), (Strings{"d_e.MP3|D E.MP3|/m/Sub/|1", "f.mp3|F.mp3|/m/Sub/Deep/|1",
                             "song_x.mp3|Song X.mp3|/d/|1", "song_x.mp3|Song X.mp3|/d/|1",
                             "x.mp3.bak|X.mp3.bak|/d/|1", "x.mp3.bak|X.mp3.bak|/d/|1"}));

  operations.Clear();
  settings.SetTypes("All Files,MP3", "0");
  operations.AddDropped({"/d/read_me.txt", "/m/Tail"}, {});
  EXPECT_EQ(Rows(), (Strings{"read_me.txt|Read Me.txt|/d/|0", "g_h.mp3|G H.mp3|/m/Tail/|1"}));
  ExpectIdle();
}

TEST_F(ListOperationsTest, DropPassesOverPathsThatFail) {
  fileSystem.AddFile("/d/so_ng.mp3");
  settings.SetTypes("MP3", "0,,1");  // malformed: dropped files are passed over, folders listed
  const GatherResult result = operations.AddDropped({"/nowhere/", "/d/so_ng.mp3", "/m/Tail"}, {});
  EXPECT_EQ(Paths(), Strings{"/m/Tail/g_h.mp3"});
  ASSERT_EQ(result.passedOver.size(), 1u);
  EXPECT_EQ(result.passedOver[0].path + result.passedOver[0].error.message(),
            "/nowhere/" + std::make_error_code(std::errc::no_such_file_or_directory).message());
  ExpectIdle();
}

}  // namespace
}  // namespace vornick::window
