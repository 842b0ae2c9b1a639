// Rows made by AddEntry, the click rule and the button protocol.
#include <gtest/gtest.h>

#include "cleaning/name_cleaning.h"
#include "tests/window/form1_fixture.h"

namespace vornick::window {
namespace {

using platform::Control;

class Form1RowsTest : public Form1Test {
 protected:
  // The user clicks row `index` (numbered from 0) alone.
  void ClickRow(std::size_t index) {
    RenameList& list = form.ListView1();
    for (std::size_t i = 0; i < list.Count(); ++i) list.SetSelected(i, i == index);
    list.SetSelectedItem(index);
    form.ListView1_Click();
  }
  std::string Checks() const {
    std::string marks;
    for (std::size_t i = 0; i < form.ListView1().Count(); ++i)
      marks += form.ListView1().Row(i).Checked ? '1' : '0';
    return marks;
  }
};

TEST_F(Form1RowsTest, AddEntrySplitsCleansAndChecksOnlyTheNewRowWhenNamesDiffer) {
  form.AddEntry("/music/a_b.mp3", true);
  form.AddEntry("/music/A B.mp3", true);   // already clean
  form.AddEntry("/music/x_y.mp3", false);  // never checked
  form.AddEntry("/music/song.mp3", true);  // differs in case only
  form.AddEntry("/other/dir/A B.mp3", true);
  EXPECT_THROW(form.AddEntry("/music/-intro.mp3", true), cleaning::NameCleaningError);
  EXPECT_EQ(Rows(),
            (std::vector<std::string>{"a_b.mp3|A B.mp3|/music/|1", "A B.mp3|A B.mp3|/music/|0",
                                      "x_y.mp3|X Y.mp3|/music/|0", "song.mp3|Song.mp3|/music/|1",
                                      "A B.mp3|A B.mp3|/other/dir/|0", "-intro.mp3||/music/|0"}));
  EXPECT_EQ(window.RowsAppendedCount(), 6u);
}

TEST_F(Form1RowsTest, ClickTurnsTheSelectedRowOverOncePerNewName) {
  for (const char* name : {"a.mp3", "b.mp3", "a.mp", "c.mp3"}) form.AddEntry(name, false);
  ClickRow(0);
  EXPECT_EQ(Checks(), "1000");
  ClickRow(0);  // the same name again: nothing
  EXPECT_EQ(Checks(), "1000");
  ClickRow(2);  // "a.mp" is contained in "a.mp3": nothing
  EXPECT_EQ(Checks(), "1000");
  ClickRow(1);
  ClickRow(0);
  EXPECT_EQ(Checks(), "0100");
  ClickRow(2);  // the last name is "a.mp3" again, which contains "a.mp": nothing
  EXPECT_EQ(Checks(), "0100");
  ClickRow(3);
  ClickRow(2);  // after "c.mp3", "a.mp" turns over
  EXPECT_EQ(Checks(), "0111");
  ClickRow(0);  // "a.mp3" is not contained in "a.mp"
  EXPECT_EQ(Checks(), "1111");

  // The last name clicked outlives Clear List.
  Press(Control::kCheck8);
  form.AddEntry("/m/a.mp3", false);
  ClickRow(0);
  EXPECT_EQ(Checks(), "0");
}

TEST_F(Form1RowsTest, ClickTurnsOverEverySelectedRowAndTellsTheViewOnce) {
  for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3"}) form.AddEntry(name, false);
  RenameList& list = form.ListView1();
  list.SetSelected(1, true);
  list.SetSelected(3, true);
  list.SetSelectedItem(3);
  form.ListView1_Click();
  EXPECT_EQ(Checks(), "0101");
  ASSERT_EQ(window.RowsChangedRanges().size(), 1u);
  EXPECT_EQ(window.RowsChangedRanges()[0], (std::pair<std::size_t, std::size_t>{1, 3}));
}

TEST_F(Form1RowsTest, PressEntersTheHandlerTwiceRunsTheCommandOnceAndSpringsBack) {
  form.AddEntry("A.mp3", false);
  form.AddEntry("B.mp3", false);
  Press(Control::kCheck5);
  EXPECT_EQ(clicks[static_cast<std::size_t>(Control::kCheck5)], 2);
  EXPECT_EQ(window.Value(Control::kCheck5), 0);
  EXPECT_EQ(Checks(), "11");
  EXPECT_EQ(window.RowsChangedRanges().size(), 1u);

  // The program setting Value to 0 (a release) runs nothing.
  window.SetValue(Control::kCheck6, 0);
  EXPECT_EQ(Checks(), "11");
  Press(Control::kCheck6);
  EXPECT_EQ(Checks(), "00");

  Press(Control::kCheck8);
  EXPECT_EQ(window.ClearCount(), 1u);
  // On the empty list the commands change nothing and tell the view nothing.
  for (const Control button : {Control::kCheck5, Control::kCheck6, Control::kCheck8}) Press(button);
  EXPECT_EQ(window.RowsChangedRanges().size(), 2u);
  EXPECT_EQ(window.ClearCount(), 1u);
}

}  // namespace
}  // namespace vornick::window
