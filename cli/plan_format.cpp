// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/plan_format.h"

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

}  // namespace

void AppendEscaped(std::string& out, std::string_view field) {
  // Names seldom hold a byte to escape: the runs between such bytes are appended whole.
  std::size_t start = 0;
  for (std::size_t i = 0; i < field.size(); ++i) {
    char escape;
    switch (field[i]) {
      case '\\':
        escape = '\\';
        break;
      case '\t':
        escape = 't';
        break;
      case '\n':
        escape = 'n';
        break;
      case '\r':
        escape = 'r';
        break;
      default:
        continue;
    }
    out.append(field.data() + start, i - start).push_back('\\');
    out.push_back(escape);
    start = i + 1;
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
  if (row.FolderPath() != folder_) {
    folder_ = row.FolderPath();
    escapedFolder_.clear();
    AppendEscaped(escapedFolder_, folder_);
  }
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
  if (row.folder.empty() || row.folder.back() != files::kSeparator) {
    error = "the folder must end with \"" + std::string(1, files::kSeparator) + "\"";
    return std::nullopt;
  }
  return row;
}

}  // namespace vornick::cli
