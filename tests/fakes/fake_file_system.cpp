// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/fakes/fake_file_system.h"

#include <algorithm>
#include <stdexcept>

#include "files/name_rules.h"
#include "platform/posix/name_order.h"

namespace vornick::fakes {

using platform::FileSystemError;

namespace {

[[noreturn]] void Fail(const std::string& path, std::errc error) {
  throw FileSystemError(path, std::make_error_code(error));
}

std::vector<std::string> Components(const std::string& path) {
  if (path.empty() || path.front() != '/') Fail(path, std::errc::no_such_file_or_directory);
  std::vector<std::string> parts;
  for (std::size_t start = 1, end; start <= path.size(); start = end + 1) {
    end = std::min(path.find('/', start), path.size());
    if (end > start) parts.push_back(path.substr(start, end - start));
  }
  return parts;
}

}  // namespace

FakeFileSystem::FakeFileSystem() {
  nodes_[""].inode = 1;
}

FakeFileSystem::Node& FakeFileSystem::Make(const std::string& path, std::uint32_t attributes) {
  std::string key;
  for (const std::string& part : Components(path)) {
    key += '/' + part;
    Node& node = nodes_[key];
    if (node.inode == 0) node.inode = nodes_.size() + 1;
  }
  Node& node = nodes_.at(key);
  node.attributes = attributes;
  return node;
}

void FakeFileSystem::AddFolder(const std::string& path, std::uint32_t attributes) {
  Make(path, attributes | platform::kAttrDirectory);
}

void FakeFileSystem::AddFile(const std::string& path, std::uint32_t attributes) {
  Make(path, attributes);
}

void FakeFileSystem::AddLink(const std::string& path, const std::string& target) {
  Node& node = Make(path, 0);
  node.link = true;
  node.target = target;
}

void FakeFileSystem::SetUnreadable(const std::string& folder) {
  nodes_.at(Resolve(folder)).unreadable = true;
}

void FakeFileSystem::SetBroken(const std::string& folder) {
  nodes_.at(Resolve(folder)).broken = true;
}

std::unique_ptr<platform::FileSystem> FakeFileSystem::ForReadingAhead() {
  if (!readAhead_) return nullptr;
  auto copy = std::make_unique<FakeFileSystem>();
  copy->nodes_ = nodes_;
  return copy;
}

void FakeFileSystem::SetRules(const std::string& folder, const platform::NameRules& rules,
                              bool caseStaysOnRename) {
  Node& node = nodes_.at(Resolve(folder));
  node.rules = rules;
  node.caseStaysOnRename = caseStaysOnRename;
}

platform::NameRules FakeFileSystem::RulesOf(const std::string& folder) noexcept {
  ++rulesOfCalls_;
  try {
    return nodes_.at(Resolve(folder)).rules;
  } catch (const std::exception&) {
    return {};
  }
}

std::optional<platform::NameRules> FakeFileSystem::TreeRules(const std::string& folder) {
  const auto start = nodes_.find(Resolve(folder));
  if (start == nodes_.end()) return std::nullopt;
  const std::string below = start->first + '/';
  for (auto it = nodes_.lower_bound(below); it != nodes_.end() && it->first.starts_with(below);
       ++it) {
    const Node& node = it->second;
    if ((node.attributes & platform::kAttrDirectory) != 0 && !node.link &&
        node.rules != start->second.rules) {
      return std::nullopt;
    }
  }
  return start->second.rules;
}

std::optional<std::string> FakeFileSystem::FoldedEntry(const std::string& key,
                                                       const std::string& name) const {
  const platform::NameRules::CaseFold fold = nodes_.at(key).rules.caseFold;
  if (fold == platform::NameRules::CaseFold::kNone) return std::nullopt;
  const std::string wanted = files::FoldKey(name, fold);
  for (auto it = nodes_.lower_bound(key + '/');
       it != nodes_.end() && it->first.starts_with(key + '/'); ++it) {
    const std::string entry = it->first.substr(key.size() + 1);
    if (entry.find('/') == std::string::npos && files::FoldKey(entry, fold) == wanted)
      return it->first;
  }
  return std::nullopt;
}

std::string FakeFileSystem::Resolve(const std::string& path, bool followLast, int hops) const {
  const std::vector<std::string> parts = Components(path);
  std::string key;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (!(nodes_.at(key).attributes & platform::kAttrDirectory))
      Fail(path, std::errc::not_a_directory);
    const std::string parent = key;
    key += '/' + parts[i];
    auto found = nodes_.find(key);
    if (found == nodes_.end()) {
      const std::optional<std::string> folded = FoldedEntry(parent, parts[i]);
      if (!folded) Fail(path, std::errc::no_such_file_or_directory);
      key = *folded;
      found = nodes_.find(key);
    }
    if (found->second.link && (followLast || i + 1 < parts.size())) {
      if (++hops > 40) Fail(path, std::errc::too_many_symbolic_link_levels);
      key = Resolve(found->second.target, true, hops);
    }
  }
  const Node& last = nodes_.at(key);
  if (path.back() == '/' && !(last.attributes & platform::kAttrDirectory) && !last.link)
    Fail(path, std::errc::not_a_directory);
  return key;
}

std::uint32_t FakeFileSystem::AttributesOf(const std::string& key) const {
  const Node& node = nodes_.at(key);
  if (!node.link) return node.attributes;
  try {
    return nodes_.at(Resolve(key)).attributes | platform::kAttrLink;
  } catch (const FileSystemError&) {
    return platform::kAttrSystem | platform::kAttrLink;  // a dangling link or a loop
  }
}

std::uint32_t FakeFileSystem::GetAttributes(const std::string& path) {
  return AttributesOf(Resolve(path, false));
}

bool FakeFileSystem::CanReadTimes(const std::string& path) noexcept {
  ++canReadTimesCalls_;
  try {
    return nodes_.contains(Resolve(path));
  } catch (const FileSystemError&) {
    return false;
  }
}

std::vector<platform::FolderEntry> FakeFileSystem::ReadFolder(const std::string& folder) {
  ++readFolderCalls_;
  const std::string key = Resolve(folder);
  const Node& node = nodes_.at(key);
  if (!(node.attributes & platform::kAttrDirectory)) Fail(folder, std::errc::not_a_directory);
  if (node.unreadable) Fail(folder, std::errc::permission_denied);
  if (node.broken) throw std::length_error("folder listing");
  std::vector<platform::FolderEntry> entries;
  for (auto it = nodes_.lower_bound(key + '/');
       it != nodes_.end() && it->first.starts_with(key + '/'); ++it) {
    const std::string name = it->first.substr(key.size() + 1);
    if (name.find('/') == std::string::npos) entries.push_back({name, AttributesOf(it->first)});
  }
  std::sort(entries.begin(), entries.end(),
            [](const auto& a, const auto& b) { return platform::NameOrderLess(a.name, b.name); });
  return entries;
}

platform::FileIdentity FakeFileSystem::GetIdentity(const std::string& path) {
  const std::lock_guard lock(mutex_);
  const auto found = nodes_.find(Resolve(path));
  if (found == nodes_.end()) Fail(path, std::errc::no_such_file_or_directory);
  return {1, found->second.inode, 0};
}

std::error_code FakeFileSystem::Rename(const std::string& from, const std::string& to) noexcept {
  const std::lock_guard lock(mutex_);
  ++renameCalls_;
  try {
    // The key of a path's folder, links followed, and the path's last name.
    const auto split = [this](const std::string& path) {
      const std::size_t slash = path.rfind('/');
      if (slash == std::string::npos) Fail(path, std::errc::no_such_file_or_directory);
      return std::pair{Resolve(path.substr(0, slash + 1)), path.substr(slash + 1)};
    };
    const auto [sourceFolder, sourceName] = split(from);
    const auto [targetFolder, targetName] = split(to);
    std::string source = sourceFolder + '/' + sourceName;
    const std::string target = targetFolder + '/' + targetName;
    if (!sourceName.empty() && !nodes_.contains(source)) {
      // The folder's case rule finds the source under another case, as a look-up would.
      if (const std::optional<std::string> folded = FoldedEntry(sourceFolder, sourceName))
        source = *folded;
    }
    if (sourceName.empty() || !nodes_.contains(source))
      return std::make_error_code(std::errc::no_such_file_or_directory);
    if (targetName.empty() || targetName == "." || targetName == "..")
      return std::make_error_code(std::errc::invalid_argument);
    const Node& folder = nodes_.at(targetFolder);
    switch (files::FirstBreach(targetName, folder.rules).kind) {
      case files::Breach::Kind::kNone:
        break;
      case files::Breach::Kind::kNotUtf8:
        return std::make_error_code(std::errc::illegal_byte_sequence);
      case files::Breach::Kind::kTooLong:
        return std::make_error_code(std::errc::filename_too_long);
      default:
        return std::make_error_code(std::errc::invalid_argument);
    }
    if (target != source && nodes_.contains(target))
      return std::make_error_code(std::errc::file_exists);
    if (const std::optional<std::string> folded = FoldedEntry(targetFolder, targetName)) {
      if (*folded != source) return std::make_error_code(std::errc::file_exists);
      if (folder.caseStaysOnRename) return {};
    }
    auto node = nodes_.extract(source);  // files only: nothing below it moves
    node.key() = target;
    nodes_.insert(std::move(node));
    return {};
  } catch (const FileSystemError& error) {
    return error.Error();
  } catch (const std::exception&) {
    return std::make_error_code(std::errc::not_enough_memory);
  }
}

}  // namespace vornick::fakes
