// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace vornick::cli {
namespace {

TEST(CleanCommandTest, FramingAndExitCodes) {
  struct Case {
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string out;
    std::string errHas;  // "" when nothing may be written to stderr
  };
  const Case cases[] = {
      // A failure leaves an empty record and one line naming the name.
      {{},
       "u2_-_one (live at wembley).mp3\n-intro.mp3\n",
       1,
       "U2 - One (Live At Wembley).mp3\n\n",
       "\"-intro.mp3\""},
      {{"-z"}, std::string("a\nb.mp3\0c_d", 11), 0, std::string("A\nB.mp3\0C D\0", 12), ""},
      {{"a_b.mp3", "DJ x"}, "", 0, "A B.mp3\nDJ X\n", ""},
      {{"--", "-x", "y"}, "", 1, "\ny\n", "-x"},  // one character: not proper-cased
      {{"-q", "x"}, "", 2, "", "usage: vornick-cli clean"},
      {{}, "", 0, "", ""},
  };
  for (const Case& c : cases) {
    std::istringstream in(c.input);
    std::ostringstream out, err;
    EXPECT_EQ(RunClean(c.args, {in, out, err}), c.status) << c.input;
    EXPECT_EQ(out.str(), c.out) << c.input;
    if (c.errHas.empty()) {
      EXPECT_EQ(err.str(), "");
    } else {
      EXPECT_NE(err.str().find(c.errHas), std::string::npos) << err.str();
    }
  }
}

}  // namespace
}  // namespace vornick::cli
