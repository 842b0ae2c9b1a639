// SPDX-License-Identifier: GPL-3.0-or-later
#include <malloc.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"

int main(int argc, char** argv) {
  // Blocks of a megabyte and more (a million rows' names, indexes and sort keys) are mapped apart
  // and given back when freed. glibc would raise this bound after the first such block is freed,
  // and keep the next ones in its heap, resident long after they are gone.
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return vornick::cli::RunCommandLine(args, {std::cin, std::cout, std::cerr});
}
