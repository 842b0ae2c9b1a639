// SPDX-License-Identifier: GPL-3.0-or-later
// vornick-cli history and undo, and the history of rename and apply, run in-process on real
// folders with a history in memory.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/plan_commands.h"
#include "platform/posix/posix_file_system.h"
#include "tests/fakes/fake_history_store.h"
#include "tests/fakes/fake_settings_store.h"
#include "tests/platform/temp_folder.h"

namespace vornick::cli {
namespace {

struct Outcome {
  int status;
  std::string out, err;
};

class HistoryCommandsTest : public ::testing::Test {
 protected:
  using Command = int (*)(std::span<const std::string>, Streams, PlanSeams);
  HistoryCommandsTest() {
    for (const char* name : {"a_b.mp3", "c_d.mp3"}) dir.Write(name, name);
  }
  Outcome Do(Command command, std::vector<std::string> args, bool outputFails = false,
             const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    if (outputFails) out.setstate(std::ios::badbit);
    window::ListOperations operations(fileSystem, settings, &history);
    const int status = command(args, {in, out, err}, {fileSystem, operations, &history});
    return {status, out.str(), err.str()};
  }
  Outcome History() {
    std::istringstream in;
    std::ostringstream out, err;
    const int status = RunHistoryWith({}, {in, out, err}, history);
    return {status, out.str(), err.str()};
  }
  bool Exists(const std::string& name) { return ::access((dir.Path() + name).c_str(), F_OK) == 0; }

  platform::TempFolder dir;
  platform::PosixFileSystem fileSystem;
  fakes::FakeSettingsStore settings;
  fakes::FakeHistoryStore history;
};

TEST_F(HistoryCommandsTest, RenameAndApplyStopWhenTheHistoryCannotBeWrittenUnlessTold) {
  history.failAfter = 0;
  const Outcome applied =
      Do(RunApplyWith, {"-"}, false, "1\ta_b.mp3\tA B.mp3\t" + dir.Path() + "\n");
  EXPECT_EQ(applied.status, 2);
  const Outcome refused = Do(RunRenameWith, {dir.Path()});
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.out, "");
  EXPECT_EQ(refused.err,
            "vornick-cli: cannot write the history in /fake: No space left on device; nothing was "
            "renamed (--no-history renames without a way back)\n");
  EXPECT_TRUE(Exists("a_b.mp3") && Exists("c_d.mp3"));
  const Outcome told = Do(RunRenameWith, {"--no-history", dir.Path()});
  EXPECT_EQ(told.status, 0) << told.err;
  EXPECT_TRUE(Exists("A B.mp3") && Exists("C D.mp3"));
}

TEST_F(HistoryCommandsTest, UndoTakesBackTheNewestRenameAndThenHasNothingLeft) {
  ASSERT_EQ(Do(RunRenameWith, {dir.Path()}).status, 0);
  const Outcome undone = Do(RunUndoWith, {});
  EXPECT_EQ(undone.status, 0) << undone.err;
  EXPECT_EQ(undone.out, "batch 1: 2 renamed back, 0 back already, 0 not taken back\n");
  EXPECT_TRUE(Exists("a_b.mp3") && Exists("c_d.mp3"));
  const Outcome nothing = Do(RunUndoWith, {});
  EXPECT_EQ(nothing.status, 0);
  EXPECT_EQ(nothing.err, "vornick-cli: no batch in the history has files still renamed\n");
  const Outcome listed = History();
  EXPECT_EQ(listed.status, 0);
  EXPECT_NE(listed.out.find("\ttaken back\t2 files\t" + dir.Path() + "\tvornick-cli rename\n"),
            std::string::npos)
      << listed.out;
}

TEST_F(HistoryCommandsTest, UndoNamesWhatItCannotTakeBackAndRefusesBadIds) {
  ASSERT_EQ(Do(RunRenameWith, {dir.Path()}).status, 0);
  ::unlink((dir.Path() + "C D.mp3").c_str());
  const Outcome undone = Do(RunUndoWith, {"1"});
  EXPECT_EQ(undone.status, 1);
  EXPECT_EQ(undone.err, "vornick-cli: cannot take back \"" + (dir.Path() + "C D.mp3") +
                            "\" to \"c_d.mp3\": the file is not there\n");
  EXPECT_TRUE(Exists("a_b.mp3"));
  for (const char* id : {"0", "x", "-1", "1x"}) {
    const Outcome refused = Do(RunUndoWith, {"--", id});
    EXPECT_EQ(refused.status, 2) << id;
    EXPECT_NE(refused.err.find("is not a batch id"), std::string::npos) << refused.err;
  }
  const Outcome missing = Do(RunUndoWith, {"7"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "vornick-cli: there is no batch 7 in the history\n");
}

TEST_F(HistoryCommandsTest, ARenameWhosePlanCannotBeWrittenIsTakenBackInItsBatch) {
  const Outcome outcome = Do(RunRenameWith, {dir.Path()}, true);
  EXPECT_EQ(outcome.status, kOutputNotWritten);
  EXPECT_TRUE(Exists("a_b.mp3") && Exists("c_d.mp3"));
  const std::vector<platform::BatchSummary> batches = history.Batches();
  ASSERT_EQ(batches.size(), 1u);
  EXPECT_EQ(batches[0].takenBack, 2u);
  EXPECT_EQ(batches[0].renamed, 0u);
}

TEST_F(HistoryCommandsTest, HistoryListsNewestFirstWithFoldersEscaped) {
  dir.Write("t\tab/e_f.mp3", "");
  ASSERT_EQ(Do(RunRenameWith, {(dir.Path() + "t\tab/")}).status, 0);
  ASSERT_EQ(Do(RunRenameWith, {dir.Path()}).status, 0);
  const Outcome listed = History();
  const std::string::size_type second = listed.out.find("\n2\t");
  EXPECT_EQ(listed.out.rfind("2\t", 0), 0u) << listed.out;
  EXPECT_NE(listed.out.find("\tdone\t1 file\t" + dir.Path() + "t\\tab/\t"), std::string::npos)
      << listed.out;
  EXPECT_EQ(second, std::string::npos);
}

}  // namespace
}  // namespace vornick::cli
