// SPDX-License-Identifier: GPL-3.0-or-later
// The window as a desktop program: keyboard, screen readers, the desktop's colours, translations
// and the list's tooltips. Run by the main of window_test.cpp.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QHelpEvent>
#include <QSignalSpy>
#include <QToolButton>
#include <QToolTip>
#include <QTranslator>
#include <map>

#include "gui/counts_line.h"
#include "gui/wording.h"
#include "tests/gui/window_desk.h"

namespace vornick::gui {
namespace {

constexpr std::array kAllButtons{Button::kRename,    Button::kUndo,      Button::kLoadFolder,
                                 Button::kLoadFiles, Button::kSelectAll, Button::kUnselectAll,
                                 Button::kExit,      Button::kClearList};

// A shown form that has the keyboard.
struct ActiveForm {
  ActiveForm() {
    form.show();
    form.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form, kWindowWait));
  }
  MainForm form;
};

std::set<QString> Mnemonics(const MainForm& form) {
  std::set<QString> keys;
  for (const Button button : kAllButtons) {
    keys.insert(QKeySequence::mnemonic(form.ButtonOf(button).text()).toString());
  }
  return keys;
}

TEST(Keyboard, TheListHasFocusTabFollowsTheScreenAndKeysPressButtons) {
  ActiveForm active;
  MainForm& form = active.form;
  EXPECT_EQ(QApplication::focusWidget(), &form.FileList());
  std::map<QWidget*, Button> buttonOf;
  std::map<Button, int> presses;
  for (const Button button : kAllButtons) {
    buttonOf[&form.ButtonOf(button)] = button;
    QObject::connect(&form.ButtonOf(button), &QAbstractButton::clicked,
                     [&presses, button] { ++presses[button]; });
  }
  std::vector<Button> tabbed;
  for (int i = 0; i < 8; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    tabbed.push_back(buttonOf.at(QApplication::focusWidget()));
  }
  EXPECT_EQ(tabbed, (std::vector<Button>{Button::kRename, Button::kUndo, Button::kLoadFolder,
                                         Button::kLoadFiles, Button::kSelectAll,
                                         Button::kUnselectAll, Button::kClearList, Button::kExit}));
  // Under the buttons, the counts line's way to the file types; then round to the list.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), form.Counts().findChild<QToolButton*>());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), &form.FileList());
  EXPECT_TRUE(presses.empty());

  EXPECT_EQ(Mnemonics(form).size(), kAllButtons.size());
  for (const Button button : kAllButtons) {
    const QKeySequence mnemonic = QKeySequence::mnemonic(form.ButtonOf(button).text());
    QTest::keySequence(&form, mnemonic);
    EXPECT_TRUE(QTest::qWaitFor([&] { return presses[button] == 1; }))
        << form.ButtonOf(button).text().toStdString();
  }
  CommandButton& undo = form.ButtonOf(Button::kUndo);
  undo.setFocus();
  QTest::keyClick(&undo, Qt::Key_Return);
  QTest::keyClick(&undo, Qt::Key_Enter);
  EXPECT_EQ(presses[Button::kUndo], 3);
  QTest::keyClick(&form.FileList(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_EQ(presses[Button::kExit], 2);
}

TEST(ScreenReaders, ButtonsArePushButtonsWithNameAndTipAndTheListIsNamed) {
  MainForm form;
  for (const Button button : kAllButtons) {
    CommandButton& widget = form.ButtonOf(button);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&widget);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Button);
    EXPECT_FALSE(accessible->state().checkable);
    EXPECT_EQ(accessible->text(QAccessible::Name), QString(widget.text()).remove('&'));
    EXPECT_EQ(accessible->text(QAccessible::Description), ButtonToolTip(button));
    EXPECT_FALSE(ButtonToolTip(button).isEmpty());
  }
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&form.FileList());
  EXPECT_EQ(list->text(QAccessible::Name), "Files to rename");
}

class DesktopTest : public ::testing::Test, public WindowDesk {};

TEST_F(DesktopTest, RowsExposeTheirMarksAndSelectAllTellsOfEveryRow) {
  std::vector<std::string> paths;
  for (int i = 0; i < 300; ++i) paths.push_back("/m/song_" + std::to_string(i) + ".mp3");
  AddRows(paths);
  Click(Button::kUnselectAll);
  QSignalSpy changes(&window.Model(), &QAbstractItemModel::dataChanged);
  Click(Button::kSelectAll);
  ASSERT_EQ(changes.size(), 1);
  EXPECT_EQ(changes[0][0].value<QModelIndex>().row(), 0);
  EXPECT_EQ(changes[0][1].value<QModelIndex>().row(), 299);

  QAccessibleTableInterface* table =
      QAccessible::queryAccessibleInterface(&List())->tableInterface();
  ASSERT_NE(table, nullptr);
  QAccessibleInterface* cell = table->cellAt(0, 0);
  ASSERT_NE(cell, nullptr);
  EXPECT_TRUE(cell->state().checkable);
  EXPECT_TRUE(cell->state().checked);
  Click(Button::kUnselectAll);
  EXPECT_FALSE(table->cellAt(0, 0)->state().checked);
}

// After a click on a row's check box, Space turns over that row's mark, not another's.
TEST_F(DesktopTest, SpaceTurnsOverTheRowLastClicked) {
  AddRows({"/m/a_b.mp3", "/m/Tidy.mp3", "/m/c_d.mp3"});
  QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, CheckBox(2).center());
  ASSERT_FALSE(form.List().Row(2).Checked);
  QTest::keyClick(&List(), Qt::Key_Space);
  EXPECT_TRUE(form.List().Row(2).Checked);
  EXPECT_TRUE(form.List().Row(0).Checked);
  EXPECT_FALSE(form.List().Row(1).Checked);
}

// Space turns over the current row's mark in every column, never jumping to a name that begins
// with a space; inside a type-to-find under way it is part of what is looked for.
TEST_F(DesktopTest, SpaceTurnsOverTheMarkInEveryColumnButNotInsideASearch) {
  AddRows({"/m/a_b.mp3", "/m/ lead_in.mp3", "/m/c_d.mp3"});
  for (int column = 0; column < window.Model().columnCount(); ++column) {
    SCOPED_TRACE(column);
    List().setCurrentIndex(window.Model().index(2, column));
    const bool before = form.List().Row(2).Checked;
    QTest::keyClick(&List(), Qt::Key_Space);
    EXPECT_NE(form.List().Row(2).Checked, before);
    EXPECT_EQ(List().currentIndex().row(), 2);
    QTest::keyClick(&List(), Qt::Key_Space);
    EXPECT_EQ(form.List().Row(2).Checked, before);
  }
  List().setCurrentIndex(window.Model().index(2, 0));
  const bool before = form.List().Row(0).Checked;
  QTest::keyClicks(&List(), "a");
  ASSERT_EQ(List().currentIndex().row(), 0);
  QTest::keyClick(&List(), Qt::Key_Space);
  EXPECT_EQ(form.List().Row(0).Checked, before);
}

TEST_F(DesktopTest, ACellCutOffShowsItsWholeTextAsATip) {
  const std::string folder = "/music/" + std::string(200, 'f') + "/";
  AddRows({folder + "a_b.mp3"});
  const auto tipAt = [&](int column) {
    QToolTip::hideText();
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
    const QRect cell = List().visualRect(window.Model().index(0, column));
    QHelpEvent help(QEvent::ToolTip, cell.center(), List().viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(List().viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  };
  EXPECT_EQ(tipAt(2), QString::fromStdString(folder));
  EXPECT_EQ(tipAt(1), QString());  // "A B.mp3" fits
}

// Under a dark scheme the window, the buttons and their captions take its colours.
TEST(Colours, NoneIsForcedTheCaptionsStandOutOnADarkScheme) {
  const QPalette before = QApplication::palette();
  QPalette dark;
  for (const auto role : {QPalette::Window, QPalette::Button, QPalette::Base})
    dark.setColor(role, QColor(0x2a, 0x2a, 0x2e));
  for (const auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
    dark.setColor(role, QColor(0xee, 0xee, 0xee));
  QApplication::setPalette(dark);
  {
    ActiveForm active;
    MainForm& form = active.form;
    const QImage window = form.grab().toImage();
    EXPECT_EQ(window.pixelColor(4, form.height() - 4), dark.color(QPalette::Window));
    CommandButton& rename = form.ButtonOf(Button::kRename);
    const QImage button = rename.grab().toImage();
    // The face: the colour of most of the button; the caption: its lightest colour.
    std::map<QRgb, int> counts;
    QColor lightest = Qt::black;
    for (int y = 0; y < button.height(); ++y) {
      for (int x = 0; x < button.width(); ++x) {
        const QColor colour = button.pixelColor(x, y);
        ++counts[colour.rgb()];
        if (colour.lightness() > lightest.lightness()) lightest = colour;
      }
    }
    const QColor face = std::max_element(counts.begin(), counts.end(), [](auto a, auto b) {
                          return a.second < b.second;
                        })->first;
    // Dark face, light caption: far more than the 4.5:1 contrast asked for.
    EXPECT_LT(face.lightness(), 80) << face.name().toStdString();
    EXPECT_GT(lightest.lightness(), 200) << lightest.name().toStdString();
  }
  QApplication::setPalette(before);
}

TEST(Translations, GermanWordsTheWindowAndItsMessagesWithPluralsAndOwnMnemonics) {
  QTranslator german;
  ASSERT_TRUE(german.load(QStringLiteral(":/vornick/translations/vornick_de.qm")));
  QCoreApplication::installTranslator(&german);
  {
    MainForm form;
    EXPECT_EQ(form.ButtonOf(Button::kRename).text(), "&Umbenennen");
    EXPECT_EQ(Mnemonics(form).size(), kAllButtons.size());
    EXPECT_EQ(Translated("Vornick [Please wait...]"), "Vornick [Bitte warten …]");
    const window::RenameFailure failure{
        0, "/m/", "x_y.mp3", "X Y.mp3", {window::Reason::Kind::kTaken, {}}};
    const MessageText one = RenameFailedMessage(window::RenameDirection::kRename, {failure});
    EXPECT_EQ(one.title, "Einige Dateien wurden nicht umbenannt");
    EXPECT_TRUE(one.text.startsWith("1 Datei wurde nicht umbenannt;"));
    EXPECT_TRUE(one.text.endsWith(
        "„x_y.mp3“ in „X Y.mp3“ in /m/: eine Datei oder ein Ordner namens „X Y.mp3“ ist schon da"));
    const MessageText two =
        RenameFailedMessage(window::RenameDirection::kRename, {failure, failure});
    EXPECT_TRUE(two.text.startsWith("2 Dateien wurden nicht umbenannt;"));
  }
  QCoreApplication::removeTranslator(&german);
}

TEST(Messages, ALongListNamesTheFirstHundredAndCountsTheRest) {
  const window::RenameFailure failure{0, "/m/", "a", "A", {window::Reason::Kind::kNotThere, {}}};
  const MessageText message =
      RenameFailedMessage(window::RenameDirection::kUndo, std::vector(150, failure));
  EXPECT_EQ(message.title, "Some files were not renamed back");
  EXPECT_TRUE(message.text.startsWith("150 files were not renamed back;"));
  EXPECT_EQ(message.text.count('\n'), 2 + 100);
  EXPECT_TRUE(
      message.text.endsWith("\n\"a\" to \"A\" in /m/: the file is not there\n... and 50 more."));
  EXPECT_TRUE(RenameFailedMessage(window::RenameDirection::kRename, {failure})
                  .text.startsWith("1 file was not renamed;"));
  const MessageText passed =
      PassedOverMessage({{"/m/locked/", window::PassedOver::Why::kNotRead,
                          std::make_error_code(std::errc::permission_denied)},
                         {"/m/elsewhere/", window::PassedOver::Why::kLinkNotFollowed, {}}});
  EXPECT_EQ(passed.text,
            "2 folders or links were passed over; everything else was added.\n\n"
            "/m/locked/: not read: Permission denied\n"
            "/m/elsewhere/: a link to a folder, not followed");
}

}  // namespace
}  // namespace vornick::gui
