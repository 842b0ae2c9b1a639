#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "cleaning/name_cleaning.h"

namespace vornick::cleaning {
namespace {

struct Example {
  std::string input;
  std::string expected;
};

TEST(CleanFileNameTest, ProposesTheDocumentedNames) {
  const std::vector<Example> examples = {
      {"01-the_beatles-let_it_be.mp3", "01 - The Beatles - Let It Be.mp3"},
      {"u2_-_one (live at wembley).mp3", "U2 - One (Live At Wembley).mp3"},
      {"DJ Tiesto - Adagio for strings (REMIX).mp3", "DJ Tiesto - Adagio For Strings (Remix).mp3"},
      {"AC DC - Back In Black.MP3", "AC DC - Back In Black.MP3"},
      {"THE END.mp3", "THE END.mp3"},
      {"ABCD efg.mp3", "Abcd Efg.mp3"},
      {"the (EP) mix.mp3", "The (EP) Mix.mp3"},
      {"song.MP3", "Song.MP3"},
      {"song.Mp3", "Song.mp3"},
      {"aB.mp3", "Ab.mp3"},
      {"What's up? [radio edit].mp3", "What's Up Radio Edit.mp3"},
      {"x#y%z.mp3", "Xyz.mp3"},
      {"R.E.M. - losing my religion.mp3", "R.e.m. - Losing My Religion.mp3"},
      {"o'brien & co.mp3", "O'brien & Co.mp3"},
      {"track 3rd (((x.mp3", "Track 3rd (((X.mp3"},
      {"Artist - Song-Title.mp3", "Artist - Song - Title.mp3"},
      {"a--b.mp3", "A - - B.mp3"},
      {"x-.mp3", "X - .mp3"},
      {"hello  world.mp3", "Hello  World.mp3"},
      {"AB", "Ab"},
      {"a", "a"},
      {"", ""},
      {"_-intro.mp3", " - Intro.mp3"},
      {"tab\tsep", "Tab\tSep"},
      // Letters beyond ASCII are cased one to one.
      {"émile ÉTÉ.mp3", "Émile Été.mp3"},
      {"über_straße.mp3", "Über Straße.mp3"},
      {"ñandú-MÚSICA.mp3", "Ñandú - Música.mp3"},
      {"ΑΘΗΝΑ καλημέρα.mp3", "Αθηνα Καλημέρα.mp3"},
      {"москва-ночь.mp3", "Москва - Ночь.mp3"},
      // Positions count characters, so a capital word after multi-byte letters is still kept.
      {"ÉÉ DJ é.mp3", "Éé DJ É.mp3"},
      {"ÅB.mp3", "Åb.mp3"},      // Å is not one of the letters a kept word is made of
      {"ſXMP3 ıx", "ſXMP3 ıx"},  // letters whose other case is ASCII keep their form
      // Bytes outside valid UTF-8 are kept.
      {"caf\xE9 latin1.mp3", "Caf\xE9 Latin1.mp3"},
      {"\xE9t\xE9.mp3", "\xE9t\xE9.mp3"},    // the invalid bytes are not letters
      {"a\xC3(b.mp3", "A\xC3(B.mp3"},        // a sequence cut short
      {"x\xED\xA0\x80y", "X\xED\xA0\x80y"},  // an encoded surrogate
      {"DJ\xFF mix", "DJ\xFF Mix"},          // a non-letter follows the kept word
      {"\xC3\xA9\xE9 \xE9\xC3\xA9", "\xC3\x89\xE9 \xE9\xC3\xA9"},
  };
  for (const auto& [input, expected] : examples) {
    EXPECT_EQ(CleanFileName(input), expected) << "input: " << input;
  }
  // Names beginning with a dash fail.
  for (const std::string name : {"-intro.mp3", "!-intro.mp3", "-", "#?-x"}) {
    EXPECT_THROW(CleanFileName(name), NameCleaningError) << name;
  }
}

// Names a music library holds, mixed from pieces, so that cleaning twice can be compared with once.
std::vector<std::string> GeneratedNames(std::size_t count) {
  const std::vector<std::string> pieces = {
      "the",    "BEATLES", "dj",           "DJ",   "ac",    "MP3",    "(live", "remix)", "-",
      "_",      " ",       "  ",           "01",   "feat.", "o'neil", "&",     "é",      "ÜBER",
      "москва", "\xE9",    "[radio edit]", "?",    "#",     "a-b",    "X",     "(",      ")",
      "mix",    "Vol.2",   ".mp3",         ".MP3", "UK",    "usa",    "\t",    "ſ",      "\xC3",
      "ǅ",      "ς",       "AB(",          "(c",   "İ"};
  std::mt19937 random(42);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  std::uniform_int_distribution<int> length(1, 12);
  std::vector<std::string> names;
  while (names.size() < count) {
    std::string name;
    for (int n = length(random); n > 0; --n) name += pieces[pick(random)];
    names.push_back(name);
  }
  return names;
}

TEST(CleanFileNameTest, AgreesWithTheStepsRunInOrderAndCleaningTwiceChangesNothing) {
  for (const std::string& name : GeneratedNames(20000)) {
    std::string spaced;
    try {
      spaced = SpaceDashes(UnderscoresToSpaces(RemoveBadChars(name)));
    } catch (const NameCleaningError&) {
      EXPECT_THROW(CleanFileName(name), NameCleaningError) << "input: " << name;
      continue;
    }
    const std::string once = CleanFileName(name);
    ASSERT_EQ(once,
              RestoreCaps(CapitalizeAfterParen(ProperCaseName(spaced)), FindCapsPositions(spaced)))
        << "input: " << name;
    ASSERT_EQ(CleanFileName(once), once) << "input: " << name;
  }
}

// The step as first described: one pass per dash, each replacing every occurrence of the dash's
// window with a marked, spaced copy. The one-pass step must agree with it.
std::string SpaceDashesByWindows(std::string text) {
  long long passes = CountOccurrences(text, "-", true);
  for (long long pass = 1; pass <= passes; ++pass) {
    const std::size_t dash = text.find('-');
    if (dash == std::string::npos) continue;
    if (dash == 0) throw NameCleaningError("dash first");
    const std::string window = text.substr(dash - 1, 3);
    std::string left(1, window[0]);
    if (left != " ") left += ' ';
    std::string right = window.size() == 3 ? std::string(1, window[2]) : std::string();
    if (right != " ") right = ' ' + right;
    const std::string replacement = left + "?" + right;
    std::string replaced;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(window, from)) != std::string::npos;
         from = at + window.size()) {
      replaced += text.substr(from, at - from) + replacement;
    }
    text = replaced + text.substr(from);
  }
  for (char& c : text) c = c == '?' ? '-' : c;
  return text;
}

// A step that went back over the text per dash would not finish before the suite's time limit.
TEST(CleanFileNameTest, AMillionCharactersOfDashesAndLettersCleanInOnePass) {
  std::string name = "a";
  for (int i = 0; i < 250000; ++i) name += i % 3 == 0 ? "--" : "b-";
  const std::string result = CleanFileName(name);
  EXPECT_EQ(result.substr(0, 12), "A - - B - B ");
  EXPECT_EQ(CleanFileName(result), result);
}

TEST(SpaceDashesTest, SpacesEveryDash) {
  const std::vector<Example> examples = {
      {"artist-title", "artist - title"},
      {"artist -title", "artist - title"},
      {"artist- title", "artist - title"},
      {"a-b-c", "a - b - c"},
      {"ab-cab-c", "ab - cab - c"},
      {"a  -b", "a  - b"},
      {"abc", "abc"},
      {"", ""},
      {" -x", " - x"},
  };
  for (const auto& [input, expected] : examples) {
    EXPECT_EQ(SpaceDashes(input), expected) << "input: " << input;
  }
  EXPECT_THROW(SpaceDashes("-x"), NameCleaningError);
}

TEST(SpaceDashesTest, AgreesWithTheWindowPasses) {
  std::mt19937 random(7);
  const std::string alphabet = "ab -";
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> length(0, 10);
  for (int i = 0; i < 50000; ++i) {
    std::string text = "x";
    for (int n = length(random); n > 0; --n) text += alphabet[pick(random)];
    ASSERT_EQ(SpaceDashes(text), SpaceDashesByWindows(text)) << "input: " << text;
  }
}

TEST(CapsPositionsTest, FindsShortCapitalWordsFollowedByANonLetter) {
  const std::vector<Example> examples = {
      {"AC DC - Back In Black.MP3", "1,2,4,5,23,24,"},
      {"THE END.mp3", "1,2,3,5,6,7,"},
      {"the (EP) mix.mp3", "6,7,"},
      {"DJ Tiesto - Adagio for strings (REMIX).mp3", "1,2,"},
      {"ABCD efg.mp3", ""},
      {"aB.mp3", ""},
      {"AB", ""},
      {"AB - CD.mp3", "1,2,6,7,"},
      {"", ""},
      {"USA UK.x", "5,6,1,2,3,"},  // two-letter words first, then three-letter ones
      {"é AB.x", "3,4,"},          // positions count characters, not bytes
  };
  for (const auto& [input, expected] : examples) {
    EXPECT_EQ(FindCapsPositions(input), expected) << "input: " << input;
  }
}

TEST(CapsPositionsTest, RestoreCapsUpperCasesTheListedCharacters) {
  EXPECT_EQ(RestoreCaps("éa b", "1,2,9,"), "ÉA b");
  EXPECT_THROW(RestoreCaps("ab", "x,"), std::invalid_argument);
}

TEST(CountOccurrencesTest, EdgeValues) {
  struct Case {
    std::string text, find;
    bool caseSensitive;
    long long expected;
  };
  const std::vector<Case> cases = {
      {"a-b-c", "-", true, 2}, {"abc", "-", true, 0},   {"", "-", true, -1},
      {"abc", "", true, 0},    {"", "", true, -1},      {"aaaa", "aa", true, 2},
      {"aaa", "aa", true, 1},  {"abAB", "ab", true, 1}, {"abAB", "ab", false, 2},
      {"éÉ", "é", false, 2},   {"---", "-", true, 3},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CountOccurrences(c.text, c.find, c.caseSensitive), c.expected)
        << c.text << " / " << c.find;
  }
}

}  // namespace
}  // namespace vornick::cleaning
