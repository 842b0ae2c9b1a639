// Form_Load, the layout on resize and the mouse pointer.
#include <gtest/gtest.h>

#include "tests/window/form1_fixture.h"

namespace vornick::window {
namespace {

using platform::Control;
using platform::headless::Column;

constexpr Control kButtons[] = {Control::kCheck1, Control::kCheck2, Control::kCheck3,
                                Control::kCheck4, Control::kCheck5, Control::kCheck6,
                                Control::kCheck7, Control::kCheck8};

class Form1WindowTest : public Form1Test {
 protected:
  std::vector<float> ColumnWidths() const {
    std::vector<float> widths;
    for (const Column& column : window.Columns()) widths.push_back(column.width);
    return widths;
  }
  void Resize(float width, float height) {
    window.SetOuterSize(width, height);
    form.Form_Resize();
  }
};

TEST_F(Form1WindowTest, LoadMakesTheReportViewAndItsColumnsFromTheListWidth) {
  form.Form_Load();
  EXPECT_TRUE(window.ReportView());
  ASSERT_EQ(window.Columns().size(), 3u);
  EXPECT_EQ(window.Columns()[0].header, "Filename Now");
  EXPECT_EQ(window.Columns()[1].header, "Filename After Rename");
  EXPECT_EQ(window.Columns()[2].header, "Folder");
  EXPECT_EQ(ColumnWidths(), (std::vector<float>{3890, 3890, 1895}));
  EXPECT_TRUE(window.IconLoads().empty());  // no hand cursor beside the program
  EXPECT_EQ(form.ListView1().Count(), 0u);
  EXPECT_TRUE(form.List4().Empty());
}

TEST_F(Form1WindowTest, LoadReadiesTheHandWithoutShowingIt) {
  fileSystem.AddFile("/app/HAND-M.CUR");
  form.Form_Load();
  EXPECT_EQ(window.MouseIcon(), "/app/HAND-M.CUR");
  EXPECT_EQ(window.PointerHistory(), std::vector<int>{platform::kPointerDefault});
}

TEST_F(Form1WindowTest, ResizeFitsListButtonsAndColumnsToTheWindow) {
  form.Form_Load();
  Resize(13000, 9000);
  EXPECT_EQ(window.ControlGeometry(Control::kListView1).width, 12650);
  EXPECT_EQ(window.ControlGeometry(Control::kListView1).height, 7125);
  EXPECT_EQ(window.ControlGeometry(Control::kListView1).left, 120);
  for (const Control button : kButtons) {
    EXPECT_EQ(window.ControlGeometry(button).top, 7340);
  }
  EXPECT_EQ(window.ControlGeometry(Control::kCheck7).left, 11040);  // buttons never move sideways
  EXPECT_EQ(ColumnWidths(), (std::vector<float>{4960, 4960, 2430}));
}

TEST_F(Form1WindowTest, TooSmallAWindowSkipsOnlyTheSizesItCannotTake) {
  form.Form_Load();
  Resize(300, 1000);
  // Width and height would be negative: the list keeps its size and the columns follow it.
  EXPECT_EQ(window.ControlGeometry(Control::kListView1).width, 9975);
  EXPECT_EQ(window.ControlGeometry(Control::kListView1).height, 4935);
  EXPECT_EQ(window.ControlGeometry(Control::kCheck1).top, -660);  // a negative top is taken
  EXPECT_EQ(ColumnWidths(), (std::vector<float>{3890, 3890, 1895}));

  Resize(800, 9000);  // a list 450 wide: columns of 80, 80 and -10; the last is skipped
  EXPECT_EQ(ColumnWidths(), (std::vector<float>{80, 80, 1895}));
}

TEST_F(Form1WindowTest, PointerFollowsTheHoverRulesAndReadsCursorFilesEveryTime) {
  fileSystem.AddFile("/app/HAND-M.CUR");
  fileSystem.AddFile("/app/dragfiles.cur");
  form.Check3_MouseMove();
  EXPECT_EQ(window.MousePointer(), platform::kPointerCustom);
  EXPECT_EQ(window.MouseIcon(), "/app/HAND-M.CUR");
  form.Form_MouseMove();
  EXPECT_EQ(window.MousePointer(), platform::kPointerArrow);
  form.ListView1_MouseMove();  // the empty list invites a drop
  EXPECT_EQ(window.MousePointer(), platform::kPointerCustom);
  EXPECT_EQ(window.MouseIcon(), "/app/dragfiles.cur");
  form.Check7_MouseMove();
  EXPECT_EQ(window.MouseIcon(), "/app/HAND-M.CUR");
  EXPECT_EQ(window.IconLoads().size(), 3u);

  form.AddEntry("/m/a.mp3", true);
  form.ListView1_MouseMove();  // a list with rows shows the arrow and keeps the icon
  EXPECT_EQ(window.MousePointer(), platform::kPointerArrow);
  EXPECT_EQ(window.MouseIcon(), "/app/HAND-M.CUR");
  EXPECT_EQ(window.IconLoads().size(), 3u);

  Press(Control::kCheck8);
  form.ListView1_MouseMove();
  EXPECT_EQ(window.MouseIcon(), "/app/dragfiles.cur");
}

TEST_F(Form1WindowTest, MissingOrBrokenCursorFilesKeepTheLastPicture) {
  fileSystem.AddFile("/app/HAND-M.CUR");
  form.Check1_MouseMove();
  form.ListView1_MouseMove();  // no dragfiles.cur: the hand stays, the pointer is custom
  EXPECT_EQ(window.MouseIcon(), "/app/HAND-M.CUR");
  EXPECT_EQ(window.MousePointer(), platform::kPointerCustom);

  fileSystem.AddFile("/app/dragfiles.cur");
  window.SetIconsLoadable(false);  // there, but not a picture
  form.ListView1_MouseMove();
  EXPECT_EQ(window.MouseIcon(), "/app/HAND-M.CUR");
  EXPECT_EQ(window.MousePointer(), platform::kPointerCustom);
}

}  // namespace
}  // namespace vornick::window
