#pragma once

#include <string>

namespace vornick::platform {

// The per-user settings store, read only.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The value stored under application, section and key, read anew on every call; the empty
  // string when there is none.
  virtual std::string GetSetting(const std::string& application, const std::string& section,
                                 const std::string& key) = 0;
};

}  // namespace vornick::platform
