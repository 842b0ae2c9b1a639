// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/path_helpers.h"

namespace vornick::files {

std::string GetFileName(std::string_view path, char separator) {
  const std::size_t last = path.rfind(separator);
  return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

std::string GetFolder(std::string_view path, char separator) {
  const std::size_t last = path.rfind(separator);
  return std::string(last == std::string_view::npos ? std::string_view()
                                                    : path.substr(0, last + 1));
}

bool IsFolder(platform::FileSystem& fileSystem, const std::string& path) {
  return (fileSystem.GetAttributes(path) & platform::kAttrDirectory) != 0;
}

bool FileExists(platform::FileSystem& fileSystem, const std::string& path) noexcept {
  return fileSystem.CanReadTimes(path);
}

}  // namespace vornick::files
