// SPDX-License-Identifier: GPL-3.0-or-later
// The list in the user's hands: sorted and filtered views over a list that keeps its order (also
// while a load adds rows), names edited by hand, the find bar and the counts line.
#include <QAccessible>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <random>

#include "gui/counts_line.h"
#include "gui/find_bar.h"
#include "gui/row_order.h"
#include "tests/gui/window_desk.h"

namespace vornick::gui {
namespace {

using Kind = RenameModel::RowKind;
using Strings = std::vector<std::string>;

TEST(RowOrder, NamesCompareAsPeopleReadThem) {
  const struct {
    const char* a;
    const char* b;
    int order;
  } cases[] = {
      {"Track 2.mp3", "Track 10.mp3", -1},
      {"track 2.mp3", "Track 2.mp3", 0},
      {"a.mp3", "B.mp3", -1},
      {"Track 02.mp3", "Track 2.mp3", 0},
      {"Track 007", "Track 7", 0},
      {"Track 2", "Track 2", 0},
      {"x9", "x10", -1},
      {"99999999999999999999", "100000000000000000000", -1},
      {"ab", "abc", -1},
      {"", "a", -1},
      {"Zoë", "Zoe", 1},
      {"1 a", "1a", -1},
  };
  for (const auto& [a, b, order] : cases) {
    EXPECT_EQ(CompareNatural(a, b), order) << a << " / " << b;
    EXPECT_EQ(CompareNatural(b, a), -order) << b << " / " << a;
  }
}

// Sorting goes by keys, made again for the rows whose keys so far are equal: key after key, they
// must order any two names as the names themselves do. Names of digits (runs longer than a key
// too), zeros, case and punctuation around the points where keys are cut off.
int KeyOrder(std::string_view a, std::string_view b) {
  std::size_t fromA = 0, fromB = 0;
  for (int level = 0; level < 64; ++level) {
    const NaturalKey x = KeyOf(a, fromA), y = KeyOf(b, fromB);
    if (x != y) return x < y ? -1 : 1;
    if (fromA >= a.size() && fromB >= b.size()) return 0;
  }
  ADD_FAILURE() << "the keys never end: " << a << " / " << b;
  return 0;
}

TEST(RowOrder, KeysOrderNamesAsTheNamesDo) {
  std::mt19937 random(11);
  const std::string alphabet = "000000112233999aAbB -_.(\xc3\xa4";
  const auto name = [&] {
    std::string text;
    for (std::size_t length = random() % 40; length > 0; --length)
      text += alphabet[random() % alphabet.size()];
    return text;
  };
  for (int i = 0; i < 200000; ++i) {
    const std::string a = name(), b = random() % 4 == 0 ? a : name();
    const int order = CompareNatural(a, b);
    ASSERT_EQ(KeyOrder(a, b), order > 0 ? 1 : (order < 0 ? -1 : 0))
        << '"' << a << "\" / \"" << b << '"';
  }
  // A sort by them: names alike keep the order of their rows.
  const Strings names{"Track 10", "track 2", "Track 02", "a", "Track 2", "B", "b"};
  std::vector<std::uint32_t> rows{0, 1, 2, 3, 4, 5, 6};
  const auto text = [&](std::uint32_t row) { return std::string_view(names[row]); };
  SortNatural(rows, text, true);
  EXPECT_EQ(rows, (std::vector<std::uint32_t>{3, 5, 6, 1, 2, 4, 0}));
  SortNatural(rows, text, false);
  EXPECT_EQ(rows, (std::vector<std::uint32_t>{0, 1, 2, 4, 5, 6, 3}));
}

TEST(RowOrder, TheFindTextMatchesWithoutRegardToCase) {
  const struct {
    const char* needle;
    const char* name;
    bool in;
  } cases[] = {
      {"BEAT", "01 - The Beatles.mp3", true},
      {"beat", "01 - THE BEATLES.MP3", true},
      {"ä", "ÄRZTE.mp3", true},
      {"Ärzte", "die ärzte - x.mp3", true},
      {"ae", "Ärzte.mp3", false},
      {"é", "Beyonce.mp3", false},
      {"mp3", "Sigur Rós.mp3", true},
      {"", "anything", true},
      {"x", "", false},
      {"/m/", "/m/", true},
  };
  for (const auto& [needle, name, in] : cases) {
    EXPECT_EQ(TextMatch(QString::fromUtf8(needle)).In(name), in) << needle << " in " << name;
  }
  EXPECT_TRUE(TextMatch(QStringLiteral("abc")).Narrows(TextMatch(QStringLiteral("B"))));
  EXPECT_FALSE(TextMatch(QStringLiteral("ab")).Narrows(TextMatch(QStringLiteral("abc"))));
}

struct ListViewTest : testing::Test {
  WindowDesk desk;
  RenameModel& model = desk.window.Model();
  window::RenameList& list = desk.form.Operations().List();

  void Add(const Strings& names, const std::string& folder = "/m/") {
    for (const std::string& name : names) desk.form.Operations().AddEntry(folder + name, true);
  }
  // The view's rows, by the text of `column`.
  Strings Shown(int column = RenameModel::kCurrentName) {
    Strings texts;
    for (int row = 0; row < model.rowCount(); ++row)
      texts.push_back(model.index(row, column).data().toString().toStdString());
    return texts;
  }
  Strings ListOrder() {
    Strings names;
    for (std::size_t i = 0; i < list.Count(); ++i) names.push_back(list.Row(i).CurrentName);
    return names;
  }
};

TEST_F(ListViewTest, AHeaderClickSortsTheViewOnlyAndAThirdClickGivesListOrderBack) {
  Add({"b 10.mp3", "B 9.mp3", "a.mp3"}, "/z/");
  Add({"c.mp3", "a.mp3"}, "/a/");
  desk.window.ShowAppendedRows();
  const Strings listOrder = ListOrder();
  QHeaderView& header = *desk.List().header();
  const auto click = [&](int column) {
    QTest::mouseClick(header.viewport(), Qt::LeftButton, {},
                      QPoint(header.sectionViewportPosition(column) + 5, header.height() / 2));
  };
  click(RenameModel::kCurrentName);
  // Alike names keep their list order; digits go by value.
  EXPECT_EQ(Shown(), (Strings{"a.mp3", "a.mp3", "B 9.mp3", "b 10.mp3", "c.mp3"}));
  EXPECT_EQ(Shown(RenameModel::kFolder), (Strings{"/z/", "/a/", "/z/", "/z/", "/a/"}));
  click(RenameModel::kCurrentName);
  EXPECT_EQ(Shown(), (Strings{"c.mp3", "b 10.mp3", "B 9.mp3", "a.mp3", "a.mp3"}));
  EXPECT_EQ(header.sortIndicatorOrder(), Qt::DescendingOrder);
  click(RenameModel::kCurrentName);
  EXPECT_EQ(Shown(), listOrder);
  click(RenameModel::kFolder);
  EXPECT_EQ(Shown(), (Strings{"c.mp3", "a.mp3", "b 10.mp3", "B 9.mp3", "a.mp3"}));
  click(RenameModel::kNewName);
  EXPECT_EQ(Shown(RenameModel::kNewName),
            (Strings{"A.mp3", "A.mp3", "B 9.mp3", "B 10.mp3", "C.mp3"}));
  EXPECT_EQ(ListOrder(), listOrder);

  // What the user does to a view row happens to the list row it shows.
  desk.List().setCurrentIndex(model.index(4, 0));
  desk.List().selectionModel()->select(
      model.index(4, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  EXPECT_EQ(list.SelectedItem(), std::optional<std::size_t>(3));
  EXPECT_TRUE(list.Row(3).Selected);
  model.setData(model.index(0, 0), Qt::Unchecked, Qt::CheckStateRole);
  EXPECT_FALSE(list.Row(2).Checked);
  EXPECT_TRUE(list.Row(4).Checked);
}

// Rows that arrive during a load land where the sort, and the filter, put them; the view stays the
// same as one sorted anew.
TEST_F(ListViewTest, RowsAddedDuringALoadLandInTheirPlaceInASortedFilteredView) {
  std::mt19937 random(3);
  model.sort(RenameModel::kCurrentName, Qt::DescendingOrder);
  const auto name = [&random] {
    std::string text = random() % 2 ? "Song " : "song_";
    text += std::to_string(random() % 50);
    return text + (random() % 3 == 0 ? ".flac.mp3" : ".mp3");
  };
  for (int batch = 0; batch < 8; ++batch) {
    if (batch == 4) model.SetFilter(QStringLiteral("FLAC"), Kind::kAll);
    for (int i = 0; i < 40; ++i) desk.form.Operations().AddEntry("/m/" + name(), true);
    desk.window.ShowAppendedRows();
    Strings expected;
    for (const std::string& row : ListOrder()) {
      if (batch < 4 || row.find("flac") != std::string::npos) expected.push_back(row);
    }
    std::stable_sort(expected.begin(), expected.end(),
                     [](const auto& a, const auto& b) { return CompareNatural(a, b) > 0; });
    ASSERT_EQ(Shown(), expected) << batch;
  }
  // Clear List empties the view; the filter and the sort hold for the rows that come next.
  desk.form.Press(Button::kClearList);
  EXPECT_EQ(model.rowCount(), 0);
  Add({"a.flac.mp3", "b.mp3", "c.flac.mp3"});
  desk.window.ShowAppendedRows();
  EXPECT_EQ(Shown(), (Strings{"c.flac.mp3", "a.flac.mp3"}));
}

TEST_F(ListViewTest, TheFilterKeepsRowsByTextAndByKindAndNarrowsAsYouType) {
  desk.fileSystem.AddFolder("/m");
  desk.fileSystem.SetRules("/m/", platform::RulesFor(platform::NameRules::System::kExfat));
  Add({"The Beatles - Help.mp3", "the_beatles-yesterday.mp3", "Björk - Jóga.mp3", "abba.mp3",
       "Done.mp3"});
  desk.window.ShowAppendedRows();
  // The current row stays the current row wherever it comes to stand, while it is shown.
  desk.List().setCurrentIndex(model.index(1, 0));
  model.SetFilter(QStringLiteral("beat"), Kind::kAll);
  EXPECT_EQ(Shown(), (Strings{"The Beatles - Help.mp3", "the_beatles-yesterday.mp3"}));
  model.sort(RenameModel::kCurrentName, Qt::DescendingOrder);
  EXPECT_EQ(model.ListRow(desk.List().currentIndex().row()), 1u);
  model.sort(-1);
  model.SetFilter(QStringLiteral("beatles-"), Kind::kAll);  // narrower
  EXPECT_EQ(Shown(), (Strings{"the_beatles-yesterday.mp3"}));
  model.SetFilter(QStringLiteral("JÓ"), Kind::kAll);  // another text: every row looked at again
  EXPECT_EQ(Shown(), (Strings{"Björk - Jóga.mp3"}));
  // The proposed name and the folder count too.
  model.SetFilter(QStringLiteral("Yesterday"), Kind::kAll);
  EXPECT_EQ(Shown(), (Strings{"the_beatles-yesterday.mp3"}));
  model.SetFilter(QStringLiteral("/M/"), Kind::kAll);
  EXPECT_EQ(model.rowCount(), 5);

  model.SetFilter({}, Kind::kWouldChange);
  EXPECT_EQ(Shown(), (Strings{"the_beatles-yesterday.mp3", "abba.mp3"}));
  // A name the disk does not take: refused.
  desk.form.Operations().AddRow("colon.mp3", "a: b.mp3", "/m/", true);
  desk.window.ShowAppendedRows();
  model.SetFilter({}, Kind::kWouldBeRefused);
  EXPECT_EQ(Shown(), (Strings{"colon.mp3"}));
  list.SetState(0, window::RowState::kRenamed);
  list.SetState(1, window::RowState::kRenameFailed);
  list.SetState(2, window::RowState::kUndoFailed);
  model.SetFilter({}, Kind::kRenamed);
  EXPECT_EQ(Shown(), (Strings{"The Beatles - Help.mp3"}));
  // A command that changes rows picks them again when it ends.
  model.HoldStatuses(true);
  list.SetState(3, window::RowState::kRenamed);
  model.HoldStatuses(false);
  EXPECT_EQ(Shown(), (Strings{"The Beatles - Help.mp3", "abba.mp3"}));
  list.SetState(3, window::RowState::kNotRenamed);
  model.SetFilter({}, Kind::kFailed);
  EXPECT_EQ(Shown(), (Strings{"the_beatles-yesterday.mp3", "Björk - Jóga.mp3"}));
  EXPECT_EQ(model.ShownRows(), (std::vector<std::size_t>{1, 2}));
  model.SetFilter({}, Kind::kAll);
  EXPECT_EQ(model.rowCount(), 6);
}

// The click rule turns over the selected rows' marks: a row the filter took off the view is no
// longer selected, and keeps its mark.
TEST_F(ListViewTest, ARowFilteredAwayIsSelectedNoLonger) {
  Add({"a_1.mp3", "b_2.mp3", "a_3.mp3"});
  desk.window.ShowAppendedRows();
  QItemSelectionModel& selection = *desk.List().selectionModel();
  selection.select(model.index(1, 0),
                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  ASSERT_TRUE(list.Row(1).Selected);
  model.SetFilter(QStringLiteral("a_"), Kind::kAll);
  EXPECT_FALSE(list.Row(1).Selected);
  EXPECT_FALSE(list.SelectedItem().has_value());
  selection.select(model.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  desk.form.OnListClick();
  EXPECT_TRUE(list.Row(0).Checked && list.Row(1).Checked);
  EXPECT_FALSE(list.Row(2).Checked);
  // A sort keeps the selection on the same row.
  model.sort(RenameModel::kCurrentName, Qt::DescendingOrder);
  EXPECT_TRUE(list.Row(2).Selected);
  EXPECT_EQ(list.SelectedItem(), std::optional<std::size_t>(2));
}

TEST_F(ListViewTest, CtrlFFindsRowsEscapeShowsThemAllAndOnlyTheRowsShownAreChecked) {
  Add({"a_b.mp3", "c_d.mp3", "a_x.mp3"});
  desk.window.ShowAppendedRows();
  desk.Form().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&desk.Form(), kWindowWait));
  desk.List().setFocus();
  const int listHeight = desk.List().height();
  FindBar& finder = desk.Form().Finder();
  QTest::keyClick(&desk.List(), Qt::Key_F, Qt::ControlModifier);
  ASSERT_TRUE(finder.isVisible());
  // The bar takes its room from the list, and the buttons stay where they are.
  EXPECT_EQ(desk.List().height() + finder.height(), listHeight);
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("A_"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return model.rowCount() == 2; }));
  const QList<QLabel*> labels = finder.findChildren<QLabel*>();
  EXPECT_TRUE(std::any_of(labels.begin(), labels.end(),
                          [](QLabel* label) { return label->text() == "2 of 3 rows"; }));

  desk.form.Press(Button::kUnselectAll);
  emit finder.CheckShown(true);
  EXPECT_TRUE(list.Row(0).Checked && list.Row(2).Checked);
  EXPECT_FALSE(list.Row(1).Checked);

  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  EXPECT_FALSE(finder.isVisible());
  EXPECT_EQ(model.rowCount(), 3);
  EXPECT_EQ(desk.List().height(), listHeight);
  EXPECT_EQ(QApplication::focusWidget(), &desk.List());
}

TEST_F(ListViewTest, F2EditsTheProposedNameAndANameThatCannotBeOneKeepsTheEditOpen) {
  Add({"rem - losing my religion.mp3", "b_c.mp3"});
  desk.window.ShowAppendedRows();
  model.sort(RenameModel::kCurrentName, Qt::AscendingOrder);  // view row 1 is list row 0
  desk.Form().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&desk.Form(), kWindowWait));
  desk.List().setFocus();
  desk.List().setCurrentIndex(model.index(1, RenameModel::kCurrentName));
  QTest::keyClick(&desk.List(), Qt::Key_F2);
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), "Rem - Losing My Religion.mp3");
  // The extension stays out of what is typed over.
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return editor->selectedText() == "Rem - Losing My Religion"; }));

  for (const QString& bad : {QStringLiteral(""), QStringLiteral(".."), QStringLiteral("a/b.mp3")}) {
    editor->setText(bad);
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(QApplication::focusWidget(), editor) << bad.toStdString();
    EXPECT_FALSE(editor->accessibleDescription().isEmpty());
    EXPECT_EQ(list.Row(0).NewName, "Rem - Losing My Religion.mp3");
  }
  editor->setText(QStringLiteral("R.E.M. - Losing My Religion.mp3"));
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return list.Row(0).NewName == "R.E.M. - Losing My Religion.mp3"; }));
  EXPECT_TRUE(list.Row(0).Edited);
  const QModelIndex name = model.index(1, RenameModel::kNewName);
  EXPECT_EQ(name.data(Qt::AccessibleDescriptionRole).toString(), "Edited by hand");
  EXPECT_TRUE(name.data(Qt::FontRole).value<QFont>().italic());

  // Escape leaves the name as it was.
  QTest::keyClick(&desk.List(), Qt::Key_F2);
  editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  editor->setText(QStringLiteral("other.mp3"));
  QTest::keyClick(editor, Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == &desk.List(); }));
  EXPECT_EQ(list.Row(0).NewName, "R.E.M. - Losing My Religion.mp3");

  // The edit is renamed on the disk as typed, and Undo takes it back.
  desk.fileSystem.AddFolder("/m");
  desk.fileSystem.AddFile("/m/rem - losing my religion.mp3");
  desk.fileSystem.AddFile("/m/b_c.mp3");
  desk.Click(Button::kRename);
  EXPECT_TRUE(desk.fileSystem.CanReadTimes("/m/R.E.M. - Losing My Religion.mp3"));
  // The name Undo finds the file by is not opened for editing.
  desk.List().setFocus();
  QTest::keyClick(&desk.List(), Qt::Key_F2);
  const QList<QLineEdit*> editors = desk.List().findChildren<QLineEdit*>();
  EXPECT_TRUE(std::none_of(editors.begin(), editors.end(),
                           [](QLineEdit* line) { return line->isVisible(); }));
  desk.Click(Button::kUndo);
  EXPECT_TRUE(desk.fileSystem.CanReadTimes("/m/rem - losing my religion.mp3"));
}

TEST_F(ListViewTest, TheCountsLineTellsTheRowsAndWhatTheLastLoadPassedOver) {
  desk.fileSystem.AddFolder("/m");
  for (const char* file : {"/m/a_b.mp3", "/m/c.mp3", "/m/d.flac", "/m/e.flac", "/m/f.wav"})
    desk.fileSystem.AddFile(file);
  desk.fileSystem.SetRules("/m/", platform::RulesFor(platform::NameRules::System::kExfat));
  desk.dialogs.QueueFolder("/m");
  desk.Click(Button::kLoadFolder);
  CountsLine& counts = desk.Form().Counts();
  EXPECT_TRUE(QTest::qWaitFor([&] {
    return counts.Words() ==
           "2 rows, 2 checked. Last load added 2 files; 3 files of other types not taken: FLAC, "
           "WAV.";
  })) << counts.Words().toStdString();
  // The line is under the buttons, whole, inside the window.
  EXPECT_GT(counts.y(), desk.Form().ButtonOf(Button::kRename).geometry().bottom());
  EXPECT_LE(counts.geometry().bottom(), desk.Form().height());
  QAccessibleInterface* text = QAccessible::queryAccessibleInterface(counts.findChild<QLabel*>());
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text(QAccessible::Name), counts.Words());

  desk.form.Operations().AddRow("colon.mp3", "a: b.mp3", "/m/", true);
  desk.window.ShowAppendedRows();
  EXPECT_TRUE(QTest::qWaitFor([&] {
    return counts.Words().startsWith("3 rows, 3 checked, 1 would be refused.");
  })) << counts.Words().toStdString();
  desk.Click(Button::kClearList);
  EXPECT_TRUE(QTest::qWaitFor([&] { return counts.Words() == "0 rows."; }))
      << counts.Words().toStdString();
}

}  // namespace
}  // namespace vornick::gui
