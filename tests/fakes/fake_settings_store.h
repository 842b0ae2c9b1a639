// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <optional>
#include <string>
#include <tuple>

#include "platform/settings_store.h"

namespace vornick::fakes {

// Settings held in a map, for tests; a value never set reads as the empty string.
class FakeSettingsStore : public platform::SettingsStore {
 public:
  void Set(const std::string& key, const std::string& value) {
    values_[{"Plomberg", "1.0", key}] = value;
    ++version_;
  }
  // The file types offered and the indexes of the checked ones, as the settings hold them.
  void SetTypes(const std::string& fileTypes, const std::string& checkedIndexes) {
    Set("FileTypes", fileTypes);
    Set("CheckedIndexes", checkedIndexes);
  }

  std::string GetSetting(const std::string& application, const std::string& section,
                         const std::string& key) override {
    ++reads;
    const auto found = values_.find({application, section, key});
    return found == values_.end() ? std::string() : found->second;
  }

  std::optional<std::string> Fingerprint(const std::string&) override {
    return std::to_string(version_);
  }

  int reads = 0;

 private:
  int version_ = 0;
  std::map<std::tuple<std::string, std::string, std::string>, std::string> values_;
};

}  // namespace vornick::fakes
