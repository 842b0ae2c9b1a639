// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"

// The conventions of vornick-cli's command line, on QCommandLineParser: --help for the program
// and each command (on standard output, exit 0), --version, options anywhere before "--", and a
// usage error as one line naming what is wrong, the usage and where to read more (exit 2).
namespace vornick::cli {

struct OptionSyntax {
  std::string_view name;  // one letter for -z, a word for --undo
  std::string_view help;
};

struct CommandSyntax {
  std::string_view name;
  std::string_view operands;  // as the usage line shows them, options included
  std::string_view required;  // the operand that must be given ("" when none must)
  std::size_t maxOperands;
  std::string_view summary;  // one line in the program's list of commands
  std::string_view details;  // the paragraph of the command's help
  std::span<const OptionSyntax> options;
};

inline constexpr std::size_t kAnyNumber = static_cast<std::size_t>(-1);

extern const CommandSyntax kCleanSyntax;
extern const CommandSyntax kPreviewSyntax;
extern const CommandSyntax kApplySyntax;
extern const CommandSyntax kRenameSyntax;
extern const CommandSyntax kTypesSyntax;
extern const CommandSyntax kHistorySyntax;
extern const CommandSyntax kUndoSyntax;

// A command's arguments. Operands and options keep their bytes, whatever their encoding.
struct Arguments {
  // The exit status when the command is over already: after its help, or a usage error.
  std::optional<int> done;
  std::vector<std::string> operands;
  std::vector<std::string> options;  // the names of those given

  bool Has(std::string_view option) const;
};

Arguments ParseArguments(const CommandSyntax& syntax, std::span<const std::string> args,
                         Streams& streams);

// Writes `message` as a usage error of the command, on one line; returns 2.
int UsageError(const CommandSyntax& syntax, std::string_view message, Streams& streams);

// The whole command line after the program's name: the program's own options, or a command.
int RunCommandLine(std::span<const std::string> args, Streams streams);

}  // namespace vornick::cli
