// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace vornick::files {

// The platform's folder separator.
inline constexpr char kSeparator = '/';

// The part after the last separator; the whole path when there is none.
std::string GetFileName(std::string_view path, char separator = kSeparator);
// The part through the last separator, which it keeps; empty when there is none.
std::string GetFolder(std::string_view path, char separator = kSeparator);

// True when `path` is a folder. Throws platform::FileSystemError when its attributes cannot be
// read; never answers false for that.
bool IsFolder(platform::FileSystem& fileSystem, const std::string& path);

// True when the date and time of `path` can be read; false on any failure. Never throws.
bool FileExists(platform::FileSystem& fileSystem, const std::string& path) noexcept;

}  // namespace vornick::files
