// Form_Load, the layout on resize and the mouse pointer.
#include <gtest/gtest.h>

#include "tests/window/form1_fixture.h"

namespace vornick::window {
namespace {

using platform::Control;

class Form1WindowTest : public Form1Test {
 protected:
  std::vector<float> ColumnWidths() const {
    std::vector<float> widths;
    for (const platform::headless::Column& column : window.Columns())
      widths.push_back(column.width);
    return widths;
  }
  void Resize(float width, float height) {
    window.SetOuterSize(width, height);
    form.Form_Resize();
  }
};

TEST_F(Form1WindowTest, LoadMakesTheColumnsAndReadiesTheHandWithoutShowingIt) {
  fileSystem.AddFile("/app/HAND-M.CUR");
  form.Form_Load();
  EXPECT_TRUE(window.ReportView());
  ASSERT_EQ(window.Columns().size(), 3u);
  EXPECT_EQ(window.Columns()[2].header, "Folder");
  EXPECT_EQ(ColumnWidths(), (std::vector<float>{3890, 3890, 1895}));
  EXPECT_EQ(window.MouseIcon(), "/app/HAND-M.CUR");
  EXPECT_EQ(window.PointerHistory(), std::vector<int>{platform::kPointerDefault});
}

TEST_F(Form1WindowTest, ResizeFitsListButtonsAndColumnsAndSkipsSizesItCannotTake) {
  form.Form_Load();
  Resize(13000, 9000);
  const auto list = [this] { return window.ControlGeometry(Control::kListView1); };
  EXPECT_EQ(list().width, 12650);
  EXPECT_EQ(list().height, 7125);
  EXPECT_EQ(list().left, 120);
  for (int button = 0; button < 8; ++button) {
    EXPECT_EQ(
        window.ControlGeometry(static_cast<Control>(static_cast<int>(Control::kCheck1) + button))
            .top,
        7340);
  }
  EXPECT_EQ(window.ControlGeometry(Control::kCheck7).left, 11040);  // buttons never move sideways
  EXPECT_EQ(ColumnWidths(), (std::vector<float>{4960, 4960, 2430}));

  Resize(300, 1000);
  // Width and height would be negative: the list keeps its size and the columns follow it.
  EXPECT_EQ(list().width, 12650);
  EXPECT_EQ(list().height, 7125);
  EXPECT_EQ(window.ControlGeometry(Control::kCheck1).top, -660);  // a negative top is taken
  EXPECT_EQ(ColumnWidths(), (std::vector<float>{4960, 4960, 2430}));

  Resize(800, 9000);  // a list 450 wide: columns of 80, 80 and -10; the last is skipped
  EXPECT_EQ(ColumnWidths(), (std::vector<float>{80, 80, 2430}));
}

TEST_F(Form1WindowTest, PointerFollowsTheHoverRulesAndReadsCursorFilesEveryTime) {
  fileSystem.AddFile("/app/HAND-M.CUR");
  form.ListView1_MouseMove();  // no dragfiles.cur: the pointer is custom, without a picture
  EXPECT_EQ(window.MousePointer(), platform::kPointerCustom);
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
  const std::size_t loads = window.IconLoads().size();

  form.AddEntry("/m/a.mp3", true);
  form.ListView1_MouseMove();  // a list with rows shows the arrow and keeps the icon
  EXPECT_EQ(window.MousePointer(), platform::kPointerArrow);
  EXPECT_EQ(window.MouseIcon(), "/app/HAND-M.CUR");
  EXPECT_EQ(window.IconLoads().size(), loads);

  Press(Control::kCheck8);
  window.SetIconsLoadable(false);  // there, but not a picture: the last one stays
  form.ListView1_MouseMove();
  EXPECT_EQ(window.MouseIcon(), "/app/HAND-M.CUR");
  EXPECT_EQ(window.MousePointer(), platform::kPointerCustom);
}

}  // namespace
}  // namespace vornick::window
