// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace vornick::files {

// Rules that every kind of file system takes, for music that will be copied around. They are no
// one system's: their system is kUnknown, which SystemName leaves empty.
platform::NameRules PortableRules();
// The file system's name for people: "FAT", "exFAT", "NTFS", "SMB"; empty for POSIX and unknown.
std::string_view SystemName(platform::NameRules::System system) noexcept;

// Why `name` can be no file's name on any system, whatever its rules: kNone when it can be one.
enum class NotAName : std::uint8_t { kNone, kEmpty, kDots, kSlash, kNul };
NotAName WhyNotAName(std::string_view name) noexcept;

// The first rule of `rules` that `name` breaks, if any.
struct Breach {
  enum class Kind : std::uint8_t {
    kNone,
    kCharacter,         // `character` is not allowed
    kReserved,          // a device name of Windows (the part before the first dot)
    kTrailingDotSpace,  // ends in a dot or a space
    kNotUtf8,           // bytes that are not UTF-8
    kTooLong,           // longer than rules.maxLength in rules.unit
  };
  Kind kind = Kind::kNone;
  char32_t character = 0;  // for kCharacter
  explicit operator bool() const noexcept { return kind != Kind::kNone; }
  bool operator==(const Breach&) const = default;
};
Breach FirstBreach(std::string_view name, const platform::NameRules& rules);

// The length of `name` in `unit`s (UTF-16 units count a byte that is not UTF-8 as one).
std::size_t NameLength(std::string_view name, platform::NameRules::Unit unit) noexcept;

// `name` as the file system compares names: with its letter case folded as `fold` says. Two names
// the file system takes as one give the same key.
std::string FoldKey(std::string_view name, platform::NameRules::CaseFold fold);
// The same into `key`, whose contents it replaces, so that a kept buffer serves many names.
void FoldKey(std::string_view name, platform::NameRules::CaseFold fold, std::string& key);
// FoldKey(a, fold) == FoldKey(b, fold), mostly decided at the first character that differs,
// without building either key.
bool SameFoldKey(std::string_view a, std::string_view b, platform::NameRules::CaseFold fold);
// The ASCII bytes of FoldKey(name, kUnicode), in order, into `part`, with no call to ICU: names
// that any file system takes as one give the same part, which many other names share too. Only
// the Kelvin sign and the long s fold to ASCII letters from beyond ASCII.
void FoldedAsciiPart(std::string_view name, std::string& part);

// `name` rewritten into one that `rules` take, the way a person would: '?', '*', '<', '>', '|'
// and control characters dropped, ':' to " -", '"' to '\'', '\\' to '-', trailing dots and spaces
// trimmed, a reserved name given a "_" after its first part ("CON.mp3" to "CON_.mp3"), bytes that
// are not UTF-8 to U+FFFD, a long name shortened before its extension (never inside a character).
// A name `rules` take already is returned as it is; the result is never empty, ".", or "..", and
// begins with a dot only when `name` does. MakeSafe(MakeSafe(name)) is MakeSafe(name).
std::string MakeSafe(std::string_view name, const platform::NameRules& rules);

}  // namespace vornick::files
