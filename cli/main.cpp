#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"

namespace {

struct Command {
  std::string_view name;
  int (*run)(std::span<const std::string>, vornick::cli::Streams);
  std::string_view synopsis;
};

constexpr Command kCommands[] = {
    {"clean", vornick::cli::RunClean, "clean [-z] [--] [NAME...]   proposed names, one per record"},
    {"preview", vornick::cli::RunPreview, "preview [--] PATH...        the plan of proposed names"},
    {"apply", vornick::cli::RunApply, "apply [--undo] PLAN|-       renames by a plan"},
    {"rename", vornick::cli::RunRename, "rename [--] PATH...         preview and apply at once"},
    {"types", vornick::cli::RunTypes, "types                       selected file types"},
};

int Usage(std::ostream& stream) {
  stream << "usage: vornick-cli COMMAND [ARGS...]\ncommands:\n";
  for (const Command& command : kCommands) stream << "  " << command.synopsis << '\n';
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const vornick::cli::Streams streams{std::cin, std::cout, std::cerr};
  if (argc < 2) return Usage(std::cerr);
  const std::string_view name = argv[1];
  if (name == "--help" || name == "-h") {
    Usage(std::cout);
    return vornick::cli::Finish(streams, 0);
  }
  const std::vector<std::string> args(argv + 2, argv + argc);
  for (const Command& command : kCommands) {
    if (command.name == name) return command.run(args, streams);
  }
  std::cerr << "vornick-cli: unknown command " << name << '\n';
  return Usage(std::cerr);
}
