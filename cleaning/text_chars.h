// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace vornick::cleaning {

// A name decoded to one element per character: a Unicode scalar value, or, for a byte that is not
// part of a valid UTF-8 sequence, kRawByteBase plus that byte. Those are lone surrogates, which no
// valid sequence decodes to, so encoding gives the exact bytes back.
using Chars = std::u32string;
inline constexpr char32_t kRawByteBase = 0xDC00;

Chars DecodeChars(std::string_view bytes);
std::string EncodeChars(const Chars& chars);
bool IsAscii(std::string_view bytes) noexcept;

// Length of the valid UTF-8 sequence at the start of `bytes` (stored in `value`), or 0 when it
// does not start with one.
std::size_t DecodeOne(std::string_view bytes, char32_t& value) noexcept;
// Writes the UTF-8 bytes of one decoded character (at most 4) at `at`; returns their end.
char* WriteChar(char* at, char32_t c) noexcept;
// Appends the UTF-8 bytes of one decoded character.
void AppendChar(std::string& out, char32_t c);

template <class Ch>
constexpr bool IsAsciiLetter(Ch c) noexcept {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A letter of the Latin script, accented or not (A, é, Ñ, Ø, ...): next to a word of capitals it
// makes the word part of a longer one. Letters of other scripts are not.
bool IsLatinLetter(char32_t c) noexcept;

// Simple case mapping: one character to one character, so lengths and positions hold.
constexpr char ToUpper(char c) noexcept {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}
constexpr char ToLower(char c) noexcept {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}
char32_t ToUpper(char32_t c) noexcept;
char32_t ToLower(char32_t c) noexcept;

}  // namespace vornick::cleaning
