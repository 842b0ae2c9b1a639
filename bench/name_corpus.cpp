// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/name_corpus.h"

#include <array>
#include <random>
#include <string_view>

namespace vornick::bench {
namespace {

constexpr std::array<std::string_view, 24> kArtists = {"the_beatles",
                                                       "U2",
                                                       "DJ Tiesto",
                                                       "AC DC",
                                                       "r.e.m.",
                                                       "Sigur Rós",
                                                       "Björk",
                                                       "MOTÖRHEAD",
                                                       "daft punk",
                                                       "the rolling stones",
                                                       "ABBA",
                                                       "Édith Piaf",
                                                       "portishead",
                                                       "Ночные Снайперы",
                                                       "boards_of_canada",
                                                       "Joe Cocker",
                                                       "MGMT",
                                                       "UB40",
                                                       "Los Lobos",
                                                       "Café Tacvba",
                                                       "Beyonc\xE9",
                                                       "sister_sledge",
                                                       "KRS-One",
                                                       "o'connor"};
constexpr std::array<std::string_view, 24> kTitles = {"let_it_be",
                                                      "one (live at wembley)",
                                                      "adagio for strings (REMIX)",
                                                      "back in black",
                                                      "losing my religion",
                                                      "Hoppípolla",
                                                      "army of me",
                                                      "ace of spades",
                                                      "one more time",
                                                      "paint it black",
                                                      "dancing queen",
                                                      "non, je ne regrette rien",
                                                      "glory box",
                                                      "Катя",
                                                      "roygbiv",
                                                      "with a little help from my friends",
                                                      "kids [radio edit]",
                                                      "red red wine",
                                                      "la bamba",
                                                      "eres",
                                                      "what's up?",
                                                      "we are family",
                                                      "sound of da police",
                                                      "nothing compares 2 u"};
constexpr std::array<std::string_view, 6> kExtensions = {".mp3", ".mp3",  ".mp3",
                                                         ".MP3", ".flac", ".ogg"};
constexpr std::array<std::string_view, 5> kSeparators = {" - ", "-", "_-_", " -", "_"};

}  // namespace

std::vector<std::string> MusicFileNames(std::size_t count, std::uint32_t seed) {
  std::mt19937 random(seed);
  const auto pick = [&](const auto& table) {
    return table[std::uniform_int_distribution<std::size_t>(0, table.size() - 1)(random)];
  };
  std::vector<std::string> names;
  names.reserve(count);
  while (names.size() < count) {
    std::string name;
    const unsigned shape = random() % 4;
    if (shape != 3) {
      const unsigned track = 1 + random() % 24;
      name += (track < 10 ? "0" : "") + std::to_string(track);
      name += pick(kSeparators);
    }
    if (shape != 2) {
      name += pick(kArtists);
      name += pick(kSeparators);
    }
    name += pick(kTitles);
    name += pick(kExtensions);
    names.push_back(std::move(name));
  }
  return names;
}

}  // namespace vornick::bench
