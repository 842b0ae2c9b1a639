// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settings/qt_settings_store.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
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

ino_t ReadInode() {
  struct stat status {};
  return ::stat(kSettingsFile.c_str(), &status) == 0 ? status.st_ino : 0;
}

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

// Asked for every folder of a load: each change to the file is seen at the next asking, whether a
// watch or a look at the file tells it, and an unchanged file gives the same answer.
TEST(QtSettingsStoreTest, FingerprintChangesWithTheFileAndOnlyWithIt) {
  std::filesystem::remove(kSettingsFile);
  QtSettingsStore store;
  const auto fingerprint = [&store] { return store.Fingerprint("Plomberg"); };
  const std::string elsewhere = kConfigHome.Path() + "elsewhere/real.ini";
  const auto append = [](const std::string& file) {
    std::ofstream(file, std::ios::app | std::ios::binary) << "A=1\n";
  };
  const struct {
    const char* what;
    std::function<void()> change;
    bool changes;
  } cases[] = {
      {"made", [] { WriteSettings("[1.0]\n"); }, true},
      {"nothing", [] {}, false},
      {"a neighbour made", [] { kConfigHome.Write("Other.ini", "x"); }, false},
      {"longer, in place", [&] { append(kSettingsFile); }, true},
      {"replaced by a rename",
       [] { std::filesystem::rename(kConfigHome.Write("new.ini", "[2.0]\n"), kSettingsFile); },
       true},
      {"a link to a file elsewhere in its place",
       [&] {
         kConfigHome.Write("elsewhere/real.ini", "[1.0]\nFileTypes=OGG\n");
         std::filesystem::remove(kSettingsFile);
         std::filesystem::create_symlink(elsewhere, kSettingsFile);
       },
       true},
      {"that file longer", [&] { append(elsewhere); }, true},
      {"that file longer again", [&] { append(elsewhere); }, true},
      {"removed", [] { std::filesystem::remove(kSettingsFile); }, true},
  };
  std::optional<std::string> before = fingerprint();
  for (const auto& c : cases) {
    c.change();
    const std::optional<std::string> after = fingerprint();
    EXPECT_TRUE(after.has_value()) << c.what;
    EXPECT_EQ(after != before, c.changes) << c.what;
    EXPECT_EQ(fingerprint(), after) << c.what;
    before = after;
  }
}

// vornick-cli types: its exit status, standard output and standard error.
std::tuple<int, std::string, std::string> RunTypes(const std::vector<std::string>& args = {}) {
  std::istringstream in;
  std::ostringstream out, err;
  const int status = cli::RunTypes(args, {in, out, err});
  return {status, out.str(), err.str()};
}

TEST(TypesCommandTest, PrintsTheSelectedTypesOrNamesAMalformedValueAndTheFile) {
  WriteSettings("[1.0]\nFileTypes=MP3,WAV,OGG\nCheckedIndexes=0,2\n");
  EXPECT_EQ(RunTypes(), std::tuple(0, "MP3\nOGG\n", ""));
  EXPECT_EQ(std::get<0>(RunTypes({"extra"})), 2);

  WriteSettings("[1.0]\nFileTypes=MP3,WAV,OGG\nCheckedIndexes=0,,1\n");
  const auto [status, out, err] = RunTypes();
  EXPECT_EQ(std::tie(status, out), std::tuple(2, ""));
  EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
  EXPECT_NE(err.find("\"0,,1\""), std::string::npos) << err;
  EXPECT_NE(err.find(kSettingsFile), std::string::npos) << err;
}

// What QSettings passes over in silence gets one warning line; the types and the status stay.
TEST(TypesCommandTest, WarnsOfWhatTheFileDoesNotSayAsMeant) {
  const struct {
    const char* file;
    const char* out;
    const char* warning;  // after "FILE", or "" for none
  } cases[] = {
      {"FileTypes=OGG\n[1.0]\nCheckedIndexes=0\n", "", ":1: \"FileTypes\" is not read"},
      {"[1.0]\nfiletypes=OGG\nFileTypes=MP3\n", "MP3\n", ":2: \"filetypes\" is not read"},
      {"[1.0]\nFileTypes=MP3,.ogg\nCheckedIndexes=1\n", ".ogg\n", ": the type \".ogg\" begins"},
      {"[1.0]\nFileTypes=MP3,OGG\nCheckedIndexes=0,5\n", "MP3\n", ": position 5 of"},
      {"[1.0]\nFileTypes=MP3;OGG\n", "MP3\n", ":2: \"FileTypes\" is read up to its ';'"},
      {"[1.0]\nFileTypes=\"MP3;OGG\"\n[2.0]\nFileTypes=FLAC\nfiletypes=x\n", "MP3;OGG\n", ""},
  };
  for (const auto& c : cases) {
    WriteSettings(c.file);
    const auto [status, out, err] = RunTypes();
    EXPECT_EQ(std::tie(status, out), std::tuple(0, c.out)) << c.file;
    const std::string line = "vornick-cli: warning: " + kSettingsFile + c.warning;
    if (*c.warning == '\0') {
      EXPECT_EQ(err, "") << c.file;
    } else {
      EXPECT_TRUE(err.starts_with(line) && err.find('\n') == err.size() - 1) << c.file << err;
    }
  }
}

// types set writes the types, all selected, into [1.0], keeping every other group and key; the
// new file replaces the old by a rename. A type that cannot be meant writes nothing.
TEST(TypesCommandTest, SetWritesTheTypesAllSelectedAndKeepsTheRest) {
  WriteSettings("Top=1\n[1.0]\nFileTypes=WAV\nOther=a,b\n[2.0]\nFileTypes=FLAC\n");
  const ino_t before = ReadInode();
  EXPECT_EQ(RunTypes({"set", "MP3", "All Files"}), std::tuple(0, "", ""));
  EXPECT_NE(ReadInode(), before);
  QtSettingsStore store;
  const auto get = [&store](const char* section, const char* key) {
    return store.GetSetting("Plomberg", section, key);
  };
  EXPECT_EQ(get("1.0", "FileTypes") + " " + get("1.0", "CheckedIndexes"), "MP3,All Files 0,1");
  EXPECT_EQ(get("1.0", "Other") + get("", "Top") + get("2.0", "FileTypes"), "a,b1FLAC");
  EXPECT_EQ(std::get<1>(RunTypes()), "MP3\nAll Files\n");

  const std::string written = ReadWhole(kSettingsFile);
  for (const char* type : {".mp3", "a,b", " MP3", ""})
    EXPECT_EQ(std::get<0>(RunTypes({"set", "OGG", type})), 2) << type;
  EXPECT_EQ(std::get<0>(RunTypes({"set"})), 2);
  EXPECT_EQ(ReadWhole(kSettingsFile), written);

  // A settings file that cannot be written is named, with exit status 3.
  std::filesystem::remove(kSettingsFile);
  std::filesystem::create_directory(kSettingsFile);
  const auto [status, out, err] = RunTypes({"set", "OGG"});
  EXPECT_EQ(status, 3);
  EXPECT_NE(err.find(kSettingsFile), std::string::npos) << err;
  std::filesystem::remove(kSettingsFile);
}

}  // namespace
}  // namespace vornick::platform
