// SPDX-License-Identifier: GPL-3.0-or-later
// The list keeps its rows' names in large shared chunks: what that could get wrong.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/fake_settings_store.h"
#include "window/large_memory.h"
#include "window/list_operations.h"

namespace vornick::window {
namespace {

// A name of `size` bytes that differs from its neighbours, so that bytes read from the wrong
// place show.
std::string NameOf(std::size_t size, std::size_t seed) {
  std::string name(size, 'a');
  for (std::size_t i = 0; i < size; ++i) name[i] = static_cast<char>('a' + (seed + i * 7) % 26);
  return name;
}

// Lengths from none to past a quarter of a chunk, so that names end exactly at, and run past,
// the end of the chunk being filled; some are long enough to have a chunk of their own. Enough
// rows to fill the small first block of rows and a large one after it.
TEST(RowStorageTest, NamesOfEveryLengthReadBackAcrossChunksAndEditsLeaveOldNamesReadable) {
  RenameList list;
  std::vector<std::string> current, proposed;
  for (std::size_t i = 0; i < 90000; ++i) {
    std::size_t size = i % 301;
    if (i % 10000 == 9999) size = 500000 + i;
    current.push_back(NameOf(size, i));
    proposed.push_back(i % 3 == 0 ? current.back() : NameOf(size / 2 + 1, i + 1));
    list.Append(current.back(), "/f" + std::to_string(i / 10) + "/", proposed.back(), true);
  }
  // An edit takes new bytes: a name read before it still reads as it was.
  const RowName before = list.Row(7).NewName;
  const std::string was = proposed[7];
  for (int round = 0; round < 3; ++round) {
    for (std::size_t i = 0; i < list.Count(); i += 7) {
      proposed[i] = NameOf(i % 300 + 1, i + round);
      list.SetNewName(i, proposed[i], true);
    }
  }
  EXPECT_EQ(before, was);
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const RenameEntry& row = list.Row(i);
    ASSERT_EQ(row.CurrentName, current[i]) << i;
    ASSERT_EQ(row.NewName, proposed[i]) << i;
    ASSERT_EQ(row.FolderPath(), "/f" + std::to_string(i / 10) + "/") << i;
    // Rows of a folder share its bytes.
    if (i % 10 != 0) {
      ASSERT_EQ(row.Folder.data(), list.Row(i - 1).Folder.data()) << i;
    }
  }
}

// A name is kept ended by a NUL: a name holding one would be cut short, and a rename would then
// go to another name. It is refused and the list stays as it was.
TEST(RowStorageTest, ANameHoldingANulByteIsRefusedAndChangesNothing) {
  RenameList list;
  list.Append("a.mp3", "/m/", "A.mp3", true);
  const std::string nul("b\0c.mp3", 7);
  EXPECT_THROW(list.Append(nul, "/m/", "B.mp3", true), std::invalid_argument);
  EXPECT_THROW(list.Append("b.mp3", "/m/", nul, true), std::invalid_argument);
  EXPECT_THROW(list.Append("b.mp3", std::string("/m\0/", 4), "B.mp3", true), std::invalid_argument);
  EXPECT_THROW(list.SetNewName(0, nul, true), std::invalid_argument);
  ASSERT_EQ(list.Count(), 1u);
  EXPECT_EQ(list.Row(0).NewName, "A.mp3");
  EXPECT_FALSE(list.Row(0).Edited);
  EXPECT_EQ(list.CheckedCount(), 1u);
}

// After Clear List, a folder's path may take the very bytes another folder had: the names read
// from that other folder must not answer for it.
TEST(RowStorageTest, AfterClearAFolderIsNotJudgedByTheNamesOfTheOneBefore) {
  fakes::FakeFileSystem disk;
  fakes::FakeSettingsStore settings;
  ListOperations operations(disk, settings);
  disk.AddFolder("/one");
  disk.AddFile("/one/c_d.mp3");
  disk.AddFolder("/two");
  disk.AddFile("/two/a_b.mp3");
  disk.AddFile("/two/A B.mp3");
  for (int round = 0; round < 3; ++round) {
    operations.AddFolder("/one", {});
    operations.Clear();
    operations.AddFiles({"/two/a_b.mp3"});
    ASSERT_EQ(operations.List().Row(0).NewName, "A B.mp3");
    EXPECT_EQ(operations.Checks().Refusal(0).kind, Reason::Kind::kTaken) << round;
    operations.Clear();
  }
}

// Tens of thousands of rows are indexed in one batch, and again after more arrive: every name
// proposed twice and every file listed twice is still found, and no other row is marked.
TEST(RowStorageTest, ALongListFindsEveryNameProposedTwiceAndEveryFileListedTwice) {
  fakes::FakeFileSystem disk;
  fakes::FakeSettingsStore settings;
  ListOperations operations(disk, settings);
  std::vector<Reason::Kind> expected;
  const auto add = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
      std::string current = "f" + std::to_string(i) + ".mp3";
      std::string proposed = "n" + std::to_string(i) + ".mp3";
      Reason::Kind kind = Reason::Kind::kNone;
      if (i % 1000 == 999) {
        proposed = "n" + std::to_string(i - 1) + ".mp3";
        kind = Reason::Kind::kProposedTwice;
      } else if (i % 1500 == 1499) {
        current = "f" + std::to_string(i - 700) + ".mp3";
        kind = Reason::Kind::kListedAgain;
      }
      operations.AddRow(current, proposed, "/m/", true);
      expected.push_back(kind);
    }
    for (std::size_t i = 0; i < expected.size(); ++i)
      ASSERT_EQ(operations.Checks().Refusal(i).kind, expected[i]) << i;
  };
  add(0, 30000);
  add(30000, 50000);
}

// A row is asked about before the rows after it are indexed: a file listed again far down whose
// rename is done (or whose undo failed) still marks the first row, whatever else the later row is.
TEST(RowStorageTest, AnEarlyRowAskedFirstSeesALaterRowOfItsFileThatIsRenamed) {
  using Kind = Reason::Kind;
  const struct {
    RowState later;
    Kind first;
  } cases[] = {{RowState::kRenamed, Kind::kListedAgain},
               {RowState::kUndoFailed, Kind::kListedAgain},
               {RowState::kRenameFailed, Kind::kNone},
               {RowState::kNotRenamed, Kind::kNone}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.later));
    fakes::FakeFileSystem disk;
    fakes::FakeSettingsStore settings;
    ListOperations operations(disk, settings);
    constexpr std::size_t kRows = 50000;
    for (std::size_t i = 0; i + 1 < kRows; ++i)
      operations.AddRow("f" + std::to_string(i) + ".mp3", "n" + std::to_string(i) + ".mp3", "/m/",
                        true);
    operations.AddRow("f0.mp3", "x.mp3", "/m/", false);
    operations.List().SetState(kRows - 1, c.later);
    EXPECT_EQ(operations.Checks().Refusal(0).kind, c.first);
    EXPECT_EQ(operations.Checks().Refusal(kRows - 2).kind, Kind::kNone);
  }
}

// Only the keys a folder's rows share are kept once the list has gone on to other folders: rows
// of a folder listed again further down, across batches and across the slices a long batch is
// indexed in, still find the rows listed before, and an edit finds the proposals of rows whose
// keys were let go. Rows of other folders proposing the same name are never marked.
TEST(RowStorageTest, AFolderListedAgainFurtherDownFindsItsEarlierRows) {
  fakes::FakeFileSystem disk;
  fakes::FakeSettingsStore settings;
  ListOperations operations(disk, settings);
  constexpr std::size_t kFolders = 20000;
  using Kind = Reason::Kind;
  std::vector<Kind> expected;
  const auto folder = [](std::size_t k) { return "/d" + std::to_string(k) + "/"; };
  const auto add = [&](std::size_t k, const std::string& current, const std::string& proposed,
                       Kind kind) {
    operations.AddRow(current + ".mp3", proposed + ".mp3", folder(k), true);
    expected.push_back(kind);
  };
  const auto check = [&](const char* when) {
    for (std::size_t i = 0; i < expected.size(); ++i)
      ASSERT_EQ(operations.Checks().Refusal(i).kind, expected[i]) << when << ", row " << i;
  };
  const std::string last = std::to_string(kFolders + 499);
  for (std::size_t k = 0; k < kFolders; ++k) {
    const std::string n = std::to_string(k);
    add(k, "f" + n + "a", "n" + n + "a", Kind::kNone);
    add(k, "f" + n + "b", "n" + n + "b", Kind::kNone);
  }
  // Folders after them, each with a name proposed twice and a file listed twice.
  for (std::size_t k = kFolders; k < kFolders + 500; ++k) {
    const std::string n = std::to_string(k);
    add(k, "f" + n + "a", "n" + n + "a", Kind::kNone);
    add(k, "f" + n + "b", "n" + n + "a", Kind::kProposedTwice);
    add(k, "f" + n + "a", "m" + n, Kind::kListedAgain);
  }
  check("first visit");
  // The last folder is still the open one: the next batch goes on with it, and this row's only
  // match is in the batch before.
  add(kFolders + 499, "f" + last + "b", "x", Kind::kListedAgain);
  // Backwards, so that each folder comes back among the others; 60,000 rows in one batch.
  const std::size_t secondVisit = expected.size();
  for (std::size_t k = kFolders; k-- > 0;) {
    const std::string n = std::to_string(k);
    add(k, "f" + n + "a", "m" + n + "a", Kind::kListedAgain);
    add(k, "g" + n, "n" + n + "b", Kind::kProposedTwice);
    add(k, "h" + n, "n" + std::to_string((k + 1) % kFolders) + "a", Kind::kNone);
  }
  check("second visit");
  // Folder k's second row now proposes its first row's name, and the name the later row asks
  // for is free.
  for (std::size_t k = 0; k < kFolders; k += 97) {
    ASSERT_EQ(operations.EditNewName(2 * k + 1, "n" + std::to_string(k) + "a.mp3"),
              ListOperations::EditRefusal::kNone);
    expected[2 * k + 1] = Kind::kProposedTwice;
    expected[secondVisit + 3 * (kFolders - 1 - k) + 1] = Kind::kNone;
  }
  check("after the edits");
}

// The rules of only so many folders are kept: rows of more folders than that, asked about in
// either order, are each judged by their own folder's rules.
TEST(RowStorageTest, RowsOfThousandsOfFoldersAreEachJudgedByTheirFoldersRules) {
  fakes::FakeFileSystem disk;
  fakes::FakeSettingsStore settings;
  ListOperations operations(disk, settings);
  constexpr std::size_t kFolders = 9000;
  for (std::size_t i = 0; i < kFolders; ++i) {
    const std::string folder = "/d" + std::to_string(i) + "/";
    disk.AddFolder(folder);
    if (i % 3 == 0) disk.SetRules(folder, platform::RulesFor(platform::NameRules::System::kExfat));
    operations.AddRow("x.mp3", "a:b.mp3", folder, true);
  }
  const auto expected = [](std::size_t i) {
    return i % 3 == 0 ? Reason::Kind::kForbiddenCharacter : Reason::Kind::kNone;
  };
  for (std::size_t i = 0; i < kFolders; ++i)
    ASSERT_EQ(operations.Checks().Refusal(i).kind, expected(i)) << i;
  for (std::size_t i = kFolders; i-- > 0;)
    ASSERT_EQ(operations.Checks().Refusal(i).kind, expected(i)) << i;
}

// Arrays of half a large page and more lie on large pages, whole; smaller ones in the heap. Each
// is written from end to end and read back, across the boundary and as it grows and shrinks.
TEST(RowStorageTest, LargeArraysTakeWholeAlignedPagesAndSmallOnesTheHeap) {
  const std::size_t half = kLargePage / 2 / sizeof(std::uint64_t);
  for (const std::size_t count : {std::size_t{1}, half - 1, half, half + 1, 3 * half + 5}) {
    std::vector<std::uint64_t, LargeAllocator<std::uint64_t>> array;
    array.reserve(count);
    const auto at = reinterpret_cast<std::uintptr_t>(array.data());
    EXPECT_EQ(at % kLargePage == 0, count >= half) << count;
    for (std::size_t i = 0; i < count; ++i) array.push_back(i * 7);
    // Growing past its room moves it into a larger one, and giving room back moves it again.
    array.push_back(1);
    array.pop_back();
    array.shrink_to_fit();
    ASSERT_EQ(array.size(), count);
    for (std::size_t i = 0; i < count; ++i) ASSERT_EQ(array[i], i * 7) << count << " " << i;
    // A heap allocator never takes large pages, whatever the size.
    std::vector<std::uint64_t, LargeAllocator<std::uint64_t>> small(
        LargeAllocator<std::uint64_t>(false));
    small.resize(count, 3);
    EXPECT_EQ(small.back(), 3u);
  }
  EXPECT_EQ(LargeRoom(1), kLargePage);
  EXPECT_EQ(LargeRoom(kLargePage), kLargePage);
  EXPECT_EQ(LargeRoom(kLargePage + 1), 2 * kLargePage);
  char* room = static_cast<char*>(AllocateLarge(kLargePage + 1));
  room[0] = 'a';
  room[2 * kLargePage - 1] = 'z';  // all of the rounded room is there to be written
  EXPECT_EQ(room[0] + room[2 * kLargePage - 1], 'a' + 'z');
  FreeLarge(room, kLargePage + 1);
}

}  // namespace
}  // namespace vornick::window
