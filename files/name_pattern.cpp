// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/name_pattern.h"

#include <algorithm>
#include <cstddef>

#include "cleaning/text_chars.h"

namespace vornick::files {
namespace {

std::size_t CharLength(std::string_view rest) noexcept {
  char32_t value = 0;
  const std::size_t length = cleaning::DecodeOne(rest, value);
  return length == 0 ? 1 : length;
}

bool SameByte(char patternByte, char nameByte) noexcept {
  return cleaning::ToLower(patternByte) == cleaning::ToLower(nameByte);
}

}  // namespace

bool MatchesPattern(std::string_view pattern, std::string_view name) noexcept {
  if (pattern == "*.*") return true;
  // The usual shape, "*" and a plain ending such as ".mp3": compare the ending. Starting with an
  // ASCII byte, the ending can only begin on a character boundary.
  if (pattern.size() > 1 && pattern.front() == '*' &&
      static_cast<unsigned char>(pattern[1]) < 0x80 &&
      pattern.find_first_of("*?", 1) == std::string_view::npos) {
    const std::string_view ending = pattern.substr(1);
    return name.size() >= ending.size() &&
           std::equal(ending.begin(), ending.end(),
                      name.end() - static_cast<std::ptrdiff_t>(ending.size()), SameByte);
  }
  constexpr std::size_t kNoStar = std::string_view::npos;
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t afterStar = kNoStar;  // pattern position after the last '*' met
  std::size_t starEnd = 0;          // where the text that '*' stands for ends so far
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      afterStar = ++p;
      starEnd = n;
    } else if (p < pattern.size() && pattern[p] == '?') {
      n += CharLength(name.substr(n));
      ++p;
    } else if (p < pattern.size() && SameByte(pattern[p], name[n])) {
      ++p;
      ++n;
    } else if (afterStar != kNoStar) {
      // Let the last '*' take one more character and try the rest again from there.
      starEnd += CharLength(name.substr(starEnd));
      n = starEnd;
      p = afterStar;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace vornick::files
