// SPDX-License-Identifier: GPL-3.0-or-later
// The names a load read, asked whether a proposed name is taken in any letter case.
#include "window/folder_names.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace vornick::window {
namespace {

platform::FolderListing Listing(std::initializer_list<std::string> names) {
  platform::FolderListing listing;
  for (const std::string& name : names) listing.Add(name, 0);
  return listing;
}

// A folder of a few names, whose names are looked through, and one of many, whose are sorted.
class FolderNamesTest : public testing::TestWithParam<std::size_t> {};
INSTANTIATE_TEST_SUITE_P(FewAndMany, FolderNamesTest, testing::Values(0, 40));

TEST_P(FolderNamesTest, AFolderFindsItsOwnNamesInAnyAsciiLetterCase) {
  using Answer = FolderNames::Answer;
  // Names longer than a word of eight bytes, so that every byte is folded in some position.
  platform::FolderListing entries = Listing(
      {"0123456789 abc xyz.mp3", "Mix@[`{]~.mp3", "\xc3\x89t\xc3\xa9.mp3", "song.mp3", "SONG.mp3"});
  for (std::size_t i = 0; i < GetParam(); ++i) entries.Add("filler " + std::to_string(i), 0);
  const auto folder = std::make_shared<const std::string>("/m/");
  const auto before = std::make_shared<const std::string>("/a/");
  const auto after = std::make_shared<const std::string>("/z/");
  FolderNames names;
  // Each folder keeps its own names, among others recorded before and after it; names taken and
  // not recorded belong to no folder.
  names.Take(Listing({"Other.mp3"}));
  names.Record(before->c_str());
  names.Take(Listing({"Never recorded.mp3"}));
  names.Take(entries);
  names.Record(folder->c_str());
  names.Take(Listing({"Last.mp3"}));
  names.Record(after->c_str());
  EXPECT_EQ(names.Lookup(before->c_str(), "x.mp3", "other.MP3"), FolderNames::Answer::kMaybeTaken);
  EXPECT_EQ(names.Lookup(before->c_str(), "x.mp3", "song.mp3"), FolderNames::Answer::kFree);
  EXPECT_EQ(names.Lookup(after->c_str(), "x.mp3", "last.mp3"), FolderNames::Answer::kMaybeTaken);
  EXPECT_EQ(names.Lookup(folder->c_str(), "x.mp3", "last.mp3"), FolderNames::Answer::kFree);
  EXPECT_EQ(names.Lookup(folder->c_str(), "x.mp3", "Never recorded.mp3"),
            FolderNames::Answer::kFree);
  const struct {
    const char* current;
    const char* target;
    Answer answer;
  } cases[] = {
      {"x.mp3", "0123456789 ABC XYZ.MP3", Answer::kMaybeTaken},
      {"x.mp3", "0123456789 Abc xyZ.mp3", Answer::kMaybeTaken},
      {"x.mp3", "0123456789 abc xyz.mp", Answer::kFree},
      {"x.mp3", "mix@[`{]~.MP3", Answer::kMaybeTaken},
      // Bytes beside the letters are not letters: @ is not `, [ is not {.
      {"x.mp3", "Mix`[`{]~.mp3", Answer::kFree},
      {"x.mp3", "Mix@{`{]~.mp3", Answer::kFree},
      {"x.mp3", "Mix@[@{]~.mp3", Answer::kFree},
      // Other letters keep their case: É is not é.
      {"x.mp3", "\xc3\xa9t\xc3\xa9.mp3", Answer::kFree},
      {"x.mp3", "\xc3\x89T\xc3\xa9.MP3", Answer::kMaybeTaken},
      // A change of case finds the file itself, alone or beside another name.
      {"0123456789 abc xyz.mp3", "0123456789 ABC xyz.mp3", Answer::kOnlyItself},
      {"song.mp3", "Song.mp3", Answer::kMaybeTaken},
  };
  for (const auto& c : cases)
    EXPECT_EQ(names.Lookup(folder->c_str(), c.current, c.target), c.answer) << c.target;
  const std::string other = "/m/";
  EXPECT_EQ(names.Lookup(other.c_str(), "x.mp3", "song.mp3"), Answer::kUnknown);
  names.Forget();
  EXPECT_EQ(names.Lookup(folder->c_str(), "x.mp3", "song.mp3"), Answer::kUnknown);
}

TEST(FolderNamesManyTest, ManyFoldersEachKeepTheirNamesAndTheLastRecordingOfAFolderHolds) {
  using Answer = FolderNames::Answer;
  std::vector<std::shared_ptr<const std::string>> folders;
  FolderNames names;
  for (int i = 0; i < 3000; ++i) {
    folders.push_back(std::make_shared<const std::string>("/f" + std::to_string(i) + "/"));
    names.Take(Listing({"song " + std::to_string(i) + ".mp3"}));
    names.Record(folders.back()->c_str());
    // Questions as the folders come, so that the table grows with folders in it.
    if (i % 100 == 0) {
      EXPECT_EQ(names.Lookup(folders[0]->c_str(), "x.mp3", "song 0.mp3"), Answer::kMaybeTaken) << i;
    }
  }
  // Asked out of order, so that no folder is found as the last one asked about.
  for (int i = 2999; i >= 0; i -= 7) {
    const std::string& folder = *folders[static_cast<std::size_t>(i)];
    EXPECT_EQ(names.Lookup(folder.c_str(), "x.mp3", "Song " + std::to_string(i) + ".mp3"),
              Answer::kMaybeTaken)
        << i;
    EXPECT_EQ(names.Lookup(folder.c_str(), "x.mp3", "song " + std::to_string(i + 1) + ".mp3"),
              Answer::kFree)
        << i;
  }
  // A folder read again is known by what it holds now.
  names.Take(Listing({"new.mp3"}));
  names.Record(folders[5]->c_str());
  EXPECT_EQ(names.Lookup(folders[5]->c_str(), "x.mp3", "song 5.mp3"), Answer::kFree);
  EXPECT_EQ(names.Lookup(folders[5]->c_str(), "x.mp3", "NEW.mp3"), Answer::kMaybeTaken);
  EXPECT_EQ(names.Lookup(folders[6]->c_str(), "x.mp3", "song 6.mp3"), Answer::kMaybeTaken);
  // Read twice with no question between: the second reading holds.
  names.Take(Listing({"first.mp3"}));
  names.Record(folders[7]->c_str());
  names.Take(Listing({"second.mp3"}));
  names.Record(folders[7]->c_str());
  EXPECT_EQ(names.Lookup(folders[7]->c_str(), "x.mp3", "first.mp3"), Answer::kFree);
  EXPECT_EQ(names.Lookup(folders[7]->c_str(), "x.mp3", "second.mp3"), Answer::kMaybeTaken);
}

}  // namespace
}  // namespace vornick::window
