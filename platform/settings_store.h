// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace vornick::platform {

// A store that is there but cannot be read; the message names it and the reason.
class SettingsReadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The per-user settings store, read only.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The value stored under application, section and key, read anew on every call; the empty
  // string when there is none. Throws SettingsReadError when the store is there but cannot be
  // read, rather than taking it for an empty one.
  virtual std::string GetSetting(const std::string& application, const std::string& section,
                                 const std::string& key) = 0;

  // Something that changes whenever the stored values of `application` may have changed (for a
  // file: its identity, size and time of change), so that values read before can be used again
  // while it stays the same; none when the store cannot tell.
  virtual std::optional<std::string> Fingerprint(const std::string& /*application*/) {
    return std::nullopt;
  }
};

}  // namespace vornick::platform
