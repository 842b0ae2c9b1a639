#include <iostream>
#include <iterator>

#include "cleaning/name_cleaning.h"
#include "cli/commands.h"

namespace vornick::cli {
namespace {

constexpr const char* kCleanUsage = "usage: vornick-cli clean [-z] [--] [NAME...]";

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
  char terminator = '\n';
  std::size_t first = 0;
  for (; first < args.size() && args[first].starts_with('-'); ++first) {
    if (args[first] == "--") {
      ++first;
      break;
    }
    if (args[first] != "-z") {
      streams.err << "vornick-cli: unknown option " << args[first] << '\n' << kCleanUsage << '\n';
      return 2;
    }
    terminator = '\0';
  }

  bool allOk = true;
  if (first < args.size()) {
    for (std::size_t i = first; i < args.size(); ++i)
      allOk = CleanOne(args[i], terminator, streams) && allOk;
  } else {
    std::string record;
    // Output that no longer gets through stops the reading: the input may never end.
    while (streams.out && std::getline(streams.in, record, terminator))
      allOk = CleanOne(record, terminator, streams) && allOk;
  }
  return Finish(streams, allOk ? 0 : 1);
}

}  // namespace vornick::cli
