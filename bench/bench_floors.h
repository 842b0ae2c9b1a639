// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vornick::bench {

// The floor of a walk: each visible folder opened once (relative to its parent) and read with
// getdents64; folders found by the entry type, .mp3 names (any case) counted.
class WalkFloor {
 public:
  std::size_t CountMp3(const std::string& root);

 private:
  std::size_t CountBelow(int folderFd, std::size_t depth);
  // A parent's listing goes on after its subfolder's, so each depth reads into its own buffer.
  std::vector<std::unique_ptr<char[]>> buffers_;
};

// The console report, keeping each benchmark's real time per iteration (the least of its
// repetitions) so that ratios can be printed at the end.
class TimesReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;
  // The time of `measured` over the time of `floor`; 0 when either did not run.
  double Ratio(const std::string& measured, const std::string& floor) const;

 private:
  std::map<std::string, double> times_;
};

}  // namespace vornick::bench
