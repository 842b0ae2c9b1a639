// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace vornick::files {

// True when `name` matches the file pattern: '*' stands for any run of characters, '?' for one
// character (one UTF-8 sequence, or one byte outside any), ASCII letters match without regard to
// case, every other byte only itself; "*.*" matches every name. Brackets and backslashes are
// ordinary characters, as in the patterns the commands build from file-type names.
bool MatchesPattern(std::string_view pattern, std::string_view name) noexcept;

}  // namespace vornick::files
