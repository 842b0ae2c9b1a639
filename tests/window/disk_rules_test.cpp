// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of a folder's file system: what a row shows before Rename is what Rename then meets,
// refusals are worded by the rule, names made safe go through and come back, and a change of
// letter case that the disk would keep is done all the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_system.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_history_store.h"
#include "tests/fakes/fake_settings_store.h"
#include "window/file_renamer.h"
#include "window/list_operations.h"
#include "window/take_back.h"

namespace vornick::window {
namespace {

using platform::NameRules;
using platform::RowOutcome;
using System = NameRules::System;
using Kind = Reason::Kind;
using Strings = std::vector<std::string>;
using Listings = std::map<std::string, Strings>;

std::string Repeat(const std::string& text, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += text;
  return out;
}

// A disk of the table: a folder of the fake with a file system's rules, named by a letter.
struct Disk {
  char letter;
  std::string root;
  NameRules rules;
};

const std::vector<Disk>& Disks() {
  static const std::vector<Disk> disks{
      {'P', "/posix/", platform::RulesFor(System::kPosix)},
      {'F', "/fat/", platform::RulesFor(System::kFat)},
      {'E', "/exfat/", platform::RulesFor(System::kExfat)},
      {'N', "/ntfs/", platform::RulesFor(System::kNtfs)},
      {'W', "/ntfsw/", platform::RulesFor(System::kNtfs, true)},
      {'S', "/smb/", platform::RulesFor(System::kSmb)},
  };
  return disks;
}

// One row on every disk. The rows of "load/" come from loading that folder (`proposed` is what
// the cleaning must make of the name); the others are added with `proposed` as given.
struct RowCase {
  std::string folder;
  std::string current;
  std::string proposed;
  std::string markedOn;  // the letters of the disks where the row is marked
  Kind kind = Kind::kNone;
  char32_t character = 0;
};

bool IsRule(Kind kind) {
  return kind >= Kind::kForbiddenCharacter && kind <= Kind::kLongerThanAllowed;
}

const std::vector<RowCase>& Cases() {
  static const std::vector<RowCase> cases{
      // The cleaning makes names that some disks refuse out of names that every disk takes.
      {"load/", "song.mp3_", "Song.mp3 ", "FEWS", Kind::kTrailingDotOrSpace},
      {"load/", "con_.mp3", "Con .mp3", "FEWS", Kind::kReservedName},
      {"load/", "lpt1_.mp3", "Lpt1 .mp3", "FEWS", Kind::kReservedName},
      {"load/", "a_b.mp3", "A B.mp3", "", Kind::kNone},
      // The file itself under another letter case: never taken for another file.
      {"load/", "кино.mp3", "Кино.mp3", "", Kind::kNone},
      {"load/", "é.mp3", "É.mp3", "", Kind::kNone},
      {"rows/", "f01.mp3", "why?.mp3", "FEWS", Kind::kForbiddenCharacter, '?'},
      {"rows/", "f02.mp3", "a: b.mp3", "FEWS", Kind::kForbiddenCharacter, ':'},
      {"rows/", "f03.mp3", "tab\x01.mp3", "FEWS", Kind::kForbiddenCharacter, 0x01},
      {"rows/", "f05.mp3", "aux.mp3", "FEWS", Kind::kReservedName},
      {"rows/", "f06.mp3", "Com¹.mp3", "FEWS", Kind::kReservedName},
      {"rows/", "f07.mp3", "end.mp3.", "FEWS", Kind::kTrailingDotOrSpace},
      {"rows/", "f08.mp3", "space.mp3 ", "FEWS", Kind::kTrailingDotOrSpace},
      {"rows/", "f09.mp3", "bad\xFF.mp3", "FENWS", Kind::kNotUtf8},
      {"rows/", "f10.mp3", "cut\xC3.mp3", "FENWS", Kind::kNotUtf8},
      // Lengths: 256 bytes, 255 bytes; 256 bytes in 130 UTF-16 units; 256 and 255 units.
      {"rows/", "f11.mp3", Repeat("x", 252) + ".mp3", "PFENWS", Kind::kLongerThanAllowed},
      {"rows/", "f12.mp3", Repeat("y", 251) + ".mp3", "", Kind::kNone},
      {"rows/", "f13.mp3", Repeat("é", 126) + ".mp3", "PF", Kind::kLongerThanAllowed},
      {"rows/", "f14.mp3", Repeat("ü", 252) + ".mp3", "PFENWS", Kind::kLongerThanAllowed},
      {"rows/", "f15.mp3", Repeat("ö", 251) + ".mp3", "PF", Kind::kLongerThanAllowed},
      // Two rows proposing names that the disk takes as one: the first is renamed, the second
      // refused. FAT folds A to Z only.
      {"clash/", "a.mp3", "Кино.mp3", "", Kind::kNone},
      {"clash/", "b.mp3", "кино.mp3", "ENWS", Kind::kProposedTwice},
      {"clash/", "c.mp3", "É.mp3", "", Kind::kNone},
      {"clash/", "d.mp3", "é.mp3", "ENWS", Kind::kProposedTwice},
      {"clash/", "e.mp3", "Song.mp3", "", Kind::kNone},
      {"clash/", "f.mp3", "song.mp3", "FENWS", Kind::kProposedTwice},
      // taken/ holds кино.mp3 and É.mp3 as well, which are no rows.
      {"taken/", "x.mp3", "Кино.mp3", "ENWS", Kind::kTaken},
      {"taken/", "y.mp3", "é.mp3", "ENWS", Kind::kTaken},
      {"taken/", "z.mp3", "Z.mp3", "", Kind::kNone},
  };
  return cases;
}

const Strings kFolders{"load/", "rows/", "clash/", "taken/"};

// A fake file system with the table's folders on every disk, and a list of their rows.
struct Bench {
  explicit Bench(bool history, const Strings& folders = kFolders)
      : operations(fileSystem, settings, history ? &store : nullptr) {
    settings.SetTypes("All Files", "0");
    for (const Disk& disk : Disks()) {
      for (const std::string& folder : kFolders) fileSystem.AddFolder(disk.root + folder);
      for (const RowCase& row : Cases()) {
        if (std::count(folders.begin(), folders.end(), row.folder) != 0)
          fileSystem.AddFile(disk.root + row.folder + row.current);
      }
      fileSystem.AddFile(disk.root + "taken/кино.mp3");
      fileSystem.AddFile(disk.root + "taken/É.mp3");
      fileSystem.SetRules(disk.root, disk.rules);
      for (const std::string& folder : kFolders)
        fileSystem.SetRules(disk.root + folder, disk.rules);
    }
    for (const Disk& disk : Disks()) {
      for (const std::string& folder : folders) {
        if (folder == "load/") {
          operations.AddFolder(disk.root + folder, {});
          continue;
        }
        for (const RowCase& row : Cases()) {
          if (row.folder == folder)
            operations.AddRow(row.current, row.proposed, disk.root + folder, true);
        }
      }
    }
    const RenameList& list = operations.List();
    for (std::size_t i = 0; i < list.Count(); ++i)
      index[list.Row(i).FolderPath() + list.Row(i).CurrentName] = i;
  }

  std::size_t Index(const Disk& disk, const RowCase& row) const {
    return index.at(disk.root + row.folder + row.current);
  }
  // Calls `check` for every row of the table that this bench lists.
  template <class Check>
  void ForEachRow(Check check) const {
    for (const Disk& disk : Disks()) {
      for (const RowCase& row : Cases()) {
        if (!index.contains(disk.root + row.folder + row.current)) continue;
        SCOPED_TRACE(std::string(1, disk.letter) + " " + row.folder + row.current);
        check(disk, row, Index(disk, row));
      }
    }
  }
  Listings ReadAll() {
    Listings all;
    for (const Disk& disk : Disks()) {
      for (const std::string& folder : kFolders) {
        for (const platform::FolderEntry& entry : fileSystem.ReadFolder(disk.root + folder))
          all[disk.root + folder].push_back(entry.name);
      }
    }
    return all;
  }
  std::int64_t NewestBatch() { return store.Batches().at(0).id; }

  fakes::FakeFileSystem fileSystem;
  fakes::FakeSettingsStore settings;
  fakes::FakeHistoryStore store;
  ListOperations operations;
  std::map<std::string, std::size_t> index;
};

// Failures by row.
std::map<std::size_t, Reason> ByRow(const std::vector<RenameFailure>& failures) {
  std::map<std::size_t, Reason> rows;
  for (const RenameFailure& failure : failures) rows[failure.row] = failure.reason;
  return rows;
}

TEST(DiskRulesTableTest, RowsAreMarkedExactlyWhereRenameThenFails) {
  for (const bool history : {false, true}) {
    SCOPED_TRACE(history ? "with a history" : "without a history");
    Bench bench(history);
    std::map<std::size_t, Reason> marks;
    bench.ForEachRow([&](const Disk& disk, const RowCase& row, std::size_t i) {
      EXPECT_EQ(bench.operations.List().Row(i).NewName, row.proposed);
      const Reason mark = bench.operations.Checks().Refusal(i);
      const bool marked = row.markedOn.find(disk.letter) != std::string::npos;
      EXPECT_EQ(mark.kind, marked ? row.kind : Kind::kNone);
      if (marked && IsRule(row.kind)) {
        EXPECT_EQ(mark.system, disk.rules.system);
        EXPECT_EQ(mark.character, row.character);
      }
      if (mark) marks[i] = mark;
    });

    const std::map<std::size_t, Reason> failed = ByRow(bench.operations.Rename());
    const Listings after = bench.ReadAll();
    bench.ForEachRow([&](const Disk& disk, const RowCase& row, std::size_t i) {
      const auto mark = marks.find(i);
      const auto failure = failed.find(i);
      const bool marked = mark != marks.end(), renamed = failure == failed.end();
      EXPECT_EQ(marked, !renamed);
      if (marked && !renamed && IsRule(mark->second.kind)) {
        EXPECT_EQ(failure->second.kind, mark->second.kind);
        EXPECT_EQ(failure->second.system, mark->second.system);
        EXPECT_EQ(failure->second.character, mark->second.character);
      }
      const RenameEntry& entry = bench.operations.List().Row(i);
      const Strings& names = after.at(disk.root + row.folder);
      const std::string& where = renamed ? entry.NewName : entry.CurrentName;
      EXPECT_EQ(entry.State, renamed ? RowState::kRenamed : RowState::kRenameFailed);
      EXPECT_EQ(std::count(names.begin(), names.end(), where), 1);
    });
  }
}

// A name the disk refuses is told by the rule it breaks, never as a name the disk just does not
// accept nor as a file that is not there.
TEST(DiskRulesTableTest, ARefusedNameIsWordedByTheRule) {
  const std::map<std::pair<char, std::string>, std::string> words{
      {{'E', "a: b.mp3"}, "exFAT does not allow ':' in names"},
      {{'F', "tab\x01.mp3"}, "FAT does not allow the control character U+0001 in names"},
      {{'S', "aux.mp3"},
       "SMB does not allow a name that begins \"aux\": Windows keeps it for a device"},
      {{'W', "Com¹.mp3"},
       "NTFS does not allow a name that begins \"Com¹\": Windows keeps it for a device"},
      {{'F', "end.mp3."}, "FAT drops or refuses a dot or space at the end of a name"},
      {{'S', "Song.mp3 "}, "SMB drops or refuses a dot or space at the end of a name"},
      {{'N', "cut\xC3.mp3"}, "NTFS does not allow names that are not UTF-8"},
      {{'E', Repeat("x", 252) + ".mp3"}, "the new name is longer than exFAT allows"},
      {{'P', Repeat("x", 252) + ".mp3"}, "the new name is longer than the disk allows"},
  };
  for (const bool history : {false, true}) {
    SCOPED_TRACE(history ? "with a history" : "without a history");
    Bench bench(history, {"load/", "rows/"});
    std::size_t told = 0;
    for (const RenameFailure& failure : bench.operations.Rename()) {
      const std::string said = Describe(failure.reason, failure.target);
      EXPECT_EQ(said.find("does not accept"), std::string::npos) << said;
      EXPECT_EQ(said.find("not there"), std::string::npos) << said;
      for (const Disk& disk : Disks()) {
        if (failure.folder.starts_with(disk.root)) {
          const auto found = words.find({disk.letter, failure.target});
          if (found == words.end()) continue;
          EXPECT_EQ(said, found->second);
          ++told;
        }
      }
    }
    EXPECT_EQ(told, words.size());
  }
}

// Names made safe are marked nowhere and renamed everywhere, and every file gets its name back.
TEST(DiskRulesTableTest, NamesMadeSafeGoThroughAndComeBackExactly) {
  enum class Back { kUndo, kUndoWithHistory, kTakeBack };
  for (const Back back : {Back::kUndo, Back::kUndoWithHistory, Back::kTakeBack}) {
    SCOPED_TRACE(static_cast<int>(back));
    Bench bench(back != Back::kUndo, {"load/", "rows/"});
    std::vector<std::size_t> all(bench.operations.List().Count()), ruled;
    for (std::size_t i = 0; i < all.size(); ++i) {
      all[i] = i;
      if (IsRule(bench.operations.Checks().Refusal(i).kind)) ruled.push_back(i);
    }
    const Listings before = bench.ReadAll();
    EXPECT_EQ(bench.operations.MakeNamesSafe(all), ruled);
    bench.ForEachRow([&](const Disk&, const RowCase&, std::size_t i) {
      EXPECT_FALSE(bench.operations.Checks().Refusal(i))
          << bench.operations.Checks().WouldBeRefused(i);
    });
    EXPECT_TRUE(bench.operations.Rename().empty());
    bench.ForEachRow([&](const Disk&, const RowCase&, std::size_t i) {
      EXPECT_EQ(bench.operations.List().Row(i).State, RowState::kRenamed);
    });
    EXPECT_NE(bench.ReadAll(), before);
    if (back == Back::kTakeBack) {
      const TakeBackResult result = bench.operations.TakeBack(bench.NewestBatch());
      EXPECT_TRUE(result.failures.empty());
      EXPECT_EQ(result.takenBack, all.size());
    } else {
      EXPECT_TRUE(bench.operations.Undo().empty());
    }
    EXPECT_EQ(bench.ReadAll(), before);
  }
}

// A card that answers a change of letter case alone with success and keeps the old name, as the
// kernel's exFAT and FAT drivers do.
class DiskRulesCaseTest : public ::testing::Test {
 protected:
  DiskRulesCaseTest() {
    settings.SetTypes("All Files", "0");
    for (const char* name : {"кино.mp3", "abc.mp3", "é.mp3"}) {
      fileSystem.AddFile(std::string("/card/") + name);
      fileSystem.AddFile(std::string("/stick/") + name);
    }
    fileSystem.SetRules("/card/", platform::RulesFor(System::kExfat), true);
    fileSystem.SetRules("/stick/", platform::RulesFor(System::kFat), true);
  }
  Strings Listing(const std::string& folder) {
    Strings names;
    for (const platform::FolderEntry& entry : fileSystem.ReadFolder(folder))
      names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    return names;
  }
  Listings ReadAll() { return {{"/card/", Listing("/card/")}, {"/stick/", Listing("/stick/")}}; }
  platform::FileIdentity Identity(const std::string& path) { return fileSystem.GetIdentity(path); }

  fakes::FakeFileSystem fileSystem;
  fakes::FakeSettingsStore settings;
  fakes::FakeHistoryStore store;
};

TEST_F(DiskRulesCaseTest, AChangeOfCaseIsDoneThroughAStepAndUndone) {
  const Listings before = ReadAll();
  const Listings renamed{{"/card/", {"Abc.mp3", "É.mp3", "Кино.mp3"}},
                         {"/stick/", {"Abc.mp3", "É.mp3", "Кино.mp3"}}};
  for (const bool history : {false, true}) {
    SCOPED_TRACE(history ? "with a history" : "without a history");
    ListOperations operations(fileSystem, settings, history ? &store : nullptr);
    operations.AddFolder("/card/", {});
    operations.AddFolder("/stick/", {});
    ASSERT_EQ(operations.List().Count(), 6u);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_FALSE(operations.Checks().Refusal(i)) << i;
    EXPECT_TRUE(operations.Rename().empty());
    for (std::size_t i = 0; i < 6; ++i)
      EXPECT_EQ(operations.List().Row(i).State, RowState::kRenamed) << i;
    EXPECT_EQ(ReadAll(), renamed);  // no step name is left either
    EXPECT_TRUE(operations.Undo().empty());
    EXPECT_EQ(ReadAll(), before);
  }
}

// A program that stopped between the two steps left the file at its step name: taking the batch
// back, or settling it, gives the file its old name.
TEST_F(DiskRulesCaseTest, AFileLeftAtItsStepNameIsFoundAndGivenItsOldName) {
  for (const bool settle : {false, true}) {
    SCOPED_TRACE(settle ? "settled" : "taken back");
    fakes::FakeHistoryStore history;
    const platform::FileIdentity kino = Identity("/card/кино.mp3");
    const platform::FileIdentity abc = Identity("/card/abc.mp3");
    const platform::FileIdentity e = Identity("/card/é.mp3");
    // The third row was never reached: a look-up that folds case finds it at either name.
    const std::vector<platform::HistoryRow> rows{{0, "abc.mp3", "Abc.mp3", abc},
                                                 {0, "кино.mp3", "Кино.mp3", kino},
                                                 {0, "é.mp3", "É.mp3", e}};
    const std::int64_t id =
        history.BeginBatch(platform::BatchKind::kRename, "Rename", Strings{"/card/"}, rows);
    // The first row done; the second stopped at its step.
    FileRenamer(fileSystem).Rename("/card/", "abc.mp3", "Abc.mp3");
    ASSERT_FALSE(fileSystem.Rename("/card/кино.mp3", "/card/" + CaseStepName(kino)));
    ASSERT_EQ(Listing("/card/"), (Strings{CaseStepName(kino), "Abc.mp3", "é.mp3"}));
    if (settle) {
      SettleBatch(fileSystem, history, id);
      EXPECT_EQ(Listing("/card/"), (Strings{"Abc.mp3", "é.mp3", "кино.mp3"}));
      const std::optional<platform::StoredBatch> batch = history.Batch(id);
      EXPECT_EQ(batch->rows[0].outcome, RowOutcome::kRenamed);
      EXPECT_EQ(batch->rows[1].outcome, RowOutcome::kFailed);
      EXPECT_EQ(batch->rows[2].outcome, RowOutcome::kFailed);
      FileRenamer(fileSystem).Rename("/card/", "Abc.mp3", "abc.mp3");
    } else {
      const TakeBackResult result = TakeBackBatch(fileSystem, history, id);
      EXPECT_TRUE(result.failures.empty());
      EXPECT_EQ(result.takenBack, 2u);
      EXPECT_EQ(result.alreadyBack, 1u);
      EXPECT_EQ(Listing("/card/"), (Strings{"abc.mp3", "é.mp3", "кино.mp3"}));
    }
    ASSERT_EQ(Listing("/card/"), (Strings{"abc.mp3", "é.mp3", "кино.mp3"}));
  }
}

// What the marks are worked out from is worked out again when a proposal changes or the list is
// emptied and filled from another folder.
class DiskRulesMarksTest : public ::testing::Test {
 protected:
  std::vector<Kind> Marks() {
    std::vector<Kind> kinds;
    for (std::size_t i = 0; i < operations.List().Count(); ++i)
      kinds.push_back(operations.Checks().Refusal(i).kind);
    return kinds;
  }

  fakes::FakeFileSystem fileSystem;
  fakes::FakeSettingsStore settings;
  ListOperations operations{fileSystem, settings};
};

TEST_F(DiskRulesMarksTest, AChangedProposalIsLookedAtAgain) {
  for (const char* name : {"/card/a.mp3", "/card/b.mp3"}) fileSystem.AddFile(name);
  fileSystem.SetRules("/card/", platform::RulesFor(System::kExfat));
  operations.AddRow("a.mp3", "a: b.mp3", "/card/", true);
  operations.AddRow("b.mp3", "a - b.mp3", "/card/", true);
  EXPECT_EQ(Marks(), (std::vector{Kind::kForbiddenCharacter, Kind::kNone}));
  EXPECT_EQ(operations.MakeNamesSafe({0, 1}), (std::vector<std::size_t>{0}));
  EXPECT_EQ(Marks(), (std::vector{Kind::kNone, Kind::kProposedTwice}));
  operations.List().SetNewName(1, "Other.mp3");
  EXPECT_EQ(Marks(), (std::vector{Kind::kNone, Kind::kNone}));
  operations.List().SetNewName(1, "A - B.MP3");  // the same name to exFAT
  EXPECT_EQ(Marks(), (std::vector{Kind::kNone, Kind::kProposedTwice}));
  operations.List().SetNewName(1, "b.mp3");  // its own name: no longer proposed
  EXPECT_EQ(Marks(), (std::vector{Kind::kNone, Kind::kNone}));
  EXPECT_TRUE(operations.Rename().empty());
}

// A load takes its tree's rules once when nothing is mounted below it, and its rows keep them; a
// tree with another file system in it asks each folder. The list holds seven trees' rules: rows
// of an eighth and a ninth ask their folders, and are judged alike.
TEST_F(DiskRulesMarksTest, ALoadTakesItsTreesRulesOnceAndEachRowKeepsThem) {
  NameRules shortNames = platform::RulesFor(System::kPosix), shorterNames = shortNames;
  shortNames.maxLength = 40;
  shorterNames.maxLength = 30;
  const std::vector<NameRules> trees = {platform::RulesFor(System::kPosix),
                                        platform::RulesFor(System::kFat),
                                        platform::RulesFor(System::kExfat),
                                        platform::RulesFor(System::kNtfs),
                                        platform::RulesFor(System::kNtfs, true),
                                        platform::RulesFor(System::kSmb),
                                        platform::RulesFor(System::kUnknown),
                                        shortNames,
                                        shorterNames};
  std::vector<NameRules> expected;
  for (std::size_t k = 0; k < trees.size(); ++k) {
    const std::string root = "/t" + std::to_string(k) + "/";
    for (const std::string& folder : {root, root + "sub/"}) {
      fileSystem.AddFile(folder + "a_b: c.mp3");
      fileSystem.SetRules(folder, trees[k]);
    }
    operations.AddFolder(root, {});
    expected.insert(expected.end(), 2, trees[k]);
  }
  // A card mounted inside a POSIX tree.
  fileSystem.AddFile("/mixed/a_b: c.mp3");
  fileSystem.AddFile("/mixed/card/a_b: c.mp3");
  fileSystem.SetRules("/mixed/card/", platform::RulesFor(System::kFat));
  operations.AddFolder("/mixed/", {});
  expected.push_back(platform::RulesFor(System::kPosix));
  expected.push_back(platform::RulesFor(System::kFat));

  const int asked = fileSystem.RulesOfCalls();
  ASSERT_EQ(operations.List().Count(), expected.size());
  for (int round = 0; round < 2; ++round) {
    for (std::size_t i = 0; i < expected.size(); ++i)
      ASSERT_EQ(operations.Checks().FolderRules(i), expected[i]) << i;
  }
  // The eighth and ninth trees' two folders and the mixed tree's two, each once.
  EXPECT_EQ(fileSystem.RulesOfCalls() - asked, 6);
  EXPECT_EQ(operations.Checks().Refusal(expected.size() - 1).kind, Kind::kForbiddenCharacter);
  EXPECT_EQ(operations.Checks().Refusal(expected.size() - 2).kind, Kind::kNone);

  // Clear List during a load: the rows after it are judged by their folders' rules.
  operations.Clear();
  operations.AddFolder("/t1/", [&](Pause pause) {
    if (pause == Pause::kFolder && operations.List().Count() == 1) operations.Clear();
  });
  ASSERT_EQ(operations.List().Count(), 1u);
  EXPECT_EQ(operations.List().Row(0).FolderPath(), "/t1/sub/");
  EXPECT_EQ(operations.Checks().Refusal(0).kind, Kind::kForbiddenCharacter);
}

TEST_F(DiskRulesMarksTest, AnotherFolderLoadedAfterClearIsJudgedByItsOwnRules) {
  // Paths of one length, so that the second folder's path may well take the first one's memory.
  fileSystem.AddFile("/pos/a_b: c.mp3");
  fileSystem.AddFile("/fat/a_b: c.mp3");
  fileSystem.SetRules("/fat/", platform::RulesFor(System::kFat));
  fileSystem.AddFile("/ex1/a.mp3");
  for (const char* name : {"/ex2/кино.mp3", "/ex2/x.mp3"}) fileSystem.AddFile(name);
  for (const char* folder : {"/ex1/", "/ex2/"})
    fileSystem.SetRules(folder, platform::RulesFor(System::kExfat));

  operations.AddFolder("/pos/", {});
  EXPECT_EQ(Marks(), (std::vector{Kind::kNone}));
  operations.Clear();
  operations.AddFolder("/fat/", {});
  EXPECT_EQ(Marks(), (std::vector{Kind::kForbiddenCharacter}));
  // Another disk at the same place.
  operations.Clear();
  fileSystem.SetRules("/pos/", platform::RulesFor(System::kSmb));
  operations.AddFolder("/pos/", {});
  EXPECT_EQ(operations.Checks().Refusal(0).system, System::kSmb);

  // The folder looked into for names folded as exFAT folds them.
  operations.Clear();
  operations.AddRow("a.mp3", "Кино.mp3", "/ex1/", true);
  EXPECT_EQ(Marks(), (std::vector{Kind::kNone}));
  operations.Clear();
  operations.AddRow("x.mp3", "Кино.mp3", "/ex2/", true);
  EXPECT_EQ(Marks(), (std::vector{Kind::kTaken}));
}

}  // namespace
}  // namespace vornick::window
