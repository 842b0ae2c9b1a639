// Cursor files: the picture and the hot spot their header gives.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImageWriter>

#include "platform/qt/cursor_file.h"
#include "tests/platform/temp_folder.h"

namespace vornick::platform::qt {
namespace {

// An icon-resource file of one `side` x `side` picture; made a cursor with hot spot (x, y).
QByteArray IconFile(int side) {
  QImage image(side, side, QImage::Format_ARGB32);
  image.fill(Qt::blue);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QImageWriter(&buffer, "ico").write(image);
  return buffer.data();
}

QByteArray CursorFile(int side, int x, int y) {
  QByteArray bytes = IconFile(side);
  bytes[2] = 2;
  bytes[10] = static_cast<char>(x & 0xFF);
  bytes[11] = static_cast<char>(x >> 8);
  bytes[12] = static_cast<char>(y & 0xFF);
  bytes[13] = static_cast<char>(y >> 8);
  return bytes;
}

TEST(CursorFile, TakesTheHotSpotFromTheHeader) {
  const std::optional<QCursor> cursor = CursorFromBytes(CursorFile(32, 7, 20));
  ASSERT_TRUE(cursor);
  EXPECT_EQ(cursor->hotSpot(), QPoint(7, 20));
  EXPECT_EQ(cursor->pixmap().size(), QSize(32, 32));
  EXPECT_EQ(CursorFromBytes(CursorFile(16, 300, 2))->hotSpot(), QPoint(15, 2));  // kept inside
}

TEST(CursorFile, AnIconPointsWithItsTopLeftCorner) {
  const std::optional<QCursor> cursor = CursorFromBytes(IconFile(32));
  ASSERT_TRUE(cursor);
  EXPECT_EQ(cursor->hotSpot(), QPoint(0, 0));
}

TEST(CursorFile, WhatIsNoPictureGivesNone) {
  EXPECT_FALSE(CursorFromBytes(""));
  EXPECT_FALSE(CursorFromBytes("not a cursor at all"));
  EXPECT_FALSE(CursorFromBytes(CursorFile(32, 1, 1).left(30)));
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
