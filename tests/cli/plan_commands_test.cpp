// SPDX-License-Identifier: GPL-3.0-or-later
// The plan format and vornick-cli preview, apply and rename, run in-process on real folders.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <sstream>
#include <tuple>

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
    window::ListOperations operations(fileSystem, settings);
    const int status = command(args, {in, out, err}, {fileSystem, operations});
    return {status, out.str(), err.str()};
  }

  platform::TempFolder dir;
  platform::PosixFileSystem fileSystem;
  fakes::FakeSettingsStore settings;
};

TEST(PlanFormatTest, FieldsRoundTripThroughEscapes) {
  window::RenameList list;
  const window::RenameEntry& row =
      list.Row(list.Append("a\\b\tc\nd\re\xe9.mp3", "/x\ty/", "A\\B", false));
  std::string text;
  PlanRowWriter().Append(text, true, row);
  EXPECT_EQ(text, "1\ta\\\\b\\tc\\nd\\re\xe9.mp3\tA\\\\B\t/x\\ty/\n");
  std::string error;
  const std::optional<PlanRow> parsed = ParsePlanLine(text.substr(0, text.size() - 1), error);
  ASSERT_TRUE(parsed) << error;
  EXPECT_EQ(std::tie(parsed->checked, parsed->current, parsed->proposed, parsed->folder),
            std::tuple(true, row.CurrentName, row.NewName, std::string("/x\ty/")));
}

// The folders of the plan: absolute, without empty or "." steps; ".." is the disk's to resolve.
// Bytes are looked at eight at a time: each escaped byte is found wherever it stands in a long
// name, and bytes that are close to them are left alone.
TEST(PlanFormatTest, EscapesAtEveryPlaceOfALongName) {
  const std::string plain = "0123456789abcdefghij\x7f\x1f]\xc3\x9c[";
  for (const auto& [byte, escaped] : {std::pair{'\\', "\\\\"},
                                      {'\t', "\\t"},
                                      {'\n', "\\n"},
                                      {'\r', "\\r"},
                                      {'\x1f', "\x1f"},
                                      {'/', "/"}}) {
    for (std::size_t at = 0; at <= plain.size(); ++at) {
      std::string name = plain, expected = plain;
      name.insert(at, 1, byte);
      expected.insert(at, escaped);
      EXPECT_EQ(EscapeField(name), expected) << at;
    }
  }
}

TEST(PlanFormatTest, AbsolutePath) {
  for (const auto& [path, absolute] :
       {std::pair{"/a//b/./c/", "/a/b/c/"}, {"/a/../b", "/a/../b"}, {"/", "/"}, {"/a/.", "/a/"}})
    EXPECT_EQ(AbsolutePath(path), absolute);
  char cwd[4096];
  ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
  EXPECT_EQ(AbsolutePath("x.mp3"), AbsolutePath(std::string(cwd) + "/x.mp3"));
  EXPECT_EQ(AbsolutePath("."), AbsolutePath(std::string(cwd)) + (cwd[1] ? "/" : ""));
}

// Beside the plan, each checked row that Rename would refuse is named on standard error.
TEST_F(PlanCommandsTest, PreviewListsFoldersAsLoadFolderAndFilesAsLoadFiles) {
  dir.Write("m/b_c.mp3", "bc");
  dir.Write("m/Sub/X.wav", "x");
  dir.Write("one_file.txt", "1");
  dir.Write("One File.txt", "taken");
  settings.SetTypes("WAV,MP3", "1,0");
  const Outcome run = Do(RunPreviewWith, {dir.Path() + "one_file.txt", dir.Path() + "m/"});
  EXPECT_EQ(run.status, 1);  // a checked row would be refused
  EXPECT_EQ(run.err, "vornick-cli: would not rename \"" + dir.Path() +
                         "one_file.txt\" to \"One File.txt\": a file or folder named \"One "
                         "File.txt\" is there already\n");
  EXPECT_EQ(run.out, "1\tone_file.txt\tOne File.txt\t" + dir.Path() + "\n" +
                         "1\tb_c.mp3\tB C.mp3\t" + dir.Path() + "m/\n" + "0\tX.wav\tX.wav\t" +
                         dir.Path() + "m/Sub/\n");
  // The rows are marked as the folders are read: a row after the last folder is marked too, and
  // so is a plan of portable names, whose rows are marked once they have them.
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{dir.Path() + "m/", dir.Path() + "one_file.txt"},
        {"--portable", dir.Path() + "m/", dir.Path() + "one_file.txt"}}) {
    const Outcome after = Do(RunPreviewWith, args);
    EXPECT_EQ(after.status, 1) << args.front();
    EXPECT_EQ(after.err, run.err) << args.front();
  }
}

// A PATH that is not there, or file types that cannot be read, stop the command before it
// renames or writes anything.
TEST_F(PlanCommandsTest, MissingPathsAndUnreadableTypesExitTwoWritingNothing) {
  dir.Write("a_b.mp3", "ab");
  const Outcome run = Do(RunRenameWith, {dir.Path() + "nope", dir.Path() + "a_b.mp3", "/no/where"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, "vornick-cli: " + dir.Path() +
                         "nope: No such file or directory\n"
                         "vornick-cli: /no/where: No such file or directory\n");
  EXPECT_EQ(Contents(dir), (Files{{"a_b.mp3", "ab"}}));

  settings.Set("CheckedIndexes", "0,,1");
  const Outcome typed = Do(RunRenameWith, {dir.Path() + "a_b.mp3", dir.Path()});
  EXPECT_EQ(typed.status, 2);
  EXPECT_TRUE(typed.err.starts_with("vornick-cli: Load Folder stopped: ")) << typed.err;
  EXPECT_NE(typed.err.find("0,,1"), std::string::npos) << typed.err;
  EXPECT_EQ(Contents(dir), (Files{{"a_b.mp3", "ab"}}));

  for (const std::vector<std::string>& args : {std::vector<std::string>{}, {"-x", dir.Path()}})
    EXPECT_EQ(Do(RunRenameWith, args).status, 2);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{dir.Path() + "none"}, {"--undo"}, {"--redo", "-"}})
    EXPECT_EQ(Do(RunApplyWith, args).status, 2);
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

  // Undone once more, each checked row fails on its own line and the others are still tried.
  const Outcome again = Do(RunApplyWith, {"--undo", "-"}, renamed.out);
  EXPECT_EQ(again.status, 1);
  EXPECT_EQ(std::count(again.err.begin(), again.err.end(), '\n'), 2) << again.err;
  EXPECT_EQ(Contents(dir), before);
}

// A folder named twice: each file is renamed by its first row, the second row is written
// unchecked, and undoing the plan takes each file back once.
TEST_F(PlanCommandsTest, RenameOfAFolderNamedTwiceRenamesAndUndoesEachFileOnce) {
  dir.Write("m/a_b.mp3", "ab");
  const Files before = Contents(dir);
  const Outcome renamed = Do(RunRenameWith, {dir.Path() + "m", dir.Path() + "m/"});
  EXPECT_EQ(renamed.status, 0) << renamed.err;
  EXPECT_EQ(renamed.out, "1\ta_b.mp3\tA B.mp3\t" + dir.Path() + "m/\n" + "0\ta_b.mp3\tA B.mp3\t" +
                             dir.Path() + "m/\n");
  EXPECT_EQ(Contents(dir), (Files{{"m/A B.mp3", "ab"}}));
  const Outcome undone = Do(RunApplyWith, {"--undo", "-"}, renamed.out);
  EXPECT_EQ(undone.status, 0) << undone.err;
  EXPECT_EQ(Contents(dir), before);
}

// Every kind of malformed line is named by its number, and none of the plan is carried out.
TEST_F(PlanCommandsTest, MalformedPlanLineIsNamedAndNothingIsRenamed) {
  dir.Write("a.mp3", "a");
  const std::string good = "1\ta.mp3\tA.mp3\t" + dir.Path() + "\n";
  for (const char* line :
       {"", "1\ta\tb", "1\ta\tb\t/x/\tmore", "2\ta\tb\t/x/", "yes\ta\tb\t/x/", "1\ta\\x\tb\t/x/",
        "1\ta\tb\\\t/x/", "1\ta\tb\t/x", "1\ta\tb\t", "1\ta\tb\t/x/\r",
        "1\ta\t\x01"
        "b\t/x/"}) {
    std::string bad = line;
    // A NUL byte in a name: the \x01 stands for it, as a literal cannot hold one.
    std::replace(bad.begin(), bad.end(), '\x01', '\0');
    const std::string plan = dir.Write("plan.txt", good + bad + "\n" + good);
    const Outcome run = Do(RunApplyWith, {plan});
    EXPECT_EQ(run.status, 2) << line;
    EXPECT_TRUE(run.err.starts_with("vornick-cli: " + plan + ":2: malformed plan: ")) << run.err;
    EXPECT_EQ(Contents(dir).count("a.mp3"), 1u) << line;
  }
}

}  // namespace
}  // namespace vornick::cli
