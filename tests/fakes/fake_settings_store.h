#pragma once

#include <map>
#include <string>
#include <tuple>

#include "platform/settings_store.h"

namespace vornick::fakes {

// Settings held in a map, for tests:
//   fakes::FakeSettingsStore settings;
//   settings.Set("Plomberg", "1.0", "FileTypes", "MP3,WAV");
//   settings.Set("Plomberg", "1.0", "CheckedIndexes", "0,1");
// A value never set reads as the empty string; Reads() counts GetSetting calls.
class FakeSettingsStore : public platform::SettingsStore {
 public:
  void Set(const std::string& application, const std::string& section, const std::string& key,
           const std::string& value) {
    values_[{application, section, key}] = value;
  }
  void Remove(const std::string& application, const std::string& section, const std::string& key) {
    values_.erase({application, section, key});
  }
  int Reads() const noexcept { return reads_; }

  std::string GetSetting(const std::string& application, const std::string& section,
                         const std::string& key) override {
    ++reads_;
    const auto found = values_.find({application, section, key});
    return found == values_.end() ? std::string() : found->second;
  }

 private:
  std::map<std::tuple<std::string, std::string, std::string>, std::string> values_;
  int reads_ = 0;
};

}  // namespace vornick::fakes
