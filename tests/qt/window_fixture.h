#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "platform/headless/headless_dialogs.h"
#include "platform/qt/command_button.h"
#include "platform/qt/form_host.h"
#include "platform/qt/qt_window.h"
#include "platform/qt/rename_model.h"
#include "platform/qt/rename_view.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_settings_store.h"
#include "window/form1.h"

namespace vornick::platform::qt {

// Runs events until `done` holds or two seconds have passed.
inline bool WaitFor(const std::function<bool()>& done) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > 2000) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

// Form1 in the real window, on fake disk and settings; the dialogs answer from queues unless a
// test brings its own.
template <typename DialogsType = headless::HeadlessDialogs>
class BasicWindowTest : public ::testing::Test {
 public:
  fakes::FakeFileSystem fileSystem;
  fakes::FakeSettingsStore settings;
  QtWindow window;
  DialogsType dialogs = MakeDialogs();
  window::Form1 form{fileSystem, settings, dialogs, window};
  FormHost host{form, window};

  // Loads and shows the window, as main() does.
  void Open() {
    host.Load();
    window.Form().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window.Form()));
  }

  MainForm& Form() { return window.Form(); }
  RenameView& List() { return window.Form().ListView1(); }
  CommandButton& Check(int number) { return window.Form().Check(number); }
  const window::RenameList& Rows() { return form.ListView1(); }

  // Rows as the adding commands make them; they reach the view as when a command ends.
  void AddRows(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) form.AddEntry(path, true);
    window.ShowAppendedRows();
  }

  // Where `widget`'s centre lies in the window.
  QPoint CentreOf(const QWidget& widget) { return widget.geometry().center(); }

 private:
  DialogsType MakeDialogs() {
    if constexpr (std::is_constructible_v<DialogsType, QWidget*>) {
      return DialogsType(&window.Form());
    } else {
      return DialogsType();
    }
  }
};

using WindowTest = BasicWindowTest<>;

}  // namespace vornick::platform::qt
