// The mouse pointer: the pictures of cursor files, and what the window shows over its parts and
// while it is busy.
#include <QBuffer>
#include <QImageWriter>
#include <set>

#include "gui/cursor_file.h"
#include "tests/gui/window_fixture.h"
#include "tests/platform/temp_folder.h"

namespace vornick::gui {
namespace {

// A cursor file of one `side` x `side` picture with hot spot (x, y); as an icon file, no hot spot.
QByteArray CursorFile(int side, int x, int y, bool icon = false) {
  QImage image(side, side, QImage::Format_ARGB32);
  image.fill(Qt::blue);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QImageWriter(&buffer, "ico").write(image);
  QByteArray bytes = buffer.data();
  if (icon) return bytes;
  bytes[2] = 2;  // the type: a cursor
  const char hotSpot[] = {char(x), char(x >> 8), char(y), char(y >> 8)};
  return bytes.replace(10, 4, hotSpot, 4);
}

TEST(CursorFile, IsReadWhenSmallAndGivesItsPictureWithAHotSpotInside) {
  EXPECT_EQ(CursorFromBytes(CursorFile(16, 300, 2))->hotSpot(), QPoint(15, 2));     // kept inside
  EXPECT_EQ(CursorFromBytes(CursorFile(32, 5, 5, true))->hotSpot(), QPoint(0, 0));  // an icon
  for (const QByteArray& bytes :
       {QByteArray(), QByteArray("not a cursor at all"), CursorFile(32, 1, 1).left(30)})
    EXPECT_FALSE(CursorFromBytes(bytes));

  platform::TempFolder folder;
  EXPECT_EQ(ReadCursorFile(folder.Write("hand.cur", "abc")), QByteArray("abc"));
  EXPECT_FALSE(ReadCursorFile(folder.Write("huge.cur", std::string(2 << 20, 'x'))));
  EXPECT_FALSE(ReadCursorFile(folder.Path() + "missing.cur"));
  EXPECT_FALSE(ReadCursorFile(folder.Path()));  // a folder
}

using PointerTest = WindowTest;

TEST_F(PointerTest, ThePointerIsAHandOverButtonsAnInvitationOverTheEmptyListAndBusyWhileLoading) {
  platform::TempFolder folder;
  for (const auto& [name, x] : {std::pair{"HAND-M.CUR", 3}, std::pair{"dragfiles.cur", 9}})
    fileSystem.AddFile(folder.Write(name, CursorFile(16, x, 1).toStdString()));
  window.SetProgramFolder(folder.Path().substr(0, folder.Path().size() - 1));
  Open();
  const auto pointerAt = [&](QPoint at) -> std::string {
    QTest::mouseMove(&Form(), at);
    QCoreApplication::processEvents();
    const QCursor cursor = Form().cursor();
    if (cursor.shape() == Qt::ArrowCursor) return "arrow";
    if (cursor.shape() != Qt::BitmapCursor) return "shape " + std::to_string(cursor.shape());
    return cursor.hotSpot().x() == 3 ? "hand" : cursor.hotSpot().x() == 9 ? "drop" : "picture";
  };
  EXPECT_EQ(pointerAt({2, Form().height() - 2}), "arrow");  // the bare window
  EXPECT_EQ(pointerAt(ButtonOf(Button::kUndo).geometry().center()), "hand");
  EXPECT_EQ(pointerAt(List().geometry().center()), "drop");
  AddRows({"/m/a.mp3"});
  EXPECT_EQ(pointerAt(List().geometry().center() + QPoint(5, 5)), "arrow");

  for (const char* path : {"/music/1/a.mp3", "/music/2/a.mp3", "/music/3/a.mp3"})
    fileSystem.AddFile(path);
  dialogs.QueueFolder("/music");
  std::set<Qt::CursorShape> whileLoading;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] { whileLoading.insert(Form().cursor().shape()); });
  watch.start(0);
  Click(Button::kLoadFolder);
  EXPECT_TRUE(whileLoading.contains(Qt::WaitCursor));
  EXPECT_NE(Form().cursor().shape(), Qt::WaitCursor);
}

}  // namespace
}  // namespace vornick::gui
