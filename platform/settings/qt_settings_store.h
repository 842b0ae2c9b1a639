// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/settings/file_watch.h"
#include "platform/settings_store.h"

namespace vornick::platform {

class SettingsWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The settings on QSettings: INI format, user scope, the application name as the organization, so
// the values of "Plomberg" live in $XDG_CONFIG_HOME/Plomberg.ini (else ~/.config/Plomberg.ini),
// the section as the INI group. Every call reads anew (QSettings notices a changed file). Only the
// file-type choices are written (the command line's and the window's), through SetLists.
class QtSettingsStore final : public SettingsStore {
 public:
  std::string GetSetting(const std::string& application, const std::string& section,
                         const std::string& key) override;
  // The settings file's identity, size and times of change to the nanosecond, from one stat ("" for
  // no file), or, while the kernel reports no change to the file, from the last one. Defaults in
  // system folders are not looked at: they change with the system.
  std::optional<std::string> Fingerprint(const std::string& application) override;

  // The file the settings of `application` are read from.
  static std::string FileName(const std::string& application);
  // Throws SettingsReadError, naming the file and the reason, when the settings file of
  // `application` is there but cannot be read: no permission, a folder, a link loop, anything
  // that is not a regular file. Never blocks (a FIFO is refused, not opened).
  static void CheckReadable(const std::string& application);

  using Lists = std::vector<std::pair<std::string, std::vector<std::string>>>;
  // Writes each key's entries as a list ("MP3, WAV") into `section`, keeping every other section
  // and key (comments are not kept); a file that cannot be read is left as it is. The new file
  // replaces the old one by a rename, so a reader never sees it half written. Throws
  // SettingsWriteError, naming the file, when it is not written.
  static void SetLists(const std::string& application, const std::string& section,
                       const Lists& lists);

 private:
  static std::optional<std::string> LookAt(const std::string& file);

  std::string fingerprintedApplication_, fingerprintedFile_;
  std::optional<std::string> fingerprint_;
  FileWatch watch_;
  bool watchAgain_ = true;
};

}  // namespace vornick::platform
