// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "files/folder_walk.h"
#include "platform/posix/name_order.h"
#include "tests/platform/fuse_image.h"
#include "tests/platform/temp_folder.h"

namespace vornick::platform {
namespace {

using Names = std::vector<std::string>;

TEST(PosixFileSystemTest, ListsAndDescribesARealFolder) {
  TempFolder temp;
  const std::string root = temp.Path();
  for (const char* name : {"song.mp3", ".hidden", "B.mp3", "b.mp3", "_x", "\xE9"}) temp.Write(name);
  // More entries than one read of the folder takes.
  for (int i = 0; i < 3000; ++i) temp.Write("folder/track number " + std::to_string(i) + ".mp3");
  ASSERT_EQ(::mkfifo((root + "pipe.mp3").c_str(), 0600), 0);
  std::filesystem::create_symlink(root + "song.mp3", root + "to-file.mp3");
  std::filesystem::create_directory_symlink(root + "folder", root + ".to-folder");
  std::filesystem::create_symlink(root + "missing", root + "dangling.mp3");
  std::filesystem::create_symlink(root + "loop", root + "loop");
  // Folded case first, then the exact bytes.
  const std::vector<std::pair<std::string, std::uint32_t>> expected = {
      {".hidden", kAttrHidden},
      {".to-folder", kAttrDirectory | kAttrHidden | kAttrLink},
      {"_x", 0},
      {"B.mp3", 0},
      {"b.mp3", 0},
      {"dangling.mp3", kAttrSystem | kAttrLink},
      {"folder", kAttrDirectory},
      {"loop", kAttrSystem | kAttrLink},
      {"pipe.mp3", kAttrSystem},
      {"song.mp3", 0},
      {"to-file.mp3", kAttrLink},
      {"\xE9", 0}};
  PosixFileSystem fs;
  std::vector<std::pair<std::string, std::uint32_t>> listed;
  for (const FolderEntry& entry : fs.ReadFolder(root)) {
    listed.emplace_back(entry.name, entry.attributes);
    EXPECT_EQ(fs.GetAttributes(root + entry.name), entry.attributes) << entry.name;
  }
  EXPECT_EQ(listed, expected);
  // Read into a listing, whatever it held before, the entries are the same.
  FolderListing listing;
  listing.Add("stale", kAttrDirectory);
  fs.ReadFolderInto(root, listing);
  listed.clear();
  for (std::size_t i = 0; i < listing.Size(); ++i)
    listed.emplace_back(listing.Name(i), listing.Attributes(i));
  EXPECT_EQ(listed, expected);
  EXPECT_EQ(fs.GetAttributes(root + ".to-folder/"), kAttrDirectory | kAttrHidden);
  EXPECT_EQ(files::ListFiles(fs, root + ".to-folder/*.MP3").value_or(Names{}).size(), 3000u);
  EXPECT_EQ(fs.GetIdentity(root + ".to-folder/"), fs.GetIdentity(root + "folder"));
  EXPECT_NE(fs.GetIdentity(root + "folder"), fs.GetIdentity(root));
  EXPECT_TRUE(fs.CanReadTimes(root + "song.mp3"));
  EXPECT_FALSE(fs.CanReadTimes(root + "dangling.mp3"));
  for (const char* path : {"missing", "song.mp3/"})
    EXPECT_THROW(fs.GetAttributes(root + path), FileSystemError) << path;
  EXPECT_THROW(fs.ReadFolder(root + "song.mp3"), FileSystemError);
}

std::size_t OpenDescriptors() {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
    ++count;
  return count;
}

Names NamesOf(const std::vector<FolderEntry>& entries) {
  Names names;
  for (const FolderEntry& entry : entries) names.push_back(entry.name);
  return names;
}

// A walk reads each folder through the one it is in, held open meanwhile: what it reads is what
// the paths name, a link put in the place of a folder is not entered, and nothing stays open.
// A name's end is found from its record's length: names of every length read back whole.
TEST(PosixFileSystemTest, ReadsNamesOfEveryLengthWhole) {
  TempFolder temp;
  Names written;
  for (std::size_t length = 1; length <= NAME_MAX; ++length) {
    std::string name(length, static_cast<char>('a' + length % 26));
    name.back() = 'z';
    if (name == "." || name == "..") continue;
    temp.Write(name);
    written.push_back(name);
  }
  PosixFileSystem fs;
  Names listed;
  for (const FolderEntry& entry : fs.ReadFolder(temp.Path())) listed.push_back(entry.name);
  std::sort(written.begin(), written.end());
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, written);
}

TEST(PosixFileSystemTest, AWalkReadsThroughHeldFoldersAndLetsThemGo) {
  TempFolder temp;
  const std::string root = temp.Path();
  for (const char* file : {"a/b/c/1.mp3", "a/b/2.mp3", "a/d/3.mp3", "e/4.mp3", "outside/x.mp3"})
    temp.Write(file);
  PosixFileSystem fs;
  const std::size_t before = OpenDescriptors();
  fs.BeginWalk();
  EXPECT_EQ(NamesOf(fs.ReadFolder(root)), (Names{"a", "e", "outside"}));
  EXPECT_EQ(NamesOf(fs.ReadFolder(root + "a/")), (Names{"b", "d"}));
  EXPECT_EQ(NamesOf(fs.ReadFolder(root + "a/b/")), (Names{"2.mp3", "c"}));
  EXPECT_EQ(NamesOf(fs.ReadFolder(root + "a/b/c/")), (Names{"1.mp3"}));
  // Back up the tree, and to a folder given by a path of several steps.
  EXPECT_EQ(NamesOf(fs.ReadFolder(root + "a/d/")), (Names{"3.mp3"}));
  EXPECT_EQ(NamesOf(fs.ReadFolder(root + "a/./b/c/")), (Names{"1.mp3"}));
  EXPECT_GT(OpenDescriptors(), before);
  // A folder swapped for a link after the folder it is in was read.
  EXPECT_EQ(NamesOf(fs.ReadFolder(root + "e/")), (Names{"4.mp3"}));
  EXPECT_EQ(NamesOf(fs.ReadFolder(root)), (Names{"a", "e", "outside"}));
  std::filesystem::remove_all(root + "a");
  std::filesystem::create_directory_symlink(root + "outside", root + "a");
  EXPECT_THROW(fs.ReadFolder(root + "a/"), FileSystemError);
  fs.EndWalk();
  EXPECT_EQ(OpenDescriptors(), before);
  // Outside a walk the path is followed as it stands.
  EXPECT_EQ(NamesOf(fs.ReadFolder(root + "a/")), (Names{"x.mp3"}));
  EXPECT_EQ(OpenDescriptors(), before);
}

// A walk that reads ahead on a thread of its own closes the folders it read many at a time, in a
// table of descriptors of its own: the process keeps every descriptor it had, and a walk under a
// tight limit of descriptors still reads every folder (it closes what waits to be closed when the
// limit is reached).
TEST(PosixFileSystemTest, AWalkReadingAheadKeepsTheProcesssDescriptorsWithinItsLimit) {
  TempFolder temp;
  const std::string root = temp.Path();
  for (int i = 0; i < 300; ++i) temp.Write("f" + std::to_string(1000 + i) + "/x.mp3");
  temp.Write("f1000/a/b/c/d/y.mp3");
  int pipe[2];
  ASSERT_EQ(::pipe(pipe), 0);
  const std::size_t before = OpenDescriptors();
  struct rlimit limit;
  ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &limit), 0);
  struct Restore {
    struct rlimit limit;
    ~Restore() { ::setrlimit(RLIMIT_NOFILE, &limit); }
  } restore{limit};
  struct rlimit tight = limit;
  tight.rlim_cur = before + 24;
  ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &tight), 0);

  PosixFileSystem fs;
  files::PendingPaths pending;
  std::vector<files::PassedOver> passedOver;
  Names folders;
  files::AddFolderTree(fs, pending, root, {}, &passedOver, [&] {
    for (; !pending.Empty(); pending.RemoveFront()) folders.push_back(pending.Front());
  });
  EXPECT_EQ(folders.size(), 305u);
  EXPECT_EQ(folders.back(), root + "f1299/");
  for (const files::PassedOver& item : passedOver) ADD_FAILURE() << item.path << item.error;
  EXPECT_EQ(OpenDescriptors(), before);
  // Both ends of the pipe are still the process's.
  ASSERT_EQ(::write(pipe[1], "x", 1), 1);
  ::close(pipe[1]);
  char byte[2];
  EXPECT_EQ(::read(pipe[0], byte, 2), 1);
  EXPECT_EQ(::read(pipe[0], byte, 2), 0);
  ::close(pipe[0]);
}

std::error_code PosixRename(const std::string& from, const std::string& to) noexcept {
  return PosixFileSystem().Rename(from, to);
}

// The same rules hold for Rename and for the path it takes where the file system refuses
// RENAME_NOREPLACE: no other entry is replaced, and every file is left with exactly one name.
TEST(PosixRenameTest, NeverReplacesAnotherEntryNorLeavesAFileTwoNamesOrNone) {
  for (const auto rename : {PosixRename, RenameWithoutReplaceFlag}) {
    SCOPED_TRACE(rename == PosixRename ? "Rename" : "without the flag");
    TempFolder temp;
    const std::string a = temp.Write("a.mp3", "A"), b = temp.Write("b.mp3", "B");
    const std::string twin = temp.Path() + "twin.mp3", moved = temp.Path() + "Caf\xE9.mp3";
    std::filesystem::create_directories(temp.Path() + "folder");
    // Another name of the same file is another entry: renaming onto it would do nothing.
    ASSERT_EQ(::syscall(SYS_linkat, AT_FDCWD, a.c_str(), AT_FDCWD, twin.c_str(), 0), 0);
    for (const std::string& to : {b, twin, temp.Path() + "folder"})
      EXPECT_EQ(rename(a, to), std::errc::file_exists) << to;
    EXPECT_EQ(rename(temp.Path() + "none.mp3", b), std::errc::no_such_file_or_directory);
    ASSERT_EQ(::unlink(twin.c_str()), 0);
    EXPECT_EQ(ReadWhole(a) + ReadWhole(b), "AB");
    EXPECT_EQ(std::filesystem::hard_link_count(a) + std::filesystem::hard_link_count(b), 2u);

    EXPECT_EQ(rename(a, moved), std::error_code());
    EXPECT_EQ(ReadWhole(a) + ReadWhole(moved), "(missing)A");
    EXPECT_EQ(std::filesystem::hard_link_count(moved), 1u);
  }
}

#if defined(VORNICK_NO_REPLACE_REFUSED)
// Where RENAME_NOREPLACE and hard links are refused, another program saving files (never replacing
// one) at the names being renamed to keeps every file it saved, and a rename counts as done only
// when its file stands at the target.
TEST(PosixRenameTest, WithoutTheFlagAFileSavedAtTheTargetMeanwhileIsKept) {
  TempFolder temp;
  ASSERT_NE(::linkat(AT_FDCWD, "/dev/null", AT_FDCWD, (temp.Path() + "x").c_str(), 0), 0);
  constexpr int kFiles = 200;
  const auto from = [&](int i) { return temp.Path() + "from " + std::to_string(i); };
  const auto to = [&](int i) { return temp.Path() + "to " + std::to_string(i); };
  for (int i = 0; i < kFiles; ++i) temp.Write("from " + std::to_string(i), "ours");
  std::atomic<int> current = -1;
  std::atomic<bool> done = false;
  std::vector<std::atomic<bool>> saved(kFiles);
  std::thread saver([&] {
    while (!done) {
      const int i = current;
      const int fd = i < 0 ? -1 : ::open(to(i).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
      if (fd < 0) continue;
      saved[i] = ::write(fd, "theirs", 6) == 6;
      ::close(fd);
    }
  });
  std::vector<std::error_code> results(kFiles);
  PosixFileSystem fs;
  for (int i = 0; i < kFiles; ++i) {
    current = i;
    results[i] = fs.Rename(from(i), to(i));
  }
  done = true;
  saver.join();
  for (int i = 0; i < kFiles; ++i) {
    const bool theirs = saved[i];
    EXPECT_EQ(ReadWhole(to(i)) + ReadWhole(from(i)), theirs ? "theirsours" : "ours(missing)") << i;
    EXPECT_EQ(results[i], theirs ? std::make_error_code(std::errc::file_exists) : std::error_code())
        << i;
  }
}
#endif

// A FAT image mounted with fusefat: a file system that ignores case, refuses RENAME_NOREPLACE and
// hard links, and numbers a file anew for every name it is looked up by.
TEST(PosixRenameTest, OnFatChangesOnlyTheCaseAndNeverReplaces) {
  if (::access("/dev/fuse", R_OK | W_OK) != 0) GTEST_SKIP() << "no usable /dev/fuse";
  for (const char* tool : {"mkfs.vfat", "fusefat", "fusermount"})
    if (!RunQuietly(std::string("command -v ") + tool)) GTEST_SKIP() << tool << " is missing";
  TempFolder temp;
  const std::string image = temp.Path() + "fat.img", mount = temp.Path() + "mnt/";
  std::filesystem::create_directories(mount);
  ASSERT_TRUE(RunQuietly("mkfs.vfat -C " + ShellQuoted(image) + " 2048"));
  if (!RunQuietly("fusefat -o rw+ " + ShellQuoted(image) + " " + ShellQuoted(mount)))
    GTEST_SKIP() << "fusefat could not mount an image";
  struct Unmount {
    std::string mount;
    ~Unmount() { RunQuietly("fusermount -u " + ShellQuoted(mount)); }
  } unmount{mount};

  std::ofstream(mount + "song.mp3") << "S";
  std::ofstream(mount + "other.mp3") << "O";
  PosixFileSystem fs;
  ASSERT_EQ(fs.GetAttributes(mount + "SONG.MP3"), 0u) << "this FAT ignores case";
  EXPECT_EQ(fs.Rename(mount + "song.mp3", mount + "Song.MP3"), std::error_code());
  EXPECT_EQ(fs.Rename(mount + "Song.MP3", mount + "OTHER.mp3"), std::errc::file_exists);
  EXPECT_EQ(fs.Rename(mount + "Song.MP3", mount + "New Name.mp3"), std::error_code());
  Names names;
  // FUSE closes files in the background; one it still counts as open when it is renamed over
  // shows as a hidden entry until then.
  for (const FolderEntry& entry : fs.ReadFolder(mount))
    if (!entry.name.starts_with(".fuse_hidden")) names.push_back(entry.name);
  EXPECT_EQ(names, (Names{"New Name.mp3", "other.mp3"}));
  EXPECT_EQ(ReadWhole(mount + "New Name.mp3") + ReadWhole(mount + "other.mp3"), "SO");
}

// An exFAT image on a loop device, mounted with exfat-fuse: it ignores the case of every letter
// (by its table of upper cases), not of ASCII letters only.
TEST(PosixRenameTest, OnExfatChangesTheCaseOfAnyLetterAndNeverReplaces) {
  const std::string why = WhyNoLoopMounts({"mkfs.exfat", "mount.exfat-fuse", "losetup"});
  if (!why.empty()) GTEST_SKIP() << why;
  TempFolder temp;
  const std::string mount = temp.Path() + "mnt/";
  LoopImage image(temp.Path() + "exfat.img");
  ASSERT_TRUE(image.Format(16, "mkfs.exfat"));
  if (!image.Attach()) GTEST_SKIP() << "no loop device could be had";
  if (!image.Mount("mount.exfat-fuse", mount)) GTEST_SKIP() << "exfat-fuse could not mount";

  std::ofstream(mount + "кино.mp3") << "K";
  std::ofstream(mount + "ÉTÉ.mp3") << "E";
  std::ofstream(mount + "other.mp3") << "O";
  PosixFileSystem fs;
  ASSERT_EQ(fs.GetAttributes(mount + "КИНО.mp3"), 0u) << "this exFAT ignores case";
  EXPECT_EQ(fs.Rename(mount + "кино.mp3", mount + "Кино.mp3"), std::error_code());
  EXPECT_EQ(fs.Rename(mount + "ÉTÉ.mp3", mount + "été.MP3"), std::error_code());
  // Another file under another case of the name is never replaced.
  EXPECT_EQ(fs.Rename(mount + "Кино.mp3", mount + "OTHER.mp3"), std::errc::file_exists);
  Names names;
  for (const FolderEntry& entry : fs.ReadFolder(mount))
    if (!entry.name.starts_with(".fuse_hidden")) names.push_back(entry.name);
  EXPECT_EQ(names, (Names{"other.mp3", "été.MP3", "Кино.mp3"}));
  EXPECT_EQ(
      ReadWhole(mount + "Кино.mp3") + ReadWhole(mount + "été.MP3") + ReadWhole(mount + "other.mp3"),
      "KEO");
}

// The order of a folder's entries, judged word by word, against the same order judged byte by
// byte: names alike for long runs, differing in case or by one byte at every place, and bytes
// beyond ASCII, whose order is their unsigned value.
TEST(NameOrderTest, ComparesAsTheBytesFoldedFromAToZ) {
  const auto byteByByte = [](std::string_view a, std::string_view b) {
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
      auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
      if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
      if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
      if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
  };
  std::mt19937 random(7);
  const std::string letters = "aAbBzZ[`_ \x7F\x80\xC3\xA9\xFF";
  for (int round = 0; round < 200000; ++round) {
    std::string a(random() % 40, 'x');
    for (char& c : a) c = letters[random() % letters.size()];
    std::string b = a;
    // The same name, its case changed at a few places, cut or lengthened, or one byte changed.
    for (int k = random() % 3; k > 0 && !b.empty(); --k) {
      char& c = b[random() % b.size()];
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    if (random() % 4 == 0) b.resize(random() % 41, letters[random() % letters.size()]);
    if (random() % 3 == 0 && !b.empty())
      b[random() % b.size()] = letters[random() % letters.size()];
    ASSERT_EQ(NameOrderLess(a, b), byteByByte(a, b)) << a << " / " << b;
    ASSERT_EQ(NameOrderLess(b, a), byteByByte(b, a)) << b << " / " << a;
    // The key of the first bytes orders the names wherever keys differ.
    if (NameOrder::Prefix(a) != NameOrder::Prefix(b)) {
      ASSERT_EQ(NameOrder::Prefix(a) < NameOrder::Prefix(b), byteByByte(a, b)) << a << " / " << b;
    }
  }
  // A folder's listing sorted through the keys is in the order of the names.
  std::vector<std::string> names;
  FolderListing listing;
  for (int i = 0; i < 3000; ++i) {
    std::string name(1 + random() % 12, 'x');
    for (char& c : name) c = letters[random() % 6];  // few letters: many keys alike
    names.push_back(name);
    listing.Add(name, static_cast<std::uint32_t>(i));
  }
  listing.SortByName(NameOrder{});
  const std::vector<std::string> added = names;
  std::stable_sort(names.begin(), names.end(), NameOrderLess);
  for (std::size_t i = 0; i < names.size(); ++i) {
    ASSERT_EQ(listing.Name(i), names[i]) << i;
    // Each name keeps its own entry.
    ASSERT_EQ(listing.Name(i), added[listing.Attributes(i)]) << i;
  }
}

}  // namespace
}  // namespace vornick::platform
