// SPDX-License-Identifier: GPL-3.0-or-later
// The rename history in the window: the questions that offer a Rename back (after Clear List, a
// restart, or a program that ended in the middle), the question before renaming without a way
// back, and the history dialog. Message boxes are the real ones, answered by key or button.
// Run by the main of window_test.cpp.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <QTreeWidget>
#include <deque>
#include <set>

#include "gui/command_button.h"
#include "gui/history_dialog.h"
#include "gui/qt_dialogs.h"
#include "gui/report_dialog.h"
#include "gui/wording.h"
#include "platform/history/sqlite_history_store.h"
#include "platform/posix/posix_file_system.h"
#include "tests/fakes/fake_history_store.h"
#include "tests/gui/window_desk.h"
#include "tests/platform/temp_folder.h"

namespace vornick::gui {
namespace {

using platform::BatchKind;
using platform::BatchSummary;

// The fake history, where batches can be marked as written by a program that still runs, and
// reading can be made to fail.
class MarkedHistory final : public platform::HistoryStore {
 public:
  fakes::FakeHistoryStore store;
  std::set<std::int64_t> running;
  bool unreadable = false;

  std::int64_t BeginBatch(BatchKind kind, std::string_view command,
                          std::span<const std::string> folders,
                          std::span<const platform::HistoryRow> rows) override {
    return store.BeginBatch(kind, command, folders, rows);
  }
  void AddRows(std::int64_t batch, std::span<const std::string> folders,
               std::span<const platform::HistoryRow> rows) override {
    store.AddRows(batch, folders, rows);
  }
  void RecordOutcomes(std::int64_t batch, std::span<const std::uint64_t> rows,
                      platform::RowOutcome outcome) override {
    store.RecordOutcomes(batch, rows, outcome);
  }
  void FinishBatch(std::int64_t batch) override { store.FinishBatch(batch); }
  void BeginTakeBack(std::int64_t batch) override { store.BeginTakeBack(batch); }
  std::vector<BatchSummary> Batches() override {
    if (unreadable) {
      throw platform::HistoryError("/fake/history.sqlite",
                                   std::make_error_code(std::errc::io_error),
                                   "cannot read the history in /fake: Input/output error");
    }
    std::vector<BatchSummary> batches = store.Batches();
    for (BatchSummary& batch : batches) batch.running = running.contains(batch.id);
    return batches;
  }
  std::optional<platform::StoredBatch> Batch(std::int64_t batch) override {
    return store.Batch(batch);
  }
  std::string Location() const override { return store.Location(); }
  std::string TakeSetAside() override { return store.TakeSetAside(); }
};

// What stays between two runs of the program: the disk and the history.
struct Disk {
  fakes::FakeFileSystem fileSystem;
  fakes::FakeSettingsStore settings;
  MarkedHistory history;

  std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    for (const platform::FolderEntry& entry : fileSystem.ReadFolder(folder))
      names.insert(entry.name);
    return names;
  }
  // A Rename of `from` to `to` in `folder` whose program ended before it said how it went; the
  // file is at `to` or `from`, as far as it got.
  std::int64_t Interrupted(const std::string& folder, const std::string& from,
                           const std::string& to, std::string_view command = "Rename") {
    const std::string at = fileSystem.CanReadTimes(folder + to) ? to : from;
    const platform::HistoryRow row{0, from, to, fileSystem.GetIdentity(folder + at)};
    return history.BeginBatch(BatchKind::kRename, command, std::vector{folder}, std::vector{row});
  }
};

// One run of the program: its window and Form1 on a disk and history, shown as main() shows them.
// Message boxes are real; the folder picker answers from a queue.
struct Session {
  Session(platform::FileSystem& fileSystem, platform::SettingsStore& settings,
          platform::HistoryStore& history)
      : form(fileSystem, settings, fileDialogs, reports, window, &history) {
    host.Load();
    Form().show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&Form(), kWindowWait));
  }
  explicit Session(Disk& disk) : Session(disk.fileSystem, disk.settings, disk.history) {}

  MainForm& Form() { return window.Form(); }
  RenameView& List() { return window.Form().FileList(); }
  void Click(Button button) { QTest::mouseClick(&Form().ButtonOf(button), Qt::LeftButton); }
  void LoadFolder(const std::string& folder) {
    fileDialogs.QueueFolder(folder);
    Click(Button::kLoadFolder);
  }

  QtWindow window;
  fakes::FakeDialogs fileDialogs;
  QtDialogs boxes{&window.Form()};
  ShownReports reports{boxes, window};
  window::Form1 form;
  FormHost host{form, window};
};

QString Caption(const QAbstractButton* button) {
  return button == nullptr ? QString() : QString(button->text()).remove('&');
}

// A message box as the user saw it.
struct Box {
  QString title, text;
  QStringList buttons;
  QString byDefault, byEscape;  // the buttons Return and Escape press
};

// Keeps every message box that opens and answers it with the next answer: "Return" or "Escape"
// pressed on the box, or the caption of a button to click. Escape when none is left.
struct BoxAnswerer {
  explicit BoxAnswerer(std::deque<QString> queued = {})
      : answers(std::move(queued)), answerer([this](QMessageBox& box) {
          Box seen{box.windowTitle(),
                   box.text(),
                   {},
                   Caption(box.defaultButton()),
                   Caption(box.escapeButton())};
          for (const QAbstractButton* button : box.buttons()) seen.buttons.append(Caption(button));
          shown.push_back(seen);
          const QString answer = answers.empty() ? QStringLiteral("Escape") : answers.front();
          if (!answers.empty()) answers.pop_front();
          if (answer == "Return" || answer == "Escape") {
            QTest::keyClick(&box, answer == "Return" ? Qt::Key_Return : Qt::Key_Escape);
            return;
          }
          for (QAbstractButton* button : box.buttons()) {
            if (Caption(button) == answer) return button->click();
          }
          ADD_FAILURE() << "no button " << answer.toStdString();
          box.reject();
        }) {}
  std::deque<QString> answers;
  std::vector<Box> shown;
  ModalAnswerer<QMessageBox> answerer;
};

using Names = std::set<std::string>;

TEST(TakeBack, AfterClearListUndoOffersTheLastRenameWithItsCountAndFolderAndTakesItBack) {
  Disk disk;
  for (const char* file : {"/m/a_b.mp3", "/m/c_d.mp3", "/m/Tidy.mp3"})
    disk.fileSystem.AddFile(file);
  Session session(disk);
  session.LoadFolder("/m");
  session.Click(Button::kRename);
  ASSERT_EQ(disk.Names("/m/"), (Names{"A B.mp3", "C D.mp3", "Tidy.mp3"}));
  session.Click(Button::kClearList);

  BoxAnswerer boxes({"Escape", "Return"});
  session.Click(Button::kUndo);  // Cancel
  EXPECT_EQ(disk.Names("/m/"), (Names{"A B.mp3", "C D.mp3", "Tidy.mp3"}));
  session.Click(Button::kUndo);  // Take Back
  EXPECT_EQ(disk.Names("/m/"), (Names{"a_b.mp3", "c_d.mp3", "Tidy.mp3"}));
  ASSERT_EQ(boxes.shown.size(), 2u);
  const Box& offer = boxes.shown[1];
  EXPECT_EQ(offer.title, "Take back an earlier Rename?");
  EXPECT_TRUE(offer.text.contains(" 2 files in /m/ ")) << offer.text.toStdString();
  const BatchSummary batch = disk.history.Batches().front();
  EXPECT_TRUE(offer.text.contains(WhenWords(batch.started))) << offer.text.toStdString();
  EXPECT_EQ(offer.buttons, (QStringList{"Take Back", "Cancel"}));
  EXPECT_EQ(offer.byDefault, "Take Back");
  EXPECT_EQ(offer.byEscape, "Cancel");

  session.Click(Button::kUndo);  // nothing left to take back, nothing to ask
  EXPECT_EQ(boxes.shown.size(), 2u);
}

// Exit and a new start, on the real disk and the real history file, each run with its own store:
// the list is empty, the history is not, and Undo offers what the run before left renamed.
TEST(TakeBack, AfterARestartUndoTakesBackWhatTheRunBeforeLeftRenamed) {
  platform::TempFolder music;
  music.Write("a_b.mp3", "one");
  music.Write("sub/c_d.mp3", "two");
  const std::string folder = music.Path().substr(0, music.Path().size() - 1);
  platform::PosixFileSystem fileSystem;
  fakes::FakeSettingsStore settings;
  platform::TempFolder state;
  const std::string historyFolder = state.Path() + "vornick";
  {
    platform::SqliteHistoryStore history(historyFolder);
    Session first(fileSystem, settings, history);
    first.LoadFolder(folder);
    first.Click(Button::kRename);
    first.window.Model().setData(first.window.Model().index(0, 0), Qt::Unchecked,
                                 Qt::CheckStateRole);
    first.Click(Button::kUndo);  // one of the two back already
    ASSERT_EQ(platform::Contents(music),
              (std::map<std::string, std::string>{{"A B.mp3", "one"}, {"sub/c_d.mp3", "two"}}));
  }
  platform::SqliteHistoryStore history(historyFolder);
  Session second(fileSystem, settings, history);
  BoxAnswerer boxes({"Return"});
  second.host.Started();  // a finished Rename is not offered at start
  EXPECT_TRUE(boxes.shown.empty());
  second.Click(Button::kUndo);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_TRUE(boxes.shown[0].text.contains(" 1 file in " + QString::fromStdString(music.Path())))
      << boxes.shown[0].text.toStdString();
  EXPECT_EQ(platform::Contents(music),
            (std::map<std::string, std::string>{{"a_b.mp3", "one"}, {"sub/c_d.mp3", "two"}}));
}

TEST(TakeBack, ARenameCutShortIsOfferedAtStartKeepLeavesItForGoodTakeBackRenamesBack) {
  Disk disk;
  disk.fileSystem.AddFile("/m/A B.mp3");  // renamed before the program ended
  disk.fileSystem.AddFile("/m/c_d.mp3");  // not yet
  const std::int64_t kept = disk.Interrupted("/m/", "a_b.mp3", "A B.mp3");
  disk.history.store.AddRows(
      kept, {},
      std::vector{platform::HistoryRow{0, "c_d.mp3", "C D.mp3",
                                       disk.fileSystem.GetIdentity("/m/c_d.mp3")}});
  {
    Session session(disk);
    BoxAnswerer boxes({"Escape"});
    session.host.Started();
    ASSERT_EQ(boxes.shown.size(), 1u);
    const Box& offer = boxes.shown[0];
    EXPECT_EQ(offer.title, "A Rename was interrupted");
    EXPECT_TRUE(offer.text.contains("ended in the middle")) << offer.text.toStdString();
    EXPECT_TRUE(offer.text.contains(" 2 files in /m/ ")) << offer.text.toStdString();
    EXPECT_EQ(offer.buttons, (QStringList{"Take Back", "Keep"}));
    EXPECT_EQ(offer.byDefault, "Take Back");
    EXPECT_EQ(offer.byEscape, "Keep");
    EXPECT_EQ(disk.Names("/m/"), (Names{"A B.mp3", "c_d.mp3"}));
  }
  {
    Session session(disk);
    BoxAnswerer boxes;
    session.host.Started();
    EXPECT_TRUE(boxes.shown.empty());  // kept: not asked again
  }
  disk.fileSystem.AddFile("/n/E F.mp3");
  disk.Interrupted("/n/", "e_f.mp3", "E F.mp3");
  Session session(disk);
  BoxAnswerer boxes({"Return"});
  session.host.Started();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_TRUE(boxes.shown[0].text.contains(" 1 file in /n/ ")) << boxes.shown[0].text.toStdString();
  EXPECT_EQ(disk.Names("/n/"), Names{"e_f.mp3"});
  EXPECT_EQ(disk.Names("/m/"), (Names{"A B.mp3", "c_d.mp3"}));  // the one kept stays as it is
}

TEST(WithoutHistory, RenameAndUndoAskFirstAndOnlyAYesRenames) {
  Disk disk;
  disk.fileSystem.AddFile("/m/a_b.mp3");
  disk.history.store.failAfter = 0;  // no write gets through
  Session session(disk);
  session.LoadFolder("/m");
  BoxAnswerer boxes({"Return", "Escape", "Rename Anyway", "Return", "Undo Anyway"});
  session.Click(Button::kRename);
  session.Click(Button::kRename);
  EXPECT_EQ(disk.Names("/m/"), Names{"a_b.mp3"});
  EXPECT_FALSE(session.form.List().Row(0).IsRenamed());
  session.Click(Button::kRename);
  EXPECT_EQ(disk.Names("/m/"), Names{"A B.mp3"});
  ASSERT_EQ(boxes.shown.size(), 3u);
  const Box& rename = boxes.shown[0];
  EXPECT_EQ(rename.title, "Rename without a way back?");
  EXPECT_TRUE(rename.text.contains("/fake: No space left on device")) << rename.text.toStdString();
  EXPECT_TRUE(rename.text.contains("cannot be taken back once the window is closed"));
  EXPECT_EQ(rename.buttons, (QStringList{"Rename Anyway", "Cancel"}));
  EXPECT_EQ(rename.byDefault, "Cancel");
  EXPECT_EQ(rename.byEscape, "Cancel");

  // Renamed without a batch, the row's Undo needs one of its own.
  session.Click(Button::kUndo);
  EXPECT_EQ(disk.Names("/m/"), Names{"A B.mp3"});
  session.Click(Button::kUndo);
  EXPECT_EQ(disk.Names("/m/"), Names{"a_b.mp3"});
  ASSERT_EQ(boxes.shown.size(), 5u);
  EXPECT_EQ(boxes.shown[3].title, "Undo without a way back?");
  EXPECT_EQ(boxes.shown[3].byDefault, "Cancel");
}

TEST(WithoutHistory, ADamagedHistorySetAsideIsToldWithBothNames) {
  Disk disk;
  disk.fileSystem.AddFile("/m/a_b.mp3");
  disk.history.store.setAside = "/fake/history.sqlite.damaged-1";
  Session session(disk);
  session.LoadFolder("/m");
  BoxAnswerer boxes;
  session.Click(Button::kRename);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].title, "The history was damaged");
  EXPECT_TRUE(boxes.shown[0].text.contains("/fake/history.sqlite was damaged"));
  EXPECT_TRUE(boxes.shown[0].text.contains("kept as /fake/history.sqlite.damaged-1"));
  EXPECT_EQ(disk.Names("/m/"), Names{"A B.mp3"});
}

// The dialog's table, one line a row: state, files, folder, command.
std::vector<std::string> Rows(const HistoryDialog& dialog) {
  std::vector<std::string> rows;
  for (int i = 0; i < dialog.Table().topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = dialog.Table().topLevelItem(i);
    QStringList cells;
    for (int column = 1; column < dialog.Table().columnCount(); ++column)
      cells.append(item->text(column));
    rows.push_back(cells.join(" | ").toStdString());
  }
  return rows;
}

// Answers the context menu that opens by choosing "History..." with the keyboard.
struct MenuAnswerer {
  MenuAnswerer() {
    QObject::connect(&timer, &QTimer::timeout, [this] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (menu == nullptr) return;
      for (QAction* action : menu->actions()) {
        if (action->text() != "&History...") continue;
        ++opened;
        menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_Return);
        return;
      }
      ADD_FAILURE() << "no History... in the menu";
      menu->close();
    });
    timer.start(10);
  }
  QTimer timer;
  int opened = 0;
};

class HistoryDialogTest : public ::testing::Test {
 protected:
  Disk disk;
};

TEST_F(HistoryDialogTest, ListsTheBatchesNewestFirstAndTakesOneBackByKeyboard) {
  for (const char* file :
       {"/m/a_b.mp3", "/m/c_d.mp3", "/p/g_h.mp3", "/n/e_f.mp3", "/q/I J.mp3", "/r/K L.mp3"})
    disk.fileSystem.AddFile(file);
  Session session(disk);
  session.LoadFolder("/m");
  session.Click(Button::kRename);
  session.window.Model().setData(session.window.Model().index(0, 0), Qt::Unchecked,
                                 Qt::CheckStateRole);
  session.Click(Button::kUndo);  // one of two back
  session.Click(Button::kClearList);
  session.LoadFolder("/p");
  session.Click(Button::kRename);
  session.Click(Button::kUndo);  // all back
  session.Click(Button::kClearList);
  session.LoadFolder("/n");
  session.Click(Button::kRename);
  disk.Interrupted("/q/", "i_j.mp3", "I J.mp3");
  disk.history.running.insert(disk.Interrupted("/r/", "k_l.mp3", "K L.mp3", "vornick-cli rename"));
  ASSERT_EQ(disk.Names("/n/"), Names{"E F.mp3"});

  int answered = 0;
  ModalAnswerer<HistoryDialog> answerer([&](HistoryDialog& dialog) {
    ++answered;
    EXPECT_EQ(dialog.windowTitle(), "Rename History");
    EXPECT_TRUE(dialog.Note().isHidden());
    EXPECT_EQ(Rows(dialog), (std::vector<std::string>{
                                "running | 1 | /r/ | vornick-cli rename",
                                "interrupted | 1 | /q/ | Rename",
                                "done | 1 | /n/ | Rename",
                                "taken back | 1 | /p/ | Rename",
                                "partly taken back | 2 | /m/ | Rename",
                            }));
    EXPECT_EQ(dialog.Table().topLevelItem(0)->text(0),
              WhenWords(disk.history.Batches().front().started));
    // The rows from the top with the arrow keys, and whether each can be taken back.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog, kWindowWait));
    // The focus follows the activation, later on a busy machine.
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == &dialog.Table(); },
                                kWindowWait));
    std::vector<bool> enabled;
    for (int row = 0; row < 5; ++row) {
      EXPECT_EQ(dialog.Table().currentIndex().row(), row);
      enabled.push_back(dialog.TakeBackButton().isEnabled());
      QTest::keyClick(&dialog.Table(), Qt::Key_Down);
    }
    EXPECT_EQ(enabled, (std::vector<bool>{false, true, true, false, true}));
    QTest::keyClick(&dialog.Table(), Qt::Key_Up);
    QTest::keyClick(&dialog.Table(), Qt::Key_Up);
    ASSERT_EQ(dialog.Table().currentIndex().row(), 2);
    for (int tab = 0; tab < 3 && QApplication::focusWidget() != &dialog.TakeBackButton(); ++tab)
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), &dialog.TakeBackButton());
    QTest::keyClick(&dialog.TakeBackButton(), Qt::Key_Space);
    EXPECT_EQ(Rows(dialog)[2], "taken back | 1 | /n/ | Rename");
    EXPECT_EQ(dialog.Table().currentIndex().row(), 2);
    EXPECT_FALSE(dialog.TakeBackButton().isEnabled());
    // Return on a row that could be taken back closes the window, and takes nothing back.
    ASSERT_EQ(QApplication::focusWidget(), &dialog.Table());
    QTest::keyClick(&dialog.Table(), Qt::Key_Up);
    ASSERT_TRUE(dialog.TakeBackButton().isEnabled());
    QTest::keyClick(&dialog.Table(), Qt::Key_Return);
  });
  QTest::keyClick(&session.List(), Qt::Key_H, Qt::ControlModifier);
  EXPECT_EQ(answered, 1);
  EXPECT_EQ(disk.Names("/n/"), Names{"e_f.mp3"});
  EXPECT_FALSE(session.form.List().Row(0).IsRenamed());  // the list's row shows it
  EXPECT_EQ(disk.Names("/q/"), Names{"I J.mp3"});
}

TEST_F(HistoryDialogTest, OpensFromCtrlHAndTheListsContextMenuByMouseAndKeyboard) {
  Session session(disk);
  session.Form().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&session.Form(), kWindowWait));
  int opened = 0;
  ModalAnswerer<HistoryDialog> answerer([&](HistoryDialog& dialog) {
    ++opened;
    QTest::keyClick(&dialog, Qt::Key_Escape);
  });
  MenuAnswerer menus;
  QTest::keyClick(&session.Form().ButtonOf(Button::kRename), Qt::Key_H, Qt::ControlModifier);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(menus.opened, 0);  // no menu on the way
  // A right click as the window system gives it, on the list's empty space.
  QTest::mouseClick(session.Form().windowHandle(), Qt::RightButton, {},
                    session.List().geometry().center());
  QTest::keyClick(&session.List(), Qt::Key_Menu);
  QTest::keyClick(&session.List(), Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_EQ(menus.opened, 3);
  EXPECT_EQ(opened, 4);
  // The buttons did not get a ninth.
  EXPECT_EQ(session.Form().findChildren<CommandButton*>().size(), platform::kButtonCount);
}

TEST_F(HistoryDialogTest, TableAndButtonsAreNamedForScreenReaders) {
  HistoryDialog dialog([] { return std::vector<BatchSummary>{}; }, [](std::int64_t) {}, nullptr);
  const auto named = [](QWidget& widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&widget);
    return std::pair(accessible->text(QAccessible::Name),
                     accessible->text(QAccessible::Description));
  };
  EXPECT_EQ(named(dialog.Table()).first, "Renames in the history");
  EXPECT_EQ(named(dialog.TakeBackButton()).first, "Take Back");
  EXPECT_EQ(named(dialog.CloseButton()).first, "Close");
  for (QWidget* widget :
       {static_cast<QWidget*>(&dialog.Table()), static_cast<QWidget*>(&dialog.TakeBackButton()),
        static_cast<QWidget*>(&dialog.CloseButton())})
    EXPECT_FALSE(named(*widget).second.isEmpty()) << widget->metaObject()->className();
  EXPECT_NE(QKeySequence::mnemonic(dialog.TakeBackButton().text()), QKeySequence());
  EXPECT_NE(QKeySequence::mnemonic(dialog.CloseButton().text()), QKeySequence());
}

TEST_F(HistoryDialogTest, AnEmptyHistorySaysSoAndOneThatCannotBeReadSaysWhy) {
  Session session(disk);
  std::vector<std::string> notes;
  ModalAnswerer<HistoryDialog> answerer([&](HistoryDialog& dialog) {
    notes.push_back(dialog.Note().isVisible() ? dialog.Note().text().toStdString() : "");
    EXPECT_EQ(dialog.Table().topLevelItemCount(), 0);
    EXPECT_FALSE(dialog.TakeBackButton().isEnabled());
    dialog.reject();
  });
  session.host.ShowHistory();
  disk.history.unreadable = true;
  session.host.ShowHistory();
  EXPECT_EQ(notes, (std::vector<std::string>{
                       "No renames are kept in the history yet.",
                       "The history could not be read: cannot read the history in /fake: "
                       "Input/output error"}));
}

// A take-back that fails is told as Undo's failures are, once, over the dialog.
TEST_F(HistoryDialogTest, ATakeBackThatFailsIsToldInOneMessage) {
  disk.fileSystem.AddFile("/m/A B.mp3");
  disk.history.store.FinishBatch(disk.Interrupted("/m/", "a_b.mp3", "A B.mp3"));
  disk.fileSystem.AddFile("/m/a_b.mp3");  // another file has taken the old name
  Session session(disk);
  std::vector<QString> reports;  // the titles of the reports shown
  ModalAnswerer<ReportDialog> reported([&](ReportDialog& report) {
    reports.push_back(report.windowTitle());
    report.accept();
  });
  ModalAnswerer<HistoryDialog> answerer([&](HistoryDialog& dialog) {
    dialog.TakeBackButton().click();
    EXPECT_EQ(Rows(dialog), std::vector<std::string>{"done | 1 | /m/ | Rename"});
    dialog.reject();
  });
  session.host.ShowHistory();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0], "Some files were not renamed back");
  EXPECT_EQ(disk.Names("/m/"), (Names{"A B.mp3", "a_b.mp3"}));
}

TEST(HistoryTranslations, GermanAsksWithPluralsAndNamesTheStates) {
  QTranslator german;
  ASSERT_TRUE(german.load(QStringLiteral(":/vornick/translations/vornick_de.qm")));
  QCoreApplication::installTranslator(&german);
  BatchSummary batch;
  batch.folder = "/m/";
  batch.renamed = 1;
  const QuestionText one = TakeBackQuestion(batch, false);
  batch.renamed = 2;
  const QuestionText two = TakeBackQuestion(batch, true);
  batch.finished = true;
  batch.takenBack = 1;
  const QString partly = BatchStateWords(batch);
  const QuestionText anyway = GoOnWithoutHistoryQuestion(window::Command::kRename, "x", {});
  QCoreApplication::removeTranslator(&german);

  EXPECT_EQ(one.title, "Eine frühere Umbenennung zurücknehmen?");
  EXPECT_TRUE(one.text.contains("1 Datei in /m/")) << one.text.toStdString();
  EXPECT_EQ(one.goOn, "&Zurücknehmen");
  EXPECT_TRUE(two.text.contains("2 Dateien in /m/")) << two.text.toStdString();
  EXPECT_EQ(two.stop, "&Behalten");
  EXPECT_EQ(partly, "teilweise zurückgenommen");
  EXPECT_EQ(anyway.goOn, "&Trotzdem umbenennen");
}

}  // namespace
}  // namespace vornick::gui
