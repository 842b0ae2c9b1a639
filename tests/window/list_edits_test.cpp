// SPDX-License-Identifier: GPL-3.0-or-later
// Proposed names typed by the user, the list's own counts, and what a load tells of the files it
// passed over.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_settings_store.h"
#include "window/list_operations.h"

namespace vornick::window {
namespace {

using Refusal = ListOperations::EditRefusal;

struct Desk {
  fakes::FakeFileSystem disk;
  fakes::FakeSettingsStore settings;
  ListOperations operations{disk, settings};
  RenameList& list = operations.List();
};

TEST(ListEditsTest, ANameThatCanBeNoFileNameIsRefusedAndChangesNothing) {
  Desk desk;
  desk.operations.AddRow("a b.mp3", "A B.mp3", "/m/", false);
  const struct {
    std::string name;
    Refusal refusal;
  } cases[] = {
      {"", Refusal::kNotAName},     {".", Refusal::kNotAName},
      {"..", Refusal::kNotAName},   {"a/b.mp3", Refusal::kNotAName},
      {"/", Refusal::kNotAName},    {std::string("a\0b.mp3", 7), Refusal::kNotAName},
      {"...", Refusal::kNone},      {".hidden.mp3", Refusal::kNone},
      {"a\\b.mp3", Refusal::kNone}, {"Ä b.mp3", Refusal::kNone},
  };
  for (const auto& [name, refusal] : cases) {
    desk.operations.BackToProposal({0});
    desk.list.SetChecked(0, false);
    EXPECT_EQ(desk.operations.EditNewName(0, name), refusal) << name;
    const RenameEntry& row = desk.list.Row(0);
    if (refusal == Refusal::kNone) {
      EXPECT_EQ(row.NewName, name);
      EXPECT_TRUE(row.Edited && row.Checked) << name;
    } else {
      EXPECT_EQ(row.NewName, "A B.mp3") << name;
      EXPECT_FALSE(row.Edited || row.Checked) << name;
    }
  }
}

TEST(ListEditsTest, EditsAreMarkedUntilTakenBackAndARenamedRowKeepsItsName) {
  Desk desk;
  desk.disk.AddFolder("/m");
  desk.disk.AddFile("/m/a_b.mp3");
  desk.disk.AddFile("/m/c.mp3");
  desk.operations.AddEntry("/m/a_b.mp3", true);
  desk.operations.AddEntry("/m/c.mp3", true);
  const RenameEntry& row = desk.list.Row(0);

  // Typing the name the rules propose is no edit; typing the current name unchecks the row.
  EXPECT_EQ(desk.operations.EditNewName(0, "A B.mp3"), Refusal::kNone);
  EXPECT_FALSE(row.Edited);
  EXPECT_EQ(desk.operations.EditNewName(0, "a_b.mp3"), Refusal::kNone);
  EXPECT_TRUE(row.Edited);
  EXPECT_FALSE(row.Checked);
  EXPECT_EQ(desk.operations.EditNewName(0, "R.E.M. - a b.mp3"), Refusal::kNone);
  EXPECT_TRUE(row.Edited && row.Checked);

  EXPECT_EQ(desk.operations.BackToProposal({0, 1}), std::vector<std::size_t>{0});
  EXPECT_EQ(row.NewName, "A B.mp3");
  EXPECT_FALSE(row.Edited);
  EXPECT_TRUE(desk.operations.BackToProposal({0}).empty());

  EXPECT_EQ(desk.operations.EditNewName(0, "R.E.M. - a b.mp3"), Refusal::kNone);
  EXPECT_TRUE(desk.operations.Rename().empty());
  EXPECT_TRUE(desk.disk.CanReadTimes("/m/R.E.M. - a b.mp3"));
  // Undo finds the file by the name it was renamed to: that name stays.
  EXPECT_EQ(desk.operations.EditNewName(0, "x.mp3"), Refusal::kRenamed);
  EXPECT_TRUE(desk.operations.BackToProposal({0}).empty());
  EXPECT_EQ(row.NewName, "R.E.M. - a b.mp3");
  EXPECT_TRUE(desk.operations.Undo().empty());
  EXPECT_TRUE(desk.disk.CanReadTimes("/m/a_b.mp3"));
}

// The counts are kept by hand as rows change: after any run of changes they equal a count made
// row by row.
TEST(ListEditsTest, TheListsCountsFollowEveryChange) {
  Desk desk;
  std::mt19937 random(7);
  const RowState states[] = {RowState::kNotRenamed, RowState::kRenamed, RowState::kRenameFailed,
                             RowState::kUndoFailed};
  for (int step = 0; step < 4000; ++step) {
    RenameList& list = desk.list;
    const std::size_t count = list.Count();
    const std::size_t row = count == 0 ? 0 : random() % count;
    switch (count == 0 ? 0 : random() % 7) {
      case 0:
        list.Append("a" + std::to_string(step), "/m/", "b", random() % 2 == 0,
                    states[random() % 4]);
        break;
      case 1:
        list.SetChecked(row, random() % 2 == 0);
        break;
      case 2:
        list.SetState(row, states[random() % 4]);
        break;
      case 3:
        list.SetNewName(row, random() % 3 == 0 ? list.Row(row).CurrentName : "n", random() % 2);
        break;
      case 4:
        if (random() % 40 == 0) list.SetAllChecked(random() % 2 == 0);
        break;
      case 5:
        if (random() % 200 == 0) list.Clear();
        break;
      default:
        desk.operations.AddRow("c.mp3", "C.mp3", "/n/", true, states[random() % 4]);
    }
    std::size_t checked = 0, renamed = 0, failed = 0;
    for (std::size_t i = 0; i < list.Count(); ++i) {
      const RenameEntry& entry = list.Row(i);
      checked += entry.Checked;
      renamed += entry.State == RowState::kRenamed;
      failed += entry.State == RowState::kRenameFailed || entry.State == RowState::kUndoFailed;
    }
    ASSERT_EQ(list.CheckedCount(), checked) << step;
    ASSERT_EQ(list.RenamedCount(), renamed) << step;
    ASSERT_EQ(list.FailedCount(), failed) << step;
  }
}

TEST(ListEditsTest, ALoadCountsTheMusicOfOtherTypesItPassedOver) {
  Desk desk;
  desk.disk.AddFolder("/m");
  desk.disk.AddFolder("/m/sub");
  for (const char* file :
       {"/m/a.mp3", "/m/b.MP3", "/m/c.flac", "/m/d.FLAC", "/m/e.wav", "/m/cover.jpg",
        "/m/notes.txt", "/m/flac", "/m/sub/f.ogg", "/m/sub/g.mp3", "/m/h.aiff", "/m/i.AIF"}) {
    desk.disk.AddFile(file);
  }
  desk.disk.AddFile("/m/hidden.wav", platform::kAttrArchive | platform::kAttrHidden);
  desk.disk.AddFolder("/m/folder.flac");
  GatherResult result = desk.operations.AddFolder("/m", {});
  EXPECT_EQ(result.added, 3u);
  EXPECT_EQ(result.otherTypes, (std::map<std::string, std::size_t>{
                                   {"AIF", 1}, {"AIFF", 1}, {"FLAC", 2}, {"OGG", 1}, {"WAV", 1}}));

  // With FLAC taken too, only the others are told; a type taken is never counted as passed over.
  desk.settings.SetTypes("MP3,FLAC", "0,1");
  result = desk.operations.AddFolder("/m", {});
  EXPECT_EQ(result.added, 5u);
  EXPECT_EQ(result.otherTypes,
            (std::map<std::string, std::size_t>{{"AIF", 1}, {"AIFF", 1}, {"OGG", 1}, {"WAV", 1}}));

  // A drop of a folder takes its MP3 files and tells the rest.
  result = desk.operations.AddDropped({"/m/sub"}, {});
  EXPECT_EQ(result.added, 1u);
  EXPECT_EQ(result.otherTypes, (std::map<std::string, std::size_t>{{"OGG", 1}}));
}

}  // namespace
}  // namespace vornick::window
