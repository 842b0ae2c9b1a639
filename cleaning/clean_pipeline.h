// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The pipeline mostly in one pass over the bytes, giving what the steps of name_cleaning.h give
// when run one after another.
namespace vornick::cleaning::detail {

// CleanFileName(name, out).
void Clean(std::string_view name, std::string& out);

// Bad characters removed, underscores made spaces, dashes spaced, into `out`. Throws
// NameCleaningError when a dash comes first.
void RemoveAndSpace(std::string_view name, std::string& out);

bool IsBadChar(char c) noexcept;

}  // namespace vornick::cleaning::detail
