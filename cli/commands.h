#pragma once

#include <iosfwd>
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
// 0 success, 1 some item failed, 2 usage or input error.
int RunClean(std::span<const std::string> args, Streams streams);
// The plan of proposed names for files and folders; a plan carried out (or undone); both at once.
int RunPreview(std::span<const std::string> args, Streams streams);
int RunApply(std::span<const std::string> args, Streams streams);
int RunRename(std::span<const std::string> args, Streams streams);
// Prints the selected file types from the user's settings, one per line.
int RunTypes(std::span<const std::string> args, Streams streams);

}  // namespace vornick::cli
