// SPDX-License-Identifier: GPL-3.0-or-later
// Rename and Undo on real temporary folders: nothing is ever lost or overwritten.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "platform/posix/posix_file_system.h"
#include "tests/fakes/fake_settings_store.h"
#include "tests/platform/temp_folder.h"
#include "window/list_operations.h"

namespace vornick::window {
namespace {

using platform::Contents;
using Files = std::map<std::string, std::string>;
using Strings = std::vector<std::string>;

class RenameTest : public ::testing::Test {
 protected:
  void Row(const std::string& name, const std::string& target, bool checked = true) {
    operations.AddRow(name, target, dir.Path(), checked);
  }
  void Add(const std::string& name) { operations.AddEntry(dir.Path() + name, true); }
  // The failed rows as "name>target".
  static Strings Failed(const std::vector<RenameFailure>& failures) {
    Strings failed;
    for (const RenameFailure& failure : failures)
      failed.push_back(failure.name + ">" + failure.target);
    return failed;
  }

  platform::TempFolder dir;
  platform::PosixFileSystem fileSystem;
  fakes::FakeSettingsStore settings;
  ListOperations operations{fileSystem, settings};
};

TEST_F(RenameTest, ChainsCollisionsAndBadTargetsAreRefusedWithNothingLost) {
  const Strings names{"a.mp3",   "b.mp3", "x y.mp3", "x_y.mp3", "#.mp3",
                      "two.mp3", "e.mp3", "d.mp3",   "dd.mp3",  "s.mp3"};
  for (const std::string& name : names) dir.Write(name, name);
  Row("a.mp3", "b.mp3");  // b.mp3 is there: refused, although the next row would free it
  Row("b.mp3", "c.mp3");
  Add("x y.mp3");
  Add("x_y.mp3");  // cleans to the same name as the row before
  Add("#.mp3");    // cleans to ".mp3", which would hide it
  Row("e.mp3", "");
  Row("d.mp3", ".");
  Row("dd.mp3", "..");
  Row("s.mp3", "sub/two.mp3");
  Row("gone.mp3", "Gone.mp3");  // no such file
  Row("two.mp3", "Two.mp3");
  const std::vector<RenameFailure> failures = operations.Rename();
  Files files;
  for (const std::string& name : names) files[name] = name;
  files.erase("b.mp3");
  files.erase("two.mp3");
  files.erase("x y.mp3");
  files.insert({{"c.mp3", "b.mp3"}, {"Two.mp3", "two.mp3"}, {"X Y.mp3", "x y.mp3"}});
  EXPECT_EQ(Contents(dir), files);
  EXPECT_EQ(Failed(failures),
            (Strings{"a.mp3>b.mp3", "x_y.mp3>X Y.mp3", "#.mp3>.mp3", "e.mp3>", "d.mp3>.",
                     "dd.mp3>..", "s.mp3>sub/two.mp3", "gone.mp3>Gone.mp3"}));
  Strings reasons;
  for (const RenameFailure& failure : failures) {
    EXPECT_EQ(failure.folder, dir.Path());
    reasons.push_back(Describe(failure.reason, failure.target));
  }
  EXPECT_EQ(reasons,
            (Strings{"a file or folder named \"b.mp3\" is there already",
                     "a file or folder named \"X Y.mp3\" is there already",
                     "the new name begins with \".\", which would hide the file",
                     "the new name is empty", "the new name is \".\" or \"..\", which name folders",
                     "the new name is \".\" or \"..\", which name folders",
                     "the new name holds a folder separator", "the file is not there"}));
}

TEST_F(RenameTest, UndoTakesBackOnlyWhatRenameDidAndNothingIsDoneTwice) {
  for (const char* name : {"a_b.mp3", "keep_me.mp3", "song.mp3", "x_y.mp3", "X Y.mp3"})
    dir.Write(name, name);
  for (const char* name : {"a_b.mp3", "keep_me.mp3", "song.mp3", "x_y.mp3", "gone_1.mp3"})
    Add(name);  // song.mp3 changes case only
  operations.List().SetChecked(1, false);
  EXPECT_TRUE(operations.Undo().empty());  // nothing was renamed yet
  EXPECT_EQ(Failed(operations.Rename()), (Strings{"x_y.mp3>X Y.mp3", "gone_1.mp3>Gone 1.mp3"}));
  EXPECT_EQ(Contents(dir), (Files{{"A B.mp3", "a_b.mp3"},
                                  {"keep_me.mp3", "keep_me.mp3"},
                                  {"Song.mp3", "song.mp3"},
                                  {"x_y.mp3", "x_y.mp3"},
                                  {"X Y.mp3", "X Y.mp3"}}));
  EXPECT_TRUE(operations.Rename().empty());  // the same failures again: nothing new to tell
  std::filesystem::remove(dir.Path() + "x_y.mp3");
  // Undo must not take the untouched X Y.mp3 for the file Rename could not rename.
  EXPECT_TRUE(operations.Undo().empty());
  EXPECT_EQ(Contents(dir), (Files{{"a_b.mp3", "a_b.mp3"},
                                  {"keep_me.mp3", "keep_me.mp3"},
                                  {"song.mp3", "song.mp3"},
                                  {"X Y.mp3", "X Y.mp3"}}));
  EXPECT_TRUE(operations.Undo().empty());
  const RenameEntry& row = operations.List().Row(0);  // the rows never change
  EXPECT_EQ(row.CurrentName + "|" + row.NewName + "|" + (row.Checked ? "1" : "0"),
            "a_b.mp3|A B.mp3|1");
}

}  // namespace
}  // namespace vornick::window
