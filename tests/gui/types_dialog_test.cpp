// SPDX-License-Identifier: GPL-3.0-or-later
// The File Types dialog: it shows what the settings hold, writes what `vornick-cli types set`
// writes, and refuses what cannot be written. Run by the main of window_test.cpp.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "files/file_types.h"
#include "gui/types_dialog.h"
#include "platform/settings/qt_settings_store.h"
#include "tests/gui/window_desk.h"
#include "tests/platform/temp_folder.h"

namespace vornick::gui {
namespace {

using Types = std::vector<std::string>;

// QSettings settles the user's folder once per process, before main runs any test: the settings
// read and written here are in a temporary XDG_CONFIG_HOME, never the user's.
const platform::TempFolder kConfigHome;
const int kConfigHomeSet = ::setenv("XDG_CONFIG_HOME", kConfigHome.Path().c_str(), 1);
const std::string kSettingsFile = kConfigHome.Path() + "Plomberg.ini";

// Each write gets a modification time of its own: QSettings takes an unchanged size and time to
// mean an unchanged file.
void WriteSettings(const std::string& content) {
  static auto time = std::filesystem::file_time_type::clock::now();
  time += std::chrono::seconds(1);
  std::filesystem::remove_all(kSettingsFile);
  std::filesystem::last_write_time(kConfigHome.Write("Plomberg.ini", content), time);
}

std::string BoxText(const QCheckBox* box) {
  return QString(box->text()).replace("&&", "&").toStdString();
}

// The boxes checked, by their texts.
Types Checked(const TypesDialog& dialog) {
  Types checked;
  for (const QCheckBox* box : dialog.TypeBoxes()) {
    if (box->isChecked()) checked.push_back(BoxText(box));
  }
  return checked;
}

QCheckBox& Box(const TypesDialog& dialog, const std::string& text) {
  for (QCheckBox* box : dialog.TypeBoxes()) {
    if (BoxText(box) == text) return *box;
  }
  throw std::runtime_error("no box " + text);
}

// A click on the box itself: a box stretched across the dialog takes no click beside its text.
void Click(QCheckBox& box) {
  QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(4, box.height() / 2));
}

// A dialog on the user's (temporary) settings whose writer counts its calls.
struct Desk {
  platform::QtSettingsStore settings;
  std::vector<Types> written;
  TypesDialog dialog{settings, [this](const Types& types) { written.push_back(types); }, nullptr};
};

TEST(TypesDialog, ShowsWhatTheSettingsHoldAndSaysWhyWhenTheyCannotBeRead) {
  const struct {
    const char* settings;  // nullptr: no file; "/": a folder in its place
    Types checked;         // the type boxes checked, by their texts
    Types chosen;          // what OK would write
    const char* note;      // a part of the note, "" for none
  } cases[] = {
      {nullptr, {"MP3 (.mp3)"}, {"mp3"}, ""},
      {"FileTypes=MP3,WAV,Xyz,flac\nCheckedIndexes=2,0,3",
       {"MP3 (.mp3)", "FLAC (.flac)", "XYZ (.Xyz)"},
       {"MP3", "flac", "Xyz"},
       ""},
      {"FileTypes=All Files,ogg,R&B\nCheckedIndexes=0,1,2",
       {"OGG (.ogg)", "R&B (.R&B)"},
       {"All Files", "ogg", "R&B"},
       ""},
      {"FileTypes=All Files\nCheckedIndexes=0", {}, {"All Files"}, ""},
      // Only in the first place does it mean every file; elsewhere it is a type like any other.
      {"FileTypes=mp3,All Files\nCheckedIndexes=0,1",
       {"MP3 (.mp3)", "ALL FILES (.All Files)"},
       {"mp3", "All Files"},
       ""},
      // Past the types: nothing is selected, so MP3 is used.
      {"FileTypes=wav\nCheckedIndexes=4", {"MP3 (.mp3)"}, {"mp3"}, ""},
      {"FileTypes=wav\nCheckedIndexes=0,x", {}, {}, "\"x\""},
      {"/", {}, {}, "a folder"},
  };
  for (const auto& c : cases) {
    const std::string name = c.settings == nullptr ? "(none)" : c.settings;
    if (c.settings == nullptr) {
      std::filesystem::remove_all(kSettingsFile);
    } else if (name == "/") {
      std::filesystem::create_directory(kSettingsFile);
    } else {
      WriteSettings("[1.0]\n" + name + "\n");
    }
    Desk desk;
    const bool allFiles = !c.chosen.empty() && c.chosen.front() == files::kAllFiles;
    EXPECT_EQ(Checked(desk.dialog), c.checked) << name;
    EXPECT_EQ(desk.dialog.AllFilesBox().isChecked(), allFiles) << name;
    EXPECT_EQ(desk.dialog.TypeBoxes().front()->isEnabled(), !allFiles) << name;
    EXPECT_EQ(desk.dialog.Chosen(), c.chosen) << name;
    EXPECT_EQ(desk.dialog.Note().isHidden(), *c.note == '\0') << name;
    EXPECT_TRUE(desk.dialog.Note().text().contains(c.note)) << name;
    std::filesystem::remove_all(kSettingsFile);
  }
}

// vornick-cli types ARGS, in-process.
int RunTypes(const Types& args) {
  std::istringstream in;
  std::ostringstream out, err;
  return cli::RunTypes(args, {in, out, err});
}

TEST(TypesDialog, OkWritesWhatTheCommandLineWritesForTheSameTypes) {
  const std::string before =
      "; kept by hand\n[1.0]\nFileTypes=wav,Xyz\nCheckedIndexes=1\n"
      "[Other]\nKept=1\n";
  const struct {
    Types click;  // boxes clicked, by their texts; "All" is All Files
    Types written;
  } cases[] = {
      {{"FLAC (.flac)", "OGG (.ogg)"}, {"flac", "ogg", "Xyz"}},
      {{"XYZ (.Xyz)", "MP3 (.mp3)"}, {"mp3"}},
      {{"All"}, {"All Files", "Xyz"}},
  };
  for (const auto& c : cases) {
    const std::string name = c.click.front();
    WriteSettings(before);
    const ModalAnswerer<TypesDialog> answerer([&c](TypesDialog& dialog) {
      for (const std::string& text : c.click) {
        Click(text == "All" ? dialog.AllFilesBox() : Box(dialog, text));
      }
      QTest::mouseClick(&dialog.OkButton(), Qt::LeftButton);
    });
    EXPECT_TRUE(TypesDialog::Choose(nullptr)) << name;
    const std::string byWindow = platform::ReadWhole(kSettingsFile);
    platform::QtSettingsStore settings;
    EXPECT_EQ(files::GetFileTypes(settings), c.written) << name;

    WriteSettings(before);
    Types args{"set"};
    args.insert(args.end(), c.written.begin(), c.written.end());
    EXPECT_EQ(RunTypes(args), 0) << name;
    EXPECT_EQ(byWindow, platform::ReadWhole(kSettingsFile)) << name;
    EXPECT_NE(byWindow, before) << name;
  }
  std::filesystem::remove(kSettingsFile);
}

TEST(TypesDialog, AllFilesSetsTheOthersAsideAndGivesThemBack) {
  std::filesystem::remove_all(kSettingsFile);
  Desk desk;
  desk.dialog.show();
  Click(Box(desk.dialog, "FLAC (.flac)"));
  Click(desk.dialog.AllFilesBox());
  for (const QCheckBox* box : desk.dialog.TypeBoxes()) EXPECT_FALSE(box->isEnabled());
  // A box that is set aside does not take a click.
  Click(Box(desk.dialog, "OGG (.ogg)"));
  EXPECT_EQ(desk.dialog.Chosen(), (Types{"All Files", "mp3", "flac"}));
  Click(desk.dialog.AllFilesBox());
  for (const QCheckBox* box : desk.dialog.TypeBoxes()) EXPECT_TRUE(box->isEnabled());
  EXPECT_EQ(desk.dialog.Chosen(), (Types{"mp3", "flac"}));
}

// OK says why in a message box; the dialog stays open, and the settings stay as they were.
TEST(TypesDialog, NothingCheckedAnUnwritableTypeOrAFailedWriteIsToldAndTheDialogStays) {
  const struct {
    const char* settings;
    bool uncheckAll;
    bool writeFails;
    const char* told;
  } cases[] = {
      {"[1.0]\nFileTypes=mp3\nCheckedIndexes=0\n", true, false, "at least one type"},
      {"[1.0]\nFileTypes=.ogg\nCheckedIndexes=0\n", false, false, "\".ogg\" cannot be kept"},
      {"[1.0]\nFileTypes=mp3\nCheckedIndexes=0\n", false, true,
       "were not saved, and the settings are as they were.\n/x/Plomberg.ini: cannot be written"},
  };
  for (const auto& c : cases) {
    WriteSettings(c.settings);
    platform::QtSettingsStore settings;
    int writes = 0;
    TypesDialog dialog(
        settings,
        [&](const Types&) {
          ++writes;
          if (c.writeFails)
            throw platform::SettingsWriteError("/x/Plomberg.ini: cannot be written");
        },
        nullptr);
    dialog.show();
    if (c.uncheckAll) {
      for (QCheckBox* box : dialog.TypeBoxes()) box->setChecked(false);
    }
    QStringList told;
    const ModalAnswerer<QMessageBox> answerer([&told](QMessageBox& box) {
      told.append(box.text());
      QTest::keyClick(&box, Qt::Key_Return);
    });
    QTest::mouseClick(&dialog.OkButton(), Qt::LeftButton);
    ASSERT_EQ(told.size(), 1) << c.told;
    EXPECT_TRUE(told.front().contains(c.told)) << told.front().toStdString();
    EXPECT_TRUE(dialog.isVisible()) << c.told;
    EXPECT_EQ(dialog.result(), QDialog::Rejected) << c.told;
    EXPECT_EQ(writes, c.writeFails ? 1 : 0) << c.told;
    EXPECT_EQ(platform::ReadWhole(kSettingsFile), c.settings);
  }
  std::filesystem::remove(kSettingsFile);
}

TEST(TypesDialog, IsNamedForScreenReadersAndWorksByKeyboard) {
  WriteSettings("[1.0]\nFileTypes=Xyz\nCheckedIndexes=0\n");
  Desk desk;
  TypesDialog& dialog = desk.dialog;
  EXPECT_EQ(dialog.windowTitle(), "File Types");
  EXPECT_EQ(dialog.accessibleName(), "File Types");
  EXPECT_EQ(dialog.AllFilesBox().accessibleName(), "All Files");
  for (const QCheckBox* box : dialog.TypeBoxes()) {
    EXPECT_EQ(box->accessibleName().toStdString(), BoxText(box));
    EXPECT_TRUE(box->accessibleDescription().startsWith("Files whose names end in ."));
  }
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog, kWindowWait));
  // Tab goes from All Files through the types as they stand, the one the settings added last;
  // Space checks, Return is OK.
  EXPECT_EQ(QApplication::focusWidget(), &dialog.AllFilesBox());
  std::vector<QWidget*> tabbed;
  for (std::size_t i = 0; i < dialog.TypeBoxes().size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    tabbed.push_back(QApplication::focusWidget());
    if (i == 1) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  }
  EXPECT_EQ(tabbed, std::vector<QWidget*>(dialog.TypeBoxes().begin(), dialog.TypeBoxes().end()));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(desk.written, (std::vector<Types>{{"flac", "Xyz"}}));
  std::filesystem::remove(kSettingsFile);
}

}  // namespace
}  // namespace vornick::gui
