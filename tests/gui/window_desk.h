// SPDX-License-Identifier: GPL-3.0-or-later
// What the window tests share: an answerer of modal dialogs and Form1 in the real window.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QStyle>
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
#include "gui/shown_reports.h"
#include "tests/fakes/fake_dialogs.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_settings_store.h"

// Texts in failure messages as text, not as arrays of characters.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << text.toStdString();
}

namespace vornick::gui {

// How long a test waits for a window to show or take the focus: the moment it does on an idle
// machine, and long enough for one that builds beside the tests.
inline constexpr int kWindowWait = 30000;

using platform::Button;

// Answers each modal dialog of type `Dialog` that opens while it lives, from inside the dialog's
// own event loop (a dialog closed before its loop runs would leave that loop running for good).
// Any dialog still open five seconds after it appeared fails the test and is rejected: no test
// waits on a dialog for ever.
template <typename Dialog>
struct ModalAnswerer {
  explicit ModalAnswerer(std::function<void(Dialog&)> answer) {
    QObject::connect(&timer, &QTimer::timeout, [this, answer] {
      auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (modal == nullptr || QThread::currentThread()->loopLevel() == 0) return;
      if (modal != current) {
        current = modal;
        since.start();
        if (auto* dialog = qobject_cast<Dialog*>(modal)) answer(*dialog);
      } else if (since.elapsed() > 5000) {
        ADD_FAILURE() << "a dialog was left open: " << modal->windowTitle().toStdString();
        modal->reject();
      }
    });
    timer.start(10);
  }
  QTimer timer;
  QPointer<QDialog> current;
  QElapsedTimer since;
};

// Form1 in the real window, loaded and shown as main() does it; the dialogs answer from queues.
struct WindowDesk {
  fakes::FakeFileSystem fileSystem;
  fakes::FakeSettingsStore settings;
  QtWindow window;
  fakes::FakeDialogs dialogs;
  ShownReports reports{dialogs, window};
  window::Form1 form{fileSystem, settings, dialogs, reports, window};
  FormHost host{form, window};
  // Whatever the tester finds fails the test (see main).
  QAbstractItemModelTester tester{&window.Model(),
                                  QAbstractItemModelTester::FailureReportingMode::Warning};

  WindowDesk() {
    host.Load();
    Form().show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&Form(), kWindowWait));
  }
  MainForm& Form() { return window.Form(); }
  RenameView& List() { return window.Form().FileList(); }
  void Click(Button button) { QTest::mouseClick(&Form().ButtonOf(button), Qt::LeftButton); }
  // Where the view draws the check box of `row`, in its viewport.
  QRect CheckBox(int row) {
    QStyleOptionViewItem option;
    option.initFrom(List().viewport());
    option.rect = List().visualRect(window.Model().index(row, 0));
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    return List().style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &List());
  }
  // Rows as the adding commands make them; they reach the view as when a command ends.
  void AddRows(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) form.Operations().AddEntry(path, true);
    window.ShowAppendedRows();
  }
};

}  // namespace vornick::gui
