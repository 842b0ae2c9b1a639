#include "platform/settings/qt_settings_store.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "cli/commands.h"
#include "tests/platform/temp_folder.h"

namespace vornick::platform {
namespace {

// QSettings settles the user's folder once per process, so every test here shares one temporary
// XDG_CONFIG_HOME, set before any settings are read; the user's real settings are never touched.
const TempFolder kConfigHome;
const int kConfigHomeSet = ::setenv("XDG_CONFIG_HOME", kConfigHome.Path().c_str(), 1);
const std::string kSettingsFile = kConfigHome.Path() + "Plomberg.ini";

// Each write gets a modification time of its own: QSettings takes an unchanged size and time to
// mean an unchanged file.
void WriteSettings(const std::string& content) {
  static auto time = std::filesystem::file_time_type::clock::now();
  time += std::chrono::seconds(1);
  std::filesystem::last_write_time(kConfigHome.Write("Plomberg.ini", content), time);
}

TEST(QtSettingsStoreTest, ReadsTheFileAnewJoiningListsAndKeepingQuotedValues) {
  QtSettingsStore store;
  const auto get = [&store](const char* key, const char* section = "1.0") {
    return store.GetSetting("Plomberg", section, key);
  };
  WriteSettings(
      "[1.0]\nFileTypes=MP3,WAV,OGG\nCheckedIndexes=1,\nQuoted=\"MP3, WAV\"\n"
      "Empty=\nUnicode=Caf\xC3\xA9\n[2.0]\nFileTypes=FLAC\n");
  EXPECT_EQ(get("FileTypes") + " " + get("CheckedIndexes"), "MP3,WAV,OGG 1,");
  EXPECT_EQ(get("Quoted"), "MP3, WAV");
  EXPECT_EQ(get("Empty") + get("Missing") + get("FileTypes", "3.0"), "");
  EXPECT_EQ(get("Unicode") + " " + get("FileTypes", "2.0"), "Caf\xC3\xA9 FLAC");
  WriteSettings("[1.0]\nFileTypes=OGG\n");
  EXPECT_EQ(get("FileTypes"), "OGG");
  std::filesystem::remove(kSettingsFile);
  EXPECT_EQ(get("FileTypes"), "");
}

TEST(TypesCommandTest, PrintsTheSelectedTypesOrNamesAMalformedValueAndTheFile) {
  const auto run = [](const std::vector<std::string>& args = {}) {
    std::istringstream in;
    std::ostringstream out, err;
    const int status = cli::RunTypes(args, {in, out, err});
    return std::tuple{status, out.str(), err.str()};
  };
  WriteSettings("[1.0]\nFileTypes=MP3,WAV,OGG\nCheckedIndexes=0,2\n");
  EXPECT_EQ(run(), std::tuple(0, "MP3\nOGG\n", ""));
  EXPECT_EQ(std::get<0>(run({"extra"})), 2);

  WriteSettings("[1.0]\nFileTypes=MP3,WAV,OGG\nCheckedIndexes=0,,1\n");
  const auto [status, out, err] = run();
  EXPECT_EQ(std::tie(status, out), std::tuple(2, ""));
  EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
  EXPECT_NE(err.find("\"0,,1\""), std::string::npos) << err;
  EXPECT_NE(err.find(kSettingsFile), std::string::npos) << err;
}

}  // namespace
}  // namespace vornick::platform
