// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

namespace vornick::window {

// A hash of a name, taken eight bytes at a time: every name of a load is hashed. With `foldCase`,
// A-Z hash as a-z (only those), as a file system that ignores case compares names.
std::uint64_t HashName(std::string_view name, bool foldCase) noexcept;

}  // namespace vornick::window
