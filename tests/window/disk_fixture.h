#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "tests/platform/temp_folder.h"

namespace vornick::window {

using platform::TempFolder;

// Every file below `folder`, by its path relative to the folder, with its content.
inline std::map<std::string, std::string> Contents(const TempFolder& folder) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path())) {
    if (!entry.is_regular_file()) continue;
    contents[entry.path().lexically_relative(folder.Path()).string()] =
        platform::ReadWhole(entry.path().string());
  }
  return contents;
}

}  // namespace vornick::window
