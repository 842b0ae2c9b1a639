// SPDX-License-Identifier: GPL-3.0-or-later
#include "cleaning/text_chars.h"

#include <cstdint>
#include <cstring>

#include <unicode/uchar.h>
#include <unicode/uscript.h>

namespace vornick::cleaning {
namespace {

constexpr bool IsRawByte(char32_t c) noexcept {
  return c >= kRawByteBase + 0x80 && c <= kRawByteBase + 0xFF;
}

}  // namespace

std::size_t DecodeOne(std::string_view s, char32_t& value) noexcept {
  if (s.empty()) return 0;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char b0 = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
    value = b0 & 0x1Fu;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    value = b0 & 0x0Fu;
    if (b0 == 0xE0) low = 0xA0;   // overlong
    if (b0 == 0xED) high = 0x9F;  // surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    value = b0 & 0x07u;
    if (b0 == 0xF0) low = 0x90;   // overlong
    if (b0 == 0xF4) high = 0x8F;  // beyond U+10FFFF
  } else {
    return 0;
  }
  if (s.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    value = (value << 6) | (byte(i) & 0x3Fu);
  }
  return length;
}

bool IsAscii(std::string_view bytes) noexcept {
  // Eight bytes at a time: asked of every name cleaned.
  std::uint64_t any = 0;
  std::size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + i, sizeof word);
    any |= word;
  }
  for (; i < bytes.size(); ++i) any |= static_cast<unsigned char>(bytes[i]);
  return (any & 0x8080808080808080u) == 0;
}

Chars DecodeChars(std::string_view bytes) {
  Chars out;
  out.reserve(bytes.size());
  while (!bytes.empty()) {
    const auto b0 = static_cast<unsigned char>(bytes.front());
    char32_t value = b0;
    std::size_t length = 1;
    if (b0 >= 0x80) {
      length = DecodeOne(bytes, value);
      if (length == 0) {
        length = 1;
        value = kRawByteBase + b0;
      }
    }
    out.push_back(value);
    bytes.remove_prefix(length);
  }
  return out;
}

char* WriteChar(char* at, char32_t c) noexcept {
  const auto put = [&](char32_t v) { *at++ = static_cast<char>(v); };
  if (c < 0x80) {
    put(c);
  } else if (IsRawByte(c)) {
    put(c - kRawByteBase);
  } else if (c < 0x800) {
    put(0xC0 | (c >> 6));
    put(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    put(0xE0 | (c >> 12));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  } else {
    put(0xF0 | (c >> 18));
    put(0x80 | ((c >> 12) & 0x3F));
    put(0x80 | ((c >> 6) & 0x3F));
    put(0x80 | (c & 0x3F));
  }
  return at;
}

void AppendChar(std::string& out, char32_t c) {
  char bytes[4];
  out.append(bytes, WriteChar(bytes, c));
}

std::string EncodeChars(const Chars& chars) {
  std::string out;
  out.reserve(chars.size());
  for (const char32_t c : chars) AppendChar(out, c);
  return out;
}

// A few letters map into ASCII (long s to S, dotless i to I, the Kelvin sign to k). They keep
// their form here: an ASCII letter that was not there before would start to count for the short
// capital words, and cleaning a proposed name again would change it.
char32_t KeepOutsideAscii(char32_t original, UChar32 mapped) noexcept {
  return mapped < 0x80 ? original : static_cast<char32_t>(mapped);
}

bool IsLatinLetter(char32_t c) noexcept {
  if (c < 0x80) return IsAsciiLetter(c);
  if (IsRawByte(c)) return false;
  UErrorCode error = U_ZERO_ERROR;
  const auto letter = static_cast<UChar32>(c);
  return u_isalpha(letter) && uscript_getScript(letter, &error) == USCRIPT_LATIN &&
         U_SUCCESS(error);
}

char32_t ToUpper(char32_t c) noexcept {
  if (c < 0x80) return static_cast<char32_t>(ToUpper(static_cast<char>(c)));
  if (IsRawByte(c)) return c;
  return KeepOutsideAscii(c, u_toupper(static_cast<UChar32>(c)));
}

char32_t ToLower(char32_t c) noexcept {
  if (c < 0x80) return static_cast<char32_t>(ToLower(static_cast<char>(c)));
  if (IsRawByte(c)) return c;
  return KeepOutsideAscii(c, u_tolower(static_cast<UChar32>(c)));
}

}  // namespace vornick::cleaning
