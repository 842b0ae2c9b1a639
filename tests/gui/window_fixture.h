#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QStyleOptionViewItem>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "gui/command_button.h"
#include "gui/form_host.h"
#include "gui/qt_window.h"
#include "gui/rename_model.h"
#include "gui/rename_view.h"
#include "tests/fakes/fake_dialogs.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_settings_store.h"

namespace vornick::gui {

using platform::Button;

// Answers each modal dialog of type `Dialog` that opens while it lives, from inside the dialog's
// own event loop (a dialog closed before its loop runs would leave that loop running for good).
// A dialog of another type, or one still open five seconds after it appeared, fails the test and
// is rejected: no test waits on a dialog for ever.
template <typename Dialog>
class ModalAnswerer {
 public:
  explicit ModalAnswerer(std::function<void(Dialog&)> answer) {
    QObject::connect(&timer_, &QTimer::timeout, [this, answer] {
      auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (modal == nullptr || !modal->isVisible() || QThread::currentThread()->loopLevel() == 0)
        return;
      auto* dialog = qobject_cast<Dialog*>(modal);
      if (modal != current_) {
        current_ = modal;
        since_.start();
        if (dialog != nullptr) return answer(*dialog);
      }
      if (dialog == nullptr || since_.elapsed() > 5000) {
        ADD_FAILURE() << "a dialog was left open: " << modal->windowTitle().toStdString();
        modal->reject();
      }
    });
    timer_.start(10);
  }

 private:
  QTimer timer_;
  QPointer<QDialog> current_;
  QElapsedTimer since_;
};

// Form1 in the real window, on fake disk, settings and dialogs (which answer from queues).
struct WindowDesk {
  fakes::FakeFileSystem fileSystem;
  fakes::FakeSettingsStore settings;
  QtWindow window;
  fakes::FakeDialogs dialogs;
  window::Form1 form{fileSystem, settings, dialogs, window};
  FormHost host{form, window};
  // Whatever the tester finds fails the test (see gui_test_main.cpp).
  QAbstractItemModelTester tester{&window.Model(),
                                  QAbstractItemModelTester::FailureReportingMode::Warning};

  // Loads and shows the window, as main() does.
  void Open() {
    host.Load();
    window.Form().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.Form()));
  }

  MainForm& Form() { return window.Form(); }
  RenameView& List() { return window.Form().FileList(); }
  CommandButton& ButtonOf(Button button) { return window.Form().ButtonOf(button); }
  const window::RenameList& Rows() { return form.List(); }
  void Click(Button button) { QTest::mouseClick(&ButtonOf(button), Qt::LeftButton); }

  // Rows as the adding commands make them; they reach the view as when a command ends.
  void AddRows(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) form.Operations().AddEntry(path, true);
    window.ShowAppendedRows();
  }

  // Where the check box of a row is drawn in the list's viewport.
  QRect CheckBox(int row) {
    QStyleOptionViewItem option;
    option.initFrom(List().viewport());
    option.rect = List().visualRect(List().model()->index(row, 0));
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    return List().style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &List());
  }
};

class WindowTest : public ::testing::Test, public WindowDesk {};

}  // namespace vornick::gui
