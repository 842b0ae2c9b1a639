#include "files/file_types.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/fakes/fake_settings_store.h"

namespace vornick::files {
namespace {

using Types = std::vector<std::string>;

TEST(FileTypesTest, SelectsTheCheckedNamesInOrder) {
  struct Case {
    std::optional<std::string> fileTypes, checkedIndexes;  // nullopt: the value is absent
    Types selected;
  };
  const Case cases[] = {
      {std::nullopt, std::nullopt, {}},
      {"MP3,WAV,OGG", std::nullopt, {"MP3"}},
      {"MP3,WAV,OGG", "", {"MP3"}},
      {"MP3,WAV,OGG", "2,0", {"OGG", "MP3"}},
      {"MP3,WAV,OGG", "1,", {"WAV", "MP3"}},
      {"MP3,WAV,OGG", "0,7,1", {"MP3"}},
      {"MP3,WAV,OGG", "0,0", {"MP3", "MP3"}},
      {"All Files,MP3", "0", {"All Files"}},
      {"MP3, WAV", "0,1", {"MP3", " WAV"}},
      {std::nullopt, "0,1", {}},
      {",MP3", "1", {"MP3"}},
      {"MP3,WAV", " 1 ,+0", {"WAV", "MP3"}},
      {"MP3,WAV", "32767", {}},
  };
  for (const Case& c : cases) {
    fakes::FakeSettingsStore settings;
    if (c.fileTypes) settings.Set("FileTypes", *c.fileTypes);
    if (c.checkedIndexes) settings.Set("CheckedIndexes", *c.checkedIndexes);
    EXPECT_EQ(GetFileTypes(settings), c.selected)
        << c.fileTypes.value_or("(absent)") << " / " << c.checkedIndexes.value_or("(absent)");
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

TEST(FileTypesTest, TooManyEntriesFail) {
  // 100,001 pieces are the most there is room for.
  std::string types = "MP3", checked = "0";
  for (int i = 0; i < 100000; ++i) {
    types += ",WAV";
    checked += ",0";
  }
  fakes::FakeSettingsStore settings;
  settings.SetTypes(types, checked);
  EXPECT_EQ(GetFileTypes(settings).size(), 100001u);
  settings.SetTypes(types, checked + ",");
  EXPECT_THROW(GetFileTypes(settings), FileTypesError);
  settings.SetTypes(types + ",OGG", "0");
  EXPECT_THROW(GetFileTypes(settings), FileTypesError);
}

}  // namespace
}  // namespace vornick::files
