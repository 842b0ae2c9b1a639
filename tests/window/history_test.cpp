// SPDX-License-Identifier: GPL-3.0-or-later
// The rename history: every file written before it is renamed, a history that cannot be written,
// the window's Undo recorded in the batch it takes back, taking a batch back later, and the
// window's questions about it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/fakes/fake_dialogs.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_history_store.h"
#include "tests/fakes/fake_settings_store.h"
#include "tests/fakes/recording_window.h"
#include "window/form1.h"
#include "window/list_operations.h"
#include "window/take_back.h"

namespace vornick::window {
namespace {

using platform::RowOutcome;

// The fake file system, with a look at the history before every rename.
class CheckedFileSystem final : public fakes::FakeFileSystem {
 public:
  std::function<void(const std::string&, const std::string&)> beforeRename;
  // Names with a ':' are refused with "no such file", as exfat-fuse refuses them.
  bool colonNotThere = false;
  std::error_code Rename(const std::string& from, const std::string& to) noexcept override {
    if (beforeRename) beforeRename(from, to);
    if (colonNotThere && to.find(':') != std::string::npos)
      return std::make_error_code(std::errc::no_such_file_or_directory);
    return FakeFileSystem::Rename(from, to);
  }
};

class HistoryTest : public ::testing::Test {
 protected:
  // `count` files a_bN.mp3 in /m/, each checked to become "A BN.mp3".
  void AddFiles(int count) {
    for (int i = 0; i < count; ++i) {
      const std::string path = "/m/a_b" + std::to_string(i) + ".mp3";
      fileSystem.AddFile(path);
      operations.AddEntry(path, true);
    }
  }
  bool Exists(const std::string& path) { return fileSystem.CanReadTimes(path); }
  std::vector<RowOutcome> Outcomes(std::int64_t id) {
    std::vector<RowOutcome> outcomes;
    const std::optional<platform::StoredBatch> batch = store.Batch(id);
    for (const platform::StoredRow& row : batch->rows) outcomes.push_back(row.outcome);
    return outcomes;
  }

  CheckedFileSystem fileSystem;
  fakes::FakeSettingsStore settings;
  fakes::FakeHistoryStore store;
  ListOperations operations{fileSystem, settings, &store};
};

TEST_F(HistoryTest, EveryFileIsWrittenWithItsIdentityBeforeItIsRenamed) {
  AddFiles(700);  // three pieces: 256, 512 (cut short)
  std::size_t checked = 0;
  fileSystem.beforeRename = [&](const std::string& from, const std::string&) {
    const platform::FileIdentity identity = fileSystem.GetIdentity(from);
    const std::optional<platform::StoredBatch> batch = store.Batch(1);
    ASSERT_TRUE(batch);
    bool found = false;
    for (const platform::StoredRow& row : batch->rows) {
      found |=
          batch->folders.at(row.row.folder) + row.row.from == from && row.row.identity == identity;
    }
    EXPECT_TRUE(found) << from;
    ++checked;
  };
  EXPECT_TRUE(operations.Rename().empty());
  EXPECT_EQ(checked, 700u);
  const std::optional<platform::StoredBatch> batch = store.Batch(1);
  EXPECT_EQ(batch->folders, std::vector<std::string>{"/m/"});  // once, however many rows
  EXPECT_TRUE(batch->summary.finished);
  EXPECT_EQ(batch->summary.renamed, 700u);
  EXPECT_EQ(batch->rows.at(5).row.to, "A B5.mp3");
  EXPECT_EQ(store.Batches().size(), 1u);
}

TEST_F(HistoryTest, AHistoryThatCannotBeBegunRenamesNothingUntilTheUserAgrees) {
  AddFiles(3);
  store.failAfter = 0;
  EXPECT_THROW(operations.Rename(), platform::HistoryError);
  EXPECT_EQ(fileSystem.RenameCalls(), 0);
  EXPECT_FALSE(operations.List().Row(0).IsRenamed());
  EXPECT_TRUE(operations.Rename({.command = {}, .keepHistory = false}).empty());
  EXPECT_TRUE(Exists("/m/A B2.mp3"));
  EXPECT_TRUE(store.Batches().empty());
}

TEST_F(HistoryTest, AHistoryThatFailsMidwayLeavesTheRowsNotWrittenAsTheyAre) {
  AddFiles(700);
  store.failAfter = 1;  // the first piece of 256 rows only
  const std::vector<RenameFailure> failures = operations.Rename();
  ASSERT_EQ(failures.size(), 444u);
  EXPECT_EQ(failures.front().row, 256u);
  EXPECT_EQ(failures.front().reason.kind, Reason::Kind::kNoHistory);
  EXPECT_EQ(fileSystem.RenameCalls(), 256);
  EXPECT_TRUE(Exists("/m/A B255.mp3"));
  EXPECT_TRUE(Exists("/m/a_b256.mp3"));
  EXPECT_EQ(store.Batch(1)->rows.size(), 256u);
}

TEST_F(HistoryTest, AFileThatCannotBeLookedUpIsNotRenamedNorWritten) {
  AddFiles(3);
  fileSystem.Rename("/m/a_b1.mp3", "/m/gone.mp3");
  const std::vector<RenameFailure> failures = operations.Rename();
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].reason.kind, Reason::Kind::kNotThere);
  const std::optional<platform::StoredBatch> batch = store.Batch(1);
  ASSERT_EQ(batch->rows.size(), 2u);
  EXPECT_EQ(batch->rows[1].row.from, "a_b2.mp3");
}

// "Not there" is never said of a file that is there: the name is what was refused.
TEST_F(HistoryTest, ARefusedNameIsNotWordedAsAMissingFile) {
  fileSystem.colonNotThere = true;
  fileSystem.AddFile("/m/a.mp3");
  for (const bool keepHistory : {false, true}) {
    operations.Clear();
    operations.AddRow("a.mp3", "a: b.mp3", "/m/", true);
    operations.AddRow("gone.mp3", "Gone.mp3", "/m/", true);
    const std::vector<RenameFailure> failures =
        operations.Rename({.command = {}, .keepHistory = keepHistory});
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0].reason.kind, Reason::Kind::kNameNotAccepted) << keepHistory;
    EXPECT_EQ(failures[1].reason.kind, Reason::Kind::kNotThere) << keepHistory;
  }
}

TEST_F(HistoryTest, TheWindowsUndoIsRecordedInTheBatchItTakesBack) {
  AddFiles(3);
  operations.Rename();
  operations.List().SetChecked(1, false);
  EXPECT_TRUE(operations.Undo().empty());
  EXPECT_EQ(store.Batches().size(), 1u);  // no batch of its own
  EXPECT_EQ(Outcomes(1),
            (std::vector{RowOutcome::kTakenBack, RowOutcome::kUnknown, RowOutcome::kTakenBack}));
  EXPECT_TRUE(store.Batch(1)->summary.finished);
  // Renamed again, the row is found in the newer batch, and the older keeps what it said.
  operations.List().SetChecked(1, true);
  operations.Rename();
  operations.Undo();
  EXPECT_EQ(Outcomes(1),
            (std::vector{RowOutcome::kTakenBack, RowOutcome::kTakenBack, RowOutcome::kTakenBack}));
  EXPECT_EQ(Outcomes(2), (std::vector{RowOutcome::kTakenBack, RowOutcome::kTakenBack}));
  for (std::size_t i = 0; i < 3; ++i) EXPECT_FALSE(operations.History()->Link(i)) << i;
  EXPECT_FALSE(NewestToTakeBack(store.Batches()));
  // After Clear List the rows stand for nothing in the history: an Undo of rows loaded as renamed
  // is a batch of its own.
  operations.Clear();
  fileSystem.Rename("/m/a_b0.mp3", "/m/A B0.mp3");
  operations.AddRow("a_b0.mp3", "A B0.mp3", "/m/", true, RowState::kRenamed);
  EXPECT_TRUE(operations.Undo({.command = "apply --undo", .keepHistory = true}).empty());
  const std::vector<platform::BatchSummary> batches = store.Batches();
  ASSERT_EQ(batches.size(), 3u);
  EXPECT_EQ(batches[0].kind, platform::BatchKind::kUndo);
  EXPECT_EQ(batches[0].command, "apply --undo");
  EXPECT_FALSE(NewestToTakeBack(batches));  // an Undo batch is not offered
}

// A row taken back leaves its batch's links; a row not tried, or whose undo failed, keeps its link
// for the next Undo.
TEST_F(HistoryTest, ARowTakenBackIsNoLongerLinkedToItsBatch) {
  AddFiles(4);
  operations.Rename();
  fileSystem.Rename("/m/A B2.mp3", "/m/away.mp3");
  operations.List().SetChecked(1, false);
  EXPECT_EQ(operations.Undo().size(), 1u);  // row 2's file is away
  const RenameHistory& history = *operations.History();
  EXPECT_FALSE(history.Link(0));
  EXPECT_EQ(history.Link(1)->row, 1u);
  EXPECT_EQ(history.Link(2)->row, 2u);
  EXPECT_FALSE(history.Link(3));
  fileSystem.Rename("/m/away.mp3", "/m/A B2.mp3");
  operations.List().SetChecked(1, true);
  EXPECT_TRUE(operations.Undo().empty());
  for (std::size_t i = 0; i < 4; ++i) EXPECT_FALSE(history.Link(i)) << i;
  EXPECT_EQ(Outcomes(1), std::vector<RowOutcome>(4, RowOutcome::kTakenBack));
  // Renamed again, a row is linked to its new batch.
  operations.Rename();
  EXPECT_EQ(history.Link(3)->batch, 2);
}

// The outcomes go to the history a run of rows at a time: none is lost between runs, for rows
// that failed and for rows taken back, in a batch of thousands.
TEST_F(HistoryTest, EveryRowsOutcomeIsRecordedInALargeBatch) {
  constexpr int kFiles = 9000;  // a piece of 2,916 rows among them
  AddFiles(kFiles);
  for (int i = 0; i < kFiles; i += 2) fileSystem.AddFile("/m/A B" + std::to_string(i) + ".mp3");
  EXPECT_EQ(operations.Rename().size(), kFiles / 2u);
  EXPECT_TRUE(operations.Undo().empty());
  const std::vector<RowOutcome> outcomes = Outcomes(1);
  ASSERT_EQ(outcomes.size(), static_cast<std::size_t>(kFiles));
  for (int i = 0; i < kFiles; ++i) {
    ASSERT_EQ(outcomes[i], i % 2 == 0 ? RowOutcome::kFailed : RowOutcome::kTakenBack) << i;
  }
  EXPECT_TRUE(store.Batch(1)->summary.finished);
}

TEST_F(HistoryTest, TakingBackRefusesFilesChangedSinceAndNeverRenamesAFileTwice) {
  AddFiles(4);
  operations.Rename();
  operations.Clear();
  // Replaced by another file; renamed again; put back by hand (as an undo killed before it
  // recorded); untouched.
  fileSystem.Rename("/m/A B0.mp3", "/m/old0.mp3");
  fileSystem.AddFile("/m/A B0.mp3");
  fileSystem.Rename("/m/A B1.mp3", "/m/elsewhere.mp3");
  fileSystem.Rename("/m/A B2.mp3", "/m/a_b2.mp3");
  const int renamesBefore = fileSystem.RenameCalls();
  const TakeBackResult result = operations.TakeBack(1);
  EXPECT_EQ(result.takenBack, 1u);
  EXPECT_EQ(result.alreadyBack, 1u);
  ASSERT_EQ(result.failures.size(), 2u);
  EXPECT_EQ(result.failures[0].row, 0u);
  EXPECT_EQ(result.failures[0].name, "A B0.mp3");
  EXPECT_EQ(result.failures[0].target, "a_b0.mp3");
  EXPECT_EQ(result.failures[0].reason.kind, Reason::Kind::kNotTheFile);
  EXPECT_EQ(result.failures[1].reason.kind, Reason::Kind::kNotThere);
  EXPECT_EQ(fileSystem.RenameCalls(), renamesBefore + 1);
  EXPECT_TRUE(Exists("/m/a_b3.mp3"));
  EXPECT_TRUE(Exists("/m/A B0.mp3"));  // the other file stays where it is
  EXPECT_EQ(Outcomes(1), (std::vector{RowOutcome::kUnknown, RowOutcome::kUnknown,
                                      RowOutcome::kTakenBack, RowOutcome::kTakenBack}));
  EXPECT_EQ(BatchStateWords(store.Batches()[0]), "partly taken back");
  // Again: the rows taken back are left alone; the others are refused as before.
  const TakeBackResult again = operations.TakeBack(1);
  EXPECT_EQ(again.takenBack + again.alreadyBack, 0u);
  EXPECT_EQ(again.failures.size(), 2u);
  EXPECT_EQ(fileSystem.RenameCalls(), renamesBefore + 1);
  EXPECT_THROW(operations.TakeBack(9), std::out_of_range);
}

TEST_F(HistoryTest, TakingBackGoesLastRenamedFirstAndTellsTheListsRows) {
  // b.mp3 -> c.mp3 only after c.mp3 -> d.mp3 made room: back, c must go first.
  fileSystem.AddFile("/m/c.mp3");
  fileSystem.AddFile("/m/b.mp3");
  operations.AddRow("c.mp3", "d.mp3", "/m/", true);
  operations.AddRow("b.mp3", "c.mp3", "/m/", true);
  operations.AddRow("x.mp3", "y.mp3", "/m/", true);  // not there: failed
  ASSERT_EQ(operations.Rename().size(), 1u);
  const TakeBackResult result = operations.TakeBack(1);
  EXPECT_TRUE(result.failures.empty());
  EXPECT_TRUE(Exists("/m/b.mp3") && Exists("/m/c.mp3") && !Exists("/m/d.mp3"));
  EXPECT_FALSE(operations.List().Row(0).IsRenamed());
  EXPECT_FALSE(operations.List().Row(1).IsRenamed());
  EXPECT_EQ(BatchStateWords(store.Batches()[0]), "taken back");
}

TEST_F(HistoryTest, AnInterruptedBatchIsSettledByWhatIsOnDisk) {
  fileSystem.AddFile("/m/A B.mp3");
  fileSystem.AddFile("/m/c_d.mp3");
  const std::vector<std::string> folders{"/m/"};
  const std::vector<platform::HistoryRow> rows{
      {0, "a_b.mp3", "A B.mp3", fileSystem.GetIdentity("/m/A B.mp3")},
      {0, "c_d.mp3", "C D.mp3", fileSystem.GetIdentity("/m/c_d.mp3")}};
  const std::int64_t id = store.BeginBatch(platform::BatchKind::kRename, "Rename", folders, rows);
  ASSERT_EQ(NewestInterrupted(store.Batches())->id, id);
  EXPECT_EQ(BatchStateWords(store.Batches()[0]), "interrupted");
  SettleBatch(fileSystem, store, id);
  EXPECT_EQ(Outcomes(id), (std::vector{RowOutcome::kRenamed, RowOutcome::kFailed}));
  EXPECT_FALSE(NewestInterrupted(store.Batches()));
  EXPECT_EQ(NewestToTakeBack(store.Batches())->renamed, 1u);
}

// The window's side (its questions are tested with the real window): Undo of the list's own rows
// asks nothing, neither the first time nor once the batch is all taken back.
TEST_F(HistoryTest, TheWindowsUndoOfItsOwnRowsDoesNotAsk) {
  fileSystem.AddFile("/m/a_b0.mp3");
  fakes::FakeDialogs dialogs;
  fakes::RecordingWindow window;
  Form1 form(fileSystem, settings, dialogs, dialogs, window, &store);
  form.Operations().AddEntry("/m/a_b0.mp3", true);
  form.Press(Button::kRename);
  form.Press(Button::kUndo);
  EXPECT_TRUE(Exists("/m/a_b0.mp3"));
  form.Press(Button::kUndo);
  EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
}  // namespace vornick::window
