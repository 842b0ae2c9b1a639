#include "tests/fakes/fake_file_system.h"

#include <algorithm>
#include <stdexcept>

namespace vornick::fakes {

using platform::FileSystemError;

struct FakeFileSystem::Node {
  bool folder = false;
  bool link = false;
  std::string target;  // where a link leads
  std::uint32_t attributes = 0;
  std::uint64_t inode = 0;
  bool unreadable = false;
  std::map<std::string, std::unique_ptr<Node>, platform::NameOrder> children;
};

namespace {

constexpr int kMaxLinkHops = 40;

[[noreturn]] void Fail(const std::string& path, std::errc error) {
  throw FileSystemError(path, std::make_error_code(error));
}

std::vector<std::string> Components(const std::string& path) {
  if (path.empty() || path.front() != '/') Fail(path, std::errc::no_such_file_or_directory);
  std::vector<std::string> parts;
  std::size_t start = 1;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::string WithoutTrailingSeparator(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool EqualFolded(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return fold(x) == fold(y);
  });
}

}  // namespace

FakeFileSystem::FakeFileSystem() : root_(std::make_unique<Node>()) {
  root_->folder = true;
  root_->attributes = platform::kAttrDirectory;
  root_->inode = nextInode_++;
}

FakeFileSystem::~FakeFileSystem() = default;

FakeFileSystem::Node* FakeFileSystem::Make(const std::string& path, bool folder,
                                           std::uint32_t attributes) {
  const std::vector<std::string> parts = Components(path);
  if (parts.empty()) throw std::logic_error("FakeFileSystem: cannot add the root");
  Node* node = root_.get();
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const bool last = i + 1 == parts.size();
    Node* child = Find(node, parts[i]);
    if (child == nullptr) {
      auto made = std::make_unique<Node>();
      made->folder = !last || folder;
      made->attributes = last ? attributes : platform::kAttrDirectory;
      made->inode = nextInode_++;
      child = made.get();
      node->children.emplace(parts[i], std::move(made));
    } else if (last) {
      if (child->link || child->folder != folder)
        throw std::logic_error("FakeFileSystem: " + path + " exists as another kind");
      child->attributes = attributes;
    }
    if (!last) {
      int hops = 0;
      child = Follow(child, path, hops);
      if (!child->folder) throw std::logic_error("FakeFileSystem: " + path + " under a file");
    }
    node = child;
  }
  return node;
}

void FakeFileSystem::AddFolder(const std::string& path, std::uint32_t attributes) {
  Make(path, true, attributes | platform::kAttrDirectory);
}

void FakeFileSystem::AddFile(const std::string& path, std::uint32_t attributes) {
  Make(path, false, attributes);
}

void FakeFileSystem::AddLink(const std::string& path, const std::string& target) {
  Node* node = Make(WithoutTrailingSeparator(path), false, 0);
  node->link = true;
  node->target = target;
}

void FakeFileSystem::SetUnreadable(const std::string& folder, bool unreadable) {
  Resolve(folder)->unreadable = unreadable;
}

void FakeFileSystem::SetAttributesUnreadable(const std::string& path, bool unreadable) {
  if (unreadable) {
    attributesUnreadable_.insert(WithoutTrailingSeparator(path));
  } else {
    attributesUnreadable_.erase(WithoutTrailingSeparator(path));
  }
}

void FakeFileSystem::FailRename(const std::string& from, std::error_code error) {
  renameErrors_[from] = error;
}

FakeFileSystem::Node* FakeFileSystem::Find(Node* folder, std::string_view name) const {
  if (!caseInsensitive_) {
    const auto found = folder->children.find(name);
    return found == folder->children.end() ? nullptr : found->second.get();
  }
  for (auto& [key, child] : folder->children) {
    if (EqualFolded(key, name)) return child.get();
  }
  return nullptr;
}

FakeFileSystem::Node* FakeFileSystem::Follow(Node* node, const std::string& path, int& hops) const {
  while (node->link) {
    if (++hops > kMaxLinkHops) Fail(path, std::errc::too_many_symbolic_link_levels);
    const std::vector<std::string> parts = Components(node->target);
    node = root_.get();
    for (const std::string& part : parts) {
      if (!node->folder) Fail(path, std::errc::not_a_directory);
      node = Find(node, part);
      if (node == nullptr) Fail(path, std::errc::no_such_file_or_directory);
      node = Follow(node, path, hops);
    }
  }
  return node;
}

FakeFileSystem::Node* FakeFileSystem::Resolve(const std::string& path, bool followLast) const {
  const std::vector<std::string> parts = Components(path);
  Node* node = root_.get();
  int hops = 0;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (!node->folder) Fail(path, std::errc::not_a_directory);
    node = Find(node, parts[i]);
    if (node == nullptr) Fail(path, std::errc::no_such_file_or_directory);
    if (followLast || i + 1 < parts.size()) node = Follow(node, path, hops);
  }
  if (path.back() == '/' && !node->folder && !node->link) Fail(path, std::errc::not_a_directory);
  return node;
}

FakeFileSystem::Parent FakeFileSystem::SplitParent(const std::string& path) const {
  const std::string trimmed = WithoutTrailingSeparator(path);
  const std::size_t slash = trimmed.rfind('/');
  if (slash == std::string::npos) Fail(path, std::errc::no_such_file_or_directory);
  Node* folder = Resolve(trimmed.substr(0, slash + 1));
  if (!folder->folder) Fail(path, std::errc::not_a_directory);
  return {folder, trimmed.substr(slash + 1)};
}

std::uint32_t FakeFileSystem::AttributesOf(Node* node, const std::string& path) const {
  if (!node->link) return node->attributes;
  try {
    int hops = 0;
    return Follow(node, path, hops)->attributes | platform::kAttrLink;
  } catch (const FileSystemError&) {
    return platform::kAttrSystem | platform::kAttrLink;  // a dangling link
  }
}

bool FakeFileSystem::Exists(const std::string& path) const {
  try {
    Resolve(path);
    return true;
  } catch (const FileSystemError&) {
    return false;
  }
}

std::vector<std::string> FakeFileSystem::Names(const std::string& folder) const {
  std::vector<std::string> names;
  try {
    for (const auto& entry : Resolve(folder)->children) names.push_back(entry.first);
  } catch (const FileSystemError&) {
  }
  return names;
}

std::uint32_t FakeFileSystem::GetAttributes(const std::string& path) {
  if (attributesUnreadable_.contains(WithoutTrailingSeparator(path)))
    Fail(path, std::errc::permission_denied);
  return AttributesOf(Resolve(path, false), path);
}

bool FakeFileSystem::CanReadTimes(const std::string& path) noexcept {
  if (attributesUnreadable_.contains(WithoutTrailingSeparator(path))) return false;
  return Exists(path);
}

std::vector<platform::FolderEntry> FakeFileSystem::ReadFolder(const std::string& folder,
                                                              platform::FileIdentity* identity) {
  ++readFolderCalls_;
  readFolderLog_.push_back(folder);
  ++openListings_;
  maxOpenListings_ = std::max(maxOpenListings_, openListings_);
  struct Close {
    int& open;
    ~Close() { --open; }
  } close{openListings_};

  const Node* node = Resolve(folder);
  if (!node->folder) Fail(folder, std::errc::not_a_directory);
  if (node->unreadable) Fail(folder, std::errc::permission_denied);
  if (identity != nullptr) *identity = {1, node->inode};
  std::vector<platform::FolderEntry> entries;
  for (const auto& [name, child] : node->children)
    entries.push_back({name, AttributesOf(child.get(), folder + name)});
  return entries;
}

platform::FileIdentity FakeFileSystem::GetIdentity(const std::string& path) {
  if (attributesUnreadable_.contains(WithoutTrailingSeparator(path)))
    Fail(path, std::errc::permission_denied);
  return {1, Resolve(path)->inode};
}

std::error_code FakeFileSystem::Rename(const std::string& from, const std::string& to) noexcept {
  try {
    if (const auto failure = renameErrors_.find(from); failure != renameErrors_.end())
      return failure->second;
    const Parent source = SplitParent(from);
    Node* moving = Find(source.folder, source.name);
    if (moving == nullptr) return std::make_error_code(std::errc::no_such_file_or_directory);
    const Parent target = SplitParent(to);
    if (target.name.empty() || target.name == "." || target.name == "..")
      return std::make_error_code(std::errc::invalid_argument);
    const Node* existing = Find(target.folder, target.name);
    if (existing != nullptr && existing != moving)
      return std::make_error_code(std::errc::file_exists);

    auto& children = source.folder->children;
    const auto held = std::find_if(children.begin(), children.end(), [moving](const auto& entry) {
      return entry.second.get() == moving;
    });
    std::unique_ptr<Node> node = std::move(held->second);
    children.erase(held);
    target.folder->children.emplace(target.name, std::move(node));
    renames_.emplace_back(from, to);
    return {};
  } catch (const FileSystemError& error) {
    return error.Error();
  } catch (const std::bad_alloc&) {
    return std::make_error_code(std::errc::not_enough_memory);
  }
}

}  // namespace vornick::fakes
