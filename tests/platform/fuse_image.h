// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "tests/platform/temp_folder.h"

namespace vornick::platform {

// `text` as one word for the shell.
inline std::string ShellQuoted(std::string_view text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Runs a shell command quietly; true when it succeeds.
inline bool RunQuietly(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

// Why images cannot be put on loop devices and mounted with FUSE here, using `tools`; empty when
// they can.
inline std::string WhyNoLoopMounts(std::initializer_list<const char*> tools) {
  if (::geteuid() != 0) return "a loop device needs root";
  if (::access("/dev/loop-control", R_OK | W_OK) != 0) return "no usable /dev/loop-control";
  if (::access("/dev/fuse", R_OK | W_OK) != 0) return "no usable /dev/fuse";
  for (const char* tool : tools)
    if (!RunQuietly(std::string("command -v ") + tool)) return std::string(tool) + " is missing";
  return {};
}

// An image file on a loop device, mounted at most once at a time; unmounted and detached when it
// goes, whatever the test came to.
class LoopImage {
 public:
  explicit LoopImage(std::string path) : path_(std::move(path)) {}
  ~LoopImage() {
    Unmount();
    if (!device_.empty()) RunQuietly("losetup -d " + ShellQuoted(device_));
  }
  LoopImage(const LoopImage&) = delete;
  LoopImage& operator=(const LoopImage&) = delete;

  // Makes the image `mebibytes` long and formats it with `mkfs`, the image's path appended.
  bool Format(int mebibytes, const std::string& mkfs) {
    std::ofstream(path_).close();
    std::filesystem::resize_file(path_, static_cast<std::uintmax_t>(mebibytes) << 20);
    return RunQuietly(mkfs + " " + ShellQuoted(path_));
  }

  // Attaches the image to a free loop device; false when none can be had.
  bool Attach() {
    const std::string named = path_ + ".device";
    if (std::system(
            ("losetup -f --show " + ShellQuoted(path_) + " >" + ShellQuoted(named) + " 2>/dev/null")
                .c_str()) != 0) {
      return false;
    }
    device_ = ReadWhole(named);
    while (!device_.empty() && device_.back() == '\n') device_.pop_back();
    return !device_.empty();
  }

  // Mounts the device at `folder` with `command` ("ntfs-3g -o windows_names"), the device and the
  // folder appended.
  bool Mount(const std::string& command, const std::string& folder) {
    Unmount();
    std::filesystem::create_directories(folder);
    if (!RunQuietly(command + " " + ShellQuoted(device_) + " " + ShellQuoted(folder))) return false;
    mounted_ = folder;
    return true;
  }

  void Unmount() {
    if (mounted_.empty()) return;
    if (!RunQuietly("fusermount -u " + ShellQuoted(mounted_)))
      RunQuietly("umount " + ShellQuoted(mounted_));
    mounted_.clear();
  }

  const std::string& Device() const noexcept { return device_; }

 private:
  std::string path_, device_, mounted_;
};

}  // namespace vornick::platform
