// SPDX-License-Identifier: GPL-3.0-or-later
// What the window keeps between runs: its place and size, the list's columns and sort, and the
// folders the pickers gave last; and what it does with a state file that is damaged or cannot be
// written. Run by the main of window_test.cpp.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QSettings>
#include <QStandardItemModel>
#include <QTreeView>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "gui/qt_dialogs.h"
#include "gui/window_state.h"
#include "tests/gui/window_desk.h"
#include "tests/platform/temp_folder.h"

namespace vornick::gui {
namespace {

using Picker = WindowState::Picker;

std::vector<int> Widths(const QHeaderView& header) {
  std::vector<int> widths;
  for (int section = 0; section < header.count(); ++section)
    widths.push_back(header.sectionSize(section));
  return widths;
}

QHeaderView& HeaderOf(WindowDesk& desk) {
  return *desk.List().header();
}

QRect Available() {
  return QGuiApplication::primaryScreen()->availableGeometry();
}

// A window's place and size, and the list of `desk` with columns of `widths`, sorted down by the
// folder, and the two pickers' folders, saved in `folder`.
void SaveState(const std::string& folder, const QRect& place, WindowDesk& desk,
               const std::vector<int>& widths, const std::string& lastFolder,
               const std::string& lastFiles) {
  QHeaderView& header = HeaderOf(desk);
  for (std::size_t i = 0; i < widths.size(); ++i)
    header.resizeSection(static_cast<int>(i), widths[i]);
  header.setSortIndicator(2, Qt::DescendingOrder);
  QWidget window;
  window.setGeometry(place);
  WindowState state(folder);
  state.SetLastFolder(Picker::kLoadFolder, lastFolder);
  state.SetLastFolder(Picker::kLoadFiles, lastFiles);
  state.Remember(window, header);
  ASSERT_TRUE(state.Save());
}

mode_t Mode(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 ? status.st_mode & 07777 : 0;
}

TEST(WindowState, KeepsThePlaceTheColumnsTheSortAndTheFoldersForTheNextRun) {
  const platform::TempFolder temporary, music;
  const std::string folder = temporary.Path() + "state/vornick";  // made by the save
  std::filesystem::create_directories(music.Path() + "Rock");
  std::filesystem::create_directories(music.Path() + "Jazz");
  const QRect place(60, 70, 400, 300);
  {
    WindowDesk desk;
    SaveState(folder, place, desk, {111, 222, 99}, music.Path() + "Rock", music.Path() + "Jazz");
  }
  EXPECT_EQ(Mode(folder), 0700u);
  EXPECT_EQ(Mode(folder + "/window.ini"), 0600u);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);

  WindowState state(folder);
  EXPECT_EQ(state.LastFolder(Picker::kLoadFolder), music.Path() + "Rock");
  EXPECT_EQ(state.LastFolder(Picker::kLoadFiles), music.Path() + "Jazz");
  QWidget window;
  state.RestoreGeometry(window);
  EXPECT_EQ(window.geometry(), place);
  WindowDesk next;
  next.AddRows({"/b/one.mp3", "/a/two.mp3", "/c/three.mp3"});
  ASSERT_NE(Widths(HeaderOf(next)), (std::vector<int>{111, 222, 99}));
  state.RestoreColumns(next.Form());
  EXPECT_EQ(Widths(HeaderOf(next)), (std::vector<int>{111, 222, 99}));
  EXPECT_EQ(HeaderOf(next).sortIndicatorSection(), 2);
  EXPECT_EQ(HeaderOf(next).sortIndicatorOrder(), Qt::DescendingOrder);
  // The rows are sorted too, not only the arrow shown: down by their folders.
  QStringList shown;
  for (int row = 0; row < next.window.Model().rowCount(); ++row)
    shown.append(next.window.Model().index(row, 0).data().toString());
  EXPECT_EQ(shown, (QStringList{"three.mp3", "one.mp3", "two.mp3"}));

  // The frame a window manager adds after the first layout makes Form1 lay the columns out again:
  // they stay as restored until the user changes the window's size.
  emit next.Form().Resized();
  EXPECT_EQ(Widths(HeaderOf(next)), (std::vector<int>{111, 222, 99}));
  next.Form().resize(next.Form().width() + 30, next.Form().height());
  EXPECT_TRUE(QTest::qWaitFor([&] { return HeaderOf(next).sectionSize(0) != 111; }));
  const std::vector<int> byShare = Widths(HeaderOf(next));
  emit next.Form().Resized();
  EXPECT_EQ(Widths(HeaderOf(next)), byShare);

  // A folder that went away, or is a file now, is not offered.
  std::filesystem::remove(music.Path() + "Rock");
  std::filesystem::remove(music.Path() + "Jazz");
  music.Write("Jazz", "now a file");
  EXPECT_EQ(state.LastFolder(Picker::kLoadFolder), "");
  EXPECT_EQ(state.LastFolder(Picker::kLoadFiles), "");
}

// Columns saved from a list of another shape would give sizes and a sort for columns that are not
// there.
TEST(WindowState, ColumnsOfAListWithOtherColumnsAreNotRestored) {
  const platform::TempFolder temporary;
  {
    QStandardItemModel twoColumns(0, 2);
    QTreeView list;
    list.setModel(&twoColumns);
    list.header()->resizeSection(0, 55);
    list.header()->setSortIndicator(1, Qt::DescendingOrder);
    QWidget window;
    WindowState state(temporary.Path());
    state.Remember(window, *list.header());
    ASSERT_TRUE(state.Save());
  }
  WindowDesk desk;
  const std::vector<int> laidOut = Widths(HeaderOf(desk));
  const int sortedBy = HeaderOf(desk).sortIndicatorSection();
  WindowState(temporary.Path()).RestoreColumns(desk.Form());
  EXPECT_EQ(Widths(HeaderOf(desk)), laidOut);
  EXPECT_EQ(HeaderOf(desk).sortIndicatorSection(), sortedBy);
}

// What a damaged or foreign file would give is never used, and the next save replaces it.
TEST(WindowState, AFileThatIsDamagedForeignOrNotAFileIsPassedOverAndReplaced) {
  const platform::TempFolder temporary, music;
  const std::string file = temporary.Path() + "window.ini";
  const QRect place(60, 70, 400, 300);
  std::string good;
  {
    WindowDesk desk;
    SaveState(temporary.Path(), place, desk, {111, 222, 99}, music.Path(), music.Path());
    good = platform::ReadWhole(file);
  }
  const auto replaced = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    return text.replace(text.find(from), from.size(), to);
  };
  const struct {
    const char* what;
    std::string content;  // "/": a folder in the file's place
    bool replaceable;
  } cases[] = {
      {"empty", "", true},
      {"not text", std::string("\x01\xff\x00[[=\n", 7) + "@ByteArray(", true},
      // Not read as INI at all.
      {"a group left open", "[Window\nGeometry=1\n", true},
      {"another version", replaced("Version=1", "Version=2"), true},
      {"no version", replaced("Version=1", "Versio=1"), true},
      {"far too large", good + ";" + std::string(2 << 20, 'x') + "\n", true},
      {"a folder", "/", false},
  };
  for (const auto& c : cases) {
    std::filesystem::remove_all(file);
    if (c.content == "/") {
      std::filesystem::create_directory(file);
    } else {
      temporary.Write("window.ini", c.content);
    }
    WindowState state(temporary.Path());
    EXPECT_EQ(state.LastFolder(Picker::kLoadFolder), "") << c.what;
    EXPECT_EQ(state.LastFolder(Picker::kLoadFiles), "") << c.what;
    QWidget window;
    window.setGeometry(20, 30, 200, 100);
    state.RestoreGeometry(window);
    EXPECT_EQ(window.geometry(), QRect(20, 30, 200, 100)) << c.what;
    WindowDesk desk;
    const std::vector<int> laidOut = Widths(HeaderOf(desk));
    state.RestoreColumns(desk.Form());
    EXPECT_EQ(Widths(HeaderOf(desk)), laidOut) << c.what;

    state.SetLastFolder(Picker::kLoadFolder, music.Path());
    EXPECT_EQ(state.Save(), c.replaceable) << c.what;
    EXPECT_EQ(WindowState(temporary.Path()).LastFolder(Picker::kLoadFolder),
              c.replaceable ? music.Path() : "")
        << c.what;
  }
}

TEST(WindowState, AStateFolderThatCannotBeMadeOrWrittenFailsOnlyTheSave) {
  const platform::TempFolder temporary;
  const std::string aFile = temporary.Write("a file", "x");
  std::filesystem::create_directories(temporary.Path() + "taken/window.ini");
  const struct {
    const char* what;
    std::string folder;
  } cases[] = {
      {"none", ""},
      {"a file", aFile},
      {"below a file", aFile + "/vornick"},
      {"its file a folder", temporary.Path() + "taken"},
  };
  for (const auto& c : cases) {
    WindowState state(c.folder);
    QWidget window;
    QHeaderView header(Qt::Horizontal);
    state.Remember(window, header);
    state.SetLastFolder(Picker::kLoadFolder, temporary.Path());
    EXPECT_FALSE(state.Save()) << c.what;
    EXPECT_EQ(state.LastFolder(Picker::kLoadFolder), temporary.Path()) << c.what;
  }
  // Nothing is left behind half written.
  std::vector<std::string> left;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(temporary.Path()))
    left.push_back(entry.path().lexically_relative(temporary.Path()));
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"a file", "taken", "taken/window.ini"}));
}

// A window saved at `saved` (its smallest size `minimum`), with a frame of `frame` ("LEFT TOP
// RIGHT BOTTOM", "" for none), restored in a new run.
QRect Restored(const QRect& saved, const char* frame = "", QSize minimum = {0, 0}) {
  const platform::TempFolder temporary;
  {
    WindowState state(temporary.Path());
    QWidget window;
    window.setMinimumSize(minimum);
    window.setGeometry(saved);
    QHeaderView header(Qt::Horizontal);
    state.Remember(window, header);
    EXPECT_TRUE(state.Save());
  }
  if (*frame != '\0') {
    QSettings file(QString::fromStdString(temporary.Path() + "window.ini"), QSettings::IniFormat);
    file.setValue("Window/Frame", frame);
  }
  QWidget window;
  window.setMinimumSize(minimum);
  WindowState(temporary.Path()).RestoreGeometry(window);
  return window.geometry();
}

// Saved where it stood, restored on the screen there is now: moved, and shrunk if need be, so that
// the whole window, frame included, is on it.
TEST(WindowState, AWindowOffTheScreenIsBroughtWhollyOnIt) {
  const QRect a = Available();
  const QSize size(300, 200);
  const struct {
    const char* what;
    QRect saved;
    const char* frame;
    QRect expected;
  } cases[] = {
      {"partly off to the bottom right",
       {a.bottomRight() - QPoint(100, 50), size},
       "",
       {a.bottomRight() + QPoint(1 - 300, 1 - 200), size}},
      {"its frame off",
       {a.bottomRight() - QPoint(300, 200), size},
       "10 30 10 10",
       {a.bottomRight() + QPoint(1 - 10 - 300, 1 - 10 - 200), size}},
      {"larger than the screen", {a.topLeft() + QPoint(20, 20), a.size() + QSize(400, 300)}, "", a},
  };
  for (const auto& c : cases) EXPECT_EQ(Restored(c.saved, c.frame), c.expected) << c.what;

  // Where the desktop placed it so far off that it moved it itself: wholly on the screen too.
  for (const QPoint off : {a.topLeft() - QPoint(100, 50), a.bottomRight() + QPoint(5000, 4000)}) {
    const QRect restored = Restored({off, size}, "8 24 8 8");
    EXPECT_TRUE(a.contains(restored.marginsAdded({8, 24, 8, 8})))
        << off.x() << "," << off.y() << " -> " << restored.x() << "," << restored.y();
    EXPECT_EQ(restored.size(), size);
  }

  // A window whose smallest size is wider than the screen keeps its left edge, and title, on it.
  const QSize wide(a.width() + 100, 100);
  EXPECT_EQ(Restored({a.topLeft() + QPoint(30, 30), QSize(wide.width(), 200)}, "", wide),
            QRect(a.topLeft() + QPoint(0, 30), QSize(wide.width(), 200)));
}

// Exit and a close during a command end the program at once, so the state is saved before.
TEST(WindowState, IsSavedAsExitIsPressedAndAsTheWindowCloses) {
  const platform::TempFolder temporary;
  const std::string file = temporary.Path() + "window.ini";
  WindowDesk desk;
  WindowState state(temporary.Path());
  state.SaveAtEnd(desk.Form());
  for (const bool exit : {true, false}) {
    std::filesystem::remove(file);
    HeaderOf(desk).resizeSection(0, exit ? 77 : 88);
    if (exit) {
      // Pressed only: its click would end the test program.
      emit desk.Form().ButtonOf(Button::kExit).pressed();
    } else {
      desk.Form().close();
    }
    WindowDesk next;
    WindowState(temporary.Path()).RestoreColumns(next.Form());
    EXPECT_EQ(HeaderOf(next).sectionSize(0), exit ? 77 : 88);
  }
}

TEST(WindowState, EachPickerOpensInTheFolderItGaveLast) {
  const platform::TempFolder temporary, music;
  const std::string rock = music.Path() + "Rock/", jazz = music.Path() + "Jazz/";
  std::filesystem::create_directories(rock);
  const std::string song = music.Write("Jazz/Blue.mp3");
  WindowState state(temporary.Path());
  QtDialogs dialogs(nullptr, &state);
  const platform::OpenDialogOptions open{"Add File(s)", "MP3 Files (*.mp3)", "*.mp3", true};

  // Each dialog opens: a folder picked, a cancel, a file picked, then cancels. The name is typed,
  // as a user would: what the dialog selects by itself depends on how far it got reading the
  // folder.
  std::vector<std::string> opened;  // the folder each dialog opened in
  const ModalAnswerer<QFileDialog> answerer([&](QFileDialog& dialog) {
    opened.push_back(dialog.directory().absolutePath().toStdString() + "/");
    const std::string picked = opened.size() == 1 ? rock : opened.size() == 3 ? song : "";
    if (picked.empty()) return dialog.reject();
    dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
        ->setText(QString::fromStdString(picked));
    static_cast<QDialog&>(dialog).accept();
  });
  EXPECT_EQ(dialogs.BrowseForFolder("Pick a folder") + "/", rock);
  EXPECT_EQ(dialogs.ShowOpen(open), std::vector<std::string>{});
  EXPECT_EQ(dialogs.ShowOpen(open), std::vector<std::string>{song});
  EXPECT_EQ(dialogs.BrowseForFolder("Pick a folder"), "");
  EXPECT_EQ(state.LastFolder(Picker::kLoadFolder) + "/", rock);
  EXPECT_EQ(dialogs.ShowOpen(open), std::vector<std::string>{});
  std::filesystem::remove(rock);
  EXPECT_EQ(dialogs.BrowseForFolder("Pick a folder"), "");
  ASSERT_EQ(opened.size(), 6u);
  // Each picker by itself, though the other was used in between; a cancel leaves the folder as it
  // was; a folder gone is not opened.
  EXPECT_EQ(opened[3], rock);
  EXPECT_EQ(opened[4], jazz);
  EXPECT_NE(opened[5], rock);
  EXPECT_EQ(state.LastFolder(Picker::kLoadFiles) + "/", jazz);
}

}  // namespace
}  // namespace vornick::gui
