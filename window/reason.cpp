// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/reason.h"

#include <cstdio>

#include "files/name_rules.h"
#include "files/path_helpers.h"

namespace vornick::window {
namespace {

using Kind = Reason::Kind;

// The first problem of `name` as a file's name in its folder, as one of the four kinds that start
// at `empty`; kNone when there is none.
Kind NameProblem(std::string_view name, Kind empty) noexcept {
  const auto offset = [empty](int by) { return static_cast<Kind>(static_cast<int>(empty) + by); };
  if (name.empty()) return empty;
  if (name == "." || name == "..") return offset(1);
  if (name.find(files::kSeparator) != std::string_view::npos) return offset(2);
  if (name.find('\0') != std::string_view::npos) return offset(3);
  return Kind::kNone;
}

}  // namespace

Reason RefusalReason(std::string_view name, std::string_view target) noexcept {
  if (const Kind problem = NameProblem(target, Kind::kNewNameEmpty); problem != Kind::kNone) {
    return {problem, {}};
  }
  if (const Kind problem = NameProblem(name, Kind::kNameEmpty); problem != Kind::kNone) {
    return {problem, {}};
  }
  if (target.front() == '.' && name.front() != '.') return {Kind::kNewNameHides, {}};
  return {};
}

Reason FailureReason(std::error_code error) noexcept {
  const auto is = [error](std::errc code) { return error == code; };
  Kind kind = Kind::kSystem;
  if (is(std::errc::file_exists) || is(std::errc::directory_not_empty) ||
      is(std::errc::is_a_directory)) {
    kind = Kind::kTaken;
  } else if (is(std::errc::no_such_file_or_directory)) {
    kind = Kind::kNotThere;
  } else if (is(std::errc::permission_denied) || is(std::errc::operation_not_permitted)) {
    kind = Kind::kPermissionDenied;
  } else if (is(std::errc::read_only_file_system)) {
    kind = Kind::kReadOnly;
  } else if (is(std::errc::filename_too_long)) {
    kind = Kind::kTooLong;
  } else if (is(std::errc::no_space_on_device)) {
    kind = Kind::kDiskFull;
  } else if (is(std::errc::device_or_resource_busy)) {
    kind = Kind::kInUse;
  } else if (is(std::errc::invalid_argument) || is(std::errc::illegal_byte_sequence)) {
    kind = Kind::kNameNotAccepted;
  }
  return {kind, error};
}

Reason RuleReason(std::string_view target, const platform::NameRules& rules) {
  const files::Breach breach = files::FirstBreach(target, rules);
  Kind kind = Kind::kNone;
  switch (breach.kind) {
    case files::Breach::Kind::kNone:
      return {};
    case files::Breach::Kind::kCharacter:
      kind = Kind::kForbiddenCharacter;
      break;
    case files::Breach::Kind::kReserved:
      kind = Kind::kReservedName;
      break;
    case files::Breach::Kind::kTrailingDotSpace:
      kind = Kind::kTrailingDotOrSpace;
      break;
    case files::Breach::Kind::kNotUtf8:
      kind = Kind::kNotUtf8;
      break;
    case files::Breach::Kind::kTooLong:
      kind = Kind::kLongerThanAllowed;
      break;
  }
  return {kind, {}, rules.system, breach.character};
}

static std::string CharacterWords(char32_t character) {
  if (character >= 0x20 && character < 0x7F) {
    return "'" + std::string(1, static_cast<char>(character)) + "'";
  }
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
  return std::string("the control character ") + code;
}

std::string Describe(const Reason& reason, std::string_view target) {
  // Asked for every row of a preview, most of which have no reason: the name is quoted only when
  // the words need it.
  const auto quoted = [target] { return "\"" + std::string(target) + "\""; };
  const auto system = [&reason] {
    const std::string_view name = files::SystemName(reason.system);
    return name.empty() ? std::string("the disk") : std::string(name);
  };
  switch (reason.kind) {
    case Kind::kNone:
      return {};
    case Kind::kNewNameEmpty:
      return "the new name is empty";
    case Kind::kNewNameDots:
      return "the new name is \".\" or \"..\", which name folders";
    case Kind::kNewNameSeparator:
      return "the new name holds a folder separator";
    case Kind::kNewNameZeroByte:
      return "the new name holds a zero byte";
    case Kind::kNameEmpty:
      return "the name is empty";
    case Kind::kNameDots:
      return "the name is \".\" or \"..\", which name folders";
    case Kind::kNameSeparator:
      return "the name holds a folder separator";
    case Kind::kNameZeroByte:
      return "the name holds a zero byte";
    case Kind::kNewNameHides:
      return "the new name begins with \".\", which would hide the file";
    case Kind::kTaken:
      return "a file or folder named " + quoted() + " is there already";
    case Kind::kNotThere:
      return "the file is not there";
    case Kind::kPermissionDenied:
      return "permission denied";
    case Kind::kReadOnly:
      return "the disk is read-only";
    case Kind::kTooLong:
      return "the new name is too long";
    case Kind::kDiskFull:
      return "the disk is full";
    case Kind::kInUse:
      return "the file is in use";
    case Kind::kNameNotAccepted:
      return "the disk does not accept the name " + quoted();
    case Kind::kListedTwice:
      return "the same file is listed in another row";
    case Kind::kProposedTwice:
      return "another row proposes the same name in this folder";
    case Kind::kListedAgain:
      return "listed again above; renamed with that row";
    case Kind::kNotTheFile:
      return "the file there now is not the one that was renamed";
    case Kind::kNoHistory:
      return "the history could not be written: " + reason.error.message();
    case Kind::kSystem:
      return reason.error.message();
    case Kind::kForbiddenCharacter:
      return system() + " does not allow " + CharacterWords(reason.character) + " in names";
    case Kind::kReservedName:
      return system() + " does not allow a name that begins \"" +
             std::string(target.substr(0, target.find('.'))) + "\": Windows keeps it for a device";
    case Kind::kTrailingDotOrSpace:
      return system() + " drops or refuses a dot or space at the end of a name";
    case Kind::kNotUtf8:
      return system() + " does not allow names that are not UTF-8";
    case Kind::kLongerThanAllowed:
      return reason.system == platform::NameRules::System::kPosix ||
                     reason.system == platform::NameRules::System::kUnknown
                 ? "the new name is longer than the disk allows"
                 : "the new name is longer than " + system() + " allows";
    case Kind::kCaseUnchanged:
      return system() + " kept the name's old letter case";
  }
  return {};
}

}  // namespace vornick::window
