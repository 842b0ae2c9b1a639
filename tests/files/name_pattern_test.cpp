#include "files/name_pattern.h"

#include <gtest/gtest.h>

#include <string>

namespace vornick::files {
namespace {

struct PatternCase {
  std::string pattern;
  std::string name;
  bool matches;
};

const PatternCase kCases[] = {
    {"*.mp3", "Song.MP3", true},
    {"*.MP3", "song.mp3", true},
    {"*.mp3", "song.mp3.txt", false},
    {"*.mp3", ".mp3", true},
    {"*.*", "README", true},  // every file, with or without a dot
    {"", "a", false},
    {"?.mp3", "ab.mp3", false},
    {"a*b*c", "aXbYbc", true},
    {"a*b*c", "aXbYbd", false},
    {"*.all files", "x.ALL FILES", true},
    // Non-ASCII letters keep their case; '?' takes a whole character, also a lone byte.
    {"caf\xC3\xA9.mp3", "caf\xC3\x89.mp3", false},
    {"caf?.mp3", "caf\xC3\xA9.mp3", true},
    {"caf??.mp3", "caf\xC3\xA9.mp3", false},
    {"beyonc?.mp3", "Beyonc\xE9.mp3", true},
    {"*.mp3", "Beyonc\xE9.mp3", true},
    {"*\xA9*", "caf\xC3\xA9.mp3", false},  // never half of a character
    // Everything but '*' and '?' is literal, unlike fnmatch(3).
    {"a[1].mp3", "a[1].mp3", true},
    {"a[1].mp3", "a1.mp3", false},
    {"a\\*.mp3", "a\\x.mp3", true},
};

TEST(NamePatternTest, MatchesStarsQuestionMarksAndAsciiCase) {
  for (const PatternCase& c : kCases)
    EXPECT_EQ(MatchesPattern(c.pattern, c.name), c.matches) << c.pattern << " / " << c.name;
}

}  // namespace
}  // namespace vornick::files
