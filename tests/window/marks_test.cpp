// SPDX-License-Identifier: GPL-3.0-or-later
// The marks against what Rename then does, with the other rows' check marks and names as they
// stand: a row is marked exactly when Rename will refuse it or leave it alone, a file listed twice
// is renamed once and taken back once, and a change to one row shows at once on the others.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_history_store.h"
#include "tests/fakes/fake_settings_store.h"
#include "window/list_operations.h"

namespace vornick::window {
namespace {

using Kind = Reason::Kind;
using Strings = std::vector<std::string>;
using Kinds = std::vector<Kind>;
using Change = std::function<void(ListOperations&, fakes::FakeFileSystem&)>;

constexpr Kind kNone = Kind::kNone;
constexpr Kind kAgain = Kind::kListedAgain;
constexpr Kind kTwice = Kind::kProposedTwice;
constexpr Kind kTaken = Kind::kTaken;

void Entries(ListOperations& operations, const Strings& names) {
  for (const std::string& name : names) operations.AddEntry("/m/" + name, true);
}

struct Scenario {
  const char* what;
  Strings files;  // in /m/
  Change rows;    // adds the rows; their marks are looked at then
  Kinds marksFirst;
  Change change;     // what the user does next, if anything
  Kinds marks;       // the marks after it, which Rename must bear out
  Change meanwhile;  // what happens on the disk before Rename, if anything
  std::map<std::size_t, std::string> failures;  // what Rename tells, by row
  std::string states;  // each row after Rename: renamed, failed, or left as it was
  Strings after;       // the folder then
};

const std::vector<Scenario>& Scenarios() {
  const auto twoProposals = [](ListOperations& operations, fakes::FakeFileSystem&) {
    Entries(operations, {"a b.mp3", "a_b.mp3"});
  };
  const auto loadTwice = [](ListOperations& operations, fakes::FakeFileSystem&) {
    operations.AddFolder("/m/", {});
    operations.AddFolder("/m/", {});
  };
  const auto twoRows = [](ListOperations& operations, fakes::FakeFileSystem&) {
    operations.AddRow("a.mp3", "A.mp3", "/m/", true);
    operations.AddRow("b.mp3", "B.mp3", "/m/", true);
  };
  const std::string taken = "a file or folder named \"A B.mp3\" is there already";
  static const std::vector<Scenario> scenarios{
      {"an unchecked row proposes the name of a checked one",
       {"a b.mp3", "a_b.mp3"},
       twoProposals,
       {kNone, kTwice},
       [](ListOperations& operations, fakes::FakeFileSystem&) {
         operations.List().SetChecked(0, false);
       },
       {kNone, kNone},
       {},
       {},
       "-R",
       {"A B.mp3", "a b.mp3"}},
      // The user types the name another checked row proposes: the later row is marked at once.
      {"a name typed that an earlier row proposes",
       {"a b.mp3", "c.mp3"},
       [](ListOperations& operations, fakes::FakeFileSystem&) {
         Entries(operations, {"a b.mp3", "c.mp3"});
       },
       {kNone, kNone},
       [](ListOperations& operations, fakes::FakeFileSystem&) {
         EXPECT_EQ(operations.EditNewName(1, "A B.mp3"), ListOperations::EditRefusal::kNone);
       },
       {kNone, kTwice},
       {},
       {{1, taken}},
       "RF",
       {"A B.mp3", "c.mp3"}},
      // An edit that gives back a name frees the row that wanted it.
      {"a name typed away from a clash",
       {"a b.mp3", "a_b.mp3"},
       twoProposals,
       {kNone, kTwice},
       [](ListOperations& operations, fakes::FakeFileSystem&) {
         EXPECT_EQ(operations.EditNewName(0, "A and B.mp3"), ListOperations::EditRefusal::kNone);
       },
       {kNone, kNone},
       {},
       {},
       "RR",
       {"A B.mp3", "A and B.mp3"}},
      // The first row checked after the marks were looked at.
      {"two proposals checked one by one",
       {"a b.mp3", "a_b.mp3"},
       [](ListOperations& operations, fakes::FakeFileSystem&) {
         Entries(operations, {"a b.mp3", "a_b.mp3"});
         operations.List().SetChecked(0, false);
       },
       {kNone, kNone},
       [](ListOperations& operations, fakes::FakeFileSystem&) {
         operations.List().SetChecked(0, true);
       },
       {kNone, kTwice},
       {},
       {{1, taken}},
       "RF",
       {"A B.mp3", "a_b.mp3"}},
      {"Select All after Unselect All",
       {"a b.mp3", "a_b.mp3", "c_d.mp3"},
       [](ListOperations& operations, fakes::FakeFileSystem&) {
         Entries(operations, {"a b.mp3", "a_b.mp3"});
         operations.SetAllChecked(false);
         Entries(operations, {"c_d.mp3"});
       },
       {kNone, kNone, kNone},
       [](ListOperations& operations, fakes::FakeFileSystem&) { operations.SetAllChecked(true); },
       {kNone, kTwice, kNone},
       {},
       {{1, taken}},
       "RFR",
       {"A B.mp3", "C D.mp3", "a_b.mp3"}},
      {"a list cleared and filled again",
       {"a.mp3", "b.mp3"},
       [](ListOperations& operations, fakes::FakeFileSystem&) {
         operations.AddRow("a.mp3", "A.mp3", "/m/", true);
         operations.AddRow("b.mp3", "B.mp3", "/m/", true);
       },
       {kNone, kNone},
       [](ListOperations& operations, fakes::FakeFileSystem&) {
         operations.Clear();
         operations.AddRow("a.mp3", "A.mp3", "/m/", true);
         operations.AddRow("a.mp3", "A.mp3", "/m/", true);
       },
       {kNone, kAgain},
       {},
       {},
       "R-",
       {"A.mp3", "b.mp3"}},
      {"a folder loaded twice",
       {"a_b.mp3", "c_d.mp3", "x y.mp3"},
       loadTwice,
       {kNone, kNone, kNone, kAgain, kAgain, kAgain},
       {},
       {kNone, kNone, kNone, kAgain, kAgain, kAgain},
       {},
       {},
       "RRR---",
       {"A B.mp3", "C D.mp3", "X Y.mp3"}},
      {"the first row of a file listed twice unchecked",
       {"a_b.mp3"},
       loadTwice,
       {kNone, kAgain},
       [](ListOperations& operations, fakes::FakeFileSystem&) {
         operations.List().SetChecked(0, false);
       },
       {kNone, kNone},
       {},
       {},
       "-R",
       {"A B.mp3"}},
      {"a file listed twice whose first row is refused",
       {"a_b.mp3"},
       [](ListOperations& operations, fakes::FakeFileSystem&) {
         operations.AddRow("a_b.mp3", "", "/m/", true);
         operations.AddRow("a_b.mp3", "A B.mp3", "/m/", true);
       },
       {Kind::kNewNameEmpty, kAgain},
       {},
       {Kind::kNewNameEmpty, kAgain},
       {},
       {{0, "the new name is empty"}},
       "F-",
       {"a_b.mp3"}},
      {"a name taken between the marks and Rename",
       {"a_b.mp3"},
       [](ListOperations& operations, fakes::FakeFileSystem&) { Entries(operations, {"a_b.mp3"}); },
       {kNone},
       {},
       {kNone},
       [](ListOperations&, fakes::FakeFileSystem& fileSystem) { fileSystem.AddFile("/m/A B.mp3"); },
       {{0, taken}},
       "F",
       {"A B.mp3", "a_b.mp3"}},
      {"a proposal edited into another row's and back",
       {"a.mp3", "b.mp3"},
       [twoRows](ListOperations& operations, fakes::FakeFileSystem& fileSystem) {
         twoRows(operations, fileSystem);
         operations.List().SetNewName(1, "A.mp3");
       },
       {kNone, kTwice},
       [](ListOperations& operations, fakes::FakeFileSystem&) {
         operations.List().SetNewName(1, "B.mp3");
       },
       {kNone, kNone},
       {},
       {},
       "RR",
       {"A.mp3", "B.mp3"}},
      {"a row listed again proposes the name a later row takes",
       {"a.mp3", "b.mp3"},
       [](ListOperations& operations, fakes::FakeFileSystem&) {
         operations.AddRow("a.mp3", "A.mp3", "/m/", true);
         operations.AddRow("a.mp3", "B.mp3", "/m/", true);
         operations.AddRow("b.mp3", "B.mp3", "/m/", true);
       },
       {kNone, kAgain, kNone},
       {},
       {kNone, kAgain, kNone},
       {},
       {},
       "R-R",
       {"A.mp3", "B.mp3"}},
      // t82790.mp3 and t91518.mp3 share the key the indexes find names by: the names decide.
      {"two files whose names share a key",
       {"t82790.mp3", "t91518.mp3"},
       [](ListOperations& operations, fakes::FakeFileSystem&) {
         operations.AddRow("t82790.mp3", "A.mp3", "/m/", true);
         operations.AddRow("t91518.mp3", "B.mp3", "/m/", true);
       },
       {kNone, kNone},
       {},
       {kNone, kNone},
       {},
       {},
       "RR",
       {"A.mp3", "B.mp3"}},
      {"two proposals that share a key",
       {"a.mp3", "b.mp3"},
       [](ListOperations& operations, fakes::FakeFileSystem&) {
         operations.AddRow("a.mp3", "t82790.mp3", "/m/", true);
         operations.AddRow("b.mp3", "t91518.mp3", "/m/", true);
       },
       {kNone, kNone},
       {},
       {kNone, kNone},
       {},
       {},
       "RR",
       {"t82790.mp3", "t91518.mp3"}},
      // exFAT takes Song.mp3 and SONG.mp3 as one name, held by song.mp3: the first row is refused
      // for it, so the name is free for the file itself.
      {"the row before, refused, leaves the name to the next",
       {"x.mp3", "song.mp3"},
       [](ListOperations& operations, fakes::FakeFileSystem& fileSystem) {
         fileSystem.SetRules("/m/", platform::RulesFor(platform::NameRules::System::kExfat));
         operations.AddRow("x.mp3", "SONG.mp3", "/m/", true);
         operations.AddRow("song.mp3", "Song.mp3", "/m/", true);
       },
       {kTaken, kNone},
       {},
       {kTaken, kNone},
       {},
       {{0, "a file or folder named \"SONG.mp3\" is there already"}},
       "FR",
       {"Song.mp3", "x.mp3"}},
  };
  return scenarios;
}

// A list on a folder of its own, with or without a history.
struct Desk {
  explicit Desk(bool history) : operations(fileSystem, settings, history ? &store : nullptr) {}

  Kinds Marks() {
    Kinds kinds;
    for (std::size_t i = 0; i < operations.List().Count(); ++i)
      kinds.push_back(operations.Checks().Refusal(i).kind);
    return kinds;
  }
  Strings Files() {
    Strings names;
    for (const platform::FolderEntry& entry : fileSystem.ReadFolder("/m/"))
      names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    return names;
  }
  // Each row's state: renamed, failed, or as it was.
  std::string States() const {
    std::string states;
    for (std::size_t i = 0; i < operations.List().Count(); ++i) {
      const RowState state = operations.List().Row(i).State;
      states += state == RowState::kRenamed        ? 'R'
                : state == RowState::kRenameFailed ? 'F'
                : state == RowState::kNotRenamed   ? '-'
                                                   : '?';
    }
    return states;
  }

  fakes::FakeFileSystem fileSystem;
  fakes::FakeSettingsStore settings;
  fakes::FakeHistoryStore store;
  ListOperations operations;
};

TEST(MarksTest, RenameDoesWhatTheMarksSaid) {
  for (const bool history : {false, true}) {
    for (const Scenario& scenario : Scenarios()) {
      SCOPED_TRACE(std::string(scenario.what) + (history ? ", with a history" : ""));
      Desk desk(history);
      for (const std::string& name : scenario.files) desk.fileSystem.AddFile("/m/" + name);
      scenario.rows(desk.operations, desk.fileSystem);
      EXPECT_EQ(desk.Marks(), scenario.marksFirst);
      if (scenario.change) scenario.change(desk.operations, desk.fileSystem);
      const Kinds marks = desk.Marks();
      EXPECT_EQ(marks, scenario.marks);
      if (scenario.meanwhile) scenario.meanwhile(desk.operations, desk.fileSystem);

      const Strings before = desk.Files();
      std::map<std::size_t, std::string> failures;
      for (const RenameFailure& failure : desk.operations.Rename())
        failures[failure.row] = Describe(failure.reason, failure.target);
      EXPECT_EQ(failures, scenario.failures);
      EXPECT_EQ(desk.States(), scenario.states);
      EXPECT_EQ(desk.Files(), scenario.after);
      // A file renamed with an earlier row keeps its later rows marked.
      for (std::size_t i = 0; i < marks.size(); ++i) {
        if (marks[i] == kAgain) {
          EXPECT_EQ(desk.operations.Checks().Refusal(i).kind, kAgain) << i;
        }
      }

      // Each file renamed is taken back, once.
      EXPECT_TRUE(desk.operations.Undo().empty());
      EXPECT_EQ(desk.Files(), before);
      EXPECT_EQ(desk.States().find('R'), std::string::npos);
    }
  }
}

// exFAT folds ä as Ä: the folder read for one mark before Rename is read again after it.
TEST(MarksTest, WhatRenameChangedOnTheDiskIsLookedAtAgain) {
  Desk desk(false);
  for (const char* name : {"/m/x.mp3", "/m/ä.mp3"}) desk.fileSystem.AddFile(name);
  desk.fileSystem.SetRules("/m/", platform::RulesFor(platform::NameRules::System::kExfat));
  desk.operations.AddRow("x.mp3", "Ä.mp3", "/m/", true);
  desk.operations.AddRow("ä.mp3", "Ä B.mp3", "/m/", false);
  EXPECT_EQ(desk.Marks(), (Kinds{kTaken, kNone}));
  desk.operations.List().SetChecked(0, false);
  desk.operations.List().SetChecked(1, true);
  EXPECT_TRUE(desk.operations.Rename().empty());
  desk.operations.List().SetChecked(0, true);
  EXPECT_EQ(desk.Marks(), (Kinds{kNone, kNone}));
}

}  // namespace
}  // namespace vornick::window
