// The window's command buttons and dialogs: a press, by mouse or space bar, runs its command
// once; Exit, or closing the window, ends the program at once, also inside a running command; the
// desktop's file dialogs and message boxes stand behind Dialogs.
#include <QFileDialog>
#include <QMessageBox>
#include <QSignalSpy>

#include "gui/qt_dialogs.h"
#include "tests/gui/window_fixture.h"
#include "tests/platform/temp_folder.h"

namespace vornick::gui {
namespace {

TEST(Buttons, APressByMouseOrSpaceBarRunsItsCommandOnce) {
  // What each command does, counted: a message (a rename or an undo refused, as both names are
  // taken), a folder picker, an open dialog, a change of the check marks, the list emptied.
  const std::pair<Button, int> commands[] = {{Button::kRename, 0},     {Button::kUndo, 0},
                                             {Button::kLoadFolder, 1}, {Button::kLoadFiles, 2},
                                             {Button::kSelectAll, 3},  {Button::kUnselectAll, 3},
                                             {Button::kClearList, 4}};
  for (const auto& [button, counted] : commands) {
    for (const bool byMouse : {true, false}) {
      WindowDesk t;
      t.Open();
      CommandButton& pressed = t.ButtonOf(button);
      SCOPED_TRACE(pressed.text().toStdString() + (byMouse ? " by mouse" : " by space bar"));
      for (const char* file : {"/m/a_b.mp3", "/m/A B.mp3"}) t.fileSystem.AddFile(file);
      QSignalSpy changes(&t.window.Model(), &QAbstractItemModel::dataChanged);
      QSignalSpy resets(&t.window.Model(), &QAbstractItemModel::modelReset);
      const auto counts = [&] {
        return std::vector<qsizetype>{
            qsizetype(t.dialogs.messages.size()), qsizetype(t.dialogs.folderPrompts.size()),
            qsizetype(t.dialogs.openRequests.size()), changes.size(), resets.size()};
      };
      for (int time = 1; time <= 2; ++time) {
        t.AddRows({"/m/a_b.mp3"});  // something to work on
        std::vector<qsizetype> expected = counts();
        ++expected.at(static_cast<std::size_t>(counted));
        if (byMouse) {
          QTest::mouseClick(&pressed, Qt::LeftButton);
        } else {
          pressed.setFocus();
          QTest::keyClick(&pressed, Qt::Key_Space);
        }
        EXPECT_EQ(counts(), expected) << "after press " << time;
      }
    }
  }
}

TEST_F(WindowTest, ExitOrClosingTheWindowWhileLoadFolderRunsEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  Open();
  for (int folder = 0; folder < 50; ++folder)
    fileSystem.AddFile("/music/" + std::to_string(folder) + "/a.mp3");
  const std::function<void()> ends[] = {[this] { Click(Button::kExit); },
                                        [this] { Form().close(); }};
  for (const std::function<void()>& end : ends) {
    dialogs.QueueFolder("/music");
    // It arrives while Load Folder lets events run; the load must not get to its end.
    EXPECT_EXIT(
        {
          QTimer::singleShot(0, end);
          Click(Button::kLoadFolder);
          std::_Exit(3);
        },
        ::testing::ExitedWithCode(0), "");
  }
}

class DialogsTest : public WindowTest {
 public:
  QtDialogs qtDialogs{&Form()};
};

TEST_F(DialogsTest, FileDialogsShowTitleAndFilterAndGiveTheExactPathsOrNothing) {
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
      EXPECT_EQ(dialog.nameFilters(), QStringList{"MP3 Files (*.mp3)"});
      EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFiles);
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

TEST_F(DialogsTest, AMessageIsABoxOfPlainTextAndALongOneHasItsWholeTextInTheDetails) {
  std::string text = "<b>100 files were not renamed:</b>";
  for (int line = 1; line <= 100; ++line) text += "\n" + std::to_string(line) + ".mp3";
  int shown = 0;
  ModalAnswerer<QMessageBox> answerer([&](QMessageBox& box) {
    ++shown;
    EXPECT_EQ(box.textFormat(), Qt::PlainText);  // file names are never markup
    EXPECT_TRUE(box.text().startsWith("<b>100 files were not renamed:</b>\n1.mp3"));
    EXPECT_LT(box.text().count('\n'), 30);  // the box still fits on the screen
    EXPECT_EQ(box.detailedText(), QString::fromStdString(text));
    box.accept();
  });
  qtDialogs.ShowMessage("Rename", text);
  EXPECT_EQ(shown, 1);
}

}  // namespace
}  // namespace vornick::gui
