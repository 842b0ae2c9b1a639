#include "platform/qt/qt_settings_store.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cstdio>
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
class ConfigHome : public ::testing::Environment {
 public:
  static TempFolder* folder;
  void SetUp() override {
    folder = new TempFolder;
    ::setenv("XDG_CONFIG_HOME", folder->Path().c_str(), 1);
  }
  void TearDown() override { delete folder; }
};
TempFolder* ConfigHome::folder = nullptr;
::testing::Environment* const kConfigHome = ::testing::AddGlobalTestEnvironment(new ConfigHome);

std::string SettingsFile() {
  return ConfigHome::folder->Path() + "Plomberg.ini";
}

// Writes the settings file with a modification time of its own: QSettings takes an unchanged size
// and time to mean an unchanged file.
void WriteSettings(const std::string& content) {
  static long tick = 1000000000;
  const std::string path = ConfigHome::folder->Write("Plomberg.ini", content);
  const struct timespec times[2] = {{++tick, 0}, {tick, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

std::string Get(const std::string& key, const std::string& section = "1.0") {
  QtSettingsStore store;
  return store.GetSetting("Plomberg", section, key);
}

TEST(QtSettingsStoreTest, JoinsListsAndKeepsQuotedValues) {
  EXPECT_EQ(QtSettingsStore::FileName("Plomberg"), SettingsFile());
  WriteSettings(
      "[1.0]\nFileTypes=MP3,WAV,OGG\nCheckedIndexes=1,\nQuoted=\"MP3, WAV\"\n"
      "Empty=\nUnicode=Caf\xC3\xA9\n[2.0]\nFileTypes=FLAC\n");
  EXPECT_EQ(Get("FileTypes"), "MP3,WAV,OGG");
  EXPECT_EQ(Get("CheckedIndexes"), "1,");
  EXPECT_EQ(Get("Quoted"), "MP3, WAV");
  EXPECT_EQ(Get("Empty") + Get("Missing") + Get("FileTypes", "3.0"), "");
  EXPECT_EQ(Get("Unicode"), "Caf\xC3\xA9");
  EXPECT_EQ(Get("FileTypes", "2.0"), "FLAC");
}

TEST(QtSettingsStoreTest, ReadsAnewAndTakesAMissingFileAsEmpty) {
  QtSettingsStore store;
  WriteSettings("[1.0]\nFileTypes=MP3\n");
  EXPECT_EQ(store.GetSetting("Plomberg", "1.0", "FileTypes"), "MP3");
  WriteSettings("[1.0]\nFileTypes=OGG\n");
  EXPECT_EQ(store.GetSetting("Plomberg", "1.0", "FileTypes"), "OGG");
  std::remove(SettingsFile().c_str());
  EXPECT_EQ(store.GetSetting("Plomberg", "1.0", "FileTypes"), "");
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
  EXPECT_EQ(status, 2);
  EXPECT_EQ(out, "");
  EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
  EXPECT_NE(err.find("\"0,,1\""), std::string::npos) << err;
  EXPECT_NE(err.find(SettingsFile()), std::string::npos) << err;
}

}  // namespace
}  // namespace vornick::platform
