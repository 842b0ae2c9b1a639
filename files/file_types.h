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
// The extensions (without their dot, lower case) of the audio files a music library usually holds:
// what the file dialogs offer as music, and what a folder's count of files not taken looks at.
inline constexpr const char* kMusicTypes[] = {"mp3", "flac", "ogg", "oga",  "opus", "m4a", "aac",
                                              "wav", "wma",  "aif", "aiff", "ape",  "wv",  "mpc"};

// A malformed "CheckedIndexes" (or too many pieces); the message names the bad value.
class FileTypesError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The selected file-type names, in the order of the selected positions, up to (not including) the
// first empty entry. "All Files" in the first entry means every file. Reads the settings anew.
std::vector<std::string> GetFileTypes(platform::SettingsStore& settings);

}  // namespace vornick::files
