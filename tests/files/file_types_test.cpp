#include "files/file_types.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/fakes/fake_settings_store.h"

namespace vornick::files {
namespace {

using Types = std::vector<std::string>;

struct TypesCase {
  std::optional<std::string> fileTypes;  // nullopt: the value is absent
  std::optional<std::string> checkedIndexes;
  Types selected;
};

const TypesCase kCases[] = {
    {std::nullopt, std::nullopt, {}},
    {"MP3,WAV,OGG", std::nullopt, {"MP3"}},
    {"MP3,WAV,OGG", "", {"MP3"}},
    {"MP3,WAV,OGG", "0,2", {"MP3", "OGG"}},
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

TEST(FileTypesTest, SelectsTheCheckedNamesInOrder) {
  for (const TypesCase& c : kCases) {
    fakes::FakeSettingsStore settings;
    if (c.fileTypes) settings.Set("Plomberg", "1.0", "FileTypes", *c.fileTypes);
    if (c.checkedIndexes) settings.Set("Plomberg", "1.0", "CheckedIndexes", *c.checkedIndexes);
    EXPECT_EQ(GetFileTypes(settings), c.selected)
        << c.fileTypes.value_or("(absent)") << " / " << c.checkedIndexes.value_or("(absent)");
  }
}

TEST(FileTypesTest, MalformedIndexesFailNamingTheValue) {
  const std::string kBad[] = {"0,,1", "a",   "1.5", "-1",  "32768", "99999999999",
                              "0x1",  "1 2", ",",   "0,,", "+"};
  for (const std::string& checked : kBad) {
    fakes::FakeSettingsStore settings;
    settings.Set("Plomberg", "1.0", "FileTypes", "MP3,WAV,OGG");
    settings.Set("Plomberg", "1.0", "CheckedIndexes", checked);
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
  std::string types = "MP3";
  std::string checked = "0";
  for (int i = 0; i < 100000; ++i) {
    types += ",WAV";
    checked += ",0";
  }
  fakes::FakeSettingsStore settings;
  settings.Set("Plomberg", "1.0", "FileTypes", types);
  settings.Set("Plomberg", "1.0", "CheckedIndexes", checked);
  EXPECT_EQ(GetFileTypes(settings).size(), 100001u);
  settings.Set("Plomberg", "1.0", "CheckedIndexes", checked + ",");
  EXPECT_THROW(GetFileTypes(settings), FileTypesError);
  settings.Set("Plomberg", "1.0", "CheckedIndexes", "0");
  settings.Set("Plomberg", "1.0", "FileTypes", types + ",OGG");
  EXPECT_THROW(GetFileTypes(settings), FileTypesError);
}

}  // namespace
}  // namespace vornick::files
