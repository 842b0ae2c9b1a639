// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace vornick::cli {

// The standard streams of one run of a command, so that tests can run commands in-process.
struct Streams {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
};

// Each command takes the arguments after its name and returns the exit status:
// 0 success, 1 some item failed, 2 usage or input error, 3 output not written.
inline constexpr int kOutputNotWritten = 3;

// Flushes the output: `status` when all of it got through, else kOutputNotWritten after one line on
// the error stream (errno is not to be trusted after a stream fails, so no cause is given).
inline int Finish(const Streams& streams, int status) {
  if (streams.out.flush()) return status;
  streams.err << "vornick-cli: the output could not be written\n";
  return kOutputNotWritten;
}

int RunClean(std::span<const std::string> args, Streams streams);
// The plan of proposed names for files and folders; a plan carried out (or undone); both at once.
int RunPreview(std::span<const std::string> args, Streams streams);
int RunApply(std::span<const std::string> args, Streams streams);
int RunRename(std::span<const std::string> args, Streams streams);
// Prints the selected file types from the user's settings, one per line.
int RunTypes(std::span<const std::string> args, Streams streams);
// The batches of renames in the history; taking one back.
int RunHistory(std::span<const std::string> args, Streams streams);
int RunUndo(std::span<const std::string> args, Streams streams);

}  // namespace vornick::cli
