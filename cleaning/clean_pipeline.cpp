// SPDX-License-Identifier: GPL-3.0-or-later
#include "cleaning/clean_pipeline.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "cleaning/case_steps.h"
#include "cleaning/name_cleaning.h"
#include "cleaning/text_chars.h"

namespace vornick::cleaning::detail {
namespace {

constexpr std::array<bool, 256> MakeBadChars() {
  std::array<bool, 256> bad{};
  for (const unsigned char c : std::string_view("!\"#$%*+/<=>?@[\\]^`{|}~")) bad[c] = true;
  return bad;
}
constexpr std::array<bool, 256> kBadChars = MakeBadChars();

// The bytes that removal and spacing leave as they are: neither removed, nor '_', nor '-'.
constexpr std::array<bool, 256> MakePlainChars() {
  std::array<bool, 256> plain{};
  for (int c = 0; c < 256; ++c) plain[c] = !kBadChars[c] && c != '_' && c != '-';
  return plain;
}
constexpr std::array<bool, 256> kPlainChars = MakePlainChars();

// Whether the first character from `from` on that survives the removal is (or becomes) a space.
bool NextIsSpace(std::string_view name, std::size_t from) noexcept {
  while (from < name.size() && IsBadChar(name[from])) ++from;
  return from < name.size() && (name[from] == ' ' || name[from] == '_');
}

// The number of characters of `text`, counted only as far as 2.
std::size_t CountUpToTwo(std::string_view text) noexcept {
  if (text.size() <= 1) return text.size();
  char32_t ignored;
  const std::size_t first = std::max<std::size_t>(1, DecodeOne(text, ignored));
  return first == text.size() ? 1 : 2;
}

}  // namespace

bool IsBadChar(char c) noexcept {
  return kBadChars[static_cast<unsigned char>(c)];
}

void RemoveAndSpace(std::string_view name, std::string& out) {
  // Each dash may gain a space on both sides. Names hold few dashes: memchr finds them fastest.
  std::size_t dashes = 0;
  for (const char *at = name.data(), *const end = at + name.size();
       (at = static_cast<const char*>(std::memchr(at, '-', static_cast<std::size_t>(end - at)))) !=
       nullptr;
       ++at)
    ++dashes;
  out.resize(name.size() + 2 * dashes);
  char* const begin = out.data();
  char* write = begin;
  for (std::size_t i = 0; i < name.size(); ++i) {
    char c = name[i];
    // Most bytes stand for themselves: one look in the table settles them.
    if (kPlainChars[static_cast<unsigned char>(c)]) {
      *write++ = c;
      continue;
    }
    if (IsBadChar(c)) continue;
    if (c == '_') c = ' ';
    if (c != '-') {
      *write++ = c;
      continue;
    }
    if (write == begin) throw NameCleaningError("the name begins with a dash");
    if (write[-1] != ' ') *write++ = ' ';
    *write++ = '-';
    if (!NextIsSpace(name, i + 1)) *write++ = ' ';
  }
  out.resize(static_cast<std::size_t>(write - begin));
}

namespace {

// One pass: a run of ASCII letters is a kept capital word when it is two or three capitals and a
// character follows it; kept words are left as they are (capitals already), every other character
// is cased by the word-start and parenthesis rules.
void CaseInto(std::string_view text, std::string& out) {
  const std::size_t n = text.size();
  bool wordStart = true;
  bool afterParen = false;
  const auto caseChar = [&](auto c) {
    c = wordStart ? ToUpper(c) : ToLower(c);
    return afterParen ? ToUpper(c) : c;
  };
  // A Latin letter beyond ASCII on either side makes a run of ASCII letters part of a longer word.
  // Looked at only for a run that would be kept, which few are.
  char32_t before = 0;  // the character before, when it was beyond ASCII and valid
  const auto latinAt = [&](std::size_t at) {
    char32_t value;
    return static_cast<unsigned char>(text[at]) >= 0x80 && DecodeOne(text.substr(at), value) != 0 &&
           IsLatinLetter(value);
  };
  std::size_t i = 0;
  while (i < n) {
    const char c = text[i];
    if (IsAsciiLetter(c)) {
      std::size_t end = i;
      bool allUpper = true;
      for (; end < n && IsAsciiLetter(text[end]); ++end) allUpper = allUpper && text[end] <= 'Z';
      const std::size_t length = end - i;
      if (allUpper && (length == 2 || length == 3) && end < n && !IsLatinLetter(before) &&
          !latinAt(end)) {
        out.append(text.substr(i, length));
      } else {
        out.push_back(caseChar(c));
        for (std::size_t p = i + 1; p < end; ++p) out.push_back(ToLower(text[p]));
      }
      wordStart = afterParen = false;
      before = 0;
      i = end;
    } else if (static_cast<unsigned char>(c) < 0x80) {
      out.push_back(c);  // ASCII non-letters have no other case
      wordStart = IsWordSeparator(c);
      afterParen = c == '(';
      before = 0;
      ++i;
    } else {
      char32_t value;
      const std::size_t length = DecodeOne(text.substr(i), value);
      if (length == 0) {
        out.push_back(c);  // not part of a valid sequence: kept as it is
        before = 0;
        ++i;
      } else {
        AppendChar(out, caseChar(value));
        before = value;
        i += length;
      }
      wordStart = afterParen = false;
    }
  }
}

// CaseInto for text all of ASCII, which keeps its length when cased, written into room made for it
// at `out`: one look in a table for each byte.
enum : unsigned char { kOther = 0, kLower = 1, kUpper = 2, kSeparator = 4 };
constexpr std::array<unsigned char, 256> MakeClasses() {
  std::array<unsigned char, 256> classes{};
  for (int c = 0; c < 128; ++c) {
    if (c >= 'a' && c <= 'z') classes[c] = kLower;
    if (c >= 'A' && c <= 'Z') classes[c] = kUpper;
    if (IsWordSeparator(c)) classes[c] = kSeparator;
  }
  return classes;
}
constexpr std::array<unsigned char, 256> kClasses = MakeClasses();

void CaseAscii(std::string_view text, char* out) noexcept {
  const auto* in = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  bool capital = true;  // the next letter starts a word or follows '('
  std::size_t i = 0;
  while (i < n) {
    const unsigned char c = in[i];
    unsigned char classes = kClasses[c];
    if ((classes & (kLower | kUpper)) == 0) {
      out[i++] = static_cast<char>(c);
      capital = (classes & kSeparator) != 0 || c == '(';
      continue;
    }
    std::size_t end = i + 1;
    for (; end < n && (kClasses[in[end]] & (kLower | kUpper)) != 0; ++end)
      classes &= kClasses[in[end]];
    const std::size_t length = end - i;
    if (classes == kUpper && (length == 2 || length == 3) && end < n) {
      std::memcpy(out + i, in + i, length);
    } else {
      out[i] = static_cast<char>(capital ? c & ~0x20 : c | 0x20);
      for (std::size_t p = i + 1; p < end; ++p) out[p] = static_cast<char>(in[p] | 0x20);
    }
    capital = false;
    i = end;
  }
}

}  // namespace

void AppendCased(std::string_view text, std::string& out) {
  if (CountUpToTwo(text) <= 1) {
    out.append(text);
    return;
  }
  if (IsAscii(text)) {
    const std::size_t start = out.size();
    out.resize(start + text.size());
    return CaseAscii(text, out.data() + start);
  }
  CaseInto(text, out);
}

}  // namespace vornick::cleaning::detail
