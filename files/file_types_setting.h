// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing the file types: what the command line and the window write into the settings, kept in
// one place so that both always write the same. Header only: the writer itself (QSettings) is an
// adapter, handed in by the caller.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "files/file_types.h"

namespace vornick::files {

inline constexpr const char* kFileTypesKey = "FileTypes";
inline constexpr const char* kCheckedIndexesKey = "CheckedIndexes";

// Each key with the entries of its list, in the order they are written.
using SettingLists = std::vector<std::pair<std::string, std::vector<std::string>>>;
// Writes `lists` into the section of the application's settings; throws when they are not written.
using SettingListsWriter = std::function<void(
    const std::string& application, const std::string& section, const SettingLists& lists)>;

// Why `type` cannot be written as a selected type (empty when it can): it must stay one entry of
// the list, and match file names as written.
inline std::string RefusedFileType(std::string_view type) {
  const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  if (type.empty() || space(type.front()) || space(type.back()))
    return "is empty or has spaces around it";
  if (type.find(',') != std::string_view::npos) return "holds a comma: give each type on its own";
  if (type.starts_with('.')) return "begins with a dot: give the extension without it";
  return {};
}

// Selects `types`, in their order, as the file types ("All Files" first means every file): all of
// them listed under FileTypes, and every position checked. Throws FileTypesError, writing
// nothing, when there is no type or one is refused; otherwise whatever `write` throws.
inline void SetFileTypes(std::span<const std::string> types, const SettingListsWriter& write) {
  if (types.empty()) throw FileTypesError("no file type given");
  std::vector<std::string> indexes;
  for (const std::string& type : types) {
    if (const std::string why = RefusedFileType(type); !why.empty())
      throw FileTypesError("the type \"" + type + "\" " + why);
    indexes.push_back(std::to_string(indexes.size()));
  }
  write(kSettingsApplication, kSettingsSection,
        {{kFileTypesKey, {types.begin(), types.end()}}, {kCheckedIndexesKey, std::move(indexes)}});
}

}  // namespace vornick::files
