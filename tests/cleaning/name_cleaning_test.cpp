// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "cleaning/name_cleaning.h"

// Counts the allocations of this test program, for the buffer that is to be reused without any.
namespace {
std::atomic<long> allocations{0};
}  // namespace
void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
// Not inlined: GCC would take the free() for the mate of a new expression.
[[gnu::noinline]] void operator delete(void* p) noexcept {
  std::free(p);
}
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace vornick::cleaning {
namespace {

struct Example {
  std::string input;
  std::string expected;
};

void ExpectCleaned(const std::vector<Example>& examples) {
  std::string buffer;
  for (const auto& [input, expected] : examples) {
    EXPECT_EQ(CleanFileName(input), expected) << "input: " << input;
    CleanFileName(input, buffer);
    EXPECT_EQ(buffer, expected) << "input: " << input;
  }
}

TEST(CleanFileNameTest, ProposesTheDocumentedNames) {
  ExpectCleaned({
      {"01-the_beatles-let_it_be.mp3", "01 - The Beatles - Let It Be.mp3"},
      {"u2_-_one (live at wembley).mp3", "U2 - One (Live At Wembley).mp3"},
      {"DJ Tiesto - Adagio for strings (REMIX).mp3", "DJ Tiesto - Adagio For Strings (Remix).mp3"},
      {"AC DC - Back In Black.MP3", "AC DC - Back In Black.MP3"},
      {"THE END.mp3", "THE END.mp3"},
      {"ABCD efg.mp3", "Abcd Efg.mp3"},
      {"the (EP) mix.mp3", "The (EP) Mix.mp3"},
      {"song.Mp3", "Song.mp3"},
      {"aB.mp3", "Ab.mp3"},
      {"What's up? [radio edit] #1%.mp3", "What's Up Radio Edit 1.mp3"},
      {"R.E.M. - losing my religion.mp3", "R.e.m. - Losing My Religion.mp3"},
      {"track 3rd (((x.mp3", "Track 3rd (((X.mp3"},
      {"Artist - Song-Title.mp3", "Artist - Song - Title.mp3"},
      {"a--b.mp3", "A - - B.mp3"},
      {"a  -b- c.mp3", "A  - B - C.mp3"},  // a space already there is not doubled
      {"x-.mp3", "X - .mp3"},
      {"AB", "Ab"},
      {"a", "a"},
      {"", ""},
      {"_-intro.mp3", " - Intro.mp3"},
      {"tab\tsep", "Tab\tSep"},
      // Letters beyond ASCII are cased one to one.
      {"émile ÉTÉ.mp3", "Émile Été.mp3"},
      {"über_straße.mp3", "Über Straße.mp3"},
      {"ΑΘΗΝΑ καλημέρα.mp3", "Αθηνα Καλημέρα.mp3"},
      {"москва-ночь.mp3", "Москва - Ночь.mp3"},
      // Positions count characters, so a capital word after multi-byte letters is still kept.
      {"ÉÉ DJ é.mp3", "Éé DJ É.mp3"},
      {"ÅB.mp3", "Åb.mp3"},  // Å is not one of the letters a kept word is made of
      // An accented Latin capital is part of the word it stands in; other scripts still break it.
      {"MÖTLEY CRÜE - kickstart.mp3", "Mötley Crüe - Kickstart.mp3"},
      {"NIÑO.mp3", "Niño.mp3"},
      {"ÉTÉ AC.mp3", "Été AC.mp3"},
      {"DJ Tiësto.mp3", "DJ Tiësto.mp3"},
      {"ØMD SIGUR RÓS.mp3", "Ømd Sigur Rós.mp3"},
      {"東京AC.mp3", "東京AC.mp3"},
      {"ΑΘDJ.mp3", "ΑθDJ.mp3"},
      {"ſXMP3 ıx", "ſxmp3 ıx"},  // letters whose other case is ASCII keep their form
      {"𐐨𐐨 😀.mp3", "𐐀𐐨 😀.mp3"},  // beyond 16 bits too
  });
  // Names beginning with a dash fail.
  std::string buffer;
  for (const std::string name : {"-intro.mp3", "!-intro.mp3", "-", "#?-x"}) {
    EXPECT_THROW(CleanFileName(name), NameCleaningError) << name;
    EXPECT_THROW(CleanFileName(name, buffer), NameCleaningError) << name;
  }
}

// Such bytes are not letters, and no other spelling of a character is taken for it.
TEST(CleanFileNameTest, KeepsBytesOutsideValidUtf8AsTheyAre) {
  ExpectCleaned({
      {"caf\xE9 latin1.mp3", "Caf\xE9 Latin1.mp3"},
      {"\xE9t\xE9.mp3", "\xE9t\xE9.mp3"},
      {"a\xC3(b.mp3", "A\xC3(B.mp3"},        // a sequence cut short
      {"x\xED\xA0\x80y", "X\xED\xA0\x80y"},  // an encoded surrogate
      {"DJ\xFF mix", "DJ\xFF Mix"},          // a non-letter follows the kept word
      {"\xC3\xA9\xE9 \xE9\xC3\xA9", "\xC3\x89\xE9 \xE9\xC3\xA9"},
      // Overlong forms of "a" in two, three and four bytes.
      {"\xC1\xA1 x.mp3", "\xC1\xA1 X.mp3"},
      {"\xE0\x81\xA1 x.mp3", "\xE0\x81\xA1 X.mp3"},
      {"\xF0\x80\x81\xA1 x.mp3", "\xF0\x80\x81\xA1 X.mp3"},
  });
}

// Names a music library holds, mixed from pieces, so that cleaning twice can be compared with once.
// Among them bytes that removing a character between them joins into one (\xC3 ? \xA9).
std::vector<std::string> GeneratedNames(std::size_t count) {
  const std::vector<std::string> pieces = {
      "the",    "BEATLES", "dj",      "DJ",   "ac",     "MP3",  "(live",
      "remix)", "-",       "_",       " ",    "  ",     "01",   "feat.",
      "o'neil", "&",       "é",       "ÜBER", "москва", "\xE9", "[radio edit]",
      "?",      "#",       "a-b",     "X",    "(",      ")",    "mix",
      "Vol.2",  ".mp3",    ".MP3",    "UK",   "usa",    "\t",   "ſ",
      "\xC3",   "ǅ",       "ς",       "AB(",  "(c",     "İ",    "Ñ",
      "東京",   "\xA9",    "\x82\xAC"};
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

// The steps run one after another; nullopt when they throw.
std::optional<std::string> CleanedStepByStep(const std::string& name) {
  std::string spaced;
  try {
    spaced = SpaceDashes(UnderscoresToSpaces(RemoveBadChars(name)));
  } catch (const NameCleaningError&) {
    return std::nullopt;
  }
  return RestoreCaps(CapitalizeAfterParen(ProperCaseName(spaced)), FindCapsPositions(spaced));
}

// Both forms of CleanFileName give what the steps give, and cleaning twice changes nothing. The
// buffer goes from name to name as a list reuses it, after a throw too.
::testing::AssertionResult AgreesWithTheSteps(const std::string& name, std::string& buffer) {
  const std::optional<std::string> expected = CleanedStepByStep(name);
  std::optional<std::string> returned, intoBuffer;
  try {
    returned = CleanFileName(name);
  } catch (const NameCleaningError&) {
  }
  try {
    CleanFileName(name, buffer);
    intoBuffer = buffer;
  } catch (const NameCleaningError&) {
  }
  const auto show = [](const std::optional<std::string>& s) {
    return s ? ::testing::PrintToString(*s) : "a throw";
  };
  if (returned != expected || intoBuffer != expected) {
    return ::testing::AssertionFailure()
           << "input " << ::testing::PrintToString(name) << ": the steps give " << show(expected)
           << ", CleanFileName " << show(returned) << ", into a buffer " << show(intoBuffer);
  }
  if (expected && CleanFileName(*expected) != *expected) {
    return ::testing::AssertionFailure()
           << "cleaning " << ::testing::PrintToString(*expected) << " again changes it";
  }
  return ::testing::AssertionSuccess();
}

TEST(CleanFileNameTest, AgreesWithTheStepsRunInOrderAndCleaningTwiceChangesNothing) {
  std::string buffer;
  for (const std::string& name : GeneratedNames(20000)) {
    ASSERT_TRUE(AgreesWithTheSteps(name, buffer));
  }
}

// Where the cleaning leaves its ASCII path or its room on the stack (names of up to 341 bytes).
TEST(CleanFileNameTest, AgreesWithTheStepsAtTheEdgesOfItsFastPath) {
  std::vector<std::string> names = {
      // A character joined by the removal of what stands between its bytes.
      "x\xC3#\xA9 y", "AB\xC3?\xA9 cd", "\xC3###\xA9", "\xC3####\xA9", "\xE2\x82#\xAC",
      "\xE2#\x82\xAC", "\xE2#\x82#\xAC x", "\xF0\x9F#\x98\x80", "\xF0#\x9F\x98\x80",
      "DJ\xC3#\x89 x", "\xC3#\x89#AB x", "\xC3#-\xA9", "\xC3#_\xA9", "-\xC3#\xA9", "#-\xC3#\xA9",
      "\xC3#", "\xE2\xB1#\xA5 x", "\xF0\x90\x90#\xA8 x", "x \xF0\x90#\x90\xA8",
      // Letters whose capital after '(' is not their capital elsewhere (U+03F4).
      "(\xCF\xB4", "x (\xCF\xB4)"};
  // One character beyond ASCII, or a byte outside any: alone, and at either end of ASCII names,
  // beside words of capitals.
  for (const std::string beyond : {"\xC3\xA9", "\xC3\x89", "\xCE\x98", "\xC9\x90", "\xE2\xB1\xA5",
                                   "\xF0\x90\x90\xA8", "\xE9", "\xFF", "\x80"}) {
    for (const std::string ascii : {"", "a", "dj AB x", "AB", "AB ", "ABC", "ABCD", "(", " "}) {
      names.push_back(beyond + ascii);
      names.push_back(ascii + beyond);
    }
  }
  // Around the room on the stack, and long enough to outgrow it.
  for (const std::size_t length : {336, 338, 340, 341, 342, 343, 344, 346, 600, 1000}) {
    std::string dashes, accents, words, keptLast;
    while (dashes.size() < length) dashes += "a-";
    while (accents.size() < length) accents += "\xC9\x90 ";  // U+0250: three bytes as a capital
    while (words.size() + 3 < length) words += "ab DJ cd ";
    while (keptLast.size() + 5 < length) keptLast += "x";
    names.push_back(dashes.substr(0, length));
    names.push_back(accents.substr(0, length));
    names.push_back(words.substr(0, length - 3) + "AB ");
    names.push_back(keptLast + " AB x");
  }
  std::string buffer;
  for (const std::string& name : names) EXPECT_TRUE(AgreesWithTheSteps(name, buffer));
}

// A list cleans a million names into one buffer: once it has room, no name needs more.
TEST(CleanFileNameTest, CleansIntoAReusedBufferWithoutAllocating) {
  const std::vector<std::string> names = {
      "01-the_beatles-let_it_be.mp3", "DJ Tiësto - adagio (REMIX).flac",
      "Ночные Снайперы - Катя.mp3", "beyonc\xE9_-_what's up?.ogg", std::string(255, 'a')};
  std::string buffer;
  buffer.reserve(1000);
  const long before = allocations;
  for (const std::string& name : names) CleanFileName(name, buffer);
  EXPECT_EQ(allocations - before, 0);
  EXPECT_EQ(buffer, "A" + std::string(254, 'a'));
}

// A million characters, most of them dashes, with a capital word kept at the very end: nothing is
// counted in 16 bits.
TEST(CleanFileNameTest, CleansAMillionCharacterName) {
  std::string name = "a";
  for (int i = 0; i < 250000; ++i) name += i % 3 == 0 ? "--" : "b-";
  const std::string result = CleanFileName(name + "x DJ y");
  EXPECT_EQ(result.substr(0, 12), "A - - B - B ");
  EXPECT_EQ(result.substr(result.size() - 10), "- - X DJ Y");
  EXPECT_EQ(CleanFileName(result), result);
}

}  // namespace
}  // namespace vornick::cleaning
