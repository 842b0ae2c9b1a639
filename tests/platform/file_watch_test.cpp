// SPDX-License-Identifier: GPL-3.0-or-later
// The kernel's word that a file has not changed: every change to the file ends the quiet, and
// changes to its neighbours do not.
#include "platform/settings/file_watch.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "tests/platform/temp_folder.h"

namespace vornick::platform {
namespace {

void WriteInPlace(const std::string& path, const char* bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY);
  ASSERT_GE(fd, 0) << path;
  EXPECT_EQ(::write(fd, bytes, 1), 1);
  ::close(fd);
}

TEST(FileWatchTest, EveryChangeToTheFileEndsTheQuietAndItsNeighboursDoNot) {
  const struct {
    const char* what;
    bool fileThere;  // at the start
    std::function<void(const TempFolder&, const std::string& file)> change;
    bool quiet;
  } cases[] = {
      {"nothing", true, [](auto&, auto&) {}, true},
      {"a neighbour written, made and removed", true,
       [](const TempFolder& folder, auto&) {
         folder.Write("config/other.ini", "x");
         std::filesystem::remove(folder.Path() + "config/other.ini");
         folder.Write("config/sub/inner.ini", "x");
         folder.Write("settings.ini", "x");
       },
       true},
      {"read", true, [](auto&, const std::string& file) { ReadWhole(file); }, true},
      {"written in place", true, [](auto&, const std::string& file) { WriteInPlace(file, "X"); },
       false},
      {"replaced by a rename", true,
       [](const TempFolder& folder, const std::string& file) {
         std::filesystem::rename(folder.Write("new.ini", "[1.0]"), file);
       },
       false},
      {"its times set", true,
       [](auto&, const std::string& file) {
         std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now());
       },
       false},
      {"removed", true, [](auto&, const std::string& file) { std::filesystem::remove(file); },
       false},
      {"made", false,
       [](const TempFolder& folder, auto&) { folder.Write("config/settings.ini", "x"); }, false},
      {"written through another name of it", true,
       [](const TempFolder& folder, const std::string& file) {
         std::filesystem::create_directory(folder.Path() + "elsewhere");
         const std::string alias = folder.Path() + "elsewhere/alias.ini";
         std::filesystem::create_hard_link(file, alias);
         // The new name alone may or may not be heard of; the write through it must be.
         WriteInPlace(alias, "Y");
       },
       false},
      {"its folder renamed", true,
       [](const TempFolder& folder, auto&) {
         std::filesystem::rename(folder.Path() + "config", folder.Path() + "moved");
       },
       false},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    const std::string file = folder.Path() + "config/settings.ini";
    if (c.fileThere) {
      folder.Write("config/settings.ini", "[1.0]\nFileTypes=MP3\n");
    } else {
      std::filesystem::create_directory(folder.Path() + "config");
    }
    FileWatch watch;
    if (!watch.Watch(file))
      GTEST_SKIP() << "no watch on this file system (" << folder.Path() << ")";
    EXPECT_TRUE(watch.Quiet()) << c.what;
    c.change(folder, file);
    EXPECT_EQ(watch.Quiet(), c.quiet) << c.what;
    EXPECT_EQ(watch.Watching(), c.quiet) << c.what;
  }
}

TEST(FileWatchTest, WhatALinkCouldChangeIsNotWatched) {
  TempFolder folder;
  // The link above the file's folder: changing it would swap the folder.
  const std::string target = folder.Write("real/inner/settings.ini", "x");
  std::filesystem::create_directory_symlink(folder.Path() + "real", folder.Path() + "linked");
  std::filesystem::create_directory(folder.Path() + "config");
  std::filesystem::create_symlink(target, folder.Path() + "config/settings.ini");
  FileWatch watch;
  if (!watch.Watch(target)) GTEST_SKIP() << "no watch on this file system";
  EXPECT_FALSE(watch.Watch(folder.Path() + "linked/inner/settings.ini"));
  EXPECT_FALSE(watch.Watch(folder.Path() + "config/settings.ini"));
  EXPECT_FALSE(watch.Quiet());
  EXPECT_FALSE(watch.Watch("relative/settings.ini"));
  EXPECT_FALSE(watch.Watch(folder.Path() + "not there/settings.ini"));
}

}  // namespace
}  // namespace vornick::platform
