#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImageWriter>
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

// An icon-resource file of one `side` x `side` picture; made a cursor with hot spot (x, y).
inline QByteArray IconFile(int side) {
  QImage image(side, side, QImage::Format_ARGB32);
  image.fill(Qt::blue);
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QImageWriter(&buffer, "ico").write(image);
  return buffer.data();
}
inline QByteArray CursorFile(int side, int x, int y) {
  QByteArray bytes = IconFile(side);
  bytes[2] = 2;
  bytes[10] = static_cast<char>(x & 0xFF);
  bytes[11] = static_cast<char>(x >> 8);
  bytes[12] = static_cast<char>(y & 0xFF);
  bytes[13] = static_cast<char>(y >> 8);
  return bytes;
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
