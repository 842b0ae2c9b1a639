// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "window/rename_list.h"

// The plan: one line per row, "checked<TAB>current<TAB>proposed<TAB>folder", checked being 1 or 0.
// In each field a backslash is written "\\", a tab "\t", a line feed "\n", a carriage return "\r";
// every other byte stands as it is. A folder ends with its separator.
namespace vornick::cli {

struct PlanRow {
  bool checked = false;
  std::string current;
  std::string proposed;
  std::string folder;
};

std::string EscapeField(std::string_view field);
void AppendEscaped(std::string& out, std::string_view field);

// Appends lines of the plan to a block, so that a whole plan can be written in large blocks; the
// folder that rows share is escaped once for them all.
class PlanRowWriter {
 public:
  void Append(std::string& out, bool checked, const window::RenameEntry& row);

 private:
  std::string folder_, escapedFolder_;
  const char* lastFolder_ = nullptr;
};

// One line of a plan, without its line feed; nullopt, with `error` set, when it is malformed.
std::optional<PlanRow> ParsePlanLine(std::string_view line, std::string& error);

}  // namespace vornick::cli
