// SPDX-License-Identifier: GPL-3.0-or-later
// The report of the files Rename or Undo could not do and of the folders a load passed over: a
// dialog that stays on the screen however long its list, counts in the user's words and numbers,
// and copies its lines. Run by the main of window_test.cpp.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QClipboard>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTreeView>
#include <string>
#include <vector>

#include "gui/qt_dialogs.h"
#include "gui/report_dialog.h"
#include "gui/wording.h"
#include "tests/gui/window_desk.h"

namespace vornick::gui {
namespace {

using window::RenameDirection;
using Why = window::PassedOver::Why;

// `count` files of /music/ that Rename could not give their new names: another file has them.
std::vector<window::RenameFailure> Failures(std::size_t count) {
  std::vector<window::RenameFailure> failures(count);
  for (std::size_t i = 0; i < count; ++i) {
    failures[i].row = i;
    failures[i].folder = "/music/";
    failures[i].name = "track_" + std::to_string(i) + ".mp3";
    failures[i].target = "Track " + std::to_string(i) + ".mp3";
    failures[i].reason.kind = window::Reason::Kind::kTaken;
  }
  return failures;
}

window::RenameFailure Failure(std::string folder, std::string name, window::Reason::Kind kind) {
  window::RenameFailure failure;
  failure.folder = std::move(folder);
  failure.name = std::move(name);
  failure.target = "New.mp3";
  failure.reason.kind = kind;
  return failure;
}

// The locale that numbers are written in, for one test.
struct DefaultLocale {
  explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
  ~DefaultLocale() { QLocale::setDefault(was); }
  QLocale was;
};

// A window for the report to open over, shown and active.
struct MainWindow {
  MainWindow() {
    window.resize(640, 480);
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window, kWindowWait));
  }
  QWidget window;
};

// Waits for `dialog` itself to be the active window: a modal dialog counts as active already while
// the window under it is, before its own activation arrives.
bool WaitForActive(QDialog& dialog) {
  return QTest::qWaitFor([&] { return QApplication::activeWindow() == &dialog; }, kWindowWait);
}

QRect OnScreen(const QWidget& widget) {
  return {widget.mapToGlobal(QPoint(0, 0)), widget.size()};
}

TEST(ReportDialog, ALongReportStaysOnTheScreenWithItsButtonsInReachAndReturnClosesIt) {
  DefaultLocale english(QLocale(QLocale::English, QLocale::UnitedStates));
  MainWindow main;
  const QRect available = main.window.screen()->availableGeometry();
  int shown = 0;
  ModalAnswerer<ReportDialog> answerer([&](ReportDialog& dialog) {
    ++shown;
    ASSERT_TRUE(WaitForActive(dialog));
    // The title the message box had, which the rest of the program knows the report by.
    EXPECT_EQ(dialog.windowTitle(), "Some files were not renamed");
    EXPECT_TRUE(dialog.Summary().text().startsWith("2,000 files were not renamed."));
    EXPECT_EQ(dialog.List().model()->rowCount(), 2000);
    EXPECT_TRUE(available.contains(dialog.frameGeometry())) << dialog.frameGeometry().height();
    EXPECT_LT(dialog.height(), available.height());  // the window under it stays in sight
    for (const QPushButton* button : {&dialog.OkButton(), &dialog.CopyButton()}) {
      EXPECT_TRUE(button->isVisible());
      EXPECT_TRUE(available.contains(OnScreen(*button))) << button->text().toStdString();
    }
    // The list scrolls instead: its last line is below what it shows. Sideways its columns fit.
    EXPECT_FALSE(dialog.List().horizontalScrollBar()->isVisible());
    const QModelIndex last = dialog.List().model()->index(1999, 0);
    EXPECT_FALSE(dialog.List().viewport()->rect().intersects(dialog.List().visualRect(last)));
    // The user may make it larger, as far as the screen.
    EXPECT_TRUE(dialog.isSizeGripEnabled());
    dialog.resize(available.size() * 2);
    EXPECT_LE(dialog.width(), available.width());
    EXPECT_LE(dialog.height(), available.height());
    // The keyboard starts on the list, and Return there closes the dialog.
    EXPECT_EQ(QApplication::focusWidget(), &dialog.List());
    QTest::keyClick(&dialog.List(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
  });
  QtDialogs(&main.window).RenameFailed(RenameDirection::kRename, Failures(2000));
  EXPECT_EQ(shown, 1);
}

TEST(ReportDialog, PassedOverFoldersAreListedWithTheirReasonsAndEscapeClosesTheList) {
  MainWindow main;
  const std::vector<window::PassedOver> passedOver{
      {"/m/locked/", Why::kNotRead, std::make_error_code(std::errc::permission_denied)},
      {"/m/elsewhere/", Why::kLinkNotFollowed, {}}};
  int shown = 0;
  ModalAnswerer<ReportDialog> answerer([&](ReportDialog& dialog) {
    ++shown;
    EXPECT_EQ(dialog.windowTitle(), "Some folders were not read");
    ASSERT_TRUE(WaitForActive(dialog));
    dialog.CopyButton().click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "/m/locked/\tcould not be read: Permission denied\n"
              "/m/elsewhere/\ta link to a folder, not followed\n");
    QTest::keyClick(&dialog.List(), Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
  });
  QtDialogs(&main.window).PassedOver(window::Command::kLoadFolder, passedOver);
  EXPECT_EQ(shown, 1);

  DefaultLocale english(QLocale(QLocale::English, QLocale::UnitedStates));
  const ReportText report = PassedOverReport(passedOver);
  EXPECT_EQ(report.summary, "2 folders were passed over; everything else was added.");
  EXPECT_EQ(PassedOverReport({passedOver[1]}).summary,
            "1 folder was passed over; everything else was added.");
}

TEST(ReportDialog, TheSummaryCountsTheFilesInTheUsersWordsAndNumbers) {
  DefaultLocale english(QLocale(QLocale::English, QLocale::UnitedStates));
  const auto summary = [](RenameDirection direction, std::size_t failed,
                          std::optional<std::size_t> tried = std::nullopt) {
    return RenameFailedReport(direction, Failures(failed), tried).summary;
  };
  EXPECT_EQ(summary(RenameDirection::kRename, 1),
            "1 file was not renamed. Nothing was overwritten, and the other checked files were "
            "done.");
  EXPECT_TRUE(summary(RenameDirection::kRename, 1754).startsWith("1,754 files were not renamed."));
  EXPECT_TRUE(summary(RenameDirection::kUndo, 1).startsWith("1 file was not renamed back."));
  EXPECT_TRUE(
      summary(RenameDirection::kUndo, 2000).startsWith("2,000 files were not renamed back."));
  // Out of the rows tried, when that is known.
  EXPECT_TRUE(summary(RenameDirection::kRename, 1754, 21034)
                  .startsWith("1,754 of 21,034 files were not renamed."));
  EXPECT_TRUE(
      summary(RenameDirection::kUndo, 1, 3).startsWith("1 of 3 files was not renamed back."));
  {
    DefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(summary(RenameDirection::kUndo, 2000, 12345)
                    .startsWith("2.000 of 12.345 files were not renamed back."));
  }

  EXPECT_EQ(RenameFailedReport(RenameDirection::kRename, Failures(2)).rows.at(1),
            (QStringList{"track_1.mp3", "/music/",
                         "a file or folder named \"Track 1.mp3\" is there already"}));
}

// Three failures in the order Rename met them; the second name holds a tab and a line break.
class ReportCopyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(WaitForActive(dialog));
    QGuiApplication::clipboard()->clear();
  }
  QString Copied() const { return QGuiApplication::clipboard()->text(); }
  void Select(int row) {
    dialog.List().selectionModel()->select(dialog.List().model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }

  DefaultLocale english{QLocale(QLocale::English, QLocale::UnitedStates)};  // sorts by its rules
  ReportDialog dialog{
      RenameFailedReport(RenameDirection::kRename,
                         {Failure("/m/b/", "Track 10.mp3", window::Reason::Kind::kInUse),
                          Failure("/m/a/", "Tab\there\nand.mp3", window::Reason::Kind::kReadOnly),
                          Failure("/m/c/", "track 2.mp3", window::Reason::Kind::kNotThere)}),
      nullptr};
  const QString ten = "Track 10.mp3\t/m/b/\tthe file is in use\n";
  const QString tab = "Tab here and.mp3\t/m/a/\tthe disk is read-only\n";
  const QString two = "track 2.mp3\t/m/c/\tthe file is not there\n";
};

TEST_F(ReportCopyTest, WithNothingSelectedCopyAndCtrlCCopyEveryLineEachOnOneLine) {
  EXPECT_TRUE(dialog.List().selectionModel()->selectedRows().isEmpty());
  dialog.CopyButton().click();
  EXPECT_EQ(Copied(), ten + tab + two);
  // The list too shows the name on one line, and the whole of it in its tooltip.
  const QModelIndex name = dialog.List().model()->index(1, 0);
  EXPECT_EQ(name.data().toString(), "Tab here and.mp3");
  EXPECT_EQ(name.data(Qt::ToolTipRole).toString(), "Tab\there\nand.mp3");
  QGuiApplication::clipboard()->clear();
  QTest::keyClick(&dialog.List(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(Copied(), ten + tab + two);
  // Wherever the focus is in the dialog.
  QGuiApplication::clipboard()->clear();
  dialog.OkButton().setFocus();
  QTest::keyClick(&dialog.OkButton(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(Copied(), ten + tab + two);
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(ReportCopyTest, CopyAndCtrlCCopyTheSelectedLinesInTheListsOrder) {
  Select(2);
  Select(0);
  QTest::keyClick(&dialog.List(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(Copied(), ten + two);
  dialog.List().selectionModel()->clearSelection();
  Select(2);
  dialog.CopyButton().click();
  EXPECT_EQ(Copied(), two);

  // A click on the Name header sorts by name, numbers by their value and letter case aside; the
  // selection and the copy follow.
  QHeaderView& header = *dialog.List().header();
  const QPoint nameHeader(header.sectionViewportPosition(0) + 5, header.height() / 2);
  QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, nameHeader);
  Select(0);
  dialog.CopyButton().click();
  EXPECT_EQ(Copied(), tab + two);
  dialog.List().selectionModel()->clearSelection();
  dialog.CopyButton().click();
  EXPECT_EQ(Copied(), tab + two + ten);
  // A third click (the second sorts the other way) gives the order Rename met them in.
  QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, nameHeader);
  QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, nameHeader);
  dialog.CopyButton().click();
  EXPECT_EQ(Copied(), ten + tab + two);
}

TEST(ReportDialog, TheListAndButtonsAreNamedForScreenReaders) {
  const auto named = [](QWidget& widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&widget);
    return std::pair(accessible->text(QAccessible::Name),
                     accessible->text(QAccessible::Description));
  };
  ReportDialog renamed(RenameFailedReport(RenameDirection::kRename, Failures(2)), nullptr);
  ReportDialog undone(RenameFailedReport(RenameDirection::kUndo, Failures(2)), nullptr);
  ReportDialog passed(PassedOverReport({{"/m/x/", Why::kLinkNotFollowed, {}}}), nullptr);
  EXPECT_EQ(named(renamed.List()).first, "Files not renamed");
  EXPECT_EQ(named(undone.List()).first, "Files not renamed back");
  EXPECT_EQ(named(passed.List()).first, "Folders passed over");
  for (QWidget* widget :
       {static_cast<QWidget*>(&renamed.List()), static_cast<QWidget*>(&renamed.CopyButton()),
        static_cast<QWidget*>(&renamed.OkButton())})
    EXPECT_FALSE(named(*widget).second.isEmpty()) << widget->metaObject()->className();
  EXPECT_NE(QKeySequence::mnemonic(renamed.CopyButton().text()), QKeySequence());
  EXPECT_TRUE(renamed.OkButton().isDefault());
}

// A hundred thousand failures open at once (in a few tens of milliseconds on an idle machine): the
// list is neither built nor measured line by line.
TEST(ReportDialog, AHundredThousandLinesOpenQuickly) {
  ReportText report = RenameFailedReport(RenameDirection::kRename, Failures(100000));
  QElapsedTimer timer;
  timer.start();
  ReportDialog dialog(std::move(report), nullptr);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog, kWindowWait));
  EXPECT_LT(timer.elapsed(), 1000);
  EXPECT_EQ(dialog.List().model()->rowCount(), 100000);
}

}  // namespace
}  // namespace vornick::gui
