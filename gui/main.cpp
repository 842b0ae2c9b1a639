// SPDX-License-Identifier: GPL-3.0-or-later
// vornick: the window program.
#include <QApplication>
#include <QSettings>
#include <cstdio>
#include <cstdlib>

#include "gui/form_host.h"
#include "gui/qt_dialogs.h"
#include "gui/qt_window.h"
#include "platform/posix/posix_file_system.h"
#include "platform/settings/qt_settings_store.h"
#include "window/form1.h"

namespace {

bool Set(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

// Without a display Qt would abort with a long complaint; say plainly what to do instead.
bool DisplayAvailable() {
  return Set("QT_QPA_PLATFORM") || Set("DISPLAY") || Set("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char** argv) {
  if (!DisplayAvailable()) {
    std::fputs(
        "vornick: no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
        "Start it from a desktop session, or on a virtual display: xvfb-run vornick\n",
        stderr);
    return EXIT_FAILURE;
  }
  QApplication application(argc, argv);
  // The file dialogs would remember their last folder in a settings file of Qt's own; the program
  // keeps no settings, so that file is sent nowhere. (The program's settings are INI files, which
  // this does not touch.)
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     QStringLiteral("/dev/null/vornick-keeps-no-settings"));
  QApplication::setWindowIcon(vornick::gui::MainForm::Picture(vornick::platform::Button::kRename));

  vornick::platform::PosixFileSystem fileSystem;
  vornick::platform::QtSettingsStore settings;
  vornick::gui::QtWindow window;
  vornick::gui::QtDialogs dialogs(&window.Form());
  vornick::window::Form1 form(fileSystem, settings, dialogs, window);
  vornick::gui::FormHost host(form, window);
  host.Load();
  window.Form().show();
  return QApplication::exec();
}
