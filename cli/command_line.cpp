// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/command_line.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <ostream>

namespace vornick::cli {
namespace {

constexpr std::string_view kProgram = "vornick-cli";

constexpr OptionSyntax kCleanOptions[] = {
    {"z", "records end in a NUL byte, not a line feed (input and output)"}};
constexpr OptionSyntax kApplyOptions[] = {
    {"undo", "renames each checked row from its proposed name back to its current one"},
    {"no-history", "renames even when the history cannot be written (no way back kept)"}};
constexpr OptionSyntax kPreviewOptions[] = {
    {"portable",
     "proposes names that FAT, exFAT, NTFS and SMB take too (for music copied to other disks)"}};
constexpr OptionSyntax kRenameOptions[] = {
    {"no-history", "renames even when the history cannot be written (no way back kept)"}};

// Each byte stands for the Latin-1 character of its value: the parser sees the ASCII options as
// they are, and every operand comes back byte for byte, UTF-8 or not.
QString FromBytes(std::string_view bytes) {
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string ToBytes(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QStringList ParserInput(std::span<const std::string> args) {
  QStringList list{FromBytes(kProgram)};
  for (const std::string& arg : args) list << FromBytes(arg);
  return list;
}

// An option's name as it is written: -z, --undo.
std::string Dashed(std::string_view name) {
  return (name.size() == 1 ? "-" : "--") + std::string(name);
}

// The first option the parser did not know, with its dashes, or the parser's own complaint.
std::string ParseError(const QCommandLineParser& parser) {
  const QStringList unknown = parser.unknownOptionNames();
  if (unknown.isEmpty()) {
    std::string error = ToBytes(parser.errorText());
    if (error.ends_with('.')) error.pop_back();
    return error;
  }
  return "unknown option '" + Dashed(ToBytes(unknown.first())) + "'";
}

void WriteOption(std::ostream& out, std::string shown, std::string_view help) {
  shown.resize(std::max<std::size_t>(shown.size() + 2, 14), ' ');
  out << "  " << shown << help << '\n';
}

void WriteHelp(const CommandSyntax& syntax, std::ostream& out) {
  out << "usage: " << kProgram << ' ' << syntax.name << ' ' << syntax.operands << "\n\n"
      << syntax.details << "\n\noptions:\n";
  for (const OptionSyntax& option : syntax.options)
    WriteOption(out, Dashed(option.name), option.help);
  WriteOption(out, "-h, --help", "shows this help");
}

struct Command {
  const CommandSyntax& syntax;
  int (*run)(std::span<const std::string>, Streams);
};

const Command kCommands[] = {
    {kCleanSyntax, RunClean},   {kPreviewSyntax, RunPreview}, {kApplySyntax, RunApply},
    {kRenameSyntax, RunRename}, {kTypesSyntax, RunTypes},     {kHistorySyntax, RunHistory},
    {kUndoSyntax, RunUndo},
};

void WriteProgramHelp(std::ostream& out) {
  out << "usage: " << kProgram << " COMMAND [OPTION...] [ARGUMENT...]\n"
      << "       " << kProgram << " --help | --version\n\n"
      << "Tidies the file names of music files, without a window.\n\ncommands:\n";
  for (const Command& command : kCommands) {
    std::string usage =
        std::string(command.syntax.name) + ' ' + std::string(command.syntax.operands);
    usage.resize(std::max<std::size_t>(usage.size() + 2, 32), ' ');
    out << "  " << usage << command.syntax.summary << '\n';
  }
  out << "\nEach command takes --help. Exit status: 0 done, 1 some item failed, 2 usage or input\n"
         "error, 3 output not written.\n";
}

}  // namespace

const CommandSyntax kCleanSyntax = {
    "clean",
    "[-z] [--] [NAME...]",
    "",
    kAnyNumber,
    "the proposed name of each NAME",
    "Writes the proposed name of each NAME, one per line. Without NAMEs, reads names from\n"
    "standard input, one per line, and writes their proposed names in the same framing and\n"
    "order. A name that cannot be cleaned gives an empty record and one line on standard error.",
    kCleanOptions,
};

const CommandSyntax kPreviewSyntax = {
    "preview",
    "[--portable] [--] PATH...",
    "PATH",
    kAnyNumber,
    "the plan of proposed names; renames nothing",
    "Adds each folder as Load Folder does (with every visible folder below it, the file types\n"
    "of the settings) and each file as Load Files does, and writes the rows as a plan. Each\n"
    "checked row that Rename would refuse, by the rules of its folder's file system too, is\n"
    "named on standard error, and the exit status is then 1.",
    kPreviewOptions,
};

const CommandSyntax kApplySyntax = {
    "apply",
    "[--undo] [--no-history] [--] PLAN",
    "PLAN",
    1,
    "renames by a plan (- for standard input)",
    "Renames each checked row of the plan PLAN (- for standard input) from its current name to\n"
    "its proposed one. A file is never overwritten: a row that cannot be done is named on\n"
    "standard error and the others are still done. A malformed plan renames nothing. Each file\n"
    "is kept in the history before it is renamed; when the history cannot be written, nothing\n"
    "is renamed (exit status 2) unless --no-history is given.",
    kApplyOptions,
};

const CommandSyntax kRenameSyntax = {
    "rename",
    "[--no-history] [--] PATH...",
    "PATH",
    kAnyNumber,
    "preview and apply at once; writes the plan",
    "Renames what preview would show and writes the plan it applied, the rows that failed\n"
    "unchecked, so that 'vornick-cli apply --undo' of it puts every name back. When the plan\n"
    "cannot be written, the renames are put back. Each file is kept in the history before it\n"
    "is renamed ('vornick-cli undo' takes the batch back); when the history cannot be written,\n"
    "nothing is renamed (exit status 2) unless --no-history is given.",
    kRenameOptions,
};

const CommandSyntax kHistorySyntax = {
    "history",
    "",
    "",
    0,
    "the batches of renames kept, newest first",
    "Writes one line for each batch of renames in the history, newest first: its id, when it\n"
    "began, its state (done, interrupted, taken back, partly taken back, running), how many\n"
    "files it renamed, the folder they are in and what ran it, separated by tabs.",
    {},
};

const CommandSyntax kUndoSyntax = {
    "undo",
    "[ID]",
    "",
    1,
    "takes back a batch of renames from the history",
    "Gives the files of batch ID (without ID: the newest batch with files still renamed) their\n"
    "old names back. Only a file that is still the one renamed (the same device and inode) is\n"
    "renamed, and nothing is replaced; a file that cannot be taken back is named on standard\n"
    "error. What is taken back is recorded, so running undo again finishes the job.",
    {},
};

const CommandSyntax kTypesSyntax = {
    "types",
    "[set TYPE...]",
    "",
    kAnyNumber,
    "the file types folders give; set sets them",
    "Without arguments, writes the file types selected in the settings file, one per line, and\n"
    "warns on standard error about what in the file is not read as it seems to be meant.\n"
    "'types set TYPE...' selects the TYPEs (extensions without their dot, or 'All Files'\n"
    "first for every file), keeping everything else in the file.",
    {},
};

bool Arguments::Has(std::string_view option) const {
  return std::find(options.begin(), options.end(), option) != options.end();
}

int UsageError(const CommandSyntax& syntax, std::string_view message, Streams& streams) {
  streams.err << kProgram << ": " << message << "; usage: " << kProgram << ' ' << syntax.name << ' '
              << syntax.operands << "; try '" << kProgram << ' ' << syntax.name << " --help'\n";
  return 2;
}

Arguments ParseArguments(const CommandSyntax& syntax, std::span<const std::string> args,
                         Streams& streams) {
  QCommandLineParser parser;
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  parser.addOption(help);
  for (const OptionSyntax& option : syntax.options)
    parser.addOption(QCommandLineOption(FromBytes(option.name)));

  Arguments arguments;
  if (!parser.parse(ParserInput(args))) {
    arguments.done = UsageError(syntax, ParseError(parser), streams);
    return arguments;
  }
  if (parser.isSet(help)) {
    WriteHelp(syntax, streams.out);
    arguments.done = Finish(streams, 0);
    return arguments;
  }
  for (const OptionSyntax& option : syntax.options) {
    if (parser.isSet(FromBytes(option.name))) arguments.options.emplace_back(option.name);
  }
  for (const QString& operand : parser.positionalArguments())
    arguments.operands.push_back(ToBytes(operand));
  if (arguments.operands.empty() && !syntax.required.empty()) {
    arguments.done = UsageError(syntax, std::string(syntax.required) + " is missing", streams);
  } else if (arguments.operands.size() > syntax.maxOperands) {
    arguments.done = UsageError(
        syntax, "unexpected argument '" + arguments.operands[syntax.maxOperands] + "'", streams);
  }
  return arguments;
}

int RunCommandLine(std::span<const std::string> args, Streams streams) {
  QCommandLineParser parser;
  // The program's options come before the command; all after it is the command's.
  parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringLiteral("version"));
  parser.addOptions({help, version});
  if (!parser.parse(ParserInput(args))) {
    streams.err << kProgram << ": " << ParseError(parser) << "; try '" << kProgram << " --help'\n";
    return 2;
  }
  if (parser.isSet(help) || parser.isSet(version)) {
    if (parser.isSet(help)) {
      WriteProgramHelp(streams.out);
    } else {
      streams.out << kProgram << ' ' << VORNICK_VERSION << '\n';
    }
    return Finish(streams, 0);
  }
  const QStringList positional = parser.positionalArguments();
  if (positional.isEmpty()) {
    WriteProgramHelp(streams.err);
    return 2;
  }
  const std::string name = ToBytes(positional.first());
  std::vector<std::string> commandArgs;
  for (qsizetype i = 1; i < positional.size(); ++i) commandArgs.push_back(ToBytes(positional[i]));
  for (const Command& command : kCommands) {
    if (command.syntax.name == name) return command.run(commandArgs, streams);
  }
  streams.err << kProgram << ": unknown command '" << name << "'; try '" << kProgram
              << " --help'\n";
  return 2;
}

}  // namespace vornick::cli
