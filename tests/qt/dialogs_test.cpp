// The desktop's dialogs behind Dialogs, and the message that lists the renames that failed.
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include "platform/qt/qt_dialogs.h"
#include "tests/platform/temp_folder.h"
#include "tests/qt/window_fixture.h"

namespace vornick::platform::qt {
namespace {

// Runs `answer` on each modal dialog once it is open, for as long as it lives.
class ModalAnswerer {
 public:
  template <typename Dialog>
  explicit ModalAnswerer(std::function<void(Dialog&)> answer) {
    QObject::connect(&timer_, &QTimer::timeout, [answer] {
      if (QWidget* dialog = QApplication::activeModalWidget())
        answer(dynamic_cast<Dialog&>(*dialog));
    });
    timer_.start(10);
  }

 private:
  QTimer timer_;
};

using QtDialogsTest = BasicWindowTest<QtDialogs>;

TEST_F(QtDialogsTest, FileDialogsShowTitleAndFilterAndGiveTheExactPathsOrNothing) {
  TempFolder folder;
  const std::string picked = folder.Write("a_b.mp3");
  std::string chosen = folder.Path();
  chosen.pop_back();
  bool accept = true;
  ModalAnswerer answerer(std::function([&](QFileDialog& dialog) {
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
  }));
  const OpenDialogOptions options{"Add File(s)", "MP3 Files (*.mp3)", "*.mp3", true};
  EXPECT_EQ(dialogs.ShowOpen(options), std::vector<std::string>{picked});
  EXPECT_EQ(dialogs.BrowseForFolder("Please select folder to add:"), chosen);
  accept = false;
  EXPECT_TRUE(dialogs.ShowOpen(options).empty());
  EXPECT_EQ(dialogs.BrowseForFolder("Please select folder to add:"), "");
}

TEST_F(QtDialogsTest, ARefusedRenameShowsOneMessageListingIt) {
  Open();
  for (const char* file : {"/m/a_b.mp3", "/m/A B.mp3", "/m/c_d.mp3"}) fileSystem.AddFile(file);
  AddRows({"/m/a_b.mp3", "/m/c_d.mp3"});  // A B.mp3 is taken: never overwritten
  QStringList texts;
  ModalAnswerer answerer(std::function([&](QMessageBox& box) {
    texts.append(box.text());
    box.accept();
  }));
  QTest::mouseClick(&Check(1), Qt::LeftButton);
  ASSERT_EQ(texts.size(), 1);
  EXPECT_TRUE(texts[0].contains("\"a_b.mp3\" to \"A B.mp3\"")) << texts[0].toStdString();
  EXPECT_FALSE(texts[0].contains("c_d.mp3")) << texts[0].toStdString();
  EXPECT_EQ(fileSystem.Renames(), (std::vector<std::pair<std::string, std::string>>{
                                      {"/m/c_d.mp3", "/m/C D.mp3"}}));  // the other row was
}

TEST_F(QtDialogsTest, MessagesArePlainTextAndALongOneKeepsItsWholeTextInTheDetails) {
  QString shown, details;
  Qt::TextFormat format = Qt::AutoText;
  ModalAnswerer answerer(std::function([&](QMessageBox& box) {
    shown = box.text();
    details = box.detailedText();
    format = box.textFormat();
    box.accept();
  }));
  std::string text = "<b>1.mp3</b>";
  for (int line = 2; line <= 100; ++line) text += "\n" + std::to_string(line) + ".mp3";
  dialogs.ShowMessage("Rename", text);
  EXPECT_EQ(format, Qt::PlainText);
  EXPECT_TRUE(shown.startsWith("<b>1.mp3</b>\n2.mp3"));
  EXPECT_LT(shown.count('\n'), 30);
  EXPECT_EQ(details, QString::fromStdString(text));
}

}  // namespace
}  // namespace vornick::platform::qt
