// The plan format and vornick-cli preview, apply and rename, run in-process on real folders.
#include <gtest/gtest.h>

#include <unistd.h>

#include <sstream>

#include "cli/plan_commands.h"
#include "cli/plan_format.h"
#include "platform/posix/posix_file_system.h"
#include "tests/fakes/fake_settings_store.h"
#include "tests/platform/temp_folder.h"

namespace vornick::cli {
namespace {

using Files = std::map<std::string, std::string>;
using platform::Contents;

struct Outcome {
  int status;
  std::string out, err;
};

class PlanCommandsTest : public ::testing::Test {
 protected:
  using Command = int (*)(std::span<const std::string>, Streams, PlanSeams);
  Outcome Do(Command command, std::vector<std::string> args, const std::string& input = "") {
    std::istringstream in(input);
    std::ostringstream out, err;
    const int status = command(args, {in, out, err}, {fileSystem, settings});
    return {status, out.str(), err.str()};
  }

  platform::TempFolder dir;
  platform::PosixFileSystem fileSystem;
  fakes::FakeSettingsStore settings;
};

TEST(PlanFormatTest, FieldsRoundTripThroughEscapes) {
  window::RenameList list;
  window::RenameEntry& row = list.Append("a\\b\tc\nd\re\xe9.mp3", "/x\ty/");
  row.NewName = "A\\B";
  std::ostringstream out;
  WritePlanRow(out, true, row);
  EXPECT_EQ(out.str(), "1\ta\\\\b\\tc\\nd\\re\xe9.mp3\tA\\\\B\t/x\\ty/\n");
  std::string error;
  const std::string line = out.str().substr(0, out.str().size() - 1);
  const std::optional<PlanRow> parsed = ParsePlanLine(line, error);
  ASSERT_TRUE(parsed) << error;
  EXPECT_TRUE(parsed->checked);
  EXPECT_EQ(parsed->current + parsed->proposed + parsed->folder, row.CurrentName + "A\\B/x\ty/");
}

TEST(PlanFormatTest, MalformedLines) {
  for (const char* line :
       {"", "1\ta\tb", "1\ta\tb\t/x/\tmore", "2\ta\tb\t/x/", "yes\ta\tb\t/x/", "1\ta\\x\tb\t/x/",
        "1\ta\tb\\\t/x/", "1\ta\tb\t/x", "1\ta\tb\t", "1\ta\tb\t/x/\r"}) {
    std::string error;
    EXPECT_FALSE(ParsePlanLine(line, error)) << line;
    EXPECT_FALSE(error.empty());
  }
  std::string error;
  EXPECT_TRUE(ParsePlanLine("0\t\t\t/", error));  // empty names are the commands' to refuse
}

TEST(PlanFormatTest, AbsolutePath) {
  EXPECT_EQ(AbsolutePath("/a//b/./c/"), "/a/b/c/");
  EXPECT_EQ(AbsolutePath("/a/../b"), "/a/../b");
  EXPECT_EQ(AbsolutePath("/"), "/");
  EXPECT_EQ(AbsolutePath("/a/."), "/a/");
  char cwd[4096];
  ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
  EXPECT_EQ(AbsolutePath("x.mp3"), AbsolutePath(std::string(cwd) + "/x.mp3"));
  EXPECT_EQ(AbsolutePath("."), AbsolutePath(std::string(cwd)) + (cwd[1] ? "/" : ""));
}

TEST_F(PlanCommandsTest, PreviewListsFoldersAsLoadFolderAndFilesAsLoadFiles) {
  dir.Write("m/b_c.mp3", "bc");
  dir.Write("m/Sub/X.wav", "x");
  dir.Write("one_file.txt", "1");
  settings.SetTypes("WAV,MP3", "1,0");
  const Outcome run = Do(RunPreviewWith, {dir.Path() + "one_file.txt", dir.Path() + "m/"});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "1\tone_file.txt\tOne File.txt\t" + dir.Path() + "\n" +
                         "1\tb_c.mp3\tB C.mp3\t" + dir.Path() + "m/\n" + "0\tX.wav\tX.wav\t" +
                         dir.Path() + "m/Sub/\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(PlanCommandsTest, MissingPathsAreAllReportedAndNothingIsWritten) {
  dir.Write("a_b.mp3", "ab");
  const Outcome run = Do(RunRenameWith, {dir.Path() + "nope", dir.Path() + "a_b.mp3", "/no/where"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2);
  EXPECT_EQ(Contents(dir), (Files{{"a_b.mp3", "ab"}}));
  EXPECT_EQ(Do(RunPreviewWith, {}).status, 2);
  EXPECT_EQ(Do(RunPreviewWith, {"-x"}).status, 2);

  settings.Set("CheckedIndexes", "0,,1");  // malformed types stop preview with their message
  const Outcome typed = Do(RunPreviewWith, {dir.Path()});
  EXPECT_EQ(typed.status, 2);
  EXPECT_EQ(typed.out, "");
  EXPECT_NE(typed.err.find("0,,1"), std::string::npos);
}

TEST_F(PlanCommandsTest, RenameWritesFailedRowsUncheckedSoUndoRestoresExactly) {
  dir.Write("m/a_b.mp3", "underscore");
  dir.Write("m/a b.mp3", "space");
  dir.Write("m/c_d.mp3", "cd");
  const Files before = Contents(dir);
  const Outcome renamed = Do(RunRenameWith, {dir.Path() + "m"});
  EXPECT_EQ(renamed.status, 1);
  EXPECT_EQ(renamed.out, "1\ta b.mp3\tA B.mp3\t" + dir.Path() + "m/\n" + "0\ta_b.mp3\tA B.mp3\t" +
                             dir.Path() + "m/\n" + "1\tc_d.mp3\tC D.mp3\t" + dir.Path() + "m/\n");
  EXPECT_EQ(renamed.err, "vornick-cli: cannot rename \"" + dir.Path() +
                             "m/a_b.mp3\" to \"A B.mp3\": a file or folder named \"A B.mp3\" "
                             "is there already\n");
  EXPECT_EQ(Contents(dir),
            (Files{{"m/A B.mp3", "space"}, {"m/a_b.mp3", "underscore"}, {"m/C D.mp3", "cd"}}));

  const Outcome undone = Do(RunApplyWith, {"--undo", "-"}, renamed.out);
  EXPECT_EQ(undone.status, 0) << undone.err;
  EXPECT_EQ(Contents(dir), before);
}

TEST_F(PlanCommandsTest, ApplyReportsEachFailedRowAndDoesTheRest) {
  dir.Write("a.mp3", "a");
  dir.Write("c.mp3", "c");
  const std::string rows = "1\tgone.mp3\tGone.mp3\t" + dir.Path() + "\n" +  // not there
                           "1\ta.mp3\tA.mp3\t" + dir.Path() + "\n" +        //
                           "0\tc.mp3\tC.mp3\t" + dir.Path() + "\n" +        // unchecked
                           "1\tc.mp3\t\t" + dir.Path() + "\n";              // empty target
  const Outcome run = Do(RunApplyWith, {"-"}, rows);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
  EXPECT_EQ(Contents(dir), (Files{{"A.mp3", "a"}, {"c.mp3", "c"}}));

  // A malformed plan is refused before anything is renamed.
  const std::string plan = dir.Write("plan.txt", "1\tA.mp3\ta.mp3\t" + dir.Path() + "\n1\tb\n");
  const Outcome malformed = Do(RunApplyWith, {plan});
  EXPECT_EQ(malformed.status, 2);
  EXPECT_NE(malformed.err.find(plan + ":2: malformed plan"), std::string::npos);
  EXPECT_EQ(Contents(dir).count("A.mp3"), 1u);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{dir.Path() + "none"}, {"--undo"}, {"--redo", plan}})
    EXPECT_EQ(Do(RunApplyWith, args).status, 2);
}

}  // namespace
}  // namespace vornick::cli
