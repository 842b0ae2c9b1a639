#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace vornick::cli {
namespace {

struct CleanRun {
  int status;
  std::string out, err;
};

CleanRun Clean(std::vector<std::string> args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out, err;
  const int status = RunClean(args, {in, out, err});
  return {status, out.str(), err.str()};
}

TEST(CleanCommandTest, ReadsLinesAndWritesAnEmptyRecordForAFailure) {
  const CleanRun run = Clean({}, "u2_-_one (live at wembley).mp3\n-intro.mp3\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "U2 - One (Live At Wembley).mp3\n\n");
  EXPECT_NE(run.err.find("-intro.mp3"), std::string::npos);
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1);
}

TEST(CleanCommandTest, NulFramingKeepsLineFeedsInNames) {
  const CleanRun run = Clean({"-z"}, std::string("a\nb.mp3\0c_d", 11));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, std::string("A\nB.mp3\0C D\0", 12));
}

TEST(CleanCommandTest, NamesAsArguments) {
  EXPECT_EQ(Clean({"a_b.mp3", "DJ x"}).out, "A B.mp3\nDJ X\n");
  const CleanRun dashed = Clean({"--", "-x", "y"});
  EXPECT_EQ(dashed.status, 1);
  EXPECT_EQ(dashed.out, "\ny\n");  // one character: not proper-cased
}

TEST(CleanCommandTest, UnknownOptionIsAUsageError) {
  const CleanRun run = Clean({"-q", "x"});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_NE(run.err.find("usage: vornick-cli clean"), std::string::npos);
}

TEST(CleanCommandTest, EmptyInputWritesNothing) {
  const CleanRun run = Clean({}, "");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "");
}

}  // namespace
}  // namespace vornick::cli
