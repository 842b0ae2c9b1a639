// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Steps that work per character, written once for bytes (all-ASCII names, the common case) and for
// decoded characters (everything else).

#include <string>
#include <vector>

#include "cleaning/text_chars.h"

namespace vornick::cleaning::detail {

template <class Ch>
constexpr bool IsWordSeparator(Ch c) noexcept {
  return c == ' ' || c == 0 || (c >= 9 && c <= 13);
}

// A Latin letter beyond ASCII next to a run of ASCII letters makes the run part of a longer word
// (the CR of CRÜE); only decoded text holds one.
template <class Ch>
bool LatinLetterAt(const std::basic_string<Ch>& text, std::size_t i) noexcept {
  if constexpr (sizeof(Ch) == 1) {
    return false;
  } else {
    return i < text.size() && IsLatinLetter(text[i]);
  }
}

// Appends the 0-based positions of the words of exactly `width` capitals that a non-letter follows.
template <class Ch>
void AppendCapsPositions(const std::basic_string<Ch>& text, std::size_t width,
                         std::vector<std::size_t>& positions) {
  const std::size_t length = text.size();
  std::size_t i = 0;
  while (i < length) {
    if (!IsAsciiLetter(text[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    bool allUpper = true;
    for (; end < length && IsAsciiLetter(text[end]); ++end) allUpper = allUpper && text[end] <= 'Z';
    if (end - i == width && end < length && allUpper && !LatinLetterAt(text, end) &&
        (i == 0 || !LatinLetterAt(text, i - 1))) {
      for (std::size_t p = i; p < end; ++p) positions.push_back(p);
    }
    i = end;
  }
}

template <class Ch>
void FindCapsPositionsInto(const std::basic_string<Ch>& text, std::vector<std::size_t>& positions) {
  AppendCapsPositions(text, 2, positions);
  AppendCapsPositions(text, 3, positions);
}

template <class Ch>
void ProperCaseInPlace(std::basic_string<Ch>& text) {
  if (text.size() <= 1) return;
  bool wordStart = true;
  for (Ch& c : text) {
    c = wordStart ? ToUpper(c) : ToLower(c);
    wordStart = IsWordSeparator(c);
  }
}

template <class Ch>
void CapitalizeAfterParenInPlace(std::basic_string<Ch>& text) {
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '(') text[i + 1] = ToUpper(text[i + 1]);
  }
}

template <class Ch>
void UpperCaseAt(std::basic_string<Ch>& text, const std::vector<std::size_t>& positions) {
  for (const std::size_t p : positions) {
    if (p < text.size()) text[p] = ToUpper(text[p]);
  }
}

}  // namespace vornick::cleaning::detail
