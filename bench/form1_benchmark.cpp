// SPDX-License-Identifier: GPL-3.0-or-later
// The window's commands at the scale of a real library: Load Folder of a synthetic library, then
// Rename and Undo of every checked row, run as the list operations they are (no window), each
// beside its floor measured in the same run (the walk floor: getdents64 and the entry type only; a
// loop of renameat2 calls over the same pairs, leaving out the rows whose target is their own
// name). Rename and Undo keep their history as the program does, in a SQLite file of their own
// beside the library. Rename and Undo are also timed each beside a run of the floor, run just
// before or after it, and the ratios of those pairs printed with their spread.
//
//   form1_benchmark [--root=FOLDER] [--files=N] [--folders=N] [--keep] [benchmark options]
//   form1_benchmark --library=LIBRARY [benchmark options]
//
// The library is written to a new folder under FOLDER (default /tmp) and removed afterwards,
// unless --keep is given; --library uses one written before (and keeps it).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <unordered_set>
#include <utility>
#include <vector>

#include "bench/bench_floors.h"
#include "bench/library_generator.h"
#include "platform/history/sqlite_history_store.h"
#include "platform/posix/posix_file_system.h"
#include "window/list_operations.h"

namespace {

// The user's choice of types: MP3 alone.
class Mp3Settings final : public vornick::platform::SettingsStore {
 public:
  std::string GetSetting(const std::string&, const std::string&, const std::string& key) override {
    return key == "FileTypes" ? "MP3" : "0";
  }
  std::optional<std::string> Fingerprint(const std::string&) override { return "unchanged"; }
};

// The disk, with a count of the folders opened: on a network share each one is a round trip.
class CountingFileSystem final : public vornick::platform::FileSystem {
 public:
  std::uint32_t GetAttributes(const std::string& path) override {
    return disk_.GetAttributes(path);
  }
  bool CanReadTimes(const std::string& path) noexcept override { return disk_.CanReadTimes(path); }
  std::vector<vornick::platform::FolderEntry> ReadFolder(const std::string& folder) override {
    ++opens;
    folders.insert(folder);
    return disk_.ReadFolder(folder);
  }
  void ReadFolderInto(const std::string& folder,
                      vornick::platform::FolderListing& listing) override {
    ++opens;
    folders.insert(folder);
    disk_.ReadFolderInto(folder, listing);
  }
  void BeginWalk() override { disk_.BeginWalk(); }
  void EndWalk() noexcept override { disk_.EndWalk(); }
  vornick::platform::FileIdentity GetIdentity(const std::string& path) override {
    return disk_.GetIdentity(path);
  }
  std::error_code Rename(const std::string& from, const std::string& to) noexcept override {
    return disk_.Rename(from, to);
  }
  std::size_t opens = 0;
  std::unordered_set<std::string> folders;

 private:
  vornick::platform::PosixFileSystem disk_;
};

// A new folder under `parent`, named after `what`.
std::string MakeFolder(const std::string& parent, const std::string& what) {
  std::string folder = parent + "/vornick-form1-" + what + "-XXXXXX";
  if (::mkdtemp(folder.data()) == nullptr) {
    throw std::system_error(errno, std::generic_category(), "cannot make a folder in " + parent);
  }
  return folder + '/';
}

struct Library {
  std::string root;
  vornick::bench::LibraryCounts counts;
};

void BM_WalkFloor(benchmark::State& state, const Library& library) {
  vornick::bench::WalkFloor floor;
  std::size_t found = 0;
  for (auto _ : state) found = floor.CountMp3(library.root);
  state.counters["files"] = static_cast<double>(found);
  if (found != library.counts.visibleMp3) state.SkipWithError("the floor missed files");
}

void BM_LoadFolder(benchmark::State& state, const Library& library) {
  vornick::platform::PosixFileSystem fileSystem;
  Mp3Settings settings;
  std::size_t rows = 0;
  for (auto _ : state) {
    auto operations = std::make_unique<vornick::window::ListOperations>(fileSystem, settings);
    operations->AddFolder(library.root, {});
    rows = operations->List().Count();
    // Emptying the list again is Clear List's work, not Load Folder's; so is the merging of the
    // freed memory, which the allocator would otherwise leave to the next load's first requests.
    state.PauseTiming();
    operations.reset();
    ::malloc_trim(0);
    state.ResumeTiming();
  }
  state.counters["rows"] = static_cast<double>(rows);
  // Once more, untimed, counting the folders opened against the folders there are.
  CountingFileSystem counting;
  vornick::window::ListOperations operations(counting, settings);
  operations.AddFolder(library.root, {});
  state.counters["opens_per_folder"] =
      static_cast<double>(counting.opens) / static_cast<double>(counting.folders.size());
  if (rows != library.counts.visibleMp3) state.SkipWithError("Load Folder missed files");
}

// The library loaded once, for Rename and Undo, and the same renames as plain pairs.
class Loaded {
 public:
  Loaded(const Library& library, const std::string& historyFolder)
      : history_(historyFolder), operations_(fileSystem_, settings_, &history_) {
    operations_.AddFolder(library.root, {});
    const vornick::window::RenameList& list = operations_.List();
    for (std::size_t i = 0; i < list.Count(); ++i) {
      const vornick::window::RenameEntry& row = list.Row(i);
      if (!row.Checked || row.NewName == row.CurrentName) continue;
      pairs_.emplace_back(row.FolderPath() + row.CurrentName, row.FolderPath() + row.NewName);
    }
  }
  std::size_t Pairs() const { return pairs_.size(); }
  // The bytes of the history on disk for each file it holds.
  double HistoryBytesPerFile() {
    std::uint64_t files = 0;
    for (const vornick::platform::BatchSummary& batch : history_.Batches()) files += batch.files;
    std::error_code error;
    const std::string file = history_.Location();
    const auto size = [&](const std::string& path) {
      const auto bytes = std::filesystem::file_size(path, error);
      return error ? 0.0 : static_cast<double>(bytes);
    };
    return files == 0 ? 0 : (size(file) + size(file + "-wal")) / static_cast<double>(files);
  }
  // Rename or Undo; returns the number of rows that were not renamed.
  std::size_t Rename() { return operations_.Rename().size(); }
  std::size_t Undo() { return operations_.Undo().size(); }
  // The floor: renameat2 over the pairs, forward or back; returns the number that failed.
  std::size_t RenameLoop(bool back) const {
    std::size_t failed = 0;
    for (const auto& [from, to] : pairs_) {
      const std::string& source = back ? to : from;
      const std::string& target = back ? from : to;
      failed +=
          ::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) != 0;
    }
    return failed;
  }

 private:
  vornick::platform::PosixFileSystem fileSystem_;
  Mp3Settings settings_;
  vornick::platform::SqliteHistoryStore history_;
  vornick::window::ListOperations operations_;
  std::vector<std::pair<std::string, std::string>> pairs_;
};

void BM_RenameFloor(benchmark::State& state, Loaded& loaded) {
  std::size_t failed = 0;
  for (auto _ : state) {
    failed = loaded.RenameLoop(false);
    state.PauseTiming();
    loaded.RenameLoop(true);
    state.ResumeTiming();
  }
  state.counters["renames"] = static_cast<double>(loaded.Pairs());
  state.counters["refused"] = static_cast<double>(failed);
}

void BM_Rename(benchmark::State& state, Loaded& loaded) {
  std::size_t failed = 0;
  for (auto _ : state) {
    failed = loaded.Rename();
    state.PauseTiming();
    loaded.Undo();
    state.ResumeTiming();
  }
  state.counters["refused"] = static_cast<double>(failed);
}

void BM_UndoFloor(benchmark::State& state, Loaded& loaded) {
  std::size_t failed = 0;
  for (auto _ : state) {
    state.PauseTiming();
    loaded.RenameLoop(false);
    state.ResumeTiming();
    failed = loaded.RenameLoop(true);
  }
  state.counters["refused"] = static_cast<double>(failed);
}

void BM_Undo(benchmark::State& state, Loaded& loaded) {
  std::size_t failed = 0;
  for (auto _ : state) {
    state.PauseTiming();
    loaded.Rename();
    state.ResumeTiming();
    failed = loaded.Undo();
  }
  state.counters["refused"] = static_cast<double>(failed);
}

// Rename and Undo each timed beside the floor's loop over the same pairs, run just before or just
// after it (by turns), so that both sides of a ratio meet the machine alike: where its speed drifts
// over seconds, the fastest runs of two separate benchmarks may come from different moments.
struct AdjacentRatios {
  std::vector<double> rename, undo;
};

void BM_RenameBesideFloor(benchmark::State& state, Loaded& loaded, AdjacentRatios& ratios) {
  using Clock = std::chrono::steady_clock;
  const auto timed = [](auto&& work) {
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double>(Clock::now() - start).count();
  };
  bool floorFirst = true;
  for (auto _ : state) {
    double floorForward = 0, floorBack = 0, rename = 0, undo = 0;
    const auto floor = [&] {
      floorForward = timed([&] { loaded.RenameLoop(false); });
      floorBack = timed([&] { loaded.RenameLoop(true); });
    };
    const auto program = [&] {
      rename = timed([&] { loaded.Rename(); });
      undo = timed([&] { loaded.Undo(); });
    };
    if (floorFirst) {
      floor();
      program();
    } else {
      program();
      floor();
    }
    floorFirst = !floorFirst;
    ratios.rename.push_back(rename / floorForward);
    ratios.undo.push_back(undo / floorBack);
    state.SetIterationTime(floorForward + floorBack + rename + undo);
  }
}

// "median M (N pairs, LOW to HIGH)"
std::string Spread(std::vector<double> values) {
  if (values.empty()) return "not run";
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
  std::ostringstream out;
  out << std::setprecision(3) << "median " << median << " (" << n << " pairs, " << values.front()
      << " to " << values.back() << ")";
  return out.str();
}

std::size_t NumberOption(std::string_view arg, std::string_view name, std::size_t fallback) {
  return arg.starts_with(name) ? std::stoul(std::string(arg.substr(name.size()))) : fallback;
}

int Run(const Library& library, const std::string& historyFolder) {
  std::cerr << "library: " << library.counts.files << " files in " << library.counts.folders
            << " folders, " << library.counts.visibleMp3 << " visible .mp3 files, at "
            << library.root << '\n';
  Loaded loaded(library, historyFolder);
  benchmark::RegisterBenchmark("BM_WalkFloor", BM_WalkFloor, library)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_LoadFolder", BM_LoadFolder, library)
      ->Unit(benchmark::kMillisecond);
  using RenameBenchmark = void (*)(benchmark::State&, Loaded&);
  const std::pair<const char*, RenameBenchmark> renames[] = {{"BM_RenameFloor", BM_RenameFloor},
                                                             {"BM_Rename", BM_Rename},
                                                             {"BM_UndoFloor", BM_UndoFloor},
                                                             {"BM_Undo", BM_Undo}};
  for (const auto& [name, function] : renames) {
    benchmark::RegisterBenchmark(name, function, std::ref(loaded))
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  AdjacentRatios adjacent;
  benchmark::RegisterBenchmark("BM_RenameBesideFloor", BM_RenameBesideFloor, std::ref(loaded),
                               std::ref(adjacent))
      ->Unit(benchmark::kMillisecond)
      ->UseManualTime()
      ->Iterations(16)
      ->Repetitions(1);
  vornick::bench::TimesReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::cout << "load / walk floor: " << reporter.Ratio("BM_LoadFolder", "BM_WalkFloor")
            << " (target 1.3 at most)\n"
            << "rename / floor: "
            << reporter.Ratio("BM_Rename/real_time", "BM_RenameFloor/real_time")
            << " (target 1.15 at most)\n"
            << "undo / floor: " << reporter.Ratio("BM_Undo/real_time", "BM_UndoFloor/real_time")
            << " (target 1.15 at most)\n"
            << "rename / floor, run beside it: " << Spread(adjacent.rename)
            << " (target 1.15 at most)\n"
            << "undo / floor, run beside it: " << Spread(adjacent.undo)
            << " (target 1.15 at most)\n"
            << "history bytes per file: " << loaded.HistoryBytesPerFile()
            << " (target 200 at most)\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::string parent = "/tmp";
  Library library;
  bool keep = false;
  vornick::bench::LibraryShape shape;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg.starts_with("--root=")) {
      parent = std::string(arg.substr(7));
    } else if (arg.starts_with("--library=")) {
      library.root = std::string(arg.substr(10));
      keep = true;
    } else if (arg == "--keep") {
      keep = true;
    } else if (arg.starts_with("--files=") || arg.starts_with("--folders=")) {
      shape.files = NumberOption(arg, "--files=", shape.files);
      shape.folders = NumberOption(arg, "--folders=", shape.folders);
    } else {
      std::cerr << "usage: form1_benchmark [--root=FOLDER] [--files=N] [--folders=N] [--keep] "
                   "[benchmark options]\n       form1_benchmark --library=LIBRARY "
                   "[benchmark options]\n";
      return 2;
    }
  }
  int status = 0;
  std::string historyFolder;
  try {
    historyFolder = MakeFolder(parent, "history");
    if (library.root.empty()) {
      library.root = MakeFolder(parent, "library");
      library.counts = vornick::bench::WriteLibrary(library.root, shape);
    } else {
      if (!library.root.ends_with('/')) library.root += '/';
      library.counts.visibleMp3 = vornick::bench::WalkFloor().CountMp3(library.root);
    }
    status = Run(library, historyFolder);
  } catch (const std::exception& error) {
    std::cerr << "form1_benchmark: " << error.what() << '\n';
    status = 1;
  }
  std::error_code ignored;
  if (!keep && !library.root.empty()) std::filesystem::remove_all(library.root, ignored);
  if (!historyFolder.empty()) std::filesystem::remove_all(historyFolder, ignored);
  benchmark::Shutdown();
  return status;
}
