// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/file_types.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <string_view>

namespace vornick::files {
namespace {

constexpr const char* kFileTypesKey = "FileTypes";
constexpr const char* kCheckedIndexesKey = "CheckedIndexes";
constexpr std::size_t kMaxEntries = 100001;
constexpr std::size_t kMaxQuoted = 80;  // a longer value is cut short in messages

std::string Quoted(std::string_view value) {
  if (value.size() > kMaxQuoted) return '"' + std::string(value.substr(0, kMaxQuoted)) + "...\"";
  return '"' + std::string(value) + '"';
}

[[noreturn]] void Fail(const char* key, std::string_view value, const std::string& why) {
  throw FileTypesError(std::string("malformed \"") + key + "\" value " + Quoted(value) + ": " +
                       why);
}

// The pieces between the commas: one more than there are commas, empty ones included.
std::vector<std::string_view> SplitAtCommas(const char* key, std::string_view value) {
  std::vector<std::string_view> pieces;
  for (std::size_t start = 0;;) {
    const std::size_t comma = value.find(',', start);
    pieces.push_back(value.substr(start, comma - start));
    if (pieces.size() > kMaxEntries)
      Fail(key, value, "more than " + std::to_string(kMaxEntries) + " entries");
    if (comma == std::string_view::npos) return pieces;
    start = comma + 1;
  }
}

// A position in the type names: digits with an optional '+', spaces around them allowed, at most
// the largest 16-bit number.
std::size_t ParseIndex(std::string_view checked, std::string_view piece) {
  std::string_view digits = piece;
  while (!digits.empty() && digits.front() == ' ') digits.remove_prefix(1);
  while (!digits.empty() && digits.back() == ' ') digits.remove_suffix(1);
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  std::uint32_t index = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
  const bool whole =
      !digits.empty() && error == std::errc() && end == digits.data() + digits.size();
  if (!whole || index > static_cast<std::uint32_t>(std::numeric_limits<std::int16_t>::max()))
    Fail(kCheckedIndexesKey, checked,
         Quoted(piece) + " is not a position from 0 to " +
             std::to_string(std::numeric_limits<std::int16_t>::max()));
  return index;
}

}  // namespace

std::vector<std::string> GetFileTypes(platform::SettingsStore& settings) {
  const std::string types =
      settings.GetSetting(kSettingsApplication, kSettingsSection, kFileTypesKey);
  const std::string checked =
      settings.GetSetting(kSettingsApplication, kSettingsSection, kCheckedIndexesKey);
  const std::vector<std::string_view> names = SplitAtCommas(kFileTypesKey, types);
  const std::vector<std::string_view> pieces = SplitAtCommas(kCheckedIndexesKey, checked);

  // Every piece is read before any is used, so a bad one fails the call wherever it stands. An
  // empty last piece (or an empty value) leaves its position at 0: the first type name.
  std::vector<std::size_t> indexes(pieces.size(), 0);
  for (std::size_t k = 0; k < pieces.size(); ++k) {
    if (k + 1 == pieces.size() && pieces[k].empty()) break;
    indexes[k] = ParseIndex(checked, pieces[k]);
  }

  std::vector<std::string> selected;
  for (const std::size_t index : indexes) {
    if (index >= names.size() || names[index].empty()) break;
    selected.emplace_back(names[index]);
  }
  return selected;
}

}  // namespace vornick::files
