// Load Folder, Load Files and drops, and the commands that run nested inside them.
#include <gtest/gtest.h>

#include "tests/window/form1_fixture.h"

namespace vornick::window {
namespace {

using platform::Control;
using Strings = std::vector<std::string>;

class Form1GatheringTest : public Form1Test {
 protected:
  Form1GatheringTest() {
    // /m/ holds files of several types and two folders; hidden things are never taken.
    for (const char* file : {"/m/a_b.mp3", "/m/c.wav", "/m/readme.txt", "/m/Sub/d_e.MP3",
                             "/m/Sub/Deep/f.mp3", "/m/Tail/g_h.mp3"}) {
      fileSystem.AddFile(file);
    }
    fileSystem.AddFile("/m/.hidden.mp3", platform::kAttrArchive | platform::kAttrHidden);
    fileSystem.AddFile("/m/.h/x.mp3");
    fileSystem.AddFolder("/m/.h/", platform::kAttrDirectory | platform::kAttrHidden);
  }
  void LoadFolder(const std::string& folder) {
    dialogs.QueueFolder(folder);
    Press(Control::kCheck3);
  }
  Strings Names() const {
    Strings names;
    for (std::size_t i = 0; i < form.ListView1().Count(); ++i) {
      const RenameEntry& row = form.ListView1().Row(i);
      names.push_back(row.FolderPath() + row.CurrentName);
    }
    return names;
  }
  void ExpectIdle() {
    EXPECT_EQ(window.Caption(), "Vornick");
    EXPECT_EQ(window.MousePointer(), platform::kPointerDefault);
    EXPECT_TRUE(form.List4().Empty());
    EXPECT_FALSE(form.Gathering());
  }
};

TEST_F(Form1GatheringTest, LoadFolderAddsEachFolderTypeByTypeInPreOrderShowingItIsBusy) {
  std::vector<std::pair<std::string, int>> seen;  // caption and pointer at each DoEvents
  window.SetDoEventsHandler([&] { seen.emplace_back(window.Caption(), window.MousePointer()); });
  SetTypes("MP3,WAV,OGG", "1,0");
  LoadFolder("/m/");  // a trailing separator is dropped, then put back
  EXPECT_EQ(Names(), (Strings{"/m/c.wav", "/m/a_b.mp3", "/m/Sub/d_e.MP3", "/m/Sub/Deep/f.mp3",
                              "/m/Tail/g_h.mp3"}));
  EXPECT_EQ(dialogs.FolderPrompts(), Strings{"Please select folder to add:"});
  EXPECT_EQ(window.CaptionHistory(),
            (Strings{"Vornick", "Vornick [Loading files, please wait...]", "Vornick"}));
  ExpectIdle();
  EXPECT_TRUE(dialogs.Messages().empty());
  ASSERT_FALSE(seen.empty());
  for (const auto& [caption, pointer] : seen)
    EXPECT_EQ(caption, "Vornick [Loading files, please wait...]");
  // The last DoEvents of each folder comes right after the hourglass is set.
  EXPECT_EQ(seen.back().second, platform::kPointerHourglass);
}

TEST_F(Form1GatheringTest, LoadFolderTypesTable) {
  const Strings mp3s = {"/m/a_b.mp3", "/m/Sub/d_e.MP3", "/m/Sub/Deep/f.mp3", "/m/Tail/g_h.mp3"};
  const std::tuple<const char*, const char*, Strings> cases[] = {
      {"", "", mp3s},  // nothing configured: MP3
      {"All Files,MP3",
       "0",
       {"/m/a_b.mp3", "/m/c.wav", "/m/readme.txt", "/m/Sub/d_e.MP3", "/m/Sub/Deep/f.mp3",
        "/m/Tail/g_h.mp3"}},
      {"WAV,All Files", "0,1", {"/m/c.wav"}},  // only first is "All Files" every file
      {"TXT", "0,0", {"/m/readme.txt", "/m/readme.txt"}},
  };
  for (const auto& [fileTypes, checkedIndexes, names] : cases) {
    SCOPED_TRACE(std::string(fileTypes) + " / " + checkedIndexes);
    Press(Control::kCheck8);
    SetTypes(fileTypes, checkedIndexes);
    LoadFolder("/m");
    EXPECT_EQ(Names(), names);
    ExpectIdle();
  }
}

TEST_F(Form1GatheringTest, MalformedIndexesStopWithOneMessage) {
  SetTypes("MP3,WAV", "0,,1");
  LoadFolder("/m");
  EXPECT_EQ(form.ListView1().Count(), 0u);
  ExpectIdle();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_NE(dialogs.Messages()[0].text.find("0,,1"), std::string::npos);
}

TEST_F(Form1GatheringTest, NestedCommandsRunAtDoEvents) {
  // Clear List, then Unselect All, during a load: the load goes on appending to what is there.
  int step = 0;
  window.SetDoEventsHandler([&] {
    const std::size_t count = form.ListView1().Count();
    if (step == 0 && count == 2) {
      Press(Control::kCheck8);
      step = 1;
    } else if (step == 1 && count == 1) {
      Press(Control::kCheck6);
      step = 2;
    }
  });
  SetTypes("MP3,WAV", "0,1");
  LoadFolder("/m");
  // a_b.mp3 and c.wav of the first folder were cleared; d_e.MP3 was unchecked.
  EXPECT_EQ(Rows(), (Strings{"d_e.MP3|D E.MP3|/m/Sub/|0", "f.mp3|F.mp3|/m/Sub/Deep/|1",
                             "g_h.mp3|G H.mp3|/m/Tail/|1"}));
  ExpectIdle();
}

TEST_F(Form1GatheringTest, SecondGatheringWhileOneRunsIsRefused) {
  dialogs.QueueFolder("/m");
  dialogs.QueueFolder("/m/Sub");
  window.SetDoEventsHandler([this] {
    Press(Control::kCheck3);
    form.ListView1_OLEDragDrop({"/m/Tail"});
  });
  Press(Control::kCheck3);
  EXPECT_EQ(dialogs.FolderPrompts().size(), 1u);
  EXPECT_EQ(Names(),
            (Strings{"/m/a_b.mp3", "/m/Sub/d_e.MP3", "/m/Sub/Deep/f.mp3", "/m/Tail/g_h.mp3"}));
  ExpectIdle();
}

TEST_F(Form1GatheringTest, ExitDuringALoadEndsEverything) {
  window.SetDoEventsHandler([this] { Press(Control::kCheck7); });
  EXPECT_THROW(LoadFolder("/m"), platform::headless::ProgramEnded);
}

TEST_F(Form1GatheringTest, LoadFilesAddsThePickedFilesAndGoesOnPastOneThatCannotBeCleaned) {
  dialogs.QueueOpen({"/m/a_b.mp3", "/m/-intro.mp3", "/m/A.mp3", "/m/a_b.mp3"});
  Press(Control::kCheck4);
  EXPECT_EQ(Rows(), (Strings{"a_b.mp3|A B.mp3|/m/|1", "-intro.mp3||/m/|0", "A.mp3|A.mp3|/m/|0",
                             "a_b.mp3|A B.mp3|/m/|1"}));
  ASSERT_EQ(dialogs.OpenRequests().size(), 1u);
  const platform::OpenDialogOptions& options = dialogs.OpenRequests()[0];
  EXPECT_EQ(options.title, "Add File(s) - Use Ctrl and Shift to select multiple files");
  EXPECT_EQ(options.filterDescription, "MP3 Files (*.mp3)");
  EXPECT_EQ(options.filterPattern, "*.mp3");
  EXPECT_TRUE(options.allowMultiSelect);
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_EQ(window.CaptionHistory().size(), 1u);
}

TEST_F(Form1GatheringTest, DropTakesFoldersByMp3AndFilesByTheirTypes) {
  for (const char* file : {"/d/SONG.MP3", "/d/song_x.mp3", "/d/x.mp3.bak"})
    fileSystem.AddFile(file);
  SetTypes("WAV,MP3,MP", "0,1,2");
  form.ListView1_OLEDragDrop({"/d/SONG.MP3", "/m/Sub/", "/d/song_x.mp3", "/d/x.mp3.bak"});
  // SONG.MP3 matches no ".mp3" in its path; song_x.mp3 matches ".mp3" and ".mp".
  EXPECT_EQ(Rows(), (Strings{"d_e.MP3|D E.MP3|/m/Sub/|1", "f.mp3|F.mp3|/m/Sub/Deep/|1",
                             "song_x.mp3|Song X.mp3|/d/|1", "song_x.mp3|Song X.mp3|/d/|1",
                             "x.mp3.bak|X.mp3.bak|/d/|1", "x.mp3.bak|X.mp3.bak|/d/|1"}));
  EXPECT_EQ(window.CaptionHistory(), (Strings{"Vornick", "Vornick [Please wait...]", "Vornick"}));
  ExpectIdle();
}

TEST_F(Form1GatheringTest, DroppedFilesWithAllFilesOrNoTypes) {
  fileSystem.AddFile("/d/read_me.txt");
  fileSystem.AddFile("/d/so_ng.mp3");
  SetTypes("All Files,MP3", "0");
  form.ListView1_OLEDragDrop({"/d/read_me.txt", "/m"});
  EXPECT_EQ(Rows().front(), "read_me.txt|Read Me.txt|/d/|0");  // never checked
  EXPECT_EQ(Rows().size(), 5u);                                // the folder by *.mp3 only

  Press(Control::kCheck8);
  SetTypes("", "");
  form.ListView1_OLEDragDrop({"/d/read_me.txt", "/d/so_ng.mp3"});
  EXPECT_EQ(Rows(), Strings{"so_ng.mp3|So Ng.mp3|/d/|1"});
}

TEST_F(Form1GatheringTest, DropPassesOverAPathThatFailsAndGoesOnQuietly) {
  fileSystem.AddFile("/d/so_ng.mp3");
  fileSystem.AddFile("/d/-x.mp3");
  SetTypes("MP3", "0");
  form.ListView1_OLEDragDrop({"/nowhere/a.mp3", "/d/-x.mp3", "/d/so_ng.mp3"});
  EXPECT_EQ(Rows(), (Strings{"-x.mp3||/d/|0", "so_ng.mp3|So Ng.mp3|/d/|1"}));

  Press(Control::kCheck8);
  SetTypes("MP3", "0,,1");  // malformed: the file is passed over, the folder still listed
  form.ListView1_OLEDragDrop({"/d/so_ng.mp3", "/m/Tail"});
  EXPECT_EQ(Names(), Strings{"/m/Tail/g_h.mp3"});
  EXPECT_TRUE(dialogs.Messages().empty());
  ExpectIdle();
}

}  // namespace
}  // namespace vornick::window
