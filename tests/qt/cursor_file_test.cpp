// Cursor files: the picture and the hot spot their header gives.
#include "platform/qt/cursor_file.h"

#include "tests/platform/temp_folder.h"
#include "tests/qt/window_fixture.h"

namespace vornick::platform::qt {
namespace {

TEST(CursorFile, TakesTheHotSpotFromTheHeader) {
  const std::optional<QCursor> cursor = CursorFromBytes(CursorFile(32, 7, 20));
  ASSERT_TRUE(cursor);
  EXPECT_EQ(cursor->hotSpot(), QPoint(7, 20));
  EXPECT_EQ(cursor->pixmap().size(), QSize(32, 32));
  EXPECT_EQ(CursorFromBytes(CursorFile(16, 300, 2))->hotSpot(), QPoint(15, 2));  // kept inside
  EXPECT_EQ(CursorFromBytes(IconFile(32))->hotSpot(), QPoint(0, 0));  // an icon: its corner
  for (const QByteArray& bytes :
       {QByteArray(), QByteArray("not a cursor at all"), CursorFile(32, 1, 1).left(30)})
    EXPECT_FALSE(CursorFromBytes(bytes));
}

TEST(CursorFile, ReadsSmallFilesOnly) {
  TempFolder folder;
  EXPECT_EQ(ReadCursorFile(folder.Write("hand.cur", "abc")), QByteArray("abc"));
  EXPECT_FALSE(ReadCursorFile(folder.Write("huge.cur", std::string(2 << 20, 'x'))));
  EXPECT_FALSE(ReadCursorFile(folder.Path() + "missing.cur"));
  EXPECT_FALSE(ReadCursorFile(folder.Path()));  // a folder
}

}  // namespace
}  // namespace vornick::platform::qt
