// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/name_pattern.h"

#include <algorithm>
#include <cstddef>
#include <utility>

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

// The usual shape, "*" and a plain ending such as ".mp3", whose ending is compared alone. Starting
// with an ASCII byte, the ending can only begin on a character boundary.
bool IsStarAndEnding(std::string_view pattern) noexcept {
  return pattern.size() > 1 && pattern.front() == '*' &&
         static_cast<unsigned char>(pattern[1]) < 0x80 &&
         pattern.find_first_of("*?", 1) == std::string_view::npos;
}

bool EndsWith(std::string_view name, std::string_view ending) noexcept {
  return name.size() >= ending.size() &&
         std::equal(ending.begin(), ending.end(),
                    name.end() - static_cast<std::ptrdiff_t>(ending.size()), SameByte);
}

}  // namespace

NamePattern::NamePattern(std::string pattern) : pattern_(std::move(pattern)) {
  if (pattern_ == "*.*" || !IsStarAndEnding(pattern_)) return;
  ending_.emplace(pattern_.substr(1));
  for (char& c : *ending_) c = cleaning::ToLower(c);
}

bool NamePattern::Matches(std::string_view name) const noexcept {
  if (!ending_) return MatchesPattern(pattern_, name);
  // The ending is lower-case already: only the name's bytes are folded.
  const std::string& ending = *ending_;
  if (name.size() < ending.size()) return false;
  const char* tail = name.data() + (name.size() - ending.size());
  for (std::size_t i = 0; i < ending.size(); ++i) {
    if (cleaning::ToLower(tail[i]) != ending[i]) return false;
  }
  return true;
}

bool MatchesPattern(std::string_view pattern, std::string_view name) noexcept {
  // Stars alone match every name; no need to walk its characters.
  if (pattern == "*.*" || (!pattern.empty() && pattern.find_first_not_of('*') == pattern.npos))
    return true;
  if (IsStarAndEnding(pattern)) return EndsWith(name, pattern.substr(1));
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
