// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/plan_format.h"

#include <cstdint>
#include <cstring>

#include "files/path_helpers.h"

namespace vornick::cli {
namespace {

// Undoes EscapeField; false for a backslash that starts no known escape.
bool UnescapeField(std::string_view field, std::string& out) {
  out.clear();
  out.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\') {
      out.push_back(field[i]);
      continue;
    }
    if (++i == field.size()) return false;
    switch (field[i]) {
      case '\\':
        out.push_back('\\');
        break;
      case 't':
        out.push_back('\t');
        break;
      case 'n':
        out.push_back('\n');
        break;
      case 'r':
        out.push_back('\r');
        break;
      default:
        return false;
    }
  }
  return true;
}

// The letter that stands for `c` after a backslash; 0 when `c` stands for itself.
char EscapeOf(char c) noexcept {
  switch (c) {
    case '\\':
      return '\\';
    case '\t':
      return 't';
    case '\n':
      return 'n';
    case '\r':
      return 'r';
    default:
      return 0;
  }
}

// Whether one of the eight bytes of `word` may be one to escape: a byte below 0x20 or a
// backslash. It may also say so of a byte beside one that is, never of a word without one.
bool MayNeedEscape(std::uint64_t word) noexcept {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  const std::uint64_t backslashes = word ^ (kOnes * '\\');
  return ((((word - kOnes * 0x20) & ~word) | ((backslashes - kOnes) & ~backslashes)) &
          (kOnes * 0x80)) != 0;
}

}  // namespace

void AppendEscaped(std::string& out, std::string_view field) {
  // Names seldom hold a byte to escape: eight bytes are passed over at once while none of them
  // may be one, and the runs between such bytes are appended whole.
  std::size_t start = 0;
  for (std::size_t i = 0; i < field.size();) {
    if (i + 8 <= field.size()) {
      std::uint64_t word;
      std::memcpy(&word, field.data() + i, sizeof word);
      if (!MayNeedEscape(word)) {
        i += 8;
        continue;
      }
    }
    const char escape = EscapeOf(field[i++]);
    if (escape == 0) continue;
    out.append(field.data() + start, i - 1 - start).push_back('\\');
    out.push_back(escape);
    start = i;
  }
  out.append(field.data() + start, field.size() - start);
}

std::string EscapeField(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  AppendEscaped(out, field);
  return out;
}

void PlanRowWriter::Append(std::string& out, bool checked, const window::RenameEntry& row) {
  // Rows of a folder share one copy of its path: the copy tells the folder mostly.
  if (row.Folder.data() != lastFolder_ && row.Folder != folder_) {
    folder_ = row.Folder;
    escapedFolder_.clear();
    AppendEscaped(escapedFolder_, folder_);
  }
  lastFolder_ = row.Folder.data();
  out.push_back(checked ? '1' : '0');
  out.push_back('\t');
  AppendEscaped(out, row.CurrentName);
  out.push_back('\t');
  AppendEscaped(out, row.NewName);
  out.push_back('\t');
  out.append(escapedFolder_).push_back('\n');
}

std::optional<PlanRow> ParsePlanLine(std::string_view line, std::string& error) {
  std::string_view fields[4];
  std::size_t count = 0;
  for (std::size_t start = 0;; ++count) {
    const std::size_t tab = line.find('\t', start);
    if (count < 4) fields[count] = line.substr(start, tab - start);
    if (tab == std::string_view::npos) break;
    start = tab + 1;
  }
  if (count != 3) {
    error = "expected 4 fields separated by tabs, found " + std::to_string(count + 1);
    return std::nullopt;
  }
  PlanRow row;
  if (fields[0] != "0" && fields[0] != "1") {
    error = "the first field must be 1 (checked) or 0";
    return std::nullopt;
  }
  row.checked = fields[0] == "1";
  if (!UnescapeField(fields[1], row.current) || !UnescapeField(fields[2], row.proposed) ||
      !UnescapeField(fields[3], row.folder)) {
    error = "a backslash must be followed by \\, t, n or r";
    return std::nullopt;
  }
  // No file name holds a NUL byte, and the list keeps its names ended by one.
  for (const std::string* field : {&row.current, &row.proposed, &row.folder}) {
    if (field->find('\0') != std::string::npos) {
      error = "a name or folder cannot hold a NUL byte";
      return std::nullopt;
    }
  }
  if (row.folder.empty() || row.folder.back() != files::kSeparator) {
    error = "the folder must end with \"" + std::string(1, files::kSeparator) + "\"";
    return std::nullopt;
  }
  return row;
}

}  // namespace vornick::cli
