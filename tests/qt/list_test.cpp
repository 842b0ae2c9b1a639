// The list: check box versus row clicks, drops of files and folders, and the pointer over the
// window's parts.
#include <QDropEvent>
#include <QMimeData>
#include <QStyleOptionViewItem>

#include "tests/platform/temp_folder.h"
#include "tests/qt/window_fixture.h"

namespace vornick::platform::qt {
namespace {

using ListTest = WindowTest;

TEST_F(ListTest, ACheckBoxClickTurnsItsRowOverAndARowClickRunsTheClickRule) {
  Open();
  AddRows({"/m/a_b.mp3", "/m/c_d.mp3"});  // both checked
  QStyleOptionViewItem option;
  option.initFrom(List().viewport());
  option.rect = List().visualRect(List().model()->index(0, 0));
  option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
  const QPoint checkBox =
      List()
          .style()
          ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &List())
          .center();
  const auto click = [&](QPoint at) {
    QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, at);
  };

  click(checkBox);
  EXPECT_FALSE(Rows().Row(0).Checked);
  EXPECT_EQ(form.LastClickedName(), "");
  click(checkBox);
  EXPECT_TRUE(Rows().Row(0).Checked);  // no rule stops a second click on the box

  const QPoint text = List().visualRect(window.Model().index(1, 1)).center();
  click(text);
  EXPECT_TRUE(Rows().Row(1).Selected);
  EXPECT_EQ(Rows().SelectedItem(), std::optional<std::size_t>(1));
  EXPECT_EQ(form.LastClickedName(), "c_d.mp3");
  EXPECT_EQ(window.Model().data(window.Model().index(1, 0), Qt::CheckStateRole), Qt::Unchecked);
  click(text);
  EXPECT_FALSE(Rows().Row(1).Checked);  // the same row again: the rule leaves it
  EXPECT_TRUE(Rows().Row(0).Checked);
}

// A drop as a file manager makes it, sent to the list; whether it was accepted, and its action.
std::pair<bool, Qt::DropAction> DropOn(RenameView& list, const char* format,
                                       const QByteArray& bytes) {
  QMimeData data;
  data.setData(format, bytes);
  const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
  QDragEnterEvent enter(QPoint(20, 20), actions, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list.viewport(), &enter);
  QDropEvent event(QPointF(20, 20), actions, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list.viewport(), &event);
  return {event.isAccepted(), event.dropAction()};
}

TEST_F(ListTest, DroppedFilesAndFoldersBecomeRowsWithTheirExactBytes) {
  Open();
  fileSystem.AddFile("/music/caf\xE9.mp3");
  fileSystem.AddFile("/music/Live/b_c.mp3");
  fileSystem.AddFile("/music/Live/notes.txt");
  // Accepted as a copy, never a move: the files stay where they are.
  EXPECT_EQ(DropOn(List(), "text/uri-list",
                   "file:///music/caf%E9.mp3\r\n# a comment\r\nfile:///music/Live\r\n"),
            std::pair(true, Qt::CopyAction));
  ASSERT_TRUE(WaitFor([&] { return window.Model().rowCount() == 2; }));
  EXPECT_EQ(Rows().Row(0).FolderPath() + Rows().Row(0).CurrentName, "/music/caf\xE9.mp3");
  EXPECT_EQ(Rows().Row(1).FolderPath() + Rows().Row(1).CurrentName, "/music/Live/b_c.mp3");
  EXPECT_EQ(window.Caption(), "Vornick");

  // Other drops add nothing.
  EXPECT_FALSE(DropOn(List(), "text/plain", "/music/Live/b_c.mp3").first);
  EXPECT_TRUE(DropOn(List(), "text/uri-list", "https://example.org/a.mp3\r\n").first);
  EXPECT_TRUE(DropOn(List(), "text/uri-list", "file://elsewhere/music/Live/b_c.mp3\r\n").first);
  QTest::qWait(50);
  EXPECT_EQ(Rows().Count(), 2u);
}

TEST_F(ListTest, HoverMovesSetThePointer) {
  TempFolder folder;
  for (const auto& [name, x] : {std::pair{"HAND-M.CUR", 3}, std::pair{"dragfiles.cur", 9}})
    fileSystem.AddFile(folder.Write(name, CursorFile(16, x, 1).toStdString()));
  window.SetProgramFolder(folder.Path().substr(0, folder.Path().size() - 1));
  Open();
  const auto moveTo = [&](const QWidget& widget, QPoint offset = {}) {
    QTest::mouseMove(&Form(), widget.geometry().center() + offset);
    QCoreApplication::processEvents();
  };
  const auto hotSpotX = [&] { return Form().cursor().hotSpot().x(); };

  moveTo(Check(1), QPoint(52, 0));  // between two buttons
  EXPECT_EQ(window.MousePointer(), kPointerArrow);
  EXPECT_EQ(Form().cursor().shape(), Qt::ArrowCursor);
  moveTo(Check(2));
  EXPECT_EQ(window.MousePointer(), kPointerCustom);
  EXPECT_EQ(Form().cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(hotSpotX(), 3);  // the hand
  moveTo(Check(8));
  EXPECT_EQ(hotSpotX(), 3);  // Clear List has no hover handler: the hand stays
  moveTo(List());
  EXPECT_EQ(window.MousePointer(), kPointerCustom);
  EXPECT_EQ(hotSpotX(), 9);  // the empty list invites a drop
  AddRows({"/m/a.mp3"});
  moveTo(List(), QPoint(5, 5));
  EXPECT_EQ(window.MousePointer(), kPointerArrow);
}

}  // namespace
}  // namespace vornick::platform::qt
