// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/file_renamer.h"

#include <algorithm>
#include <vector>

#include "files/name_rules.h"

namespace vornick::window {

using platform::NameRules;

Reason RenameFailureReason(platform::FileSystem& fileSystem, const std::string& from,
                           std::error_code error) {
  if (error == std::errc::no_such_file_or_directory && fileSystem.CanReadTimes(from)) {
    return {Reason::Kind::kNameNotAccepted, error};
  }
  return FailureReason(error);
}

std::string CaseStepName(const platform::FileIdentity& identity) {
  return ".vornick-case-" + std::to_string(identity.inode);
}

bool CaseOnly(std::string_view a, std::string_view b) {
  // Asked after every rename: most pairs part at their first characters, so no key is built.
  return a != b && files::SameFoldKey(a, b, NameRules::CaseFold::kUnicode);
}

const NameRules& FileRenamer::Rules(std::string_view folder) {
  if (!haveRules_ || folder != rulesFolder_) {
    rules_ = fileSystem_.RulesOf(std::string(folder));
    rulesFolder_ = folder;
    haveRules_ = true;
  }
  return rules_;
}

bool FolderShows(platform::FileSystem& fileSystem, const std::string& folder,
                 std::string_view name) {
  try {
    const std::vector<platform::FolderEntry> entries = fileSystem.ReadFolder(folder);
    return std::any_of(entries.begin(), entries.end(),
                       [name](const platform::FolderEntry& entry) { return entry.name == name; });
  } catch (const platform::FileSystemError&) {
    return true;  // nothing to go by: the rename's own answer stands
  }
}

Reason FileRenamer::Rename(std::string_view folder, std::string_view name,
                           std::string_view target) {
  from_.assign(folder).append(name);
  to_.assign(folder).append(target);
  if (const std::error_code error = fileSystem_.Rename(from_, to_)) {
    Reason reason = RenameFailureReason(fileSystem_, from_, error);
    // A name refused is worded by the rule it breaks, where the folder's rules tell one.
    if (reason.kind == Reason::Kind::kNameNotAccepted || reason.kind == Reason::Kind::kTooLong ||
        reason.kind == Reason::Kind::kSystem) {
      if (Reason rule = RuleReason(target, Rules(folder))) {
        rule.error = error;
        return rule;
      }
    }
    return reason;
  }
  // Some file systems that ignore case answer a change of case alone with success and keep the
  // old name.
  if (!CaseOnly(name, target)) return {};
  const NameRules& rules = Rules(folder);
  if (rules.caseFold == NameRules::CaseFold::kNone ||
      FolderShows(fileSystem_, std::string(folder), target)) {
    return {};
  }
  return ChangeCase(folder, rules);
}

// Takes the file at from_ to to_ through a name of another spelling, then reads the folder back.
Reason FileRenamer::ChangeCase(std::string_view folder, const NameRules& rules) {
  const Reason unchanged{Reason::Kind::kCaseUnchanged, {}, rules.system};
  std::string step;
  try {
    step = std::string(folder) + CaseStepName(fileSystem_.GetIdentity(from_));
  } catch (const platform::FileSystemError& error) {
    return FailureReason(error.Error());
  }
  if (fileSystem_.Rename(from_, step)) return unchanged;
  if (const std::error_code error = fileSystem_.Rename(step, to_)) {
    // Back to where it was; should that fail too, taking the batch back finds it at the step.
    fileSystem_.Rename(step, from_);
    return FailureReason(error);
  }
  const std::string_view target = std::string_view(to_).substr(folder.size());
  if (!FolderShows(fileSystem_, std::string(folder), target)) return unchanged;
  return {};
}

}  // namespace vornick::window
