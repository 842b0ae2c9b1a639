// SPDX-License-Identifier: GPL-3.0-or-later
// The controller: button presses, the click rule, the busy state, layout and pointer.
#include "window/form1.h"

#include <gtest/gtest.h>

#include "tests/fakes/fake_dialogs.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_settings_store.h"
#include "tests/fakes/recording_window.h"

namespace vornick::window {
namespace {

using platform::Pointer;
using Strings = std::vector<std::string>;

constexpr const char* kLoading = "Vornick [Loading files, please wait...]";

class Form1Test : public ::testing::Test {
 protected:
  Form1Test() {
    for (const char* file : {"/m/a_b.mp3", "/m/Sub/c_d.mp3", "/m/Tail/e_f.mp3"})
      fileSystem.AddFile(file);
  }
  void LoadFolder(const std::string& folder) {
    dialogs.QueueFolder(folder);
    form.Press(Button::kLoadFolder);
  }
  // The user clicks row `index` alone.
  void ClickRow(std::size_t index) {
    RenameList& list = form.Operations().List();
    for (std::size_t i = 0; i < list.Count(); ++i) list.SetSelected(i, i == index);
    list.SetSelectedItem(index);
    form.OnListClick();
  }
  std::string Marks() const {
    std::string marks;
    for (std::size_t i = 0; i < form.List().Count(); ++i)
      marks += form.List().Row(i).Checked ? '1' : '0';
    return marks;
  }

  fakes::FakeFileSystem fileSystem;
  fakes::FakeSettingsStore settings;
  fakes::FakeDialogs dialogs;
  fakes::RecordingWindow window;
  Form1 form{fileSystem, settings, dialogs, dialogs, window};
};

TEST_F(Form1Test, APressRunsItsCommandOnceAndTheButtonSpringsBack) {
  form.Operations().AddFiles({"/m/A.mp3", "/m/B.mp3"});
  for (const auto& [button, marks] :
       {std::pair{Button::kSelectAll, "11"}, std::pair{Button::kUnselectAll, "00"}}) {
    form.Press(button);
    EXPECT_EQ(Marks(), marks);
    EXPECT_EQ(form.Value(button), 0);
  }
  // The view hears of every row once per command.
  EXPECT_EQ(window.rowsChanged, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 1}, {0, 1}}));
  form.Press(Button::kClearList);
  for (const Button button : {Button::kSelectAll, Button::kUnselectAll, Button::kClearList})
    form.Press(button);  // on the empty list: nothing, and nothing told
  EXPECT_EQ(window.rowsChanged.size(), 2u);
  EXPECT_EQ(window.clears, 1);
}

TEST_F(Form1Test, ClickTurnsTheSelectedRowOverOncePerNewName) {
  form.Operations().AddFiles({"/m/a.mp3", "/m/b.mp3", "/m/a.mp", "/m/c.mp3"});
  // Row clicked, then the marks: a name contained in the last one turned over changes nothing.
  const std::pair<std::size_t, const char*> clicks[] = {{0, "1000"}, {0, "1000"}, {2, "1000"},
                                                        {1, "1100"}, {0, "0100"}, {2, "0100"},
                                                        {3, "0101"}, {2, "0111"}, {0, "1111"}};
  form.Press(Button::kUnselectAll);
  for (const auto& [row, marks] : clicks) {
    ClickRow(row);
    EXPECT_EQ(Marks(), marks) << "after a click on row " << row;
  }
  // The last name clicked outlives Clear List.
  form.Press(Button::kClearList);
  form.Operations().AddFiles({"/m/a.mp3"});
  ClickRow(0);
  EXPECT_EQ(Marks(), "1");
}

TEST_F(Form1Test, LoadFolderShowsItIsBusyAndEndsIdle) {
  std::vector<std::pair<std::string, Pointer>> seen;  // caption and pointer at each DoEvents
  window.onDoEvents = [&] {
    seen.emplace_back(window.Caption(), window.MousePointer());
    form.OnMouseMove();  // a hover shows the arrow until the next folder
  };
  LoadFolder("/m");
  EXPECT_EQ(form.List().Count(), 3u);
  EXPECT_EQ(dialogs.folderPrompts, Strings{"Please select folder to add:"});
  EXPECT_EQ(window.captions, (Strings{"Vornick", kLoading, "Vornick"}));
  EXPECT_EQ(window.MousePointer(), Pointer::kDefault);
  ASSERT_FALSE(seen.empty());
  for (const auto& [caption, pointer] : seen) EXPECT_EQ(caption, kLoading);
  EXPECT_EQ(seen.back().second, Pointer::kHourglass);
  EXPECT_TRUE(dialogs.messages.empty());

  form.Press(Button::kLoadFolder);  // cancelled: nothing changes
  EXPECT_EQ(form.List().Count(), 3u);
  EXPECT_EQ(window.captions.size(), 3u);
}

TEST_F(Form1Test, LoadFolderWithMalformedTypesEndsIdleWithOneMessage) {
  settings.SetTypes("MP3,WAV", "0,,1");
  LoadFolder("/m");
  EXPECT_EQ(form.List().Count(), 0u);
  EXPECT_EQ(window.Caption(), "Vornick");
  EXPECT_EQ(window.MousePointer(), Pointer::kDefault);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "Stopped 2 (types)");  // Load Folder
  EXPECT_NE(dialogs.messages[0].text.find("0,,1"), std::string::npos);
}

TEST_F(Form1Test, PressesDuringALoadRunNestedAndASecondLoadIsRefused) {
  dialogs.QueueFolder("/m");
  dialogs.QueueFolder("/m/Tail");
  bool cleared = false;
  window.onDoEvents = [&] {
    form.Press(Button::kLoadFolder);  // refused before its picker opens
    form.OnDrop({"/m/Tail"});
    if (!cleared && form.List().Count() == 1) {
      form.Press(Button::kClearList);
      cleared = true;
    }
  };
  form.Press(Button::kLoadFolder);
  EXPECT_EQ(dialogs.folderPrompts.size(), 1u);
  EXPECT_EQ(form.List().Count(), 2u);  // a_b.mp3 was cleared; the load went on
  EXPECT_EQ(window.Caption(), "Vornick");

  window.onDoEvents = [&] { form.Press(Button::kExit); };
  EXPECT_THROW(LoadFolder("/m"), fakes::ProgramEnded);
}

TEST_F(Form1Test, LoadFilesAsksForMp3FilesAndDropShowsItsOwnCaption) {
  dialogs.QueueOpen({"/m/a_b.mp3"});
  form.Press(Button::kLoadFiles);
  EXPECT_EQ(dialogs.openRequests.at(0).filterPattern, "*.mp3");
  EXPECT_EQ(window.captions.size(), 1u);
  form.OnDrop({"/m/Sub"});
  EXPECT_EQ(Marks(), "11");
  EXPECT_EQ(window.captions, (Strings{"Vornick", "Vornick [Please wait...]", "Vornick"}));
  EXPECT_EQ(window.MousePointer(), Pointer::kDefault);
}

TEST_F(Form1Test, PathsNamedAtStartAddFoldersAndFilesAndReportThoseNotThere) {
  form.OnOpen({"/m/Sub", "/nowhere", "/m/a_b.mp3", "/m/Tail/"});
  Strings rows;
  for (std::size_t i = 0; i < form.List().Count(); ++i)
    rows.push_back(form.List().Row(i).FolderPath() + form.List().Row(i).CurrentName);
  EXPECT_EQ(rows, (Strings{"/m/Sub/c_d.mp3", "/m/a_b.mp3", "/m/Tail/e_f.mp3"}));
  EXPECT_EQ(Marks(), "111");
  EXPECT_EQ(window.captions, (Strings{"Vornick", kLoading, "Vornick", kLoading, "Vornick"}));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "/nowhere\n");
}

TEST_F(Form1Test, RenameShowsOneMessageOnlyWhenRowsFailed) {
  form.Operations().AddFiles({"/m/a_b.mp3", "/m/gone_1.mp3", "/m/gone_2.mp3"});
  form.Press(Button::kRename);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].title, "Rename failed");
  EXPECT_EQ(dialogs.messages[0].text,
            "2 not done\ngone_1.mp3: the file is not there\ngone_2.mp3: the file is not there");
  form.Press(Button::kUnselectAll);
  form.Press(Button::kUndo);
  EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(Form1Test, ResizeFitsListButtonsAndColumnsAndSkipsSizesItCannotTake) {
  form.OnLoad();
  for (const float width : {13000.0f, 300.0f}) {  // too narrow: the list keeps its width
    window.outerWidth = width;
    window.outerHeight = 9000;
    form.OnResize();
    EXPECT_EQ(window.listWidth, 12650);
    EXPECT_EQ(window.listHeight, 7125);
    EXPECT_EQ(window.buttonTops.back(), 7340);
    EXPECT_EQ(window.columns.at(2), (std::pair<std::string, float>{"Folder", 2430}));
  }
}

TEST_F(Form1Test, PointerFollowsTheHoverRulesAndReadsCursorFilesEveryTime) {
  // Beside the program first, then the data folders in order.
  for (const char* file : {"/app/HAND-M.CUR", "/data/a/HAND-M.CUR", "/data/b/dragfiles.cur"})
    fileSystem.AddFile(file);
  form.OnLoad();  // readies the hand without showing it
  EXPECT_EQ(window.pointers, std::vector<Pointer>{Pointer::kDefault});
  form.OnListMouseMove();  // the empty list invites a drop
  form.OnButtonMouseMove(Button::kExit);
  EXPECT_EQ(window.MousePointer(), Pointer::kCustom);
  form.OnButtonMouseMove(Button::kClearList);  // no hover rule of its own
  form.OnMouseMove();
  EXPECT_EQ(window.MousePointer(), Pointer::kArrow);
  EXPECT_EQ(window.iconLoads,
            (Strings{"/app/HAND-M.CUR", "/data/b/dragfiles.cur", "/app/HAND-M.CUR"}));

  form.Operations().AddFiles({"/m/a.mp3"});
  form.OnListMouseMove();  // a list with rows shows the arrow
  EXPECT_EQ(window.MousePointer(), Pointer::kArrow);
  EXPECT_EQ(window.iconLoads.size(), 3u);
}

}  // namespace
}  // namespace vornick::window
