// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>
#include <iterator>

#include "cleaning/name_cleaning.h"
#include "cli/command_line.h"
#include "cli/commands.h"

namespace vornick::cli {
namespace {

// Writes the proposed name of one record; a name that cannot be cleaned gives an empty record and
// one line on the error stream.
bool CleanOne(const std::string& name, char terminator, Streams& streams) {
  bool ok = true;
  try {
    streams.out << cleaning::CleanFileName(name);
  } catch (const cleaning::NameCleaningError& error) {
    streams.err << "vornick-cli: cannot clean \"" << name << "\": " << error.what() << '\n';
    ok = false;
  }
  streams.out << terminator;
  return ok;
}

}  // namespace

int RunClean(std::span<const std::string> args, Streams streams) {
  const Arguments arguments = ParseArguments(kCleanSyntax, args, streams);
  if (arguments.done) return *arguments.done;
  const char terminator = arguments.Has("z") ? '\0' : '\n';
  const std::vector<std::string>& names = arguments.operands;

  bool allOk = true;
  if (!names.empty()) {
    for (const std::string& name : names) allOk = CleanOne(name, terminator, streams) && allOk;
  } else {
    std::string record;
    // Output that no longer gets through stops the reading: the input may never end.
    while (streams.out && std::getline(streams.in, record, terminator))
      allOk = CleanOne(record, terminator, streams) && allOk;
  }
  return Finish(streams, allOk ? 0 : 1);
}

}  // namespace vornick::cli
