// The list: its rows arrive in batches, the check marks on screen follow every command, a click
// on a check box is not a click on its row, and drops of local files and folders add rows.
#include <QDropEvent>
#include <QMimeData>
#include <QScreen>
#include <QSignalSpy>

#include "tests/gui/window_fixture.h"

namespace vornick::gui {
namespace {

class ListTest : public WindowTest {
 public:
  ListTest() { Open(); }
};

std::vector<std::string> Paths(const std::string& folder, int count) {
  std::vector<std::string> paths;
  for (int i = 0; i < count; ++i) paths.push_back(folder + "track_" + std::to_string(i) + ".mp3");
  return paths;
}

TEST_F(ListTest, RowsAreShownInBatchesOneForLoadFilesAndAtTheDoEventsPointsOfLoadFolder) {
  QSignalSpy inserts(&window.Model(), &QAbstractItemModel::rowsInserted);
  dialogs.QueueOpen(Paths("/music/", 300));
  Click(Button::kLoadFiles);
  EXPECT_EQ(inserts.count(), 1);
  ASSERT_EQ(window.Model().rowCount(), 300);
  EXPECT_EQ(window.Model().index(299, 1).data().toString(), "Track 299.mp3");
  EXPECT_EQ(window.Model().index(299, 0).data(Qt::CheckStateRole), Qt::Checked);

  inserts.clear();
  constexpr int kFolders = 20, kFilesEach = 30;
  for (int folder = 0; folder < kFolders; ++folder) {
    for (const std::string& path : Paths("/music/" + std::to_string(folder) + "/", kFilesEach))
      fileSystem.AddFile(path);
  }
  dialogs.QueueFolder("/music");
  Click(Button::kLoadFolder);
  ASSERT_EQ(window.Model().rowCount(), 300 + kFolders * kFilesEach);
  EXPECT_EQ(window.Model().index(300 + kFilesEach, 2).data().toString(), "/music/1/");
  EXPECT_GE(inserts.count(), 1);
  EXPECT_LE(inserts.count(), kFolders + 1);  // never one per row
}

// The check marks as the screen shows them: what was last painted into the window's backing
// store, each row's box read as 'x' or '-' by comparing its inside with the boxes first painted.
TEST_F(ListTest, TheScreenShowsTheCheckMarksAfterEachCommand) {
  AddRows({"/m/a_b.mp3", "/m/Tidy.mp3", "/m/c_d.mp3", "/m/Neat.mp3"});
  const auto boxes = [&] {
    const QPoint at = List().viewport()->mapTo(&Form(), QPoint(0, 0));
    const QImage shot = Form().screen()->grabWindow(Form().winId()).toImage();
    std::vector<QImage> shown;
    for (int row = 0; row < 4; ++row)
      shown.push_back(shot.copy(CheckBox(row).translated(at).adjusted(2, 2, -2, -2)));
    return shown;
  };
  ASSERT_TRUE(QTest::qWaitFor([&] { return boxes()[0] != boxes()[1]; }));
  const QImage checked = boxes()[0], unchecked = boxes()[1];
  const auto marks = [&] {
    std::string read;
    for (const QImage& box : boxes()) read += box == checked ? 'x' : box == unchecked ? '-' : '?';
    return read;
  };
  const std::pair<const char*, std::function<void()>> steps[] = {
      {"xxxx", [&] { Click(Button::kSelectAll); }},
      {"----", [&] { Click(Button::kUnselectAll); }},
      {"--x-",
       [&] { QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, CheckBox(2).center()); }}};
  EXPECT_EQ(marks(), "x-x-");
  for (const auto& [expected, step] : steps) {
    step();
    EXPECT_TRUE(QTest::qWaitFor([&] { return marks() == expected; }, 1000))
        << "the screen shows " << marks() << ", not " << expected;
  }
}

TEST_F(ListTest, ACheckBoxClickTurnsItsRowOverAndARowClickRunsTheClickRule) {
  AddRows({"/m/a_b.mp3", "/m/c_d.mp3"});  // both checked
  const auto click = [&](QPoint at) {
    QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, at);
  };

  click(CheckBox(0).center());
  EXPECT_FALSE(Rows().Row(0).Checked);
  EXPECT_EQ(form.LastClickedName(), "");  // not a row click
  click(CheckBox(0).center());
  EXPECT_TRUE(Rows().Row(0).Checked);  // no rule stops a second click on the box

  const QPoint text = List().visualRect(window.Model().index(1, 1)).center();
  click(text);
  EXPECT_EQ(Rows().SelectedItem(), std::optional<std::size_t>(1));
  EXPECT_FALSE(Rows().Row(1).Checked);
  EXPECT_EQ(form.LastClickedName(), "c_d.mp3");
  click(text);
  EXPECT_FALSE(Rows().Row(1).Checked);  // the same row again: the rule leaves it
  EXPECT_TRUE(Rows().Row(0).Checked);
}

TEST_F(ListTest, ADropOfLocalFilesAndFoldersAddsThemByTheirExactBytesAndNeverMovesThem) {
  const std::vector<std::string> added{"/music/a b.mp3",     "/music/x.mp3",
                                       "/music/caf\xE9.mp3", "/music/caf\xC3\xA9 x.mp3",
                                       "/music/100%?#.mp3",  "/music/Live/b_c.mp3"};
  // Also there, but not to be added: the files of the lines that do not name a local file.
  for (const std::string& path : added) fileSystem.AddFile(path);
  for (const char* path : {"/music/Live/notes.txt", "/music/comment.mp3", "/web.mp3",
                           "/music/remote.mp3", "/music/plain.mp3"})
    fileSystem.AddFile(path);
  // A drop as a file manager makes it, sent to the list: whether it was taken, and how.
  const auto drop = [&](const QByteArray& bytes, Qt::DropActions offered,
                        const char* format = "text/uri-list") {
    QMimeData data;
    data.setData(format, bytes);
    QDragEnterEvent enter(QPoint(20, 20), offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(List().viewport(), &enter);
    QDropEvent event(QPointF(20, 20), offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(List().viewport(), &event);
    return std::pair(event.isAccepted(), event.dropAction());
  };
  const QByteArray uriList =
      "file:///music/a%20b.mp3\r\n"
      "file://localhost/music/x.mp3\n"
      "file:///music/caf%E9.mp3\r\n"         // not UTF-8
      "file:///music/caf\xC3\xA9 x.mp3\r\n"  // not escaped
      "file:///music/100%25%3F%23.mp3\r\n"
      "# file:///music/comment.mp3\r\n"
      "https://example.org/web.mp3\r\n"
      "file://elsewhere.example/music/remote.mp3\r\n"
      "not a uri at all\r\n"
      "file:///music/Live/\r\n";
  EXPECT_EQ(drop(uriList, Qt::CopyAction | Qt::MoveAction), std::pair(true, Qt::CopyAction));
  const QByteArray web = "https://example.org/web.mp3\r\n";  // taken, but adds nothing
  EXPECT_EQ(drop(web, Qt::LinkAction | Qt::MoveAction), std::pair(true, Qt::LinkAction));
  EXPECT_FALSE(drop(web, Qt::MoveAction).first);
  EXPECT_FALSE(drop("/music/plain.mp3", Qt::CopyAction, "text/plain").first);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Rows().Count() >= added.size(); }));
  QTest::qWait(50);  // for any row that should not come
  std::vector<std::string> rows;
  for (std::size_t i = 0; i < Rows().Count(); ++i)
    rows.push_back(Rows().Row(i).FolderPath() + Rows().Row(i).CurrentName);
  EXPECT_EQ(rows, added);
}

}  // namespace
}  // namespace vornick::gui
