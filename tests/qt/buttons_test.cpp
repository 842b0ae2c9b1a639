// The eight command buttons: a press by mouse or space bar runs the command once and leaves the
// button raised; Exit ends the program at once, also inside a running command.
#include <QSignalSpy>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "tests/qt/window_fixture.h"

namespace vornick::platform::qt {
namespace {

enum class Press { kMouse, kSpaceBar };

struct Command {
  int check;
  const char* name;
  // Sets up what the command works on; returns how many times the command has run so far.
  std::function<std::function<int()>(WindowTest&)> arrange;
};

// A rename done, or refused with a message (the second Rename finds its file gone).
int RenamesTried(WindowTest& t) {
  return static_cast<int>(t.fileSystem.Renames().size() + t.dialogs.Messages().size());
}

// Each command leaves a trace that grows by one per run.
const Command kCommands[] = {
    {1, "Rename",
     [](WindowTest& t) {
       t.fileSystem.AddFile("/m/a_b.mp3");
       t.AddRows({"/m/a_b.mp3"});
       return [&t] { return RenamesTried(t); };
     }},
    {2, "Undo",
     [](WindowTest& t) {
       t.fileSystem.AddFile("/m/A B.mp3");
       t.AddRows({"/m/a_b.mp3"});
       return [&t] { return RenamesTried(t); };
     }},
    {3, "LoadFolder",
     [](WindowTest& t) {
       return [&t] { return static_cast<int>(t.dialogs.FolderPrompts().size()); };
     }},
    {4, "LoadFiles",
     [](WindowTest& t) {
       return [&t] { return static_cast<int>(t.dialogs.OpenRequests().size()); };
     }},
    {5, "SelectAll",
     [](WindowTest& t) {
       t.AddRows({"/m/a_b.mp3", "/m/Tidy.mp3"});
       auto spy = std::make_shared<QSignalSpy>(&t.window.Model(), &QAbstractItemModel::dataChanged);
       return [spy] { return static_cast<int>(spy->count()); };
     }},
    {6, "UnselectAll",
     [](WindowTest& t) {
       t.AddRows({"/m/a_b.mp3", "/m/Tidy.mp3"});
       auto spy = std::make_shared<QSignalSpy>(&t.window.Model(), &QAbstractItemModel::dataChanged);
       return [spy] { return static_cast<int>(spy->count()); };
     }},
    {8, "ClearList",
     [](WindowTest& t) {
       auto spy = std::make_shared<QSignalSpy>(&t.window.Model(), &QAbstractItemModel::modelReset);
       return [&t, spy] {
         const int resets = static_cast<int>(spy->count());
         t.AddRows({"/m/a_b.mp3"});  // something to clear next time
         return resets;
       };
     }},
};

void PrintTo(const Command& command, std::ostream* out) {
  *out << command.name;
}
void PrintTo(Press press, std::ostream* out) {
  *out << (press == Press::kMouse ? "mouse" : "space bar");
}

class ButtonTest : public WindowTest,
                   public ::testing::WithParamInterface<std::tuple<Command, Press>> {};

TEST_P(ButtonTest, APressRunsTheCommandOnceAndTheButtonSpringsBack) {
  const auto& [command, press] = GetParam();
  Open();
  const std::function<int()> runs = command.arrange(*this);
  const int before = runs();
  CommandButton& button = Check(command.check);
  for (int time = 1; time <= 2; ++time) {
    if (press == Press::kMouse) {
      QTest::mouseClick(&button, Qt::LeftButton);
    } else {
      button.setFocus();
      QTest::keyClick(&button, Qt::Key_Space);
    }
    EXPECT_EQ(runs(), before + time) << "after press " << time;
    EXPECT_FALSE(button.isChecked());
    EXPECT_EQ(
        window.Value(static_cast<Control>(static_cast<int>(Control::kCheck1) + command.check - 1)),
        0);
  }
}

std::string CaseName(const ::testing::TestParamInfo<ButtonTest::ParamType>& param) {
  const auto& [command, press] = param.param;
  return std::string(command.name) + (press == Press::kMouse ? "Mouse" : "SpaceBar");
}

INSTANTIATE_TEST_SUITE_P(Commands, ButtonTest,
                         ::testing::Combine(::testing::ValuesIn(kCommands),
                                            ::testing::Values(Press::kMouse, Press::kSpaceBar)),
                         CaseName);

using ExitTest = WindowTest;

TEST_F(ExitTest, ExitPressedWhileLoadFolderRunsEndsItThere) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  Open();
  for (int folder = 0; folder < 50; ++folder) {
    fileSystem.AddFile("/music/" + std::to_string(folder) + "/a.mp3");
  }
  dialogs.QueueFolder("/music");
  // The press arrives while Load Folder lets events run; the load must not get to its end.
  EXPECT_EXIT(
      {
        QTimer::singleShot(0, [this] { QTest::mouseClick(&Check(7), Qt::LeftButton); });
        QTest::mouseClick(&Check(3), Qt::LeftButton);
        std::fprintf(stderr, "rows %zu\n", Rows().Count());
        std::exit(3);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(ExitTest, ClosingTheWindowWhileLoadFolderRunsEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  Open();
  for (int folder = 0; folder < 50; ++folder) {
    fileSystem.AddFile("/music/" + std::to_string(folder) + "/a.mp3");
  }
  dialogs.QueueFolder("/music");
  EXPECT_EXIT(
      {
        QTimer::singleShot(0, [this] { Form().close(); });
        QTest::mouseClick(&Check(3), Qt::LeftButton);
        std::exit(3);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace vornick::platform::qt
