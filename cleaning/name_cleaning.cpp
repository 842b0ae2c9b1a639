// SPDX-License-Identifier: GPL-3.0-or-later
#include "cleaning/name_cleaning.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "cleaning/case_steps.h"
#include "cleaning/clean_pipeline.h"
#include "cleaning/text_chars.h"

namespace vornick::cleaning {
namespace {

void RemoveBadCharsInPlace(std::string& text) {
  std::erase_if(text, detail::IsBadChar);
}

void UnderscoresToSpacesInPlace(std::string& text) {
  std::replace(text.begin(), text.end(), '_', ' ');
}

// Runs `step` on the text's characters: on the bytes themselves when they are all ASCII, else on
// the decoded characters, so that non-ASCII letters are cased and odd bytes survive.
template <class Step>
std::string ApplyPerChar(std::string text, Step step) {
  if (IsAscii(text)) {
    step(text);
    return text;
  }
  Chars chars = DecodeChars(text);
  step(chars);
  return EncodeChars(chars);
}

}  // namespace

std::string RemoveBadChars(std::string_view text) {
  std::string result(text);
  RemoveBadCharsInPlace(result);
  return result;
}

std::string UnderscoresToSpaces(std::string_view text) {
  std::string result(text);
  UnderscoresToSpacesInPlace(result);
  return result;
}

// Left to right, a dash gets a space before it unless the character before it (an inserted space
// included) is one, and a space after it unless the next character is one or there is none.
std::string SpaceDashes(std::string_view text) {
  if (!text.empty() && text.front() == '-') {
    throw NameCleaningError("the name begins with a dash");
  }
  std::string result;
  result.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '-') {
      result.push_back(c);
      continue;
    }
    if (result.back() != ' ') result.push_back(' ');
    result.push_back('-');
    if (i + 1 == text.size() || text[i + 1] != ' ') result.push_back(' ');
  }
  return result;
}

std::string FindCapsPositions(std::string_view text) {
  std::vector<std::size_t> positions;
  ApplyPerChar(std::string(text),
               [&](auto& chars) { detail::FindCapsPositionsInto(chars, positions); });
  std::string list;
  for (const std::size_t p : positions) {
    list += std::to_string(p + 1);
    list += ',';
  }
  return list;
}

std::string ProperCaseName(std::string_view text) {
  return ApplyPerChar(std::string(text), [](auto& chars) { detail::ProperCaseInPlace(chars); });
}

std::string CapitalizeAfterParen(std::string_view text) {
  return ApplyPerChar(std::string(text),
                      [](auto& chars) { detail::CapitalizeAfterParenInPlace(chars); });
}

// The list is pieces ended by commas; the piece after the last comma is not a position. Positions
// outside the text change nothing.
std::string RestoreCaps(std::string_view text, std::string_view capsPositions) {
  std::vector<std::size_t> positions;
  for (std::size_t comma; (comma = capsPositions.find(',')) != std::string_view::npos;) {
    const std::string_view piece = capsPositions.substr(0, comma);
    std::size_t p = 0;
    const auto [end, error] = std::from_chars(piece.data(), piece.data() + piece.size(), p);
    if (piece.empty() || error != std::errc() || end != piece.data() + piece.size()) {
      throw std::invalid_argument("not a caps position: \"" + std::string(piece) + "\"");
    }
    if (p >= 1) positions.push_back(p - 1);
    capsPositions.remove_prefix(comma + 1);
  }
  return ApplyPerChar(std::string(text),
                      [&](auto& chars) { detail::UpperCaseAt(chars, positions); });
}

bool IsLettersOnly(std::string_view text) noexcept {
  return std::all_of(text.begin(), text.end(), [](char c) { return IsAsciiLetter(c); });
}

long long CountOccurrences(std::string_view text, std::string_view find, bool caseSensitive) {
  if (text.empty()) return -1;
  if (find.empty()) return 0;
  if (!caseSensitive) {
    const auto upper = [](std::string_view s) {
      return ApplyPerChar(std::string(s), [](auto& chars) {
        std::transform(chars.begin(), chars.end(), chars.begin(),
                       [](auto c) { return ToUpper(c); });
      });
    };
    return CountOccurrences(upper(text), upper(find), true);
  }
  long long count = 0;
  for (std::size_t at = text.find(find); at != std::string_view::npos;
       at = text.find(find, at + find.size())) {
    ++count;
  }
  return count;
}

void CleanFileName(std::string_view name, std::string& out) {
  detail::Clean(name, out);
}

std::string CleanFileName(std::string_view name) {
  std::string result;
  CleanFileName(name, result);
  return result;
}

}  // namespace vornick::cleaning
