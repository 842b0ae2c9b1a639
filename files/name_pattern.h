// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vornick::files {

// True when `name` matches the file pattern: '*' stands for any run of characters, '?' for one
// character (one UTF-8 sequence, or one byte outside any), ASCII letters match without regard to
// case, every other byte only itself; "*.*" matches every name. Brackets and backslashes are
// ordinary characters, as in the patterns the commands build from file-type names.
bool MatchesPattern(std::string_view pattern, std::string_view name) noexcept;

// A file pattern made ready once for matching the many names of a load, as MatchesPattern does.
class NamePattern {
 public:
  explicit NamePattern(std::string pattern);
  bool Matches(std::string_view name) const noexcept;
  const std::string& Text() const noexcept { return pattern_; }

 private:
  std::string pattern_;
  // For "*" and a plain ASCII-led ending (the usual "*.mp3"): the ending, A-Z made a-z.
  std::optional<std::string> ending_;
};

}  // namespace vornick::files
