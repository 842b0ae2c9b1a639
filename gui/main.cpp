// SPDX-License-Identifier: GPL-3.0-or-later
// vornick: the window program.
#include <malloc.h>

#include <QApplication>
#include <QHeaderView>
#include <QSettings>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "gui/form_host.h"
#include "gui/main_form.h"
#include "gui/qt_dialogs.h"
#include "gui/qt_window.h"
#include "gui/rename_view.h"
#include "gui/shown_reports.h"
#include "gui/translations.h"
#include "gui/window_state.h"
#include "platform/history/sqlite_history_store.h"
#include "platform/posix/posix_file_system.h"
#include "platform/settings/qt_settings_store.h"
#include "window/form1.h"

namespace {

constexpr const char* kUsage =
    "Usage: vornick [PATH...]\n"
    "Opens the window that tidies the file names of music files. Each PATH that is a folder is\n"
    "added as Load Folder adds it (with every folder below it); each file as Load Files adds it.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Show this help and exit.\n"
    "  -v, --version  Show the version and exit.\n"
    "  --             Take every argument after it as a path.\n";

bool Set(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

// Without a display Qt would abort with a long complaint; say plainly what to do instead.
bool DisplayAvailable() {
  return Set("QT_QPA_PLATFORM") || Set("DISPLAY") || Set("WAYLAND_DISPLAY");
}

struct Arguments {
  bool help = false, version = false;
  std::string unknown;             // the first option not understood
  std::vector<std::string> paths;  // exact bytes
};

// Read once before QApplication starts, so that --help and --version work without a display, and
// again after it took out its own options (-platform, -style, ...), for the paths.
Arguments Parse(int argc, char** argv) {
  Arguments arguments;
  bool optionsEnd = false;
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    if (!optionsEnd && argument[0] == '-' && argument[1] != '\0') {
      if (std::strcmp(argument, "--") == 0) {
        optionsEnd = true;
      } else if (std::strcmp(argument, "-h") == 0 || std::strcmp(argument, "--help") == 0) {
        arguments.help = true;
      } else if (std::strcmp(argument, "-v") == 0 || std::strcmp(argument, "--version") == 0) {
        arguments.version = true;
      } else if (arguments.unknown.empty()) {
        arguments.unknown = argument;
      }
      continue;
    }
    arguments.paths.emplace_back(argument);
  }
  return arguments;
}

// The folder of the rename history and the window's state; "" when there is none (neither
// XDG_STATE_HOME nor HOME): a history on no folder then refuses every write, so that Rename asks
// before it renames without a way back, and the window keeps nothing.
std::string StateFolder() {
  try {
    return vornick::platform::SqliteHistoryStore::DefaultFolder();
  } catch (const vornick::platform::HistoryError&) {
    return {};
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Blocks of a megabyte and more (a million rows' names, indexes and sort keys) are mapped apart
  // and given back when freed. glibc would raise this bound after the first such block is freed,
  // and keep the next ones in its heap, resident long after they are gone.
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
  const Arguments arguments = Parse(argc, argv);
  if (arguments.help) {
    std::fputs(kUsage, stdout);
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? EXIT_SUCCESS : EXIT_FAILURE;
  }
  if (arguments.version) {
    std::printf("vornick %s\n", VORNICK_VERSION);
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? EXIT_SUCCESS : EXIT_FAILURE;
  }
  if (!DisplayAvailable()) {
    std::fputs(
        "vornick: no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
        "Start it from a desktop session, or on a virtual display: xvfb-run vornick\n",
        stderr);
    return EXIT_FAILURE;
  }

  QApplication application(argc, argv);
  const Arguments named = Parse(argc, argv);
  if (!named.unknown.empty()) {
    std::fprintf(stderr, "vornick: unknown option '%s'\nTry 'vornick --help'.\n",
                 named.unknown.c_str());
    return 2;
  }
  vornick::gui::InstallTranslations(application, QLocale());
  // The file dialogs would remember their last folder in a settings file of Qt's own; the window
  // state keeps it instead, so that file is sent nowhere. (The program's settings and the window
  // state are INI files, which this does not touch.)
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     QStringLiteral("/dev/null/vornick-keeps-no-settings"));
  QApplication::setWindowIcon(vornick::gui::MainForm::Picture(vornick::platform::Button::kRename));

  vornick::platform::PosixFileSystem fileSystem;
  vornick::platform::QtSettingsStore settings;
  const std::string stateFolder = StateFolder();
  vornick::gui::WindowState state(stateFolder);
  vornick::gui::QtWindow window;
  vornick::gui::MainForm& mainForm = window.Form();
  vornick::gui::QtDialogs dialogs(&mainForm, &state);
  vornick::gui::ShownReports reports(dialogs, window);
  vornick::platform::SqliteHistoryStore history(stateFolder);
  vornick::window::Form1 form(fileSystem, settings, dialogs, reports, window, &history);
  vornick::gui::FormHost host(form, window);
  host.Load();
  // Placed before it shows, so that it appears where it was; Form1 lays it out as it shows.
  state.RestoreGeometry(mainForm);
  mainForm.show();
  state.SaveAtEnd(mainForm);
  // The columns are restored once Form1 has laid them out; then the paths are added, so that the
  // user sees the load; then a Rename that an earlier run left in the middle is offered back, over
  // the window.
  QTimer::singleShot(0, &host, [&state, &mainForm, &host, &named] {
    state.RestoreColumns(mainForm);
    if (!named.paths.empty()) host.Open(named.paths);
    host.Started();
  });
  const int status = QApplication::exec();
  state.Remember(mainForm, *mainForm.FileList().header());
  state.Save();
  return status;
}
