// SPDX-License-Identifier: GPL-3.0-or-later
// The window on Qt's offscreen platform, with Form1 behind it on fake disk, settings and dialogs:
// its command buttons, mouse pointer, list and drops, and the desktop dialogs behind Dialogs.
// (This file's main runs the desktop tests too.)
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QBuffer>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QStyleOptionViewItem>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <cstdlib>
#include <functional>

#include "gui/command_button.h"
#include "gui/form_host.h"
#include "gui/qt_dialogs.h"
#include "gui/qt_window.h"
#include "gui/rename_model.h"
#include "gui/rename_view.h"
#include "gui/translations.h"
#include "tests/fakes/fake_dialogs.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_settings_store.h"
#include "tests/gui/window_desk.h"
#include "tests/platform/temp_folder.h"

namespace vornick::gui {
namespace {

using platform::Button;

class WindowTest : public ::testing::Test, public WindowDesk {};
using ListTest = WindowTest;

// A cursor file of a 16 x 16 picture with its hot spot at (x, 1), made from an icon file.
std::string CursorFile(char x) {
  QImage image(16, 16, QImage::Format_ARGB32);
  image.fill(Qt::blue);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "ico");
  bytes[2] = 2;  // the type: a cursor
  // The hot spot's x and y, in the low bytes of two numbers whose high bytes are 0 in an icon.
  bytes[10] = x;
  bytes[12] = 1;
  return bytes.toStdString();
}

TEST_F(WindowTest, ThePointerIsAHandOverButtonsAnInvitationOverTheEmptyListAndBusyWhileLoading) {
  platform::TempFolder folder;
  for (const auto& [name, x] : {std::pair{"HAND-M.CUR", 3}, std::pair{"dragfiles.cur", 9}})
    fileSystem.AddFile(folder.Write(name, CursorFile(char(x))));
  window.SetProgramFolder(folder.Path().substr(0, folder.Path().size() - 1));
  // The pointer's shape, and for a picture its hot spot's x.
  const auto pointerAt = [&](QPoint at) {
    QTest::mouseMove(&Form(), at);
    QCoreApplication::processEvents();
    return std::pair(Form().cursor().shape(), Form().cursor().hotSpot().x());
  };
  const std::pair arrow(Qt::ArrowCursor, 0), hand(Qt::BitmapCursor, 3), drop(Qt::BitmapCursor, 9);
  EXPECT_EQ(pointerAt({2, Form().height() - 2}), arrow);  // the bare window
  EXPECT_EQ(pointerAt(Form().ButtonOf(Button::kUndo).geometry().center()), hand);
  EXPECT_EQ(pointerAt(List().geometry().center()), drop);
  AddRows({"/m/a.mp3"});
  EXPECT_EQ(pointerAt(List().geometry().center() + QPoint(5, 5)), arrow);

  dialogs.QueueFolder(folder.Path());
  bool busy = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout,
                   [&] { busy |= Form().cursor().shape() == Qt::WaitCursor; });
  watch.start(0);
  Click(Button::kLoadFolder);
  EXPECT_TRUE(busy);
  EXPECT_NE(Form().cursor().shape(), Qt::WaitCursor);
}

TEST_F(ListTest, RowsAreShownInBatchesOneForLoadFilesAndAtTheDoEventsPointsOfLoadFolder) {
  QSignalSpy inserts(&window.Model(), &QAbstractItemModel::rowsInserted);
  std::vector<std::string> picked;
  for (int i = 0; i < 300; ++i) picked.push_back("/music/track_" + std::to_string(i) + ".mp3");
  dialogs.QueueOpen(picked);
  Click(Button::kLoadFiles);
  EXPECT_EQ(inserts.count(), 1);
  ASSERT_EQ(window.Model().rowCount(), 300);
  EXPECT_EQ(window.Model().index(299, 1).data().toString(), "Track 299.mp3");

  inserts.clear();  // 20 folders of 30 files each
  for (int i = 0; i < 600; ++i)
    fileSystem.AddFile("/music/" + std::to_string(i / 30) + "/" + std::to_string(i % 30) + ".mp3");
  dialogs.QueueFolder("/music");
  Click(Button::kLoadFolder);
  ASSERT_EQ(window.Model().rowCount(), 900);
  EXPECT_EQ(window.Model().index(330, 2).data().toString(), "/music/1/");
  EXPECT_GE(inserts.count(), 1);
  EXPECT_LE(inserts.count(), 21);  // never one per row
}

// A message box is modal: the rows it speaks of are on screen behind it, the last folders' too.
TEST_F(ListTest, AMessageComesWithEveryRowOfItsCommandOnScreen) {
  for (int i = 0; i < 600; ++i)
    fileSystem.AddFile("/music/" + std::to_string(i / 30) + "/" + std::to_string(i % 30) + ".mp3");
  fileSystem.SetUnreadable("/music/7/");
  int shown = -1;
  dialogs.beforeReport = [&] { shown = window.Model().rowCount(); };
  dialogs.QueueFolder("/music");
  Click(Button::kLoadFolder);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(shown, 570);
}

// The check marks as the screen shows them, as last painted into the window's backing store.
// A click on a box turns its row over and is no click on the row; a click on a row's text runs
// the click rule, which turns the selected row over.
TEST_F(ListTest, TheScreenShowsTheCheckMarksAfterEachCommand) {
  AddRows({"/m/a_b.mp3", "/m/Tidy.mp3", "/m/c_d.mp3", "/m/Neat.mp3"});
  const auto checkBox = [&](int row) { return CheckBox(row); };
  const auto box = [&](int row) {
    const QImage shot = Form().screen()->grabWindow(Form().winId()).toImage();
    const QPoint at = List().viewport()->mapTo(&Form(), QPoint(0, 0));
    return shot.copy(checkBox(row).translated(at).adjusted(2, 2, -2, -2));
  };
  // Read as 'x' or '-' by comparing its inside with the boxes first painted.
  ASSERT_TRUE(QTest::qWaitFor([&] { return box(0) != box(1); }));
  const QImage checked = box(0), unchecked = box(1);
  const auto marks = [&] {
    std::string read;
    for (int row = 0; row < 4; ++row)
      read += box(row) == checked ? 'x' : box(row) == unchecked ? '-' : '?';
    return read;
  };
  const auto click = [&](QPoint at) {
    QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, at);
    List().setCurrentIndex({});  // the current row is drawn on another background
  };
  const std::pair<const char*, std::function<void()>> steps[] = {
      {"xxxx", [&] { Click(Button::kSelectAll); }},
      {"----", [&] { Click(Button::kUnselectAll); }},
      {"--x-", [&] { click(checkBox(2).center()); }},
      {"----", [&] { click(checkBox(2).center()); }},  // no rule stops a second click on a box
      {"-x--", [&] { click(List().visualRect(window.Model().index(1, 1)).center()); }}};
  EXPECT_EQ(marks(), "x-x-");
  for (const auto& [marksAfter, step] : steps) {
    step();
    const std::string expected = marksAfter;  // a lambda may not capture a structured binding
    EXPECT_TRUE(QTest::qWaitFor([&] { return marks() == expected; }, 1000))
        << "the screen shows " << marks() << ", not " << expected;
  }
}

// Each row's status as its icon (v renamed, x failed, ! would be refused) and its tooltip, which a
// screen reader finds in the first cell's description; the names are never touched.
TEST_F(ListTest, EachRowShowsWhatRenameWouldRefuseAndWhatRenameAndUndoDidWithTheReason) {
  const auto shown = [&] {
    std::vector<std::string> rows;
    for (int row = 0; row < window.Model().rowCount(); ++row) {
      const QModelIndex cell = window.Model().index(row, 0);
      const QImage icon = cell.data(Qt::DecorationRole).value<QIcon>().pixmap(16).toImage();
      const auto is = [&](QStyle::StandardPixmap standard) {
        return icon == List().style()->standardIcon(standard).pixmap(16).toImage();
      };
      const char* mark = is(QStyle::SP_DialogApplyButton)    ? "v "
                         : is(QStyle::SP_MessageBoxCritical) ? "x "
                         : is(QStyle::SP_MessageBoxWarning)  ? "! "
                                                             : "";
      EXPECT_EQ(cell.data(Qt::AccessibleDescriptionRole), cell.data(Qt::ToolTipRole));
      const QString text = cell.data().toString() + " " + cell.data(Qt::ToolTipRole).toString();
      rows.push_back(mark + text.toStdString());
    }
    return rows;
  };
  using Rows = std::vector<std::string>;
  for (const char* file : {"/m/x_y.mp3", "/m/X Y.mp3", "/n/c_d.mp3"}) fileSystem.AddFile(file);
  dialogs.QueueFolder("/m");
  Click(Button::kLoadFolder);
  dialogs.QueueOpen({"/n/c_d.mp3"});
  Click(Button::kLoadFiles);
  Click(Button::kUndo);  // nothing renamed yet, nothing to say
  const auto there = [](std::string name) {
    return "a file or folder named \"" + name + "\" is there already";
  };
  const std::string would = "Rename would refuse this file: ";
  const std::string refused = "! x_y.mp3 " + would + there("X Y.mp3");
  EXPECT_EQ(shown(), (Rows{"X Y.mp3 ", refused, "c_d.mp3 "}));
  dialogs.QueueOpen({"/n/c_d.mp3"});  // the same file again
  Click(Button::kLoadFiles);
  // The first row renames the file; the later one says so, and Rename leaves it alone.
  const std::string again = "! c_d.mp3 " + would + "listed again above; renamed with that row";
  EXPECT_EQ(shown(), (Rows{"X Y.mp3 ", refused, "c_d.mp3 ", again}));
  EXPECT_TRUE(dialogs.messages.empty());
  window.Model().setData(window.Model().index(3, 0), Qt::Unchecked, Qt::CheckStateRole);
  EXPECT_EQ(shown()[3], "c_d.mp3 ");  // only a checked row is refused

  Click(Button::kRename);
  EXPECT_EQ(dialogs.messages.size(), 1u);
  const std::string failed = "x x_y.mp3 Not renamed: " + there("X Y.mp3");
  EXPECT_EQ(shown(), (Rows{"X Y.mp3 ", failed, "v c_d.mp3 Renamed", "c_d.mp3 "}));
  fileSystem.AddFile("/n/c_d.mp3");  // in the way back
  Click(Button::kUndo);
  EXPECT_EQ(shown()[2], "x c_d.mp3 Not renamed back: " + there("c_d.mp3"));
  Click(Button::kUnselectAll);
  Click(Button::kRename);  // nothing to do, nothing to say
  EXPECT_EQ(dialogs.messages.size(), 2u);
}

TEST_F(ListTest, ADropOfLocalFilesAndFoldersAddsThemByTheirExactBytesAndNeverMovesThem) {
  // A file manager's lines, each with the file it names (which is there) and whether it is added.
  const std::tuple<const char*, const char*, bool> lines[] = {
      {"file://localhost/music/a%20b.mp3\n", "/music/a b.mp3", true},
      {"file:///music/caf%E9.mp3\r\n", "/music/caf\xE9.mp3", true},               // not UTF-8
      {"file:///music/caf\xC3\xA9 x.mp3\r\n", "/music/caf\xC3\xA9 x.mp3", true},  // not escaped
      {"file:///music/100%25%3F%23.mp3\r\n", "/music/100%?#.mp3", true},
      {"https://example.org/web.mp3\r\n", "/web.mp3", false},
      {"file://elsewhere.example/music/remote.mp3\r\n", "/music/remote.mp3", false},
      {"file:///music/Live/\r\n", "/music/Live/b_c.mp3", true}};
  QByteArray uriList;
  std::vector<std::string> added;
  for (const auto& [line, file, isAdded] : lines) {
    uriList += line;
    fileSystem.AddFile(file);
    if (isAdded) added.push_back(file);
  }
  // A drop as a file manager makes it, sent to the list: whether it was taken, and how.
  const auto drop = [&](const QByteArray& bytes, Qt::DropActions offered,
                        const char* format = "text/uri-list") {
    QMimeData data;
    data.setData(format, bytes);
    QDragEnterEvent enter(QPoint(20, 20), offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(List().viewport(), &enter);
    QDropEvent event(QPointF(20, 20), offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(List().viewport(), &event);
    return std::pair(enter.isAccepted() && event.isAccepted(), event.dropAction());
  };
  EXPECT_EQ(drop(uriList, Qt::CopyAction | Qt::MoveAction), std::pair(true, Qt::CopyAction));
  const QByteArray web = "https://example.org/web.mp3\r\n";  // taken, but adds nothing
  EXPECT_EQ(drop(web, Qt::LinkAction | Qt::MoveAction), std::pair(true, Qt::LinkAction));
  EXPECT_FALSE(drop(web, Qt::MoveAction).first);  // the file manager would delete the files
  EXPECT_FALSE(drop("/music/remote.mp3", Qt::CopyAction, "text/plain").first);
  ASSERT_TRUE(QTest::qWaitFor([&] { return form.List().Count() >= added.size(); }));
  std::vector<std::string> rows;
  for (std::size_t i = 0; i < form.List().Count(); ++i)
    rows.push_back(form.List().Row(i).FolderPath() + form.List().Row(i).CurrentName);
  EXPECT_EQ(rows, added);
}

TEST(QtDialogs, FileDialogsShowTitleAndFilterAndGiveTheExactPathsOrNothing) {
  QtDialogs qtDialogs(nullptr);
  platform::TempFolder folder;
  const std::string picked = folder.Write("a_b.mp3");
  const std::string chosen = folder.Path().substr(0, folder.Path().size() - 1);
  bool accept = true;
  ModalAnswerer<QFileDialog> answerer([&](QFileDialog& dialog) {
    if (!accept) return dialog.reject();
    if (dialog.fileMode() == QFileDialog::Directory) {
      EXPECT_EQ(dialog.windowTitle(), "Please select folder to add:");
      dialog.setDirectory(QString::fromStdString(chosen));
    } else {
      EXPECT_EQ(dialog.windowTitle(), "Add File(s)");
      // The command's own filter first, then the other music a library holds, then everything.
      const QStringList filters = dialog.nameFilters();
      ASSERT_EQ(filters.size(), 3);
      EXPECT_EQ(filters[0], "MP3 Files (*.mp3)");
      EXPECT_TRUE(filters[1].startsWith("Music files (*.mp3 *.flac ")) << filters[1].toStdString();
      EXPECT_EQ(filters[2], "All files (*)");
      EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFiles);
      // The dialog leaves its name field alone while that has the focus, which it gets at some
      // point after opening.
      if (QWidget* focused = dialog.focusWidget()) focused->clearFocus();
      dialog.selectFile(QString::fromStdString(picked));
    }
    static_cast<QDialog&>(dialog).accept();  // as the dialog's own button does
  });
  const platform::OpenDialogOptions options{"Add File(s)", "MP3 Files (*.mp3)", "*.mp3", true};
  EXPECT_EQ(qtDialogs.ShowOpen(options), std::vector<std::string>{picked});
  EXPECT_EQ(qtDialogs.BrowseForFolder("Please select folder to add:"), chosen);
  accept = false;
  EXPECT_TRUE(qtDialogs.ShowOpen(options).empty());
  EXPECT_EQ(qtDialogs.BrowseForFolder("Please select folder to add:"), "");
}

TEST(QtDialogs, AMessageIsABoxOfPlainTextAndALongOneHasItsWholeTextInTheDetails) {
  std::string text = "<b>100 files were not renamed:</b>";
  for (int line = 1; line <= 100; ++line) text += "\n" + std::to_string(line) + ".mp3";
  QString details;
  ModalAnswerer<QMessageBox> answerer([&](QMessageBox& box) {
    EXPECT_EQ(box.textFormat(), Qt::PlainText);  // file names are never markup
    EXPECT_TRUE(box.text().startsWith("<b>100 files were not renamed:</b>\n1.mp3"));
    EXPECT_LT(box.text().count('\n'), 30);  // the box still fits on the screen
    details = box.detailedText();
    box.accept();
  });
  QtDialogs(nullptr).ShowMessage("Rename", QString::fromStdString(text));
  EXPECT_EQ(details, QString::fromStdString(text));
}

}  // namespace
}  // namespace vornick::gui

// Qt's own settings (the file dialogs write theirs) go to a temporary folder, never the user's.
int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);  // unless another platform is asked for
  testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  QTemporaryDir settingsFolder;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
  // Nor does the rename history ever go to the user's: should anything reach for its usual
  // folder, that is a temporary one too.
  QTemporaryDir stateFolder;
  setenv("XDG_STATE_HOME", QFile::encodeName(stateFolder.path()).constData(), 1);
  // The English texts, whose plural forms come from a translation too.
  vornick::gui::InstallTranslations(application, QLocale(QLocale::English));
  // The item-model tester reports what it finds as warnings; each is a failure of the test.
  static const QtMessageHandler qtHandler = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (type != QtDebugMsg && qstrcmp(context.category, "qt.modeltest") == 0)
          ADD_FAILURE() << "model tester: " << message.toStdString();
        qtHandler(type, context, message);
      });
  // A dialog that no test answers fails its test after a while, instead of waiting for ever.
  const vornick::gui::ModalAnswerer<QDialog> unanswered([](QDialog&) {});
  return RUN_ALL_TESTS();
}
