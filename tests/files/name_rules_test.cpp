// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/name_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "cleaning/text_chars.h"

namespace vornick::files {
namespace {

using platform::NameRules;
using platform::RulesFor;
using Kind = Breach::Kind;
using System = NameRules::System;

std::string Repeat(std::string_view s, std::size_t n) {
  std::string out;
  for (std::size_t i = 0; i < n; ++i) out.append(s);
  return out;
}

const std::string kEmoji = "\xF0\x9F\x98\x80";  // two UTF-16 units, four bytes
const std::string kE = "\xC3\xA9";              // é: one unit, two bytes
const NameRules kPosix = RulesFor(System::kPosix);
const NameRules kFat = RulesFor(System::kFat);
const NameRules kNtfs = RulesFor(System::kNtfs, true);

TEST(NameRulesTest, LengthInBytesAndUtf16Units) {
  const std::tuple<std::string, std::size_t, std::size_t> cases[] = {
      {"caf" + kE, 5, 4},
      {kEmoji + "a", 5, 3},
      {"a\xFFz", 3, 3},         // a byte that is not UTF-8 counts one
      {"\xE2\x82", 2, 2},       // so does each of a sequence cut short
      {"\xED\xA0\x80", 3, 3}};  // an encoded surrogate is not UTF-8
  for (const auto& [name, bytes, units] : cases) {
    EXPECT_EQ(NameLength(name, NameRules::Unit::kBytes), bytes) << name;
    EXPECT_EQ(NameLength(name, NameRules::Unit::kUtf16), units) << name;
  }
}

TEST(NameRulesTest, FirstBreach) {
  const std::tuple<std::string, NameRules, Breach> cases[] = {
      {"a:b?\xFF.", kPosix, {}},
      {"con", RulesFor(System::kNtfs, false), {}},
      // The first rule broken is the one told.
      {"con?\xFF.", kFat, {Kind::kNotUtf8}},
      {"con .\x01?", kFat, {Kind::kCharacter, 1}},
      {"nul.", kNtfs, {Kind::kReserved}},
      {"a\x1Fz", kFat, {Kind::kCharacter, 0x1F}},
      {"a\x7Fz", kFat, {}},
      {"AC\\DC", kFat, {Kind::kCharacter, '\\'}},
      {"\xEF\xBC\x9A", kFat, {}},  // a full-width colon is a letter like any other
      // Device names: the part before the first dot, spaces before the dot ignored, any case.
      {"con.tar.gz", kFat, {Kind::kReserved}},
      {"con .mp3", kFat, {Kind::kReserved}},
      {"Com\xC2\xB9.mp3", kFat, {Kind::kReserved}},
      {"lpt\xC2\xB2", kFat, {Kind::kReserved}},
      {"LPT\xC2\xB3.x", kFat, {Kind::kReserved}},
      {"Com9", kFat, {Kind::kReserved}},
      {"aUx", kFat, {Kind::kReserved}},
      {"CONSOLE.mp3", kFat, {}},
      {"COM0.mp3", kFat, {}},
      {"COM10", kFat, {}},
      {"COM\xE2\x81\xB4", kFat, {}},  // superscript four
      {"song.con.mp3", kFat, {}},
      {"song.aux", kFat, {}},
      {" con.mp3", kFat, {}},
      {"a ", kFat, {Kind::kTrailingDotSpace}},
      {"..", kFat, {Kind::kTrailingDotSpace}},
      // Lengths at the limit and one past it.
      {Repeat("a", 255), kPosix, {}},
      {Repeat("a", 256), kPosix, {Kind::kTooLong}},
      {Repeat(kE, 127) + "a", kFat, {}},
      {Repeat(kE, 128), kFat, {Kind::kTooLong}},
      {Repeat(kE, 255), kNtfs, {}},
      {Repeat(kE, 256), kNtfs, {Kind::kTooLong}},
      {Repeat(kEmoji, 127) + "a", kNtfs, {}},
      {Repeat(kEmoji, 128), kNtfs, {Kind::kTooLong}},
      {Repeat(kEmoji, 64), PortableRules(), {Kind::kTooLong}}};
  for (const auto& [name, rules, expected] : cases) {
    EXPECT_EQ(FirstBreach(name, rules), expected) << name;
  }
}

// Every system's rules, NTFS with and without Windows' names, and the portable ones.
std::vector<NameRules> AllRules() {
  std::vector<NameRules> all;
  for (const System system : {System::kPosix, System::kFat, System::kExfat, System::kNtfs,
                              System::kSmb, System::kUnknown}) {
    all.push_back(RulesFor(system, false));
    all.push_back(RulesFor(system, true));
  }
  all.push_back(PortableRules());
  return all;
}

TEST(NameRulesTest, PortableNamesPassEverywhere) {
  EXPECT_EQ(SystemName(PortableRules().system), "");
  for (const std::string& name : {Repeat("a", 255), Repeat(kE, 127) + "a",
                                  Repeat(kEmoji, 63) + "abc", Repeat("\xE2\x82\xAC", 85)}) {
    ASSERT_FALSE(FirstBreach(name, PortableRules())) << name;
    for (const NameRules& rules : AllRules()) EXPECT_FALSE(FirstBreach(name, rules)) << name;
  }
}

TEST(NameRulesTest, FoldKey) {
  using Fold = NameRules::CaseFold;
  const std::tuple<std::string, Fold, std::string> cases[] = {
      {"AbC.MP3", Fold::kNone, "AbC.MP3"},
      {"\xC3\x80Z\xFF", Fold::kAscii, "\xC3\x80z\xFF"},                          // À stays
      {"\xC3\x80Z", Fold::kUnicode, "\xC3\xA0z"},                                // À to à
      {"\xCE\xA3\xCE\x91\xCF\x82", Fold::kUnicode, "\xCF\x83\xCE\xB1\xCF\x83"},  // ΣΑς to σασ
      {"\xC3\x9F", Fold::kUnicode, "\xC3\x9F"},                  // ß stays one letter
      {"\xE2\x84\xAA", Fold::kUnicode, "k"},                     // the Kelvin sign
      {"\xF0\x90\x90\x80", Fold::kUnicode, "\xF0\x90\x90\xA8"},  // beyond U+FFFF
      {"Q\xFFZ\xC3", Fold::kUnicode, "q\xFFz\xC3"}};             // bytes kept
  for (const auto& [name, fold, key] : cases) EXPECT_EQ(FoldKey(name, fold), key) << name;
}

// Comparing without keys answers as comparing the keys: for pairs that part at a letter, at a
// length, at a character that folds into ASCII, and at bytes that are no character, and on random
// pairs of such pieces.
TEST(NameRulesTest, SameFoldKeyIsTheKeysCompared) {
  using Fold = NameRules::CaseFold;
  const std::tuple<std::string, std::string, Fold, bool> cases[] = {
      {"AbC.mp3", "abc.MP3", Fold::kAscii, true},
      {"ab", "abc", Fold::kAscii, false},
      {"\xC3\x80", "\xC3\xA0", Fold::kAscii, false},  // À, à: ASCII folding leaves them
      {"\xC3\x80"
       "b",
       "\xC3\xA0"
       "B",
       Fold::kUnicode, true},
      {"AbC", "abc", Fold::kNone, false},
      {"ab", "abc", Fold::kUnicode, false},
      {"\xC3\xA0", "\xC3\xA0x", Fold::kUnicode, false},
      {"\xE2\x84\xAA.mp3", "K.MP3", Fold::kUnicode, true},             // the Kelvin sign
      {"\xC3\x9F", "ss", Fold::kUnicode, false},                       // ß stays one letter
      {"\xCE\xA3\xCF\x82", "\xCF\x83\xCE\xA3", Fold::kUnicode, true},  // Σς, σΣ
      {"a\xFF"
       "B",
       "A\xFF"
       "b",
       Fold::kUnicode, true},
      {"a\xFF", "A\xFE", Fold::kUnicode, false},
      {"\xC3"
       "\xA0",
       "\xC3\xA0", Fold::kUnicode, true},
      {"\xE2\x84"
       "A",
       "\xE2\x84"
       "a",
       Fold::kUnicode, true},  // a cut character, then a letter
  };
  for (const auto& [a, b, fold, same] : cases) {
    EXPECT_EQ(SameFoldKey(a, b, fold), same) << a << " " << b;
    EXPECT_EQ(SameFoldKey(b, a, fold), same) << b << " " << a;
    EXPECT_EQ(FoldKey(a, fold) == FoldKey(b, fold), same) << a << " " << b;
  }
  std::uint32_t seed = 777;
  const auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return seed >> 16;
  };
  const std::string pieces[] = {"A",    "a",    "\xE2\x84\xAA", "k",    "\xC3\x80", "\xC3\xA0",
                                "\xC3", "\xA0", "\xE2\x84",     "\xAA", "\xFF",     "S"};
  for (int round = 0; round < 50000; ++round) {
    std::string a, b;
    for (std::uint32_t n = next() % 5; n-- > 0;) a += pieces[next() % std::size(pieces)];
    for (std::uint32_t n = next() % 5; n-- > 0;) b += pieces[next() % std::size(pieces)];
    ASSERT_EQ(SameFoldKey(a, b, Fold::kUnicode),
              FoldKey(a, Fold::kUnicode) == FoldKey(b, Fold::kUnicode))
        << a << " " << b;
  }
}

// The ASCII part of the fold, worked out without ICU, is the ASCII bytes of the fold itself: on
// random bytes (invalid sequences too), and for every character, of which only two fold into
// ASCII from beyond it.
TEST(NameRulesTest, FoldedAsciiPartIsTheAsciiOfTheUnicodeFold) {
  const auto asciiOf = [](const std::string& key) {
    std::string ascii;
    for (const char c : key) {
      if (static_cast<unsigned char>(c) < 0x80) ascii.push_back(c);
    }
    return ascii;
  };
  std::string part;
  for (char32_t c = 1; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    std::string name;
    cleaning::AppendChar(name, c);
    FoldedAsciiPart("A" + name + "z", part);
    ASSERT_EQ(part, asciiOf(FoldKey("A" + name + "z", NameRules::CaseFold::kUnicode)))
        << std::hex << static_cast<std::uint32_t>(c);
  }
  std::uint32_t seed = 12345;
  const auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return seed >> 16;
  };
  const std::string pieces[] = {"A",       "k",    "\xE2\x84\xAA", "\xC5\xBF", "\xC3\x80",
                                "\xC3",    "\xFF", "\xE2\x84",     "S",        "\xF0\x90\x90\x80",
                                "\x84\xAA"};
  for (int round = 0; round < 20000; ++round) {
    std::string name;
    for (std::uint32_t n = next() % 8; n-- > 0;) name += pieces[next() % std::size(pieces)];
    FoldedAsciiPart(name, part);
    ASSERT_EQ(part, asciiOf(FoldKey(name, NameRules::CaseFold::kUnicode))) << name;
  }
}

TEST(MakeSafeTest, RewritesAsAPersonWould) {
  const std::tuple<std::string, NameRules, std::string> cases[] = {
      {"Live: Tokyo.mp3", kFat, "Live - Tokyo.mp3"},
      {"a : b", kFat, "a - b"},
      {"10:30", kFat, "10 -30"},
      {"a ? b.mp3", kFat, "a b.mp3"},
      {"? a<>*|.mp3", kFat, "a.mp3"},
      {"AC\\DC \"Live\"", kFat, "AC-DC 'Live'"},
      {"tab\there\n.mp3", kFat, "tabhere.mp3"},
      {"Vol. 2 . .", kFat, "Vol. 2"},
      {"CON.mp3", kFat, "CON_.mp3"},
      {"nul. ", kFat, "nul_"},
      {"con .mp3", kFat, "con_ .mp3"},
      {"Com\xC2\xB9.mp3", kFat, "Com\xC2\xB9_.mp3"},
      {"co?n.mp3", kFat, "con_.mp3"},
      {"?.mp3", kFat, "_.mp3"},  // not a hidden file
      {"???", kFat, "_"},
      {"caf\xE9\xFF.mp3", kFat, "caf\xEF\xBF\xBD\xEF\xBF\xBD.mp3"},
      // Only what the rules ask for is changed.
      {"a:b?\xFF.", kPosix, "a:b?\xFF."},
      {"..", kPosix, "_"},
      {"CON?.mp3", RulesFor(System::kNtfs, false), "CON?.mp3"}};
  for (const auto& [name, rules, safe] : cases) EXPECT_EQ(MakeSafe(name, rules), safe) << name;
}

TEST(MakeSafeTest, ShortensBeforeTheExtension) {
  const std::tuple<std::string, NameRules, std::string> cases[] = {
      {Repeat("a", 251) + ".mp3", kFat, Repeat("a", 251) + ".mp3"},
      {Repeat("a", 252) + ".mp3", kFat, Repeat("a", 251) + ".mp3"},
      // Never inside a character.
      {"a" + Repeat(kE, 200) + ".mp3", kFat, "a" + Repeat(kE, 125) + ".mp3"},
      {Repeat(kE, 300) + ".mp3", kNtfs, Repeat(kE, 251) + ".mp3"},
      {"a" + Repeat(kEmoji, 200) + ".mp3", kNtfs, "a" + Repeat(kEmoji, 125) + ".mp3"},
      // Nor with a space or a dot at the end of what is left.
      {Repeat("a", 250) + " bbbb.mp3", kFat, Repeat("a", 250) + ".mp3"},
      {Repeat("a", 254) + " bbbb", kFat, Repeat("a", 254)},
      // A tail too long for an extension is cut like the rest.
      {Repeat("a", 254) + "." + Repeat("b", 20), kFat, Repeat("a", 254)},
      {"CON." + Repeat("a", 300), kFat, "CON_." + Repeat("a", 250)}};
  for (const auto& [name, rules, safe] : cases) EXPECT_EQ(MakeSafe(name, rules), safe) << name;
}

// Whatever the name and the rules, what comes out is taken by them, and taken as it is.
TEST(MakeSafeTest, AnyNameComesOutTakenAndStable) {
  const std::vector<std::string> names = {"",
                                          ".",
                                          "..",
                                          "...",
                                          " ",
                                          ". .",
                                          "?",
                                          ":",
                                          "CON",
                                          "CoM\xC2\xB3 . .",
                                          "aux:.mp3",
                                          "AUXILIARY.mp3",
                                          "NUL    x.mp3",
                                          ".mp3",
                                          std::string("\0", 1),
                                          "\xFF\xFE",
                                          "\xC3",
                                          "a\xED\xA0\x80",
                                          "\xF4\x90\x80\x80",
                                          Repeat("a", 300),
                                          Repeat(".", 300),
                                          Repeat(" ", 300),
                                          Repeat("?", 300) + ".mp3",
                                          Repeat(kEmoji, 200),
                                          Repeat(kE, 300) + ".",
                                          Repeat("\xFF", 300) + ".mp3",
                                          Repeat("a", 250) + "." + Repeat(kEmoji, 10),
                                          Repeat("a ", 200) + ". mp3",
                                          "a." + Repeat(kEmoji, 3)};
  std::vector<NameRules> ruleSets = AllRules();
  // Limits far below any real one reach the corners: nothing left of the stem, an extension that
  // does not fit, a cut that leaves a device name.
  for (std::uint32_t limit = 1; limit <= 7; ++limit) {
    for (NameRules rules : {PortableRules(), kNtfs, kPosix}) {
      rules.maxLength = limit;
      ruleSets.push_back(rules);
    }
  }
  for (const NameRules& rules : ruleSets) {
    for (const std::string& name : names) {
      const std::string safe = MakeSafe(name, rules);
      const std::string context = name + " to " + safe + ", " + std::to_string(rules.maxLength);
      EXPECT_FALSE(FirstBreach(safe, rules)) << context;
      EXPECT_TRUE(safe != "" && safe != "." && safe != "..") << context;
      EXPECT_EQ(MakeSafe(safe, rules), safe) << context;
      if (!FirstBreach(name, rules) && name != "" && name != "." && name != "..") {
        EXPECT_EQ(safe, name) << context;
      }
    }
  }
}

}  // namespace
}  // namespace vornick::files
