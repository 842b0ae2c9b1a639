#pragma once

#include <string>

#include "platform/settings_store.h"

namespace vornick::platform {

// The settings on QSettings: INI format, user scope, the application name as the organization, so
// the values of "Plomberg" live in $XDG_CONFIG_HOME/Plomberg.ini (else ~/.config/Plomberg.ini),
// the section as the INI group. Read only; every call reads anew (QSettings notices a changed
// file).
class QtSettingsStore final : public SettingsStore {
 public:
  std::string GetSetting(const std::string& application, const std::string& section,
                         const std::string& key) override;

  // The file the settings of `application` are read from.
  static std::string FileName(const std::string& application);
};

}  // namespace vornick::platform
