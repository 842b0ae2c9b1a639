// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/name_rules.h"

#include <unicode/uchar.h>

#include "cleaning/text_chars.h"

namespace vornick::files {
namespace {

using platform::NameRules;

constexpr char32_t kReplacement = 0xFFFD;
// Longest tail after the last dot that is still taken for an extension when a name is shortened:
// ".flac" and ".opus" are, the second half of a sentence with a dot in it is not.
constexpr std::size_t kMaxExtensionBytes = 16;

constexpr bool IsWindowsForbidden(unsigned char b) noexcept {
  switch (b) {
    case '"':
    case '*':
    case ':':
    case '<':
    case '>':
    case '?':
    case '\\':
    case '|':
      return true;
    default:
      return b < 0x20;
  }
}

constexpr bool IsDotOrSpace(char c) noexcept {
  return c == '.' || c == ' ';
}

// The length in bytes of the character at the start of `s`, one for a byte that does not start a
// valid sequence; `value` is then negative.
std::size_t NextChar(std::string_view s, std::int32_t& value) noexcept {
  const auto b0 = static_cast<unsigned char>(s.front());
  if (b0 < 0x80) {
    value = b0;
    return 1;
  }
  char32_t c = 0;
  const std::size_t length = cleaning::DecodeOne(s, c);
  if (length == 0) {
    value = -1;
    return 1;
  }
  value = static_cast<std::int32_t>(c);
  return length;
}

bool IsUtf8(std::string_view name) noexcept {
  if (cleaning::IsAscii(name)) return true;
  for (std::size_t i = 0; i < name.size();) {
    std::int32_t c = 0;
    i += NextChar(name.substr(i), c);
    if (c < 0) return false;
  }
  return true;
}

bool EqualsAsciiNoCase(std::string_view a, std::string_view lowerB) noexcept {
  if (a.size() != lowerB.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (cleaning::ToLower(a[i]) != lowerB[i]) return false;
  }
  return true;
}

// Where the device name ends when the part of `name` before its first dot is one, else 0. Windows
// ignores what follows the first dot and spaces before it: "con .mp3" opens the console too.
std::size_t ReservedPrefix(std::string_view name) noexcept {
  std::string_view part = name.substr(0, name.find('.'));
  while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
  if (part.size() < 3 || part.size() > 5) return 0;
  const std::string_view head = part.substr(0, 3);
  const std::string_view digit = part.substr(3);
  if (digit.empty()) {
    for (const std::string_view device : {"con", "prn", "aux", "nul"}) {
      if (EqualsAsciiNoCase(head, device)) return part.size();
    }
    return 0;
  }
  if (!EqualsAsciiNoCase(head, "com") && !EqualsAsciiNoCase(head, "lpt")) return 0;
  // Windows counts the superscript digits of Latin-1 among the port numbers.
  const bool port = (digit.size() == 1 && digit[0] >= '1' && digit[0] <= '9') ||
                    digit == "\xC2\xB9" || digit == "\xC2\xB2" || digit == "\xC2\xB3";
  return port ? part.size() : 0;
}

// Bytes of the longest start of `s` that takes at most `budget` units, never ending inside a
// character.
std::size_t FittingPrefix(std::string_view s, NameRules::Unit unit, std::size_t budget) noexcept {
  std::size_t used = 0, i = 0;
  while (i < s.size()) {
    std::int32_t c = 0;
    const std::size_t bytes = NextChar(s.substr(i), c);
    const std::size_t units = unit == NameRules::Unit::kBytes ? bytes : c >= 0x10000 ? 2 : 1;
    if (used + units > budget) break;
    used += units;
    i += bytes;
  }
  return i;
}

void TrimDotsAndSpaces(std::string& s) {
  while (!s.empty() && IsDotOrSpace(s.back())) s.pop_back();
}

// The characters `rules` refuse replaced or dropped. A space left next to a removed character, or
// before the name, is dropped with it: "a ? b" gives "a b", "a : b" "a - b".
std::string ReplaceCharacters(std::string_view name, const NameRules& rules) {
  std::string out;
  out.reserve(name.size() + 8);
  bool dropSpaces = false;
  const auto atGap = [&] { return out.empty() || out.back() == ' '; };
  for (std::size_t i = 0; i < name.size();) {
    std::int32_t c = 0;
    const std::size_t bytes = NextChar(name.substr(i), c);
    const std::string_view original = name.substr(i, bytes);
    i += bytes;
    if (c < 0) {
      if (rules.utf8Only) {
        cleaning::AppendChar(out, kReplacement);
      } else {
        out.append(original);
      }
      dropSpaces = false;
      continue;
    }
    if (!rules.windowsCharacters || c >= 0x80 ||
        !IsWindowsForbidden(static_cast<unsigned char>(c))) {
      if (c == ' ' && dropSpaces) continue;
      out.append(original);
      dropSpaces = false;
      continue;
    }
    switch (c) {
      case ':':
        out.append(atGap() ? "-" : " -");
        dropSpaces = false;
        break;
      case '"':
        out.push_back('\'');
        dropSpaces = false;
        break;
      case '\\':
        out.push_back('-');
        dropSpaces = false;
        break;
      default:
        dropSpaces = dropSpaces || atGap();
        break;
    }
  }
  return out;
}

// `name` cut before its extension so that it takes at most rules.maxLength units.
std::string Shorten(std::string name, const NameRules& rules) {
  if (NameLength(name, rules.unit) <= rules.maxLength) return name;
  std::string extension;
  const std::size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0 && name.size() - dot <= kMaxExtensionBytes &&
      NameLength(std::string_view(name).substr(dot), rules.unit) < rules.maxLength) {
    extension = name.substr(dot);
    name.resize(dot);
  }
  const std::size_t budget = rules.maxLength - NameLength(extension, rules.unit);
  name.resize(FittingPrefix(name, rules.unit, budget));
  TrimDotsAndSpaces(name);
  // Only a tiny limit can leave nothing, or leave a device name by cutting "AUXILIARY" to "AUX".
  if (name.empty() || (rules.reservedNames && ReservedPrefix(name + extension) != 0)) name = "_";
  return name + extension;
}

}  // namespace

NameRules PortableRules() {
  NameRules rules;
  // No one system: SystemName gives nothing for it.
  rules.system = NameRules::System::kUnknown;
  rules.windowsCharacters = rules.reservedNames = rules.trailingDotOrSpace = true;
  rules.utf8Only = true;
  rules.caseFold = NameRules::CaseFold::kUnicode;
  // FAT and POSIX count bytes, exFAT, NTFS and SMB UTF-16 units. A name of 255 bytes has at most
  // 255 UTF-16 units (a pair of them takes four bytes), so counting bytes meets both.
  rules.unit = NameRules::Unit::kBytes;
  rules.maxLength = 255;
  return rules;
}

std::string_view SystemName(NameRules::System system) noexcept {
  switch (system) {
    case NameRules::System::kFat:
      return "FAT";
    case NameRules::System::kExfat:
      return "exFAT";
    case NameRules::System::kNtfs:
      return "NTFS";
    case NameRules::System::kSmb:
      return "SMB";
    case NameRules::System::kPosix:
    case NameRules::System::kUnknown:
      break;
  }
  return {};
}

Breach FirstBreach(std::string_view name, const NameRules& rules) {
  using Kind = Breach::Kind;
  if (rules.utf8Only && !IsUtf8(name)) return {Kind::kNotUtf8};
  if (rules.windowsCharacters) {
    // Every refused character is ASCII, and no byte of a longer UTF-8 sequence is.
    for (const char ch : name) {
      const auto b = static_cast<unsigned char>(ch);
      if (IsWindowsForbidden(b)) return {Kind::kCharacter, b};
    }
  }
  if (rules.reservedNames && ReservedPrefix(name) != 0) return {Kind::kReserved};
  if (rules.trailingDotOrSpace && !name.empty() && IsDotOrSpace(name.back())) {
    return {Kind::kTrailingDotSpace};
  }
  if (NameLength(name, rules.unit) > rules.maxLength) return {Kind::kTooLong};
  return {};
}

std::size_t NameLength(std::string_view name, NameRules::Unit unit) noexcept {
  if (unit == NameRules::Unit::kBytes || cleaning::IsAscii(name)) return name.size();
  std::size_t units = 0;
  for (std::size_t i = 0; i < name.size();) {
    std::int32_t c = 0;
    i += NextChar(name.substr(i), c);
    units += c >= 0x10000 ? 2 : 1;
  }
  return units;
}

std::string FoldKey(std::string_view name, NameRules::CaseFold fold) {
  std::string key;
  FoldKey(name, fold, key);
  return key;
}

void FoldKey(std::string_view name, NameRules::CaseFold fold, std::string& key) {
  key.assign(name);
  if (fold == NameRules::CaseFold::kNone) return;
  if (fold == NameRules::CaseFold::kAscii || cleaning::IsAscii(name)) {
    for (char& ch : key) ch = cleaning::ToLower(ch);
    return;
  }
  // Simple folding, one character to one: the up-case tables of NTFS and exFAT map each UTF-16
  // unit to one unit too, so "Straße" and "STRASSE" stay two names there, as they do here. Their
  // tables leave letters beyond U+FFFF alone; folding those as well can only find a clash where
  // there is none, never miss one.
  key.clear();
  for (std::size_t i = 0; i < name.size();) {
    std::int32_t c = 0;
    const std::size_t bytes = NextChar(name.substr(i), c);
    if (c < 0) {
      key.append(name.substr(i, bytes));
    } else {
      cleaning::AppendChar(key, static_cast<char32_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT)));
    }
    i += bytes;
  }
}

bool SameFoldKey(std::string_view a, std::string_view b, NameRules::CaseFold fold) {
  if (fold == NameRules::CaseFold::kNone) return a == b;
  if (fold == NameRules::CaseFold::kAscii) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return cleaning::ToLower(x) == cleaning::ToLower(y);
           });
  }
  // Character by character: a character folds to one whole character, and characters' UTF-8 is
  // prefix free, so the first pair that folds apart tells the keys apart. From bytes that are no
  // character on, the keys themselves decide.
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[j]);
    if ((x | y) < 0x80) {
      if (cleaning::ToLower(static_cast<char>(x)) != cleaning::ToLower(static_cast<char>(y)))
        return false;
      ++i;
      ++j;
      continue;
    }
    std::int32_t cx = 0, cy = 0;
    const std::size_t nx = NextChar(a.substr(i), cx), ny = NextChar(b.substr(j), cy);
    if (cx < 0 || cy < 0) {
      return FoldKey(a.substr(i), fold) == FoldKey(b.substr(j), fold);
    }
    if (u_foldCase(cx, U_FOLD_CASE_DEFAULT) != u_foldCase(cy, U_FOLD_CASE_DEFAULT)) return false;
    i += nx;
    j += ny;
  }
  return i == a.size() && j == b.size();
}

void FoldedAsciiPart(std::string_view name, std::string& part) {
  part.clear();
  for (std::size_t i = 0; i < name.size();) {
    if (const auto byte = static_cast<unsigned char>(name[i]); byte < 0x80) {
      part.push_back(cleaning::ToLower(static_cast<char>(byte)));
      ++i;
      continue;
    }
    std::int32_t c = 0;
    i += NextChar(name.substr(i), c);
    if (c == 0x212A) part.push_back('k');
    if (c == 0x17F) part.push_back('s');
  }
}

std::string MakeSafe(std::string_view name, const NameRules& rules) {
  const bool special = name.empty() || name == "." || name == "..";
  if (!special && !FirstBreach(name, rules)) return std::string(name);

  std::string safe = ReplaceCharacters(name, rules);
  if (rules.trailingDotOrSpace) TrimDotsAndSpaces(safe);
  if (safe.find_first_not_of('.') == std::string::npos) {
    safe = "_";
  } else if (safe.front() == '.' && name.front() != '.') {
    // "?.mp3" must not turn into a hidden file.
    safe.insert(0, "_");
  }
  if (rules.reservedNames) {
    if (const std::size_t end = ReservedPrefix(safe); end != 0) safe.insert(end, "_");
  }
  return Shorten(std::move(safe), rules);
}

NotAName WhyNotAName(std::string_view name) noexcept {
  if (name.empty()) return NotAName::kEmpty;
  if (name == "." || name == "..") return NotAName::kDots;
  if (name.find('/') != std::string_view::npos) return NotAName::kSlash;
  if (name.find('\0') != std::string_view::npos) return NotAName::kNul;
  return NotAName::kNone;
}

}  // namespace vornick::files
