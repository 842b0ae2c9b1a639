// SPDX-License-Identifier: GPL-3.0-or-later
// The walk of a synthetic library plus the listing of every folder found with "*.mp3", as Load
// Folder does it, beside a floor measured in the same run: the same tree read with getdents64 and
// the entry type only, counting .mp3 names.
//
//   walk_benchmark [--root=FOLDER] [--files=N] [--folders=N] [benchmark options]
//
// The library is written to a new folder under FOLDER (default /tmp) and removed afterwards.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "bench/library_generator.h"
#include "files/folder_walk.h"
#include "platform/posix/posix_file_system.h"

namespace {

using vornick::bench::LibraryCounts;

bool EndsWithMp3(std::string_view name) {
  if (name.size() < 4) return false;
  const std::string_view tail = name.substr(name.size() - 4);
  return tail[0] == '.' && (tail[1] | 0x20) == 'm' && (tail[2] | 0x20) == 'p' && tail[3] == '3';
}

// The floor: each visible folder opened once (relative to its parent) and read with getdents64;
// folders found by the entry type, .mp3 names counted. A parent's listing goes on after its
// subfolder's, so each depth reads into a buffer of its own.
class Floor {
 public:
  std::size_t Count(const std::string& root) {
    const int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return 0;
    const std::size_t count = CountBelow(fd, 0);
    ::close(fd);
    return count;
  }

 private:
  static constexpr std::size_t kSize = 64 * 1024;

  std::size_t CountBelow(int folderFd, std::size_t depth) {
    if (buffers_.size() == depth) buffers_.emplace_back(new char[kSize]);
    char* buffer = buffers_[depth].get();
    std::size_t count = 0;
    for (;;) {
      const ssize_t filled = ::getdents64(folderFd, buffer, kSize);
      if (filled <= 0) return count;
      for (ssize_t offset = 0; offset < filled;) {
        const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + offset);
        offset += entry->d_reclen;
        if (entry->d_name[0] == '.') continue;  // hidden, "." and ".."
        if (entry->d_type == DT_REG && EndsWithMp3(entry->d_name)) {
          ++count;
        } else if (entry->d_type == DT_DIR) {
          const int sub = ::openat(folderFd, entry->d_name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
          if (sub < 0) continue;
          count += CountBelow(sub, depth + 1);
          ::close(sub);
        }
      }
    }
  }

  std::vector<std::unique_ptr<char[]>> buffers_;
};

void BM_FloorGetdents(benchmark::State& state, const std::string& root, LibraryCounts counts) {
  Floor floor;
  std::size_t found = 0;
  for (auto _ : state) found = floor.Count(root);
  state.counters["mp3"] = static_cast<double>(found);
  if (found != counts.visibleMp3) state.SkipWithError("the floor counted another number of files");
}

void BM_WalkAndListMp3(benchmark::State& state, const std::string& root, LibraryCounts counts) {
  vornick::platform::PosixFileSystem fileSystem;
  std::size_t found = 0;
  for (auto _ : state) {
    found = 0;
    vornick::files::PendingPaths pending;
    pending.Append(root);
    vornick::files::AddSubFolders(fileSystem, pending, root, [] {});
    for (; !pending.Empty(); pending.RemoveFront()) {
      if (const auto names = vornick::files::ListFiles(fileSystem, pending.Front() + "*.mp3"))
        found += names->size();
    }
  }
  state.counters["mp3"] = static_cast<double>(found);
  if (found != counts.visibleMp3) state.SkipWithError("the walk found another number of files");
}

// Keeps each benchmark's processor time per iteration (the median, when repeated), to print the
// ratio at the end; processor time, as other work on the machine stretches the real time.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
        seconds_[run.run_name.function_name] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  const std::map<std::string, double>& Times() const { return seconds_; }

 private:
  std::map<std::string, double> seconds_;
};

std::size_t NumberOption(std::string_view arg, std::string_view name, std::size_t fallback) {
  return arg.starts_with(name) ? std::stoul(std::string(arg.substr(name.size()))) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
  // Repetitions of the two run in a mixed order, so that other work on the machine weighs on both
  // alike; options given on the command line come later and win.
  std::vector<char*> args(argv, argv + argc);
  std::string interleave = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave.data());
  argc = static_cast<int>(args.size());
  argv = args.data();
  benchmark::Initialize(&argc, argv);
  std::string parent = "/tmp";
  vornick::bench::LibraryShape shape;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg.starts_with("--root=")) {
      parent = std::string(arg.substr(7));
    } else if (arg.starts_with("--files=") || arg.starts_with("--folders=")) {
      shape.files = NumberOption(arg, "--files=", shape.files);
      shape.folders = NumberOption(arg, "--folders=", shape.folders);
    } else {
      std::cerr << "usage: walk_benchmark [--root=FOLDER] [--files=N] [--folders=N] "
                   "[benchmark options]\n";
      return 2;
    }
  }

  std::string root = parent + "/vornick-walk-XXXXXX";
  if (::mkdtemp(root.data()) == nullptr) {
    std::cerr << "walk_benchmark: cannot make a folder in " << parent << ": "
              << std::strerror(errno) << '\n';
    return 1;
  }
  root += '/';
  int status = 0;
  try {
    const LibraryCounts counts = vornick::bench::WriteLibrary(root, shape);
    std::cerr << "library: " << counts.files << " files in " << counts.folders << " folders, "
              << counts.visibleMp3 << " visible .mp3 files, at " << root << '\n';
    for (auto* registered :
         {benchmark::RegisterBenchmark("BM_FloorGetdents", BM_FloorGetdents, root, counts),
          benchmark::RegisterBenchmark("BM_WalkAndListMp3", BM_WalkAndListMp3, root, counts)})
      registered->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& times = reporter.Times();
    const auto floor = times.find("BM_FloorGetdents");
    const auto walk = times.find("BM_WalkAndListMp3");
    if (floor != times.end() && walk != times.end() && floor->second > 0)
      std::cout << "walk / floor: " << walk->second / floor->second << " (target 2.5 at most)\n";
  } catch (const std::exception& error) {
    std::cerr << "walk_benchmark: " << error.what() << '\n';
    status = 1;
  }
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
  benchmark::Shutdown();
  return status;
}
