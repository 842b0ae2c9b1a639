// The eight command buttons: a press by mouse or space bar runs the command once and leaves the
// button raised; Exit ends the program at once, also inside a running command.
#include <QSignalSpy>
#include <QTimer>
#include <memory>

#include "tests/qt/window_fixture.h"

namespace vornick::platform::qt {
namespace {

struct Command {
  int check;
  const char* name;
};
const Command kCommands[] = {{1, "Rename"},    {2, "Undo"},      {3, "LoadFolder"},
                             {4, "LoadFiles"}, {5, "SelectAll"}, {6, "UnselectAll"},
                             {8, "ClearList"}};

// Sets up what the command `check` works on; returns a count that grows by one per run.
std::function<int()> Arrange(WindowTest& t, int check) {
  const auto spy = [&t](auto signal) {
    return std::make_shared<QSignalSpy>(&t.window.Model(), signal);
  };
  switch (check) {
    case 1:
    case 2:
      t.fileSystem.AddFile(check == 1 ? "/m/a_b.mp3" : "/m/A B.mp3");
      t.AddRows({"/m/a_b.mp3"});
      // A rename done, or refused with a message (the second run finds its file gone).
      return [&t] { return int(t.fileSystem.Renames().size() + t.dialogs.Messages().size()); };
    case 3:
      return [&t] { return int(t.dialogs.FolderPrompts().size()); };
    case 4:
      return [&t] { return int(t.dialogs.OpenRequests().size()); };
    case 8:
      return [&t, resets = spy(&QAbstractItemModel::modelReset)] {
        t.AddRows({"/m/a_b.mp3"});  // something to clear next time
        return int(resets->count());
      };
    default:
      t.AddRows({"/m/a_b.mp3", "/m/Tidy.mp3"});
      return [changes = spy(&QAbstractItemModel::dataChanged)] { return int(changes->count()); };
  }
}

class ButtonTest : public WindowTest,
                   public ::testing::WithParamInterface<std::tuple<Command, bool>> {};

TEST_P(ButtonTest, APressRunsTheCommandOnceAndTheButtonSpringsBack) {
  const auto& [command, byMouse] = GetParam();
  Open();
  const std::function<int()> runs = Arrange(*this, command.check);
  const int before = runs();
  CommandButton& button = Check(command.check);
  for (int time = 1; time <= 2; ++time) {
    if (byMouse) {
      QTest::mouseClick(&button, Qt::LeftButton);
    } else {
      button.setFocus();
      QTest::keyClick(&button, Qt::Key_Space);
    }
    EXPECT_EQ(runs(), before + time) << "after press " << time;
    EXPECT_FALSE(button.isChecked());
    EXPECT_EQ(window.Value(static_cast<Control>(int(Control::kCheck1) + command.check - 1)), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Commands, ButtonTest,
                         ::testing::Combine(::testing::ValuesIn(kCommands), ::testing::Bool()),
                         [](const auto& param) {
                           return std::string(std::get<0>(param.param).name) +
                                  (std::get<1>(param.param) ? "Mouse" : "SpaceBar");
                         });

using ExitTest = WindowTest;

TEST_F(ExitTest, ExitOrClosingTheWindowWhileLoadFolderRunsEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  Open();
  for (int folder = 0; folder < 50; ++folder)
    fileSystem.AddFile("/music/" + std::to_string(folder) + "/a.mp3");
  const std::function<void()> ends[] = {[this] { QTest::mouseClick(&Check(7), Qt::LeftButton); },
                                        [this] { Form().close(); }};
  for (const std::function<void()>& end : ends) {
    dialogs.QueueFolder("/music");
    // It arrives while Load Folder lets events run; the load must not get to its end.
    EXPECT_EXIT(
        {
          QTimer::singleShot(0, end);
          QTest::mouseClick(&Check(3), Qt::LeftButton);
          std::exit(3);
        },
        ::testing::ExitedWithCode(0), "");
  }
}

}  // namespace
}  // namespace vornick::platform::qt
