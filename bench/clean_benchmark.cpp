// SPDX-License-Identifier: GPL-3.0-or-later
// Names per second of CleanFileName, beside a floor: one pass over the same names that only
// lower-cases ASCII letters into a new string. CleanFileName is measured returning a new string, as
// the floor makes one, and into one buffer for every name, as the list calls it.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/name_corpus.h"
#include "cleaning/name_cleaning.h"

namespace {

const std::vector<std::string>& Corpus() {
  static const std::vector<std::string> names = vornick::bench::MusicFileNames(100000);
  return names;
}

void BM_LowerCaseFloor(benchmark::State& state) {
  for (auto _ : state) {
    for (const std::string& name : Corpus()) {
      std::string lower(name.size(), '\0');
      for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        lower[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
      }
      benchmark::DoNotOptimize(lower.data());
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * Corpus().size()));
}
BENCHMARK(BM_LowerCaseFloor)->Unit(benchmark::kMillisecond);

void BM_CleanFileName(benchmark::State& state) {
  for (auto _ : state) {
    for (const std::string& name : Corpus()) {
      benchmark::DoNotOptimize(vornick::cleaning::CleanFileName(name).data());
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * Corpus().size()));
}
BENCHMARK(BM_CleanFileName)->Unit(benchmark::kMillisecond);

void BM_CleanFileNameIntoBuffer(benchmark::State& state) {
  std::string cleaned;
  for (auto _ : state) {
    for (const std::string& name : Corpus()) {
      vornick::cleaning::CleanFileName(name, cleaned);
      benchmark::DoNotOptimize(cleaned.data());
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * Corpus().size()));
}
BENCHMARK(BM_CleanFileNameIntoBuffer)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
