// SPDX-License-Identifier: GPL-3.0-or-later
// preview, apply and rename: the list operations of the window's commands, without a window.
#include "cli/plan_commands.h"

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <exception>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <numeric>
#include <sstream>
#include <vector>

#include "cli/command_line.h"
#include "cli/plan_format.h"
#include "files/name_rules.h"
#include "files/path_helpers.h"
#include "platform/history/sqlite_history_store.h"
#include "platform/posix/posix_file_system.h"
#include "platform/settings/qt_settings_store.h"
#include "window/list_operations.h"

namespace vornick::cli {
namespace {

// One line for each folder or link passed over while gathering; the gathering goes on.
void ReportPassedOver(const std::vector<window::PassedOver>& passedOver, Streams& streams) {
  for (const window::PassedOver& item : passedOver) {
    streams.err << "vornick-cli: passed over \"" << EscapeField(item.path) << "\": "
                << (item.why == window::PassedOver::Why::kLinkNotFollowed
                        ? std::string("a link to a folder is not followed")
                        : item.error.message())
                << '\n';
  }
}

// Adds each folder as Load Folder does and each file as Load Files does. Every path is checked
// first, so that nothing is added when one of them is not there. 0; 1 when a folder or link was
// passed over; 2 after the error lines, having added nothing.
int Gather(window::ListOperations& operations, const std::vector<std::string>& paths,
           PlanSeams seams, Streams& streams, const std::function<void()>& listed = {}) {
  struct Item {
    std::string path;
    bool folder;
  };
  std::vector<Item> items;
  bool allThere = true;
  for (const std::string& path : paths) {
    const std::string absolute = AbsolutePath(path);
    try {
      const std::uint32_t attributes = seams.fileSystem.GetAttributes(absolute);
      items.push_back({absolute, (attributes & platform::kAttrDirectory) != 0});
    } catch (const platform::FileSystemError& error) {
      streams.err << "vornick-cli: " << path << ": " << error.Error().message() << '\n';
      allThere = false;
    }
  }
  if (!allThere) return 2;
  int status = 0;
  for (const Item& item : items) {
    if (item.folder) {
      // Nothing runs beside the command line, so there is nothing to let run while it walks.
      const window::GatherResult result = operations.AddFolder(item.path, {}, listed);
      if (!result.stopped.empty()) {
        streams.err << "vornick-cli: Load Folder stopped: "
                    << (result.typesUnreadable
                            ? "The file types could not be read from the settings: "
                            : "")
                    << result.stopped << '\n';
        return 2;
      }
      ReportPassedOver(result.passedOver, streams);
      if (!result.passedOver.empty()) status = 1;
      continue;
    }
    try {
      operations.AddFiles({item.path});
    } catch (const std::exception& error) {
      streams.err << "vornick-cli: Load Files stopped: " << error.what() << '\n';
      return 2;
    }
  }
  return status;
}

// Writes the rows; a row in `notRenamed` (sorted) is written unchecked, so that undoing the plan
// touches only what was renamed.
void WritePlan(std::ostream& out, const window::RenameList& list,
               const std::vector<std::size_t>& notRenamed) {
  // Written in blocks of about 64 KiB: a write per line would cost more than making the line.
  constexpr std::size_t kBlock = 64 * 1024;
  std::string block;
  block.reserve(kBlock + 4096);
  PlanRowWriter writer;
  auto left = notRenamed.begin();
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const bool kept = left != notRenamed.end() && *left == i;
    if (kept) ++left;
    writer.Append(block, list.Row(i).Checked && !kept, list.Row(i));
    if (block.size() >= kBlock || i + 1 == list.Count()) {
      out.write(block.data(), static_cast<std::streamsize>(block.size()));
      block.clear();
    }
  }
}

// One line for each checked row that Rename would refuse, as the window shows it beside the row.
// While no row is renamed, what Rename would make of a row depends on the rows above it only, so
// the lines of the rows loaded so far can be worked out while the next folders are read; they
// are written when asked.
class Refusals {
 public:
  // Works out the lines of the rows not seen yet.
  void Catch(window::ListOperations& operations) {
    const window::RenameList& list = operations.List();
    for (; seen_ < list.Count(); ++seen_) {
      // Where the rules are guessed or not known, that is said once, naming the first such folder.
      const platform::NameRules::System system = operations.Checks().FolderRules(seen_).system;
      if (system == platform::NameRules::System::kUnknown && !unknownTold_) {
        unknownTold_ = true;
        lines_ << "vornick-cli: note: the rules for names on the disk of \""
               << EscapeField(list.Row(seen_).FolderPath())
               << "\" are not known (a network or FUSE file system): only what Linux refuses "
                  "is marked\n";
      } else if (system == platform::NameRules::System::kSmb && !smbTold_) {
        smbTold_ = true;
        lines_ << "vornick-cli: note: \"" << EscapeField(list.Row(seen_).FolderPath())
               << "\" is on an SMB share: the rules of a Windows server are assumed\n";
      }
      const std::string reason = operations.Checks().WouldBeRefused(seen_);
      if (reason.empty()) continue;
      any_ = true;
      const window::RenameEntry& row = list.Row(seen_);
      lines_ << "vornick-cli: would not rename \""
             << EscapeField(row.FolderPath() + row.CurrentName) << "\" to \""
             << EscapeField(row.NewName) << "\": " << reason << '\n';
    }
  }
  // Writes the lines of every row; true when a row would be refused.
  bool Report(window::ListOperations& operations, Streams& streams) {
    Catch(operations);
    streams.err << lines_.str();
    return any_;
  }

 private:
  std::size_t seen_ = 0;
  bool unknownTold_ = false, smbTold_ = false, any_ = false;
  std::ostringstream lines_;
};

// Renames the checked rows (or takes them back), each failed row on one line; 1 when any failed,
// 2 when the history could not be written (nothing renamed).
int RenameChecked(window::ListOperations& operations, window::RenameDirection direction,
                  std::vector<window::RenameFailure>& failures, Streams& streams,
                  const window::RenameOptions& options = {}) {
  try {
    failures = direction == window::RenameDirection::kUndo ? operations.Undo(options)
                                                           : operations.Rename(options);
  } catch (const platform::HistoryError& error) {
    streams.err << "vornick-cli: " << error.what()
                << "; nothing was renamed (--no-history renames without a way back)\n";
    return 2;
  } catch (const std::exception& error) {
    streams.err << "vornick-cli: "
                << (direction == window::RenameDirection::kUndo ? "undo" : "rename")
                << " stopped: " << error.what() << '\n';
    return 1;
  }
  for (const window::RenameFailure& failure : failures) {
    streams.err << "vornick-cli: cannot rename \"" << EscapeField(failure.folder + failure.name)
                << "\" to \"" << EscapeField(failure.target)
                << "\": " << window::Describe(failure.reason, failure.target) << '\n';
  }
  return failures.empty() ? 0 : 1;
}

// Adds the plan's rows to the list as they stand; 0, or 2 after one line naming the line. A plan
// to be undone is the record of what was renamed: its checked rows are taken as renamed.
int LoadPlan(window::ListOperations& operations, std::istream& in, const std::string& name,
             bool undo, Streams& streams) {
  std::string line, error;
  for (std::size_t number = 1; std::getline(in, line); ++number) {
    std::optional<PlanRow> row = ParsePlanLine(line, error);
    if (!row) {
      streams.err << "vornick-cli: " << name << ":" << number << ": malformed plan: " << error
                  << '\n';
      return 2;
    }
    const bool renamed = undo && row->checked;
    operations.AddRow(std::move(row->current), std::move(row->proposed), row->folder, row->checked,
                      renamed ? window::RowState::kRenamed : window::RowState::kNotRenamed);
  }
  if (in.bad()) {
    streams.err << "vornick-cli: " << name << ": cannot be read\n";
    return 2;
  }
  return 0;
}

}  // namespace

std::string AbsolutePath(const std::string& path) {
  std::string full = path;
  if (!path.starts_with(files::kSeparator)) {
    std::unique_ptr<char, decltype(&std::free)> cwd(::getcwd(nullptr, 0), &std::free);
    full = std::string(cwd ? cwd.get() : ".") + files::kSeparator + path;
  }
  std::string clean;
  std::size_t start = 0;
  while (start <= full.size()) {
    std::size_t end = full.find(files::kSeparator, start);
    if (end == std::string::npos) end = full.size();
    const std::string_view part(full.data() + start, end - start);
    if (!part.empty() && part != ".") (clean += files::kSeparator) += part;
    start = end + 1;
  }
  const bool trailing = full.ends_with(files::kSeparator) || full.ends_with("/.");
  if (clean.empty() || trailing) clean += files::kSeparator;
  return clean;
}

int RunPreviewWith(std::span<const std::string> args, Streams streams, PlanSeams seams) {
  const Arguments arguments = ParseArguments(kPreviewSyntax, args, streams);
  if (arguments.done) return *arguments.done;
  const std::vector<std::string>& paths = arguments.operands;
  window::ListOperations& operations = seams.operations;
  const bool portable = arguments.Has("portable");
  Refusals refusals;
  // Portable names are made once every row is in, and the rows' marks come after them.
  const int gathered = Gather(
      operations, paths, seams, streams,
      portable ? std::function<void()>{} : [&] { refusals.Catch(operations); });
  if (gathered == 2) return gathered;
  if (portable) {
    // Names for music that will be copied around: safe on every file system, not this one only.
    std::vector<std::size_t> rows(operations.List().Count());
    std::iota(rows.begin(), rows.end(), std::size_t{0});
    operations.MakeNamesSafe(rows, files::PortableRules());
  }
  WritePlan(streams.out, operations.List(), {});
  const bool refused = refusals.Report(operations, streams);
  return Finish(streams, std::max(gathered, refused ? 1 : 0));
}

int RunRenameWith(std::span<const std::string> args, Streams streams, PlanSeams seams) {
  const Arguments arguments = ParseArguments(kRenameSyntax, args, streams);
  if (arguments.done) return *arguments.done;
  const std::vector<std::string>& paths = arguments.operands;
  window::ListOperations& operations = seams.operations;
  const int gathered = Gather(operations, paths, seams, streams);
  if (gathered == 2) return gathered;
  std::vector<window::RenameFailure> failures;
  const int renamed =
      RenameChecked(operations, window::RenameDirection::kRename, failures, streams,
                    {.command = "vornick-cli rename", .keepHistory = !arguments.Has("no-history")});
  ReportSetAside(seams.history, streams);
  if (renamed == 2) return renamed;
  const int status = std::max(gathered, renamed);
  // Neither a row that failed nor one whose file an earlier row renamed was renamed.
  std::vector<std::size_t> notRenamed = operations.Checks().RowsListedAgain();
  for (const window::RenameFailure& failure : failures) notRenamed.push_back(failure.row);
  std::sort(notRenamed.begin(), notRenamed.end());
  WritePlan(streams.out, operations.List(), notRenamed);
  if (streams.out.flush()) return status;
  // The plan is the only record of what was renamed: without it, nothing may stay renamed.
  std::vector<window::RenameFailure> notBack;
  const bool allBack = RenameChecked(operations, window::RenameDirection::kUndo, notBack, streams,
                                     {.command = "vornick-cli rename",
                                      .keepHistory = !arguments.Has("no-history")}) == 0;
  streams.err << "vornick-cli: the output could not be written; "
              << (allBack ? "the renames were put back\n"
                          : "the renames above could not be put back\n");
  return kOutputNotWritten;
}

int RunApplyWith(std::span<const std::string> args, Streams streams, PlanSeams seams) {
  const Arguments arguments = ParseArguments(kApplySyntax, args, streams);
  if (arguments.done) return *arguments.done;
  const bool undo = arguments.Has("undo");
  const std::string& name = arguments.operands.front();
  window::ListOperations& operations = seams.operations;
  int status = 0;
  if (name == "-") {
    status = LoadPlan(operations, streams.in, "standard input", undo, streams);
  } else {
    std::ifstream file(name, std::ios::binary);
    if (!file) {
      streams.err << "vornick-cli: " << name << ": cannot be opened\n";
      return 2;
    }
    status = LoadPlan(operations, file, name, undo, streams);
  }
  if (status != 0) return status;
  std::vector<window::RenameFailure> failures;
  const int renamed = RenameChecked(
      operations, undo ? window::RenameDirection::kUndo : window::RenameDirection::kRename,
      failures, streams,
      {.command = undo ? "vornick-cli apply --undo" : "vornick-cli apply",
       .keepHistory = !arguments.Has("no-history")});
  ReportSetAside(seams.history, streams);
  return renamed;
}

void ReportSetAside(platform::HistoryStore* history, Streams& streams) {
  if (history == nullptr) return;
  if (const std::string setAside = history->TakeSetAside(); !setAside.empty()) {
    streams.err << "vornick-cli: the history " << history->Location()
                << " was damaged; it was kept as " << setAside << " and a new one was started\n";
  }
}

namespace {

// Where the history lives; none (every write refused) when neither XDG_STATE_HOME nor HOME says.
std::string HistoryFolder() {
  try {
    return platform::SqliteHistoryStore::DefaultFolder();
  } catch (const platform::HistoryError&) {
    return {};
  }
}

// What a command of the table works with. The command is the whole life of its process, which
// hands all its memory back at exit: the list is left to that rather than freed row by row, which
// for a hundred thousand rows costs a twentieth of a preview.
struct Tools {
  platform::PosixFileSystem fileSystem;
  platform::QtSettingsStore settings;
  platform::SqliteHistoryStore history{HistoryFolder()};
  window::ListOperations operations{fileSystem, settings, &history};
};

PlanSeams ToolsUntilExit() {
  // Kept reachable to the end, so that leak checkers see nothing lost.
  static auto* const kept = new std::vector<std::unique_ptr<Tools>>;
  Tools& tools = *kept->emplace_back(std::make_unique<Tools>());
  return {tools.fileSystem, tools.operations, &tools.history};
}

}  // namespace

int RunPreview(std::span<const std::string> args, Streams streams) {
  return RunPreviewWith(args, streams, ToolsUntilExit());
}

int RunApply(std::span<const std::string> args, Streams streams) {
  return RunApplyWith(args, streams, ToolsUntilExit());
}

int RunHistory(std::span<const std::string> args, Streams streams) {
  return RunHistoryWith(args, streams, *ToolsUntilExit().history);
}

int RunUndo(std::span<const std::string> args, Streams streams) {
  // Like rename, an undo goes on to its end when its reader goes away.
  std::signal(SIGPIPE, SIG_IGN);
  return RunUndoWith(args, streams, ToolsUntilExit());
}

int RunRename(std::span<const std::string> args, Streams streams) {
  // A reader that goes away must not end the command between renaming and writing the plan: the
  // write fails instead, and the renames are put back.
  std::signal(SIGPIPE, SIG_IGN);
  return RunRenameWith(args, streams, ToolsUntilExit());
}

}  // namespace vornick::cli
