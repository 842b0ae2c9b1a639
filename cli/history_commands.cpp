// SPDX-License-Identifier: GPL-3.0-or-later
// history and undo: the batches of renames kept on disk, and taking one back.
#include <ctime>
#include <exception>
#include <ostream>
#include <stdexcept>

#include "cli/command_line.h"
#include "cli/plan_commands.h"
#include "cli/plan_format.h"
#include "window/take_back.h"

namespace vornick::cli {
namespace {

std::string LocalTime(std::int64_t seconds) {
  const auto time = static_cast<std::time_t>(seconds);
  std::tm local{};
  char text[32] = "?";
  if (::localtime_r(&time, &local) != nullptr) {
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  }
  return text;
}

// A batch id as the user wrote it: digits only, above zero.
std::optional<std::int64_t> ParseId(const std::string& text) {
  if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  const std::int64_t id = std::stoll(text);
  if (id <= 0) return std::nullopt;
  return id;
}

void ReportHistoryError(const std::exception& error, Streams& streams) {
  streams.err << "vornick-cli: " << error.what() << '\n';
}

}  // namespace

int RunHistoryWith(std::span<const std::string> args, Streams streams,
                   platform::HistoryStore& history) {
  const Arguments arguments = ParseArguments(kHistorySyntax, args, streams);
  if (arguments.done) return *arguments.done;
  std::vector<platform::BatchSummary> batches;
  try {
    batches = history.Batches();
  } catch (const platform::HistoryError& error) {
    ReportSetAside(&history, streams);
    ReportHistoryError(error, streams);
    return 2;
  }
  ReportSetAside(&history, streams);
  for (const platform::BatchSummary& batch : batches) {
    streams.out << batch.id << '\t' << LocalTime(batch.started) << '\t'
                << window::BatchStateWords(batch) << '\t' << batch.files
                << (batch.files == 1 ? " file\t" : " files\t") << EscapeField(batch.folder) << '\t'
                << EscapeField(batch.command) << '\n';
  }
  return Finish(streams, 0);
}

int RunUndoWith(std::span<const std::string> args, Streams streams, PlanSeams seams) {
  const Arguments arguments = ParseArguments(kUndoSyntax, args, streams);
  if (arguments.done) return *arguments.done;
  std::optional<std::int64_t> id;
  if (!arguments.operands.empty()) {
    id = ParseId(arguments.operands.front());
    if (!id) {
      return UsageError(kUndoSyntax, "'" + arguments.operands.front() + "' is not a batch id",
                        streams);
    }
  }
  window::TakeBackResult result;
  try {
    platform::HistoryStore& history = *seams.history;
    const std::vector<platform::BatchSummary> batches = history.Batches();
    ReportSetAside(&history, streams);
    std::optional<platform::BatchSummary> batch;
    if (id) {
      for (const platform::BatchSummary& each : batches) {
        if (each.id == *id) batch = each;
      }
      if (!batch) {
        streams.err << "vornick-cli: there is no batch " << *id << " in the history\n";
        return 2;
      }
    } else {
      batch = window::NewestToTakeBack(batches);
      if (!batch) {
        streams.err << "vornick-cli: no batch in the history has files still renamed\n";
        return Finish(streams, 0);
      }
    }
    if (batch->running) {
      streams.err << "vornick-cli: batch " << batch->id
                  << " is still being written by a program that runs; nothing was renamed\n";
      return 2;
    }
    result = seams.operations.TakeBack(batch->id);
    streams.out << "batch " << batch->id << ": " << result.takenBack << " renamed back, "
                << result.alreadyBack << " back already, " << result.failures.size()
                << " not taken back\n";
  } catch (const platform::HistoryError& error) {
    ReportSetAside(seams.history, streams);
    ReportHistoryError(error, streams);
    return 2;
  }
  for (const window::RenameFailure& failure : result.failures) {
    streams.err << "vornick-cli: cannot take back \"" << EscapeField(failure.folder + failure.name)
                << "\" to \"" << EscapeField(failure.target)
                << "\": " << window::Describe(failure.reason, failure.target) << '\n';
  }
  return Finish(streams, result.failures.empty() ? 0 : 1);
}

}  // namespace vornick::cli
