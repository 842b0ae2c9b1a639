// The list model over Form1's rows: a sound model at every step, and rows reaching the view in
// batches, one signal for each whole-list command.
#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include "tests/qt/window_fixture.h"

namespace vornick::platform::qt {
namespace {

class ModelTest : public WindowTest {
 public:
  ModelTest() { Open(); }

  // Whatever the tester finds fails the test (see qt_test_main.cpp).
  QAbstractItemModelTester tester{&window.Model(),
                                  QAbstractItemModelTester::FailureReportingMode::Warning};
  QSignalSpy inserts{&window.Model(), &QAbstractItemModel::rowsInserted};
  QSignalSpy changes{&window.Model(), &QAbstractItemModel::dataChanged};
  QSignalSpy resets{&window.Model(), &QAbstractItemModel::modelReset};
};

std::vector<std::string> Paths(const std::string& folder, int count) {
  std::vector<std::string> paths;
  for (int i = 0; i < count; ++i) paths.push_back(folder + "track_" + std::to_string(i) + ".mp3");
  return paths;
}

// Load Files and Load Folder answered by the fake dialogs, through the window's buttons.
TEST_F(ModelTest, LoadFilesShowsAllItsRowsInOneInsert) {
  dialogs.QueueOpen(Paths("/music/", 300));
  QTest::mouseClick(&Check(4), Qt::LeftButton);
  EXPECT_EQ(inserts.count(), 1);
  EXPECT_EQ(window.Model().rowCount(), 300);
  const QModelIndex last = window.Model().index(299, 1);
  EXPECT_EQ(last.data().toString(), "Track 299.mp3");
  EXPECT_EQ(last.siblingAtColumn(0).data(Qt::CheckStateRole), Qt::Checked);
}

TEST_F(ModelTest, LoadFolderShowsRowsInBatchesAtItsDoEventsPoints) {
  constexpr int kFolders = 20, kFilesEach = 30;
  for (int folder = 0; folder < kFolders; ++folder) {
    for (const std::string& path : Paths("/music/" + std::to_string(folder) + "/", kFilesEach))
      fileSystem.AddFile(path);
  }
  dialogs.QueueFolder("/music");
  QTest::mouseClick(&Check(3), Qt::LeftButton);
  EXPECT_EQ(window.Model().rowCount(), kFolders * kFilesEach);
  EXPECT_EQ(window.Model().index(kFilesEach, 2).data().toString(), "/music/1/");
  EXPECT_GE(inserts.count(), 1);
  EXPECT_LE(inserts.count(), kFolders + 1);  // never one per row
  EXPECT_EQ(window.Caption(), "Vornick");
}

TEST_F(ModelTest, SelectUnselectAndClearAreOneSignalEach) {
  AddRows(Paths("/music/", 500));
  for (const int check : {5, 6}) {
    changes.clear();
    QTest::mouseClick(&Check(check), Qt::LeftButton);
    EXPECT_EQ(changes.count(), 1) << "Check" << check;
    EXPECT_EQ(window.Model().index(0, 0).data(Qt::CheckStateRole),
              check == 5 ? Qt::Checked : Qt::Unchecked);
  }
  QTest::mouseClick(&Check(8), Qt::LeftButton);
  EXPECT_EQ(resets.count(), 1);
  EXPECT_EQ(window.Model().rowCount(), 0);
}

TEST_F(ModelTest, RowsAppendedButNotYetShownAreLeftOutUntilTheirBatch) {
  AddRows(Paths("/music/", 3));
  form.AddEntry("/music/late_one.mp3", true);
  EXPECT_FALSE(window.Model().index(3, 0).isValid());
  window.DoEvents();
  EXPECT_EQ(window.Model().rowCount(), 4);
  EXPECT_EQ(window.Model().index(3, 0).data().toString(), "late_one.mp3");
}

}  // namespace
}  // namespace vornick::platform::qt
