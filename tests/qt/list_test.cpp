// The list: check box versus row clicks, drops of files and folders, and the pointer over the
// window's parts.
#include <QBuffer>
#include <QDropEvent>
#include <QImageWriter>
#include <QMimeData>
#include <QStyleOptionViewItem>

#include "tests/platform/temp_folder.h"
#include "tests/qt/window_fixture.h"

namespace vornick::platform::qt {
namespace {

using ListTest = WindowTest;

// The centre of the check box of `row`, in the list's viewport.
QPoint CheckBoxOf(RenameView& list, int row) {
  QStyleOptionViewItem option;
  option.initFrom(list.viewport());
  option.rect = list.visualRect(list.model()->index(row, 0));
  option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
  return list.style()
      ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &list)
      .center();
}

TEST_F(ListTest, ACheckBoxClickTurnsItsRowOverOnceAndRunsNoClickRule) {
  Open();
  AddRows({"/m/a_b.mp3", "/m/c_d.mp3"});  // both checked
  const QPoint checkBox = CheckBoxOf(List(), 0);

  QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, checkBox);
  EXPECT_FALSE(Rows().Row(0).Checked);
  EXPECT_EQ(form.LastClickedName(), "");
  QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, checkBox);
  EXPECT_TRUE(Rows().Row(0).Checked);  // no rule stops a second click on the box
  EXPECT_TRUE(Rows().Row(1).Checked);
}

TEST_F(ListTest, ARowClickSelectsItAndRunsTheClickRule) {
  Open();
  AddRows({"/m/a_b.mp3", "/m/c_d.mp3"});
  const QPoint text = List().visualRect(window.Model().index(1, 1)).center();

  QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, text);
  EXPECT_TRUE(Rows().Row(1).Selected);
  EXPECT_EQ(Rows().SelectedItem(), std::optional<std::size_t>(1));
  EXPECT_FALSE(Rows().Row(1).Checked);
  EXPECT_EQ(form.LastClickedName(), "c_d.mp3");
  EXPECT_EQ(window.Model().data(window.Model().index(1, 0), Qt::CheckStateRole), Qt::Unchecked);

  QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, text);
  EXPECT_FALSE(Rows().Row(1).Checked);  // the same row again: the rule leaves it
  EXPECT_TRUE(Rows().Row(0).Checked);
}

// Drops as a file manager makes them, sent to the list.
struct Drop {
  std::unique_ptr<QMimeData> data = std::make_unique<QMimeData>();
  Qt::DropAction action = Qt::IgnoreAction;
  bool accepted = false;
};

Drop DropOn(RenameView& list, const QByteArray& format, const QByteArray& bytes) {
  Drop drop;
  drop.data->setData(QString::fromLatin1(format), bytes);
  const QPointF where(20, 20);
  const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
  QDragEnterEvent enter(where.toPoint(), actions, drop.data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list.viewport(), &enter);
  QDropEvent event(where, actions, drop.data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list.viewport(), &event);
  drop.action = event.dropAction();
  drop.accepted = event.isAccepted();
  return drop;
}

TEST_F(ListTest, DroppedFilesAndFoldersBecomeRowsWithTheirExactBytes) {
  Open();
  fileSystem.AddFile("/music/caf\xE9.mp3");
  fileSystem.AddFile("/music/Live/b_c.mp3");
  fileSystem.AddFile("/music/Live/notes.txt");

  const Drop drop = DropOn(List(), "text/uri-list",
                           "file:///music/caf%E9.mp3\r\n# a comment\r\nfile:///music/Live\r\n");
  EXPECT_TRUE(drop.accepted);
  EXPECT_EQ(drop.action, Qt::CopyAction);  // never a move: the files stay where they are
  ASSERT_TRUE(WaitFor([&] { return window.Model().rowCount() == 2; }));
  EXPECT_EQ(Rows().Row(0).CurrentName, "caf\xE9.mp3");
  EXPECT_EQ(Rows().Row(0).FolderPath(), "/music/");
  EXPECT_EQ(Rows().Row(1).CurrentName, "b_c.mp3");
  EXPECT_EQ(Rows().Row(1).FolderPath(), "/music/Live/");
  EXPECT_EQ(window.Caption(), "Vornick");
}

TEST_F(ListTest, OtherDropsAddNothing) {
  Open();
  fileSystem.AddFile("/music/a.mp3");
  EXPECT_FALSE(DropOn(List(), "text/plain", "/music/a.mp3").accepted);
  EXPECT_TRUE(DropOn(List(), "text/uri-list", "https://example.org/a.mp3\r\n").accepted);
  EXPECT_TRUE(DropOn(List(), "text/uri-list", "file://elsewhere/music/a.mp3\r\n").accepted);
  QTest::qWait(50);
  EXPECT_EQ(Rows().Count(), 0u);
}

// A cursor file: a 16 x 16 picture with its hot spot at (x, y).
std::string CursorBytes(int x, int y) {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::red);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QImageWriter(&buffer, "ico").write(image);
  QByteArray bytes = buffer.data();
  bytes[2] = 2;  // a cursor, not an icon
  bytes[10] = static_cast<char>(x);
  bytes[12] = static_cast<char>(y);
  return bytes.toStdString();
}

TEST_F(ListTest, HoverMovesSetThePointer) {
  TempFolder folder;
  for (const auto& [name, x] : {std::pair{"HAND-M.CUR", 3}, std::pair{"dragfiles.cur", 9}}) {
    fileSystem.AddFile(folder.Write(name, CursorBytes(x, 1)));
  }
  std::string programFolder = folder.Path();
  programFolder.pop_back();
  window.SetProgramFolder(programFolder);
  Open();
  const auto moveTo = [&](QPoint point) {
    QTest::mouseMove(&Form(), point);
    QCoreApplication::processEvents();
  };
  const auto hotSpotX = [&] { return Form().cursor().hotSpot().x(); };
  const QPoint between(CentreOf(Check(1)).x() + 52, CentreOf(Check(1)).y());

  moveTo(between);
  EXPECT_EQ(window.MousePointer(), kPointerArrow);
  EXPECT_EQ(Form().cursor().shape(), Qt::ArrowCursor);
  moveTo(CentreOf(Check(2)));
  EXPECT_EQ(window.MousePointer(), kPointerCustom);
  EXPECT_EQ(Form().cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(hotSpotX(), 3);  // the hand
  moveTo(CentreOf(Check(8)));
  EXPECT_EQ(hotSpotX(), 3);  // Clear List has no hover handler: the hand stays
  moveTo(CentreOf(List()));
  EXPECT_EQ(window.MousePointer(), kPointerCustom);
  EXPECT_EQ(hotSpotX(), 9);  // the empty list invites a drop
  AddRows({"/m/a.mp3"});
  moveTo(CentreOf(List()) + QPoint(5, 5));
  EXPECT_EQ(window.MousePointer(), kPointerArrow);
}

TEST_F(ListTest, ACursorFileThatIsNoPictureKeepsTheOldOne) {
  TempFolder folder;
  EXPECT_TRUE(window.LoadMouseIcon(folder.Write("good.cur", CursorBytes(5, 6))));
  EXPECT_FALSE(window.LoadMouseIcon(folder.Write("bad.cur", "not a picture")));
  EXPECT_FALSE(window.LoadMouseIcon(folder.Path() + "missing.cur"));
  window.SetMousePointer(kPointerCustom);
  EXPECT_EQ(Form().cursor().hotSpot(), QPoint(5, 6));
}

}  // namespace
}  // namespace vornick::platform::qt
