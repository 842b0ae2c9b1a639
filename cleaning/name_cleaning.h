// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

// The chain of text rules that turns a file's current name into the proposed one. Names are the
// file system's bytes: a character is one UTF-8 sequence, or one byte outside any valid sequence
// (such bytes are non-letters and pass through unchanged); positions count characters from 1.
namespace vornick::cleaning {

// Raised for a name that cannot be cleaned: its first character is a dash once bad characters are
// gone and underscores are spaces.
class NameCleaningError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// The proposed name for `name`; throws NameCleaningError as above.
std::string CleanFileName(std::string_view name);
// The same into `out`, whose contents it replaces: with the capacity `out` has, most names need no
// allocation. After a throw the contents of `out` are unspecified.
void CleanFileName(std::string_view name, std::string& out);

// The steps, in the order CleanFileName runs them.
std::string RemoveBadChars(std::string_view text);
std::string UnderscoresToSpaces(std::string_view text);
std::string SpaceDashes(std::string_view text);        // throws NameCleaningError
std::string FindCapsPositions(std::string_view text);  // e.g. "1,2,23,24,"
std::string ProperCaseName(std::string_view text);
std::string CapitalizeAfterParen(std::string_view text);
std::string RestoreCaps(std::string_view text, std::string_view capsPositions);

// True when every character is one of A-Z, a-z; true for the empty text.
bool IsLettersOnly(std::string_view text) noexcept;

// Non-overlapping occurrences of `find` in `text`, left to right: the number of pieces `find`
// splits `text` into, less one. The empty text has no pieces (-1); an empty `find` gives 0.
long long CountOccurrences(std::string_view text, std::string_view find, bool caseSensitive);

}  // namespace vornick::cleaning
