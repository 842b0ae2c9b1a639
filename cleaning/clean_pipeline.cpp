// SPDX-License-Identifier: GPL-3.0-or-later
#include "cleaning/clean_pipeline.h"

#include <algorithm>
#include <array>
#include <cstdint>

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
constexpr auto kIsBad = [](char c) { return kBadChars[static_cast<unsigned char>(c)]; };

// Writes a dash at `write`, with a space before it unless the character before it is one, and
// after it unless the first character of `after` that survives the removal is (or becomes) one;
// returns the end of what it wrote.
inline char* SpaceDash(std::string_view after, const char* begin, char* write) {
  if (write == begin) throw NameCleaningError("the name begins with a dash");
  if (write[-1] != ' ') *write++ = ' ';
  *write++ = '-';
  const auto next = std::find_if_not(after.begin(), after.end(), kIsBad);
  if (next == after.end() || (*next != ' ' && *next != '_')) *write++ = ' ';
  return write;
}

// Room for any name cleaned: a dash gains two spaces, and a character beyond ASCII (two bytes or
// more) is at most four bytes in its other case.
constexpr std::size_t MostBytesCleaned(std::string_view name) noexcept {
  return 3 * name.size();
}

// The number of characters of `text`, counted only as far as 2.
std::size_t CountUpToTwo(std::string_view text) noexcept {
  if (text.size() <= 1 || text.size() > 4) return std::min<std::size_t>(text.size(), 2);
  char32_t ignored;
  const std::size_t first = std::max<std::size_t>(1, DecodeOne(text, ignored));
  return first == text.size() ? 1 : 2;
}

// CleanInOnePass follows the run of ASCII letters it writes in `caps`: kNoRun before one; after a
// letter kNotKept, with bit k also set while the run is k capitals (k < 4). Never 0.
constexpr std::uint32_t kNoRun = 1;
constexpr std::uint32_t kTwoOrThreeCaps = (1 << 2) | (1 << 3);
constexpr std::uint32_t kNotKept = 1 << 4;

// What each byte does in CleanInOnePass, in one word so that one load gives it all:
// - the low byte is tested against `caps`: all set to handle the byte apart (removed, a dash,
//   beyond ASCII), kTwoOrThreeCaps for another non-letter, as that ends a kept word;
// - kCapitalizes for a separator or '(': a letter after it is a capital. It is also where the
//   capitals begin in kCased;
// - caps = (caps & the third byte) * 2 + the fourth byte follows the run without a branch.
constexpr std::uint32_t kCapitalizes = 0x100;
constexpr std::uint32_t CapsKeep(std::uint32_t role) noexcept {
  return role >> 16;
}
constexpr std::uint32_t CapsStart(std::uint32_t role) noexcept {
  return role >> 24;
}
constexpr std::array<std::uint32_t, 256> MakeRoles() {
  std::array<std::uint32_t, 256> roles{};
  for (int c = 0; c < 256; ++c) {
    if (c >= 0x80 || c == '-' || kBadChars[c]) {
      roles[c] = 0xFF;
    } else if (IsAsciiLetter(c)) {
      // A capital counts one more, up to three; another letter ends the count.
      const std::uint32_t keep = c <= 'Z' ? (1 << 0) | (1 << 1) | (1 << 2) : 0;
      roles[c] = keep << 16 | kNotKept << 24;
    } else {
      const bool capitalizes = IsWordSeparator(c) || c == '_' || c == '(';
      roles[c] = kTwoOrThreeCaps | (capitalizes ? kCapitalizes : 0) | kNoRun << 24;
    }
  }
  return roles;
}
constexpr std::array<std::uint32_t, 256> kRoles = MakeRoles();

// Each byte as written after one without kCapitalizes, then after one with it.
constexpr std::array<char, 2 * 256> MakeCased() {
  std::array<char, 2 * 256> cased{};
  for (int c = 0; c < 256; ++c) {
    const char spaced = static_cast<char>(c == '_' ? ' ' : c);
    cased[c] = ToLower(spaced);
    cased[kCapitalizes + c] = ToUpper(spaced);
  }
  return cased;
}
constexpr std::array<char, 2 * 256> kCased = MakeCased();

// Removal, spacing and the case steps in one pass into `room` (MostBytesCleaned bytes); returns
// the end of what it wrote. The case steps read the spaced text, so a letter's case follows from
// the character that survives before it, and a run of ASCII letters is a kept capital word when
// it is two or three capitals, a character follows it, and no Latin letter beyond ASCII touches it.
//
// Returns nullptr when a byte beyond ASCII that starts no character has a removed one right after
// it: the removal may join it with the bytes beyond into one, so only the spaced text can be
// cleaned this way. Every character cut by removed bytes shows so, as the byte just before them
// cannot start a character there.
char* CleanInOnePass(std::string_view name, char* const room) {
  char* write = room;
  std::uint32_t capital = kCapitalizes;
  std::uint32_t caps = kNoRun;
  // The last character beyond ASCII written and where it ends: a Latin letter there joins a run of
  // letters written right after it.
  char32_t beyond = 0;
  const char* afterBeyond = nullptr;
  // Called before writing what follows the run, `next` (0 for a byte outside any character).
  const auto keepCapsWord = [&](char32_t next) {
    if ((caps & kTwoOrThreeCaps) == 0 || IsLatinLetter(next)) return;
    char* const word = write - ((caps & kTwoOrThreeCaps) == 1 << 2 ? 2 : 3);
    if (word == afterBeyond && IsLatinLetter(beyond)) return;
    for (char* p = word; p != write; ++p) *p = ToUpper(*p);
  };
  const char* const end = name.data() + name.size();
  for (const char* in = name.data(); in != end;) {
    const auto c = static_cast<unsigned char>(*in);
    const std::uint32_t role = kRoles[c];
    if ((role & caps) != 0) [[unlikely]] {
      const std::string_view rest(in, static_cast<std::size_t>(end - in));
      if (kBadChars[c]) {
        ++in;  // the text closes up: a run of letters goes on across it
        continue;
      }
      if (c == '-') {
        keepCapsWord('-');
        write = SpaceDash(rest.substr(1), room, write);
        capital = kCapitalizes;  // a space comes next, whether written here or not
        caps = kNoRun;
        ++in;
        continue;
      }
      if (c >= 0x80) {
        char32_t value;
        const std::size_t length = DecodeOne(rest, value);
        if (length == 0 && rest.size() > 1 && kIsBad(rest[1])) return nullptr;
        keepCapsWord(length == 0 ? 0 : value);
        if (length == 0) {
          *write++ = static_cast<char>(c);  // not part of a valid sequence: kept as it is
        } else {
          const char before = write == room ? ' ' : write[-1];
          value = IsWordSeparator(before) ? ToUpper(value) : ToLower(value);
          if (before == '(') value = ToUpper(value);
          write = WriteChar(write, value);
          beyond = value;
          afterBeyond = write;
        }
        in += std::max<std::size_t>(length, 1);
        capital = 0;
        caps = kNoRun;
        continue;
      }
      keepCapsWord(c);  // then this ASCII non-letter is written as any other
    }
    *write++ = kCased[capital | c];
    capital = role & kCapitalizes;
    caps = (caps & CapsKeep(role)) * 2 + CapsStart(role);
    ++in;
  }
  return write;
}

}  // namespace

bool IsBadChar(char c) noexcept {
  return kIsBad(c);
}

void RemoveAndSpace(std::string_view name, std::string& out) {
  out.resize(MostBytesCleaned(name));
  char* const begin = out.data();
  char* write = begin;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    if (c == '-') {
      write = SpaceDash(name.substr(i + 1), begin, write);
    } else if (!kIsBad(c)) {
      *write++ = c == '_' ? ' ' : c;
    }
  }
  out.resize(static_cast<std::size_t>(write - begin));
}

void Clean(std::string_view name, std::string& out) {
  // Room on the stack for names of up to 341 bytes (file systems take 255): `out` then gets the
  // result alone, without being grown to the room first.
  std::array<char, 1024> stackRoom;
  std::string heapRoom;
  char* room = stackRoom.data();
  if (MostBytesCleaned(name) > stackRoom.size()) {
    heapRoom.resize(MostBytesCleaned(name));
    room = heapRoom.data();
  }
  if (char* const end = CleanInOnePass(name, room)) {
    out.assign(room, static_cast<std::size_t>(end - room));
  } else {
    std::string spaced;
    RemoveAndSpace(name, spaced);
    Clean(spaced, out);  // nothing left to remove: done in one pass
  }
  // Proper case leaves a name of one character as it is.
  if (CountUpToTwo(out) <= 1) RemoveAndSpace(name, out);
}

}  // namespace vornick::cleaning::detail
