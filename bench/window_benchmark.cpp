// SPDX-License-Identifier: GPL-3.0-or-later
// A million rows through AddEntry into the window's list with the view attached (offscreen),
// beside the same load with no view (the list operations alone), with the resident memory of each
// (without a view: of the first such load, before any window was shown; and after one);
// then Select All over those rows, and the cost of one DoEvents with nothing to do.
//
// The load lets window events run (DoEvents) once every N rows, N the benchmark's argument: 1000
// for a command that appends rows in long runs, 10 for Load Folder in a library of ten-file
// folders, where the per-call cost of running events (BM_DoEventsIdle) adds up.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bench/name_corpus.h"
#include "gui/form_host.h"
#include "gui/qt_window.h"
#include "gui/rename_model.h"
#include "gui/rename_view.h"
#include "platform/posix/posix_file_system.h"
#include "window/form1.h"
#include "window/list_operations.h"

namespace {

using vornick::platform::Button;
using vornick::window::Form1;
using vornick::window::ListOperations;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kRows = 1'000'000;
constexpr std::size_t kFilesPerFolder = 10;
constexpr std::size_t kCorpusNames = 100'000;

struct NoSettings final : vornick::platform::SettingsStore {
  std::string GetSetting(const std::string&, const std::string&, const std::string&) override {
    return {};
  }
};

// The load shows no dialog.
struct NoDialogs final : vornick::platform::Dialogs, vornick::window::Reports {
  std::string BrowseForFolder(const std::string&) override { return {}; }
  std::vector<std::string> ShowOpen(const vornick::platform::OpenDialogOptions&) override {
    return {};
  }
  void RenameFailed(vornick::window::RenameDirection,
                    const std::vector<vornick::window::RenameFailure>&) override {}
  void Stopped(vornick::window::Command, const std::string&, bool) override {}
  void PassedOver(vornick::window::Command,
                  const std::vector<vornick::window::PassedOver>&) override {}
  bool GoOnWithoutHistory(vornick::window::Command, const std::string&, std::error_code) override {
    return false;
  }
  bool OfferTakeBack(const vornick::platform::BatchSummary&, bool) override { return false; }
  void HistorySetAside(const std::string&, const std::string&) override {}
};

// Names to build the paths from, in one block of bytes; the paths themselves are made as the load
// goes, so that the resident memory measured is the program's, not the input's.
class NameCorpus {
 public:
  NameCorpus() {
    for (const std::string& name : vornick::bench::MusicFileNames(kCorpusNames)) {
      ends_.push_back(bytes_.size());
      bytes_ += name;
    }
    ends_.push_back(bytes_.size());
    bytes_.shrink_to_fit();
  }
  std::size_t size() const { return ends_.size() - 1; }
  std::string_view operator[](std::size_t i) const {
    return std::string_view(bytes_).substr(ends_[i], ends_[i + 1] - ends_[i]);
  }

 private:
  std::string bytes_;
  std::vector<std::size_t> ends_;
};

const NameCorpus& Names() {
  static const NameCorpus names;
  return names;
}

// Resident memory of the process now, in MiB.
double ResidentMiB() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      double kib = 0;
      status >> kib;
      return kib / 1024.0;
    }
    status.ignore(4096, '\n');
  }
  return 0;
}

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Adds the rows as a long command does, calling `doEvents` once every `rowsPerDoEvents` rows.
template <typename DoEvents>
void LoadRows(ListOperations& operations, std::size_t rowsPerDoEvents, DoEvents doEvents) {
  const NameCorpus& names = Names();
  std::string folder;
  std::string path;
  for (std::size_t i = 0; i < kRows; ++i) {
    if (i % kFilesPerFolder == 0) {
      const std::size_t number = i / kFilesPerFolder;
      folder = "/home/user/Music/Artist " + std::to_string(number / 8) + "/Album " +
               std::to_string(number % 8) + "/";
    }
    if (i % rowsPerDoEvents == 0) doEvents();
    path.assign(folder).append(names[i % names.size()]);
    try {
      operations.AddEntry(path, true);
    } catch (const std::exception&) {
      // A name that cannot be cleaned keeps its row; the load goes on.
    }
  }
}

// What the list operations need; the load touches none of it.
struct Desk {
  vornick::platform::PosixFileSystem fileSystem;
  NoSettings settings;
};

// Once a window has been shown, Qt keeps some 9 MiB (its fonts among them) for the rest of the
// process, which a process without a window never has.
bool windowShown = false;
// The resident memory of the first load without a view made before any window was shown.
std::optional<double> noViewBeforeWindowMiB;

// The window shown on the offscreen platform, Form1's rows shown by its view.
struct WindowDesk : Desk {
  NoDialogs dialogs;
  vornick::gui::QtWindow window;
  Form1 form{fileSystem, settings, dialogs, dialogs, window};
  vornick::gui::FormHost host{form, window};

  WindowDesk() {
    windowShown = true;
    host.Load();
    window.Form().show();
    QCoreApplication::processEvents();
  }

  // The command ends: the last rows reach the view, which lays itself out and paints them with
  // their statuses.
  void EndCommand() {
    window.ShowAppendedRows();
    window.ShowStatuses();
    QCoreApplication::processEvents();
  }

  void Load(std::size_t rowsPerDoEvents) {
    LoadRows(form.Operations(), rowsPerDoEvents, [this] { window.DoEvents(); });
  }
};

struct LoadResult {
  double milliseconds = 0;
  double residentMiB = 0;  // at the end of the load, the rows still held
};

// What the load before freed goes back to the system first, so that each load's resident memory
// is its own: glibc keeps freed small blocks for the next requests otherwise.
LoadResult LoadWithoutView(std::size_t rowsPerDoEvents) {
  malloc_trim(0);
  Desk desk;
  ListOperations operations(desk.fileSystem, desk.settings);
  const auto start = Clock::now();
  LoadRows(operations, rowsPerDoEvents, [] {});  // nothing where DoEvents would run
  const LoadResult result{MillisecondsSince(start), ResidentMiB()};
  if (!windowShown && !noViewBeforeWindowMiB) noViewBeforeWindowMiB = result.residentMiB;
  return result;
}

LoadResult LoadWindow(std::size_t rowsPerDoEvents) {
  malloc_trim(0);
  WindowDesk desk;
  const auto start = Clock::now();
  desk.Load(rowsPerDoEvents);
  desk.EndCommand();
  return {MillisecondsSince(start), ResidentMiB()};
}

// Each iteration loads the million rows twice, without a view and into the window, one after the
// other, so that both meet the same load on a shared machine; the iteration's time is the window's.
void BM_LoadMillionRows(benchmark::State& state) {
  const auto rowsPerDoEvents = static_cast<std::size_t>(state.range(0));
  Names();
  LoadWithoutView(rowsPerDoEvents);  // the heap is warm for both from here on
  double noView = 0, window = 0, noViewMiB = 0, windowMiB = 0;
  for (auto _ : state) {
    const LoadResult withoutView = LoadWithoutView(rowsPerDoEvents);
    const LoadResult withView = LoadWindow(rowsPerDoEvents);
    state.SetIterationTime(withView.milliseconds / 1000.0);
    noView += withoutView.milliseconds;
    window += withView.milliseconds;
    noViewMiB = std::max(noViewMiB, withoutView.residentMiB);
    windowMiB = std::max(windowMiB, withView.residentMiB);
  }
  const auto iterations = static_cast<double>(state.iterations());
  state.counters["no_view_ms"] = noView / iterations;
  state.counters["window_ms"] = window / iterations;
  state.counters["window_vs_no_view"] = window / noView;
  // Without a view is a process that has shown no window; after one, the figure holds Qt's part.
  if (noViewBeforeWindowMiB) state.counters["no_view_rss_MiB"] = *noViewBeforeWindowMiB;
  state.counters["no_view_after_window_rss_MiB"] = noViewMiB;
  state.counters["window_rss_MiB"] = windowMiB;
}
BENCHMARK(BM_LoadMillionRows)
    ->ArgName("rows_per_DoEvents")
    ->Arg(1000)
    ->Arg(10)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(5);

// Select All and Unselect All pressed in turn on a million rows, each until the view has painted.
void BM_SelectAllWindow(benchmark::State& state) {
  WindowDesk desk;
  desk.Load(1000);
  desk.EndCommand();
  bool select = true;
  for (auto _ : state) {
    desk.form.Press(select ? Button::kSelectAll : Button::kUnselectAll);
    QCoreApplication::processEvents();
    select = !select;
  }
  state.counters["rows"] = static_cast<double>(desk.form.List().Count());
}
BENCHMARK(BM_SelectAllWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

// A click on each column's header in turn, as the view sorts a million rows by it (ascending, then
// descending, then list order), each until the view has painted; and what the sorted view holds.
void BM_SortWindow(benchmark::State& state) {
  WindowDesk desk;
  desk.Load(1000);
  desk.EndCommand();
  vornick::gui::RenameView& view = desk.window.Form().FileList();
  const double unsortedMiB = ResidentMiB();
  double sortedMiB = 0;
  const int column = static_cast<int>(state.range(0));
  double slowest = 0;
  for (auto _ : state) {
    for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
      const auto start = Clock::now();
      view.sortByColumn(column, order);
      QCoreApplication::processEvents();
      slowest = std::max(slowest, MillisecondsSince(start));
      sortedMiB = std::max(sortedMiB, ResidentMiB());
    }
    state.PauseTiming();
    view.sortByColumn(-1, Qt::AscendingOrder);
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["slowest_sort_ms"] = slowest;
  state.counters["rss_unsorted_MiB"] = unsortedMiB;
  state.counters["rss_sorted_MiB"] = sortedMiB;
}
BENCHMARK(BM_SortWindow)
    ->ArgName("column")
    ->DenseRange(0, 2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Text typed into the find bar on a million rows, one key at a time, each until the view has
// painted: the first key looks at every row, each further one at the rows the last one kept.
void BM_FilterKeystrokes(benchmark::State& state) {
  WindowDesk desk;
  desk.Load(1000);
  desk.EndCommand();
  vornick::gui::RenameModel& model = desk.window.Model();
  const QString typed = QStringLiteral("the love");
  std::size_t shown = 0;
  double slowest = 0;
  for (auto _ : state) {
    for (qsizetype length = 1; length <= typed.size(); ++length) {
      const auto start = Clock::now();
      model.SetFilter(typed.left(length), vornick::gui::RenameModel::RowKind::kAll);
      QCoreApplication::processEvents();
      slowest = std::max(slowest, MillisecondsSince(start));
    }
    shown = static_cast<std::size_t>(model.rowCount());
    state.PauseTiming();
    model.SetFilter({}, vornick::gui::RenameModel::RowKind::kAll);
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
  state.counters["slowest_keystroke_ms"] = slowest;
  state.counters["rows_shown"] = static_cast<double>(shown);
}
BENCHMARK(BM_FilterKeystrokes)->Unit(benchmark::kMillisecond)->Iterations(3);

// One DoEvents of the window with no rows waiting and no events pending.
void BM_DoEventsIdle(benchmark::State& state) {
  WindowDesk desk;
  for (auto _ : state) desk.window.DoEvents();
}
BENCHMARK(BM_DoEventsIdle)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  // As the program does.
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
