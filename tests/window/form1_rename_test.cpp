// Rename and Undo on real temporary folders: nothing is ever lost or overwritten.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "platform/posix/posix_file_system.h"
#include "tests/platform/temp_folder.h"
#include "tests/window/form1_fixture.h"
#include "window/rename_command.h"

namespace vornick::window {
namespace {

using platform::Contents;
using platform::Control;
using Files = std::map<std::string, std::string>;

class Form1RenameTest : public BasicForm1Test<platform::PosixFileSystem> {
 protected:
  void Rename() { Press(Control::kCheck1); }
  void Undo() { Press(Control::kCheck2); }
  void Row(const std::string& name, const std::string& target, bool checked = true) {
    form.AddPlannedRow(name, target, dir.Path(), checked);
  }
  // The failed rows of the last command as "name>target".
  std::vector<std::string> Failed() const {
    std::vector<std::string> failed;
    for (const RenameFailure& failure : form.LastRenameFailures()) {
      failed.push_back(failure.name + ">" + failure.target);
    }
    return failed;
  }

  platform::TempFolder dir;
};

TEST_F(Form1RenameTest, RenameAndUndoLeaveTheRowsAsTheyWere) {
  dir.Write("a_b.mp3", "ab");
  dir.Write("keep_me.mp3", "keep");
  dir.Write("song.mp3", "s");
  dir.Write("Same.mp3", "same");
  form.AddEntry(dir.Path() + "a_b.mp3", true);
  form.AddEntry(dir.Path() + "keep_me.mp3", true);
  form.ListView1().SetChecked(1, false);
  form.AddEntry(dir.Path() + "song.mp3", true);  // a change of case only
  Row("Same.mp3", "Same.mp3");                   // target equals source: done, nothing to do

  Rename();
  EXPECT_EQ(
      Contents(dir),
      (Files{{"A B.mp3", "ab"}, {"keep_me.mp3", "keep"}, {"Song.mp3", "s"}, {"Same.mp3", "same"}}));
  const RenameEntry& row = form.ListView1().Row(0);
  EXPECT_EQ(row.CurrentName + "|" + row.NewName, "a_b.mp3|A B.mp3");
  EXPECT_TRUE(row.Checked);

  Undo();
  EXPECT_EQ(
      Contents(dir),
      (Files{{"a_b.mp3", "ab"}, {"keep_me.mp3", "keep"}, {"song.mp3", "s"}, {"Same.mp3", "same"}}));
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(Form1RenameTest, ChainAndCollisionAreRefusedWithNothingLost) {
  dir.Write("a.mp3", "A");
  dir.Write("b.mp3", "B");
  dir.Write("x y.mp3", "space");
  dir.Write("x_y.mp3", "underscore");
  Row("a.mp3", "b.mp3");  // b.mp3 is there: refused, although the next row would free it
  Row("b.mp3", "c.mp3");
  form.AddEntry(dir.Path() + "x y.mp3", true);
  form.AddEntry(dir.Path() + "x_y.mp3", true);  // cleans to the same name as the row before
  Rename();
  EXPECT_EQ(
      Contents(dir),
      (Files{{"a.mp3", "A"}, {"c.mp3", "B"}, {"X Y.mp3", "space"}, {"x_y.mp3", "underscore"}}));
  EXPECT_EQ(Failed(), (std::vector<std::string>{"a.mp3>b.mp3", "x_y.mp3>X Y.mp3"}));
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].title, "Some files were not renamed");
  EXPECT_NE(dialogs.Messages()[0].text.find("\"x_y.mp3\" to \"X Y.mp3\" in " + dir.Path() +
                                            ": a file or folder named \"X Y.mp3\" is there"),
            std::string::npos);
}

TEST_F(Form1RenameTest, BadTargetsAreRefusedAndTheRestIsDone) {
  dir.Write("one.mp3", "1");
  dir.Write("#.mp3", "hash");
  dir.Write("mid.mp3", "mid");
  dir.Write("two.mp3", "2");
  Row("one.mp3", "");
  form.AddEntry(dir.Path() + "#.mp3", true);  // cleans to ".mp3", which would hide it
  Row("mid.mp3", "Mid.mp3");
  Row("two.mp3", ".");
  Row("two.mp3", "..");
  Row("two.mp3", "sub/two.mp3");
  Row("gone.mp3", "Gone.mp3");  // no such file
  Row("two.mp3", "Two.mp3");
  Rename();
  EXPECT_EQ(Contents(dir),
            (Files{{"one.mp3", "1"}, {"#.mp3", "hash"}, {"Mid.mp3", "mid"}, {"Two.mp3", "2"}}));
  EXPECT_EQ(Failed(), (std::vector<std::string>{"one.mp3>", "#.mp3>.mp3", "two.mp3>.", "two.mp3>..",
                                                "two.mp3>sub/two.mp3", "gone.mp3>Gone.mp3"}));
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  const std::string& text = dialogs.Messages()[0].text;
  EXPECT_EQ(text.rfind("6 files were not renamed", 0), 0u);
  for (const char* reason : {"the new name is empty", "would hide the file",
                             "the file is not there", "name folders", "folder separator"}) {
    EXPECT_NE(text.find(reason), std::string::npos) << reason;
  }
}

TEST_F(Form1RenameTest, UndoNeverRenamesTheFolderForAnEmptyName) {
  dir.Write("-intro.mp3", "intro");
  EXPECT_ANY_THROW(form.AddEntry(dir.Path() + "-intro.mp3", true));
  Row("-intro.mp3", "");                 // as a plan may hold it, checked
  form.ListView1().SetChecked(0, true);  // Select All may check the uncleaned row
  Undo();
  Rename();
  EXPECT_EQ(Contents(dir), (Files{{"-intro.mp3", "intro"}}));
  EXPECT_EQ(Failed(), (std::vector<std::string>{"-intro.mp3>", "-intro.mp3>"}));
  EXPECT_EQ(dialogs.Messages().size(), 2u);
  EXPECT_EQ(dialogs.Messages()[0].title, "Some files were not renamed back");
}

TEST(FailureMessageTest, ListsTheFirstHundredRowsAndCountsTheRest) {
  const std::vector<RenameFailure> failures(150, RenameFailure{0, "/m/", "a", "A", "gone"});
  const std::string text = FailureMessage(failures, RenameDirection::kRename);
  EXPECT_EQ(text.rfind("150 files were not renamed", 0), 0u);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + 100);
  EXPECT_NE(text.find("\n... and 50 more."), std::string::npos);
}

}  // namespace
}  // namespace vornick::window
