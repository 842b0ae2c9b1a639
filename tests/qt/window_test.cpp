// The window as its description puts it, and its layout after a resize.
#include <QHeaderView>

#include "platform/qt/twips.h"
#include "tests/qt/window_fixture.h"

namespace vornick::platform::qt {
namespace {

TEST_F(WindowTest, OpensWithCaptionSizeAndControlsWhereTheDescriptionPutsThem) {
  EXPECT_EQ(Form().windowTitle(), "Vornick");
  EXPECT_EQ(Form().size(), QSize(842, 506));  // 12630 x 7590 twips
  EXPECT_EQ(Form().palette().color(QPalette::Window), QColor(Qt::white));
  EXPECT_EQ(List().geometry(), QRect(8, 8, 665, 329));
  EXPECT_FALSE(Form().ControlWidget(Control::kList4).isVisibleTo(&Form()));
  // Check1 .. Check8 by number; Clear List (8) stands between Unselect All (6) and Exit (7).
  const int lefts[] = {8, 112, 216, 320, 424, 528, 736, 632};
  const char* captions[] = {"Rename",     "Undo",         "Load Folder", "Load Files",
                            "Select All", "Unselect All", "Exit",        "Clear List"};
  for (int number = 1; number <= 8; ++number) {
    SCOPED_TRACE(number);
    EXPECT_EQ(Check(number).geometry(), QRect(lefts[number - 1], 344, 97, 73));
    EXPECT_EQ(Check(number).text(), captions[number - 1]);
    EXPECT_TRUE(Check(number).isCheckable());
    EXPECT_FALSE(Check(number).icon().isNull());
  }
  // Tab order follows the tab indexes: Exit before Clear List.
  EXPECT_EQ(Check(6).nextInFocusChain(), &Check(7));
  EXPECT_EQ(Check(7).nextInFocusChain(), &Check(8));
}

TEST_F(WindowTest, LoadMakesThreeColumnsFromTheStoredWidth) {
  EXPECT_TRUE(List().header()->isHidden());
  host.Load();
  EXPECT_FALSE(List().header()->isHidden());
  const RenameModel& model = window.Model();
  ASSERT_EQ(model.columnCount(), 3);
  EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), "Filename Now");
  EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Filename After Rename");
  EXPECT_EQ(model.headerData(2, Qt::Horizontal).toString(), "Folder");
  EXPECT_EQ(List().columnWidth(2), 126);  // 9975 / 5 - 100 = 1895 twips
}

// Where Form_Resize puts the list, the buttons and the columns for the window's outer size.
void ExpectLaidOutFor(WindowTest& test, QSize outer) {
  const float width = ToTwips(outer.width()), height = ToTwips(outer.height());
  const int listWidth = ToPixels(width - 350);
  EXPECT_EQ(test.List().geometry(), QRect(8, 8, listWidth, ToPixels(height - 1875)));
  for (int number = 1; number <= 8; ++number) {
    EXPECT_EQ(test.Check(number).y(), ToPixels(height - 1660)) << number;
  }
  const float list = ToTwips(listWidth);
  EXPECT_EQ(test.List().columnWidth(0), ToPixels(list * 2 / 5 - 100));
  EXPECT_EQ(test.List().columnWidth(1), ToPixels(list * 2 / 5 - 100));
  EXPECT_EQ(test.List().columnWidth(2), ToPixels(list / 5 - 100));
}

TEST_F(WindowTest, ShowingAndResizingLayTheWindowOutFromItsOuterSize) {
  Open();
  ExpectLaidOutFor(*this, Form().frameGeometry().size());

  Form().resize(1200, 700);
  ASSERT_TRUE(WaitFor([&] { return Form().frameGeometry().height() >= 700; }));
  ExpectLaidOutFor(*this, Form().frameGeometry().size());
  EXPECT_EQ(Check(1).x(), 8);  // left edges never move
  EXPECT_EQ(Check(7).x(), 736);

  // Too small for the list: it keeps its last height, the buttons still follow the bottom edge.
  const int listHeight = List().height();
  Form().resize(500, 100);
  ASSERT_TRUE(WaitFor([&] { return Form().height() == 100; }));
  EXPECT_EQ(List().height(), listHeight);
  EXPECT_EQ(Check(1).y(), ToPixels(ToTwips(Form().frameGeometry().height()) - 1660));
}

}  // namespace
}  // namespace vornick::platform::qt
