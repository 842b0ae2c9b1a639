// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <system_error>

namespace vornick::platform {

// A fresh folder under /tmp for one test, removed with everything in it afterwards (links are
// removed, not followed).
class TempFolder {
 public:
  TempFolder() {
    std::string name = "/tmp/vornick-test-XXXXXX";
    if (::mkdtemp(name.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = name + "/";
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder's path, ending with '/'.
  const std::string& Path() const noexcept { return path_; }

  // Writes a file below the folder (its parent folders made as needed); returns its full path.
  std::string Write(const std::string& relative, const std::string& content = "") const {
    const std::string full = path_ + relative;
    std::filesystem::create_directories(std::filesystem::path(full).parent_path());
    std::ofstream(full, std::ios::binary) << content;
    return full;
  }

 private:
  std::string path_;
};

// The whole content of a file, or "(missing)".
inline std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "(missing)";
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every file below `folder`, by its path relative to the folder, with its content.
inline std::map<std::string, std::string> Contents(const TempFolder& folder) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path())) {
    if (entry.is_regular_file())
      contents[entry.path().lexically_relative(folder.Path())] = ReadWhole(entry.path());
  }
  return contents;
}

}  // namespace vornick::platform
