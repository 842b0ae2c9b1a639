// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/bench_floors.h"
#include "bench/folder_reading.h"
#include "bench/mp3_name.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <string_view>

namespace vornick::bench {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

std::size_t WalkFloor::CountMp3(const std::string& root) {
  const int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return 0;
  const std::size_t count = CountBelow(fd, 0);
  ::close(fd);
  return count;
}

std::size_t WalkFloor::CountBelow(int folderFd, std::size_t depth) {
  if (buffers_.size() == depth) buffers_.emplace_back(new char[kBufferSize]);
  char* const buffer = buffers_[depth].get();
  std::size_t count = 0;
  ForEachEntry(folderFd, buffer, kBufferSize, [&](const struct dirent64& entry) {
    if (entry.d_name[0] == '.') return;  // hidden, "." and ".."
    if (entry.d_type == DT_REG) {
      count += IsMp3Name(entry.d_name) ? 1 : 0;
    } else if (entry.d_type == DT_DIR) {
      const int sub = ::openat(folderFd, entry.d_name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      if (sub < 0) return;
      count += CountBelow(sub, depth + 1);
      ::close(sub);
    }
  });
  return count;
}

void TimesReporter::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
    // The fastest repetition: the one least disturbed by whatever else runs on the machine.
    const auto [time, added] = times_.emplace(run.benchmark_name(), run.GetAdjustedRealTime());
    if (!added && run.GetAdjustedRealTime() < time->second)
      time->second = run.GetAdjustedRealTime();
  }
  ConsoleReporter::ReportRuns(runs);
}

double TimesReporter::Ratio(const std::string& measured, const std::string& floor) const {
  const auto top = times_.find(measured);
  const auto bottom = times_.find(floor);
  if (top == times_.end() || bottom == times_.end() || bottom->second <= 0) return 0;
  return top->second / bottom->second;
}

}  // namespace vornick::bench
