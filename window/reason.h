// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/file_system.h"

namespace vornick::window {

// Why a row was not, or would not be, renamed, as data: the window words it in the user's
// language, the command line in English (Describe).
struct Reason {
  enum class Kind : std::uint8_t {
    kNone,
    kNewNameEmpty,
    kNewNameDots,  // "." or "..", which name folders
    kNewNameSeparator,
    kNewNameZeroByte,
    kNameEmpty,
    kNameDots,
    kNameSeparator,
    kNameZeroByte,
    kNewNameHides,  // begins with "." where the name does not
    kTaken,         // a file or folder has the new name
    kNotThere,
    kPermissionDenied,
    kReadOnly,
    kTooLong,
    kDiskFull,
    kInUse,
    kNameNotAccepted,
    kListedTwice,    // the same file is in another row
    kProposedTwice,  // another row proposes the same name in the folder
    kListedAgain,    // an earlier row of the same file renames it
    kNotTheFile,     // the file at the name is not the one that was renamed
    kNoHistory,      // the history could not be written, so the file was left as it was
    kSystem,         // any other failure: `error` says what
    // The rules of the folder's file system (`system`) refuse the new name:
    kForbiddenCharacter,  // `character` may not stand in a name
    kReservedName,        // a name Windows keeps for a device
    kTrailingDotOrSpace,  // a dot or space at the end is dropped or refused
    kNotUtf8,             // bytes that are not UTF-8
    kLongerThanAllowed,   // over the file system's length limit
    kCaseUnchanged,       // the file system kept the old letter case
  };
  Kind kind = Kind::kNone;
  std::error_code error;  // the system's failure, when there was one
  platform::NameRules::System system = platform::NameRules::System::kPosix;
  char32_t character = 0;

  explicit operator bool() const noexcept { return kind != Kind::kNone; }
  bool operator==(const Reason&) const = default;
};

// Why a file named `name` may not be given `target`; none when it may.
Reason RefusalReason(std::string_view name, std::string_view target) noexcept;
// The reason for a rename that failed with `error`.
Reason FailureReason(std::error_code error) noexcept;
// Why the folder's file system, with `rules`, would refuse `target`; none when its rules take it.
Reason RuleReason(std::string_view target, const platform::NameRules& rules);
// The reason in English words; `target` is the name the file was to be given.
std::string Describe(const Reason& reason, std::string_view target);

}  // namespace vornick::window
