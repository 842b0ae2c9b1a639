// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/file_types.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "tests/fakes/fake_settings_store.h"

namespace vornick::files {
namespace {

using Types = std::vector<std::string>;

// File types, checked indexes (an absent value reads as an empty one) and the names selected.
TEST(FileTypesTest, SelectsTheCheckedNamesInOrder) {
  const std::tuple<std::string, std::string, Types> cases[] = {
      {"", "0,1", {}},
      {"MP3,WAV,OGG", "", {"MP3"}},
      {"MP3,WAV,OGG", "2,0", {"OGG", "MP3"}},
      {"MP3,WAV,OGG", "1,", {"WAV", "MP3"}},
      {"MP3,WAV,OGG", "0,7,1", {"MP3"}},
      {"MP3, WAV", "0,1", {"MP3", " WAV"}},
      {",MP3", "1", {"MP3"}},
      {"MP3,WAV", " 1 ,+0", {"WAV", "MP3"}},
      {"MP3,WAV", "32767", {}},
  };
  for (const auto& [fileTypes, checkedIndexes, selected] : cases) {
    fakes::FakeSettingsStore settings;
    settings.SetTypes(fileTypes, checkedIndexes);
    EXPECT_EQ(GetFileTypes(settings), selected) << fileTypes << " / " << checkedIndexes;
  }
}

TEST(FileTypesTest, MalformedIndexesFailNamingTheValue) {
  for (const std::string checked :
       {"0,,1", "a", "1.5", "-1", "32768", "99999999999", "0x1", "1 2", ",", "0,,", "+"}) {
    fakes::FakeSettingsStore settings;
    settings.SetTypes("MP3,WAV,OGG", checked);
    try {
      GetFileTypes(settings);
      ADD_FAILURE() << checked << " was accepted";
    } catch (const FileTypesError& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find("\"CheckedIndexes\""), std::string::npos) << message;
      EXPECT_NE(message.find('"' + checked + '"'), std::string::npos) << message;
    }
  }
}

}  // namespace
}  // namespace vornick::files
