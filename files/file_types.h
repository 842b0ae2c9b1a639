// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/settings_store.h"

namespace vornick::files {

inline constexpr const char* kSettingsApplication = "Plomberg";
inline constexpr const char* kSettingsSection = "1.0";
inline constexpr const char* kAllFiles = "All Files";

// A malformed "CheckedIndexes" (or too many pieces); the message names the bad value.
class FileTypesError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The selected file-type names, in the order of the selected positions, up to (not including) the
// first empty entry. "All Files" in the first entry means every file. Reads the settings anew.
std::vector<std::string> GetFileTypes(platform::SettingsStore& settings);

}  // namespace vornick::files
