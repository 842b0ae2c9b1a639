// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/history/sqlite_history_store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <optional>
#include <regex>
#include <span>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "tests/platform/temp_folder.h"

namespace vornick::platform {
namespace {

using Outcomes = std::vector<RowOutcome>;
using Rows = std::vector<HistoryRow>;
using RowTuple = std::tuple<std::uint32_t, std::string, std::string, std::uint64_t, std::uint64_t>;

// One folder, for batches whose folders do not matter.
const std::vector<std::string> kMusic = {"/m/"};

constexpr RowOutcome U = RowOutcome::kUnknown;
constexpr RowOutcome R = RowOutcome::kRenamed;
constexpr RowOutcome F = RowOutcome::kFailed;
constexpr RowOutcome T = RowOutcome::kTakenBack;

HistoryRow Row(std::uint32_t folder, std::string from, std::string to, std::uint64_t inode = 7) {
  return {folder, std::move(from), std::move(to), {66306, inode}};
}

// Rows in folder 0.
std::vector<HistoryRow> Numbered(std::size_t count) {
  std::vector<HistoryRow> rows;
  for (std::size_t i = 0; i < count; ++i) {
    rows.push_back(Row(0, "track " + std::to_string(i) + ".mp3",
                       "Track " + std::to_string(i) + ".mp3", 1000 + i));
  }
  return rows;
}

std::vector<RowTuple> Tuples(const std::vector<StoredRow>& rows) {
  std::vector<RowTuple> tuples;
  for (const StoredRow& stored : rows) {
    const HistoryRow& row = stored.row;
    tuples.emplace_back(row.folder, row.from, row.to, row.identity.device, row.identity.inode);
  }
  return tuples;
}

Outcomes OutcomesOf(const StoredBatch& batch) {
  Outcomes outcomes;
  for (const StoredRow& row : batch.rows) outcomes.push_back(row.outcome);
  return outcomes;
}

std::vector<std::int64_t> Ids(HistoryStore& store) {
  std::vector<std::int64_t> ids;
  for (const BatchSummary& batch : store.Batches()) ids.push_back(batch.id);
  return ids;
}

// Runs SQL on the history file from outside the store, as another program would.
void Sql(const std::string& file, const std::string& sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
  char* error = nullptr;
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK)
      << (error ? error : "");
  sqlite3_free(error);
  sqlite3_close(db);
}

// The number a query gives, read from outside the store.
std::int64_t SqlNumber(const std::string& file, const char* sql) {
  sqlite3* db = nullptr;
  std::int64_t number = -1;
  sqlite3_stmt* query = nullptr;
  if (sqlite3_open(file.c_str(), &db) == SQLITE_OK &&
      sqlite3_prepare_v2(db, sql, -1, &query, nullptr) == SQLITE_OK &&
      sqlite3_step(query) == SQLITE_ROW)
    number = sqlite3_column_int64(query, 0);
  sqlite3_finalize(query);
  sqlite3_close(db);
  return number;
}

mode_t ModeOf(const std::string& path) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0) return 0;
  return status.st_mode & 07777;
}

// Runs `body` in a child process that then ends at once, with no destructor run: a program killed
// in the middle of a batch. `ended` runs once the child has ended, before it is waited for.
void InChild(const std::function<void()>& body, const std::function<void()>& ended = {}) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    try {
      body();
    } catch (...) {
      ::_exit(1);
    }
    ::_exit(0);
  }
  siginfo_t info{};
  ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT), 0);
  if (ended) ended();
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(SqliteHistoryStoreTest, KeepsExactBytesAndNumbersFoldersOnAcrossAddRows) {
  TempFolder temp;
  const std::vector<std::string> first = {"/music/\xff\xfe/", "/music/a b/"};
  const std::vector<HistoryRow> firstRows = {
      Row(1, "\x80\x81 bad.mp3", "Good.mp3", UINT64_MAX),
      // An empty proposed name and a NUL byte are kept as they are, not cut or made NULL.
      Row(0, std::string("a\0b.mp3", 7), "", 0)};
  std::int64_t id = 0;
  {
    SqliteHistoryStore store(temp.Path() + "state");
    id = store.BeginBatch(BatchKind::kUndo, "vornick-cli rename \xe9", first, firstRows);
    store.AddRows(id, std::vector<std::string>{"/music/c/"}, Rows{Row(2, "c.mp3", "C.mp3")});
    store.AddRows(id, {}, Rows{Row(0, "d.mp3", "D.mp3"), Row(1, "e.mp3", "E.mp3")});
    store.AddRows(id, std::vector<std::string>{"/other/"}, Rows{Row(3, "f.mp3", "F.mp3")});
  }
  // Read back through another connection, from the file alone.
  SqliteHistoryStore store(temp.Path() + "state/");
  const std::optional<StoredBatch> batch = store.Batch(id);
  ASSERT_TRUE(batch);
  EXPECT_EQ(batch->folders,
            (std::vector<std::string>{"/music/\xff\xfe/", "/music/a b/", "/music/c/", "/other/"}));
  const std::vector<RowTuple> expected = {{1, "\x80\x81 bad.mp3", "Good.mp3", 66306, UINT64_MAX},
                                          {0, std::string("a\0b.mp3", 7), "", 66306, 0},
                                          {2, "c.mp3", "C.mp3", 66306, 7},
                                          {0, "d.mp3", "D.mp3", 66306, 7},
                                          {1, "e.mp3", "E.mp3", 66306, 7},
                                          {3, "f.mp3", "F.mp3", 66306, 7}};
  EXPECT_EQ(Tuples(batch->rows), expected);
  EXPECT_EQ(OutcomesOf(*batch), Outcomes(6, U));
  const BatchSummary& summary = batch->summary;
  EXPECT_EQ(summary.id, id);
  EXPECT_EQ(summary.kind, BatchKind::kUndo);
  EXPECT_EQ(summary.command, "vornick-cli rename \xe9");
  EXPECT_EQ(summary.files, 6u);
  EXPECT_EQ(summary.renamed, 6u);
  EXPECT_EQ(summary.takenBack, 0u);
  EXPECT_EQ(summary.folder, "/");
  EXPECT_FALSE(store.Batch(id + 1));
  EXPECT_EQ(store.Location(), temp.Path() + "state/history.sqlite");
}

TEST(SqliteHistoryStoreTest, SummaryFolderHoldsEveryFolderOfTheBatch) {
  struct Case {
    std::vector<std::string> folders;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {{}, ""},
      {{"/m/a/b/"}, "/m/a/b/"},
      {{"/m/a/b/", "/m/a/bc/"}, "/m/a/"},
      {{"/m/a/b/", "/m/a/b/c/"}, "/m/a/b/"},
      {{"/m/a/b/c/", "/m/a/b/"}, "/m/a/b/"},
      {{"/m/a/", "/m/a/x/", "/n/"}, "/"},
      // Bytes alike up to inside a character: cut back to the separator.
      {{"/m/\xc3\xa9/", "/m/\xc3\xa8/"}, "/m/"},
  };
  TempFolder temp;
  SqliteHistoryStore store(temp.Path());
  for (const Case& c : cases) {
    // All at the start, and one folder a call.
    const std::int64_t whole = store.BeginBatch(BatchKind::kRename, "Rename", c.folders, {});
    EXPECT_EQ(store.Batch(whole)->summary.folder, c.expected) << c.expected;
    const std::int64_t pieces = store.BeginBatch(BatchKind::kRename, "Rename", {}, {});
    for (const std::string& folder : c.folders) store.AddRows(pieces, std::span(&folder, 1), {});
    EXPECT_EQ(store.Batches().front().folder, c.expected) << c.expected;
  }
}

TEST(SqliteHistoryStoreTest, OutcomesKeepTheCountersAndTakenBackStays) {
  struct Step {
    std::vector<std::uint64_t> rows;
    RowOutcome outcome;
    Outcomes expected;
    std::uint64_t renamed, takenBack;
  };
  const std::vector<Step> steps = {
      {{0, 1, 2}, R, {R, R, R, U, U, U, U, U}, 8, 0},
      // Two runs with a row left between them.
      {{4, 6, 7}, F, {R, R, R, U, F, U, F, F}, 5, 0},
      {{0, 1}, T, {T, T, R, U, F, U, F, F}, 3, 2},
      // Row 1 is taken back already: counted once.
      {{1, 2}, T, {T, T, T, U, F, U, F, F}, 2, 3},
      {{0, 1, 2, 3}, R, {T, T, T, R, F, U, F, F}, 2, 3},
      // A failed row renamed after all.
      {{6}, R, {T, T, T, R, F, U, R, F}, 3, 3},
      {{3}, F, {T, T, T, F, F, U, R, F}, 2, 3},
      {{}, F, {T, T, T, F, F, U, R, F}, 2, 3},
      {{7}, T, {T, T, T, F, F, U, R, T}, 2, 4},
  };
  TempFolder temp;
  SqliteHistoryStore store(temp.Path());
  store.BeginBatch(BatchKind::kRename, "Rename", std::vector<std::string>{"/m/"}, Numbered(8));
  const std::int64_t id =
      store.BeginBatch(BatchKind::kRename, "Rename", std::vector<std::string>{"/m/"}, Numbered(8));
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const Step& step = steps[i];
    store.RecordOutcomes(id, step.rows, step.outcome);
    const StoredBatch batch = *store.Batch(id);
    EXPECT_EQ(OutcomesOf(batch), step.expected) << "step " << i;
    const BatchSummary summary = store.Batches().front();
    EXPECT_EQ(summary.files, 8u);
    EXPECT_EQ(summary.renamed, step.renamed) << "step " << i;
    EXPECT_EQ(summary.takenBack, step.takenBack) << "step " << i;
  }
  // The other batch is untouched.
  const BatchSummary other = store.Batches().back();
  EXPECT_EQ(other.renamed, 8u);
  EXPECT_EQ(OutcomesOf(*store.Batch(other.id)), Outcomes(8, U));
}

TEST(SqliteHistoryStoreTest, RefusesWhatIsNotThereAndLeavesNoHalfWrite) {
  TempFolder temp;
  SqliteHistoryStore store(temp.Path());
  const std::vector<std::string> folders = {"/m/"};
  const std::int64_t id = store.BeginBatch(BatchKind::kRename, "Rename", folders, Numbered(3));
  const std::int64_t missing = id + 1;
  struct Case {
    const char* what;
    std::function<void()> call;
    std::errc error;
  };
  const std::vector<Case> cases = {
      {"rows of a missing batch", [&] { store.AddRows(missing, folders, Numbered(1)); },
       std::errc::no_such_file_or_directory},
      {"outcomes of a missing batch", [&] { store.RecordOutcomes(missing, {{0}}, R); },
       std::errc::no_such_file_or_directory},
      {"finishing a missing batch", [&] { store.FinishBatch(missing); },
       std::errc::no_such_file_or_directory},
      {"taking back a missing batch", [&] { store.BeginTakeBack(missing); },
       std::errc::no_such_file_or_directory},
      {"an outcome past the last row",
       [&] {
         store.RecordOutcomes(id, {{0, 1, 2, 3}}, F);
       },
       std::errc::invalid_argument},
      {"rows out of order",
       [&] {
         store.RecordOutcomes(id, {{2, 1}}, F);
       },
       std::errc::invalid_argument},
      // The rows before the bad one were written already: they must go too.
      {"a row in a folder past the last",
       [&] {
         std::vector<HistoryRow> rows = Numbered(3);
         rows.back().folder = 2;
         store.AddRows(id, std::vector<std::string>{"/n/"}, rows);
       },
       std::errc::invalid_argument},
      {"a new batch with such a row",
       [&] {
         store.BeginBatch(BatchKind::kRename, "Rename", folders,
                          Rows{Row(0, "a", "b"), Row(1, "c", "d")});
       },
       std::errc::invalid_argument},
  };
  const StoredBatch before = *store.Batch(id);
  for (const Case& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << c.what << ": no error";
    } catch (const HistoryError& error) {
      EXPECT_TRUE(error.Error() == c.error) << c.what << ": " << error.Error().message();
      EXPECT_EQ(error.Where(), store.Location()) << c.what;
      const std::string inFolder =
          "cannot write the history in " + temp.Path().substr(0, temp.Path().size() - 1) + ": ";
      EXPECT_EQ(std::string(error.what()).substr(0, inFolder.size()), inFolder) << error.what();
    }
    EXPECT_EQ(Ids(store), std::vector<std::int64_t>{id}) << c.what;
    const StoredBatch after = *store.Batch(id);
    EXPECT_EQ(Tuples(after.rows), Tuples(before.rows)) << c.what;
    EXPECT_EQ(after.folders, before.folders) << c.what;
    EXPECT_EQ(OutcomesOf(after), OutcomesOf(before)) << c.what;
    EXPECT_EQ(after.summary.renamed, 3u) << c.what;
  }
  // The boundary itself is fine, and the numbering goes on where it was.
  store.RecordOutcomes(id, {{2}}, F);
  store.AddRows(id, std::vector<std::string>{"/n/"}, Rows{Row(1, "x", "y")});
  const StoredBatch after = *store.Batch(id);
  EXPECT_EQ(after.folders, (std::vector<std::string>{"/m/", "/n/"}));
  EXPECT_EQ(OutcomesOf(after), (Outcomes{U, U, F, U}));
  EXPECT_EQ(std::get<1>(Tuples(after.rows).back()), "x");
  EXPECT_EQ(after.summary.renamed, 3u);
}

TEST(SqliteHistoryStoreTest, AFailedWriteLeavesNothingOfTheBatch) {
  TempFolder temp;
  SqliteHistoryStore store(temp.Path());
  const std::vector<std::string> folders = {"/m/"};
  const std::int64_t kept = store.BeginBatch(BatchKind::kRename, "Rename", folders, Numbered(2));
  store.FinishBatch(kept);
  // Files may not grow past what they are now: the next large write fails.
  struct rlimit old;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = std::filesystem::file_size(store.Location()) + 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  std::error_code error;
  try {
    store.BeginBatch(BatchKind::kRename, "Rename", folders, Numbered(20000));
  } catch (const HistoryError& failure) {
    // SQLite tells an I/O error without its errno once it has rolled back.
    error = failure.Error();
    EXPECT_EQ(failure.Where(), store.Location());
  }
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_TRUE(error == std::errc::file_too_large || error == std::errc::io_error)
      << error.message();
  EXPECT_EQ(Ids(store), std::vector<std::int64_t>{kept});
  const std::int64_t next = store.BeginBatch(BatchKind::kRename, "Rename", folders, Numbered(3));
  EXPECT_EQ(store.Batch(next)->rows.size(), 3u);
  EXPECT_EQ(store.Batch(kept)->rows.size(), 2u);
}

TEST(SqliteHistoryStoreTest, ABatchWhoseProcessEndedIsInterrupted) {
  TempFolder temp;
  const std::string folder = temp.Path() + "state";
  // Ended, but not yet waited for by its parent, it runs no more.
  InChild(
      [&] {
        SqliteHistoryStore store(folder);
        store.BeginBatch(BatchKind::kRename, "vornick-cli rename", kMusic, Numbered(1));
      },
      [&] { EXPECT_FALSE(SqliteHistoryStore(folder).Batches().front().running); });
  InChild([&] {
    SqliteHistoryStore store(folder);
    store.FinishBatch(
        store.BeginBatch(BatchKind::kRename, "vornick-cli rename", kMusic, Numbered(1)));
    store.BeginBatch(BatchKind::kRename, "vornick-cli rename", kMusic, Numbered(1));
  });
  SqliteHistoryStore store(folder);
  const std::int64_t own = store.BeginBatch(BatchKind::kRename, "Rename", {}, {});
  const auto states = [&] {
    std::vector<std::pair<bool, bool>> list;
    for (const BatchSummary& batch : store.Batches())
      list.emplace_back(batch.finished, batch.running);
    return list;
  };
  // Newest first: this process's, then the child's unfinished, finished and unfinished ones.
  EXPECT_EQ(Ids(store), (std::vector<std::int64_t>{own, own - 1, own - 2, own - 3}));
  EXPECT_EQ(states(), (std::vector<std::pair<bool, bool>>{
                          {false, true}, {false, false}, {true, false}, {false, false}}));
  // Taken back here, the child's batch is this process's to finish.
  store.BeginTakeBack(own - 1);
  EXPECT_EQ(states()[1], std::pair(false, true));
  store.FinishBatch(own - 1);
  EXPECT_EQ(states()[1], std::pair(true, false));
  // A finished batch being taken back is unfinished until that ends.
  store.BeginTakeBack(own - 2);
  EXPECT_EQ(states()[2], std::pair(false, true));
  store.FinishBatch(own - 2);
  EXPECT_EQ(states()[2], std::pair(true, false));
  // The same pid, but a process started at another time: one that reused the pid.
  Sql(store.Location(),
      "UPDATE batch SET pid_started = pid_started + 1 WHERE id = " + std::to_string(own));
  EXPECT_EQ(states()[0], std::pair(false, false));
}

TEST(SqliteHistoryStoreTest, ListsNewestFirstWithTheTimeStarted) {
  TempFolder temp;
  SqliteHistoryStore store(temp.Path());
  const std::int64_t before = std::time(nullptr);
  const std::int64_t a = store.BeginBatch(BatchKind::kRename, "a", {}, {});
  const std::int64_t b = store.BeginBatch(BatchKind::kUndo, "b", {}, {});
  store.FinishBatch(a);
  const std::int64_t c = store.BeginBatch(BatchKind::kRename, "c", {}, {});
  const std::int64_t after = std::time(nullptr);
  std::vector<std::string> commands;
  for (const BatchSummary& batch : store.Batches()) {
    commands.push_back(batch.command);
    EXPECT_GE(batch.started, before);
    EXPECT_LE(batch.started, after);
  }
  EXPECT_EQ(Ids(store), (std::vector<std::int64_t>{c, b, a}));
  EXPECT_EQ(commands, (std::vector<std::string>{"c", "b", "a"}));
  EXPECT_EQ(store.Batches()[1].kind, BatchKind::kUndo);
}

// Begins and finishes batches of the given sizes; their ids.
std::vector<std::int64_t> Finished(HistoryStore& store, const std::vector<std::size_t>& sizes) {
  std::vector<std::int64_t> ids;
  for (const std::size_t size : sizes) {
    ids.push_back(store.BeginBatch(BatchKind::kRename, "Rename", kMusic, Numbered(size)));
    store.FinishBatch(ids.back());
  }
  return ids;
}

TEST(SqliteHistoryStoreTest, PruningKeepsTheNewestHoweverLarge) {
  TempFolder temp;
  SqliteHistoryStore store(temp.Path(), {.keptBatches = 3, .maxBatches = 5, .maxFiles = 10});
  // Each batch is past the file bound on its own.
  std::vector<std::int64_t> ids;
  for (std::size_t count = 1; count <= 5; ++count) {
    ids.push_back(Finished(store, {20}).front());
    store.Tidy();
    const std::size_t kept = std::min<std::size_t>(count, 3);
    EXPECT_EQ(Ids(store), std::vector<std::int64_t>(ids.rbegin(), ids.rbegin() + kept))
        << count << " batches finished";
  }
  // Nothing is left of the dropped ones.
  EXPECT_FALSE(store.Batch(ids[0]));
  EXPECT_EQ(SqlNumber(store.Location(), "SELECT count(*) FROM file"), 60);
  EXPECT_EQ(SqlNumber(store.Location(), "SELECT count(*) FROM folder"), 3);
}

TEST(SqliteHistoryStoreTest, PruningDropsTheOldestPastTheBatchBound) {
  TempFolder temp;
  SqliteHistoryStore store(temp.Path());
  const std::vector<std::int64_t> ids =
      Finished(store, std::vector<std::size_t>(kHistoryMaxBatches, 1));
  store.Tidy();
  EXPECT_EQ(store.Batches().size(), kHistoryMaxBatches);
  const std::int64_t last = Finished(store, {1}).front();
  // Finishing leaves the upkeep to Tidy.
  EXPECT_EQ(store.Batches().size(), kHistoryMaxBatches + 1);
  store.Tidy();
  const std::vector<BatchSummary> batches = store.Batches();
  EXPECT_EQ(batches.size(), kHistoryMaxBatches);
  EXPECT_EQ(batches.front().id, last);
  EXPECT_EQ(batches.back().id, ids[1]);
}

TEST(SqliteHistoryStoreTest, PruningDropsTheOldestPastTheFileBound) {
  TempFolder temp;
  SqliteHistoryStore store(temp.Path(), {.keptBatches = 1, .maxBatches = 100, .maxFiles = 10});
  const std::vector<std::int64_t> ids = Finished(store, {4, 4, 2});
  store.Tidy();
  // Ten files in all: at the bound, nothing goes.
  EXPECT_EQ(Ids(store), (std::vector<std::int64_t>{ids[2], ids[1], ids[0]}));
  // One more: the oldest goes, and no more than that.
  const std::int64_t next = Finished(store, {1}).front();
  store.Tidy();
  EXPECT_EQ(Ids(store), (std::vector<std::int64_t>{next, ids[2], ids[1]}));
  // Five more: the two oldest go.
  const std::int64_t last = Finished(store, {5}).front();
  store.Tidy();
  EXPECT_EQ(Ids(store), (std::vector<std::int64_t>{last, next, ids[2]}));
}

TEST(SqliteHistoryStoreTest, PruningSparesUnfinishedBatchesAndTheOneJustFinished) {
  TempFolder temp;
  const std::string folder = temp.Path();
  SqliteHistoryStore store(folder, {.keptBatches = 0, .maxBatches = 1, .maxFiles = 100});
  const std::int64_t old = Finished(store, {1}).front();
  store.Tidy();
  // Interrupted: its program ended in the middle.
  InChild([&] {
    SqliteHistoryStore child(folder);
    child.BeginBatch(BatchKind::kRename, "vornick-cli rename", kMusic, Numbered(1));
  });
  const std::int64_t interrupted = Ids(store).front();
  ASSERT_NE(interrupted, old);
  const std::int64_t running = store.BeginBatch(BatchKind::kRename, "Rename", kMusic, Numbered(1));
  const std::int64_t finished = Finished(store, {1}).front();
  store.Tidy();
  EXPECT_EQ(Ids(store), (std::vector<std::int64_t>{finished, running, interrupted}));
  // Finished last, the older batch stays and the newer one goes.
  store.FinishBatch(running);
  store.Tidy();
  EXPECT_EQ(Ids(store), (std::vector<std::int64_t>{running, interrupted}));
}

TEST(SqliteHistoryStoreTest, TidyCopiesTheLogIntoTheFile) {
  TempFolder temp;
  SqliteHistoryStore store(temp.Path());
  store.FinishBatch(store.BeginBatch(BatchKind::kRename, "Rename", kMusic, Numbered(5000)));
  const std::uintmax_t before = std::filesystem::file_size(store.Location());
  store.Tidy();
  EXPECT_GT(std::filesystem::file_size(store.Location()), before + 5000 * 30);
}

TEST(SqliteHistoryStoreTest, SetsADamagedHistoryAsideAndStartsAgain) {
  const std::string garbage(3000, '\x5a');
  struct Case {
    const char* what;
    std::function<void(const std::string& file)> make;
    bool setAside;
  };
  const std::vector<Case> cases = {
      {"garbage", [&](const std::string& file) { std::ofstream(file) << garbage; }, true},
      {"another program's database",
       [](const std::string& file) {
         Sql(file, "PRAGMA application_id=1234; CREATE TABLE t(x); INSERT INTO t VALUES(1)");
       },
       true},
      // This program's application id, a schema version past its own.
      {"a newer history",
       [](const std::string& file) {
         Sql(file, "PRAGMA application_id=1450144366; PRAGMA user_version=2; CREATE TABLE t(x)");
       },
       true},
      // Left by a crash between making the file and writing into it.
      {"an empty file", [](const std::string& file) { std::ofstream{file}; }, false},
  };
  const std::regex named(R"(.*/history\.sqlite\.damaged-\d{8}-\d{6})");
  for (const Case& c : cases) {
    for (const bool readFirst : {true, false}) {
      TempFolder temp;
      const std::string file = temp.Path() + "history.sqlite";
      c.make(file);
      const std::string bytes = ReadWhole(file);
      std::ofstream(file + "-wal") << "wal bytes";
      SqliteHistoryStore store(temp.Path());
      if (readFirst) {
        EXPECT_TRUE(store.Batches().empty()) << c.what;
      }
      store.FinishBatch(store.BeginBatch(BatchKind::kRename, "Rename", kMusic, Numbered(2)));
      EXPECT_EQ(store.Batches().size(), 1u) << c.what;
      const std::string aside = store.TakeSetAside();
      EXPECT_EQ(store.TakeSetAside(), "") << c.what;
      if (!c.setAside) {
        EXPECT_EQ(aside, "") << c.what;
        continue;
      }
      EXPECT_TRUE(std::regex_match(aside, named)) << aside;
      EXPECT_EQ(ReadWhole(aside), bytes) << c.what;
      EXPECT_EQ(ReadWhole(aside + "-wal"), "wal bytes") << c.what;
      // Another connection finds the new history as it is.
      EXPECT_EQ(SqliteHistoryStore(temp.Path()).Batches().size(), 1u) << c.what;
    }
  }
}

TEST(SqliteHistoryStoreTest, SetsAsideUnderAFreeName) {
  TempFolder temp;
  const std::string file = temp.Path() + "history.sqlite";
  // The names this second and the next few would take are taken.
  const std::time_t now = std::time(nullptr);
  std::vector<std::string> taken;
  for (int i = 0; i < 5; ++i) {
    const std::time_t when = now + i;
    std::tm local{};
    ::localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    taken.push_back(temp.Write(std::string("history.sqlite.damaged-") + stamp, "earlier"));
  }
  std::ofstream(file) << "not a database, not at all";
  SqliteHistoryStore store(temp.Path());
  EXPECT_TRUE(store.Batches().empty());
  const std::string aside = store.TakeSetAside();
  EXPECT_TRUE(std::regex_match(aside, std::regex(R"(.*damaged-\d{8}-\d{6}-2)"))) << aside;
  EXPECT_EQ(ReadWhole(aside), "not a database, not at all");
  for (const std::string& name : taken) EXPECT_EQ(ReadWhole(name), "earlier");
}

TEST(SqliteHistoryStoreTest, AFileInTheWayOfTheFolderIsNamed) {
  struct Case {
    std::string below;  // the history's folder, below the file in the way
    std::errc error;
  };
  const std::vector<Case> cases = {{"", std::errc::file_exists},
                                   {"/state/vornick", std::errc::not_a_directory}};
  for (const Case& c : cases) {
    TempFolder temp;
    const std::string inTheWay = temp.Write("in the way", "a file");
    SqliteHistoryStore store(inTheWay + c.below);
    EXPECT_TRUE(store.Batches().empty());
    try {
      store.BeginBatch(BatchKind::kRename, "Rename", kMusic, Numbered(1));
      ADD_FAILURE() << "no error";
    } catch (const HistoryError& error) {
      EXPECT_EQ(error.Where(), inTheWay);
      EXPECT_TRUE(error.Error() == c.error) << error.Error().message();
      EXPECT_NE(std::string(error.what()).find(inTheWay), std::string::npos) << error.what();
    }
    EXPECT_EQ(Contents(temp), (std::map<std::string, std::string>{{"in the way", "a file"}}));
  }
}

TEST(SqliteHistoryStoreTest, AFolderInPlaceOfTheFileIsNamedNeverSetAside) {
  TempFolder temp;
  std::filesystem::create_directory(temp.Path() + "history.sqlite");
  SqliteHistoryStore store(temp.Path());
  for (const bool write : {false, true}) {
    try {
      if (write) {
        store.BeginBatch(BatchKind::kRename, "Rename", kMusic, Numbered(1));
      } else {
        store.Batches();
      }
      ADD_FAILURE() << "no error";
    } catch (const HistoryError& error) {
      EXPECT_EQ(error.Where(), store.Location());
      EXPECT_TRUE(error.Error() == std::errc::is_a_directory) << error.Error().message();
    }
  }
  EXPECT_EQ(store.TakeSetAside(), "");
  EXPECT_TRUE(std::filesystem::is_directory(store.Location()));
}

TEST(SqliteHistoryStoreTest, FolderAndFileAreTheUsersOnlyWhateverTheUmask) {
  for (const mode_t mask : {022, 077}) {
    TempFolder temp;
    const mode_t old = ::umask(mask);
    SqliteHistoryStore store(temp.Path() + "state/deep/vornick");
    store.BeginBatch(BatchKind::kRename, "Rename", kMusic, Numbered(1));
    ::umask(old);
    for (const char* folder : {"state", "state/deep", "state/deep/vornick"}) {
      EXPECT_EQ(ModeOf(temp.Path() + folder), 0700u) << folder << " umask " << mask;
    }
    EXPECT_EQ(ModeOf(store.Location()), 0600u) << "umask " << mask;
    EXPECT_EQ(ModeOf(store.Location() + "-wal"), 0600u) << "umask " << mask;
  }
}

TEST(SqliteHistoryStoreTest, ReadingAMissingHistoryMakesNothing) {
  TempFolder temp;
  SqliteHistoryStore store(temp.Path() + "state/vornick");
  EXPECT_TRUE(store.Batches().empty());
  EXPECT_FALSE(store.Batch(1));
  EXPECT_EQ(store.TakeSetAside(), "");
  store.Tidy();
  EXPECT_TRUE(std::filesystem::is_empty(temp.Path()));
}

TEST(SqliteHistoryStoreTest, TwoConnectionsWriteInTurn) {
  TempFolder temp;
  SqliteHistoryStore window(temp.Path()), commandLine(temp.Path());
  const std::vector<std::string> folders = {"/m/"};
  const std::int64_t a = window.BeginBatch(BatchKind::kRename, "Rename", folders, Numbered(2));
  const std::int64_t b =
      commandLine.BeginBatch(BatchKind::kRename, "vornick-cli rename", folders, Numbered(3));
  window.AddRows(a, {}, Numbered(1));
  commandLine.AddRows(b, {}, Numbered(2));
  window.RecordOutcomes(a, {{0, 1, 2}}, R);
  commandLine.RecordOutcomes(b, {{4}}, F);
  commandLine.FinishBatch(b);
  window.FinishBatch(a);
  for (SqliteHistoryStore* store : {&window, &commandLine}) {
    EXPECT_EQ(OutcomesOf(*store->Batch(a)), (Outcomes{R, R, R}));
    EXPECT_EQ(OutcomesOf(*store->Batch(b)), (Outcomes{U, U, U, U, F}));
  }
}

TEST(SqliteHistoryStoreTest, TwoWritersAtOnceWaitForEachOther) {
  TempFolder temp;
  const auto write = [&] {
    try {
      SqliteHistoryStore store(temp.Path());
      for (int i = 0; i < 30; ++i) {
        const std::int64_t id =
            store.BeginBatch(BatchKind::kRename, "Rename", kMusic, Numbered(50));
        store.AddRows(id, {}, Numbered(50));
        store.RecordOutcomes(id, {{0, 1}}, R);
        store.FinishBatch(id);
      }
    } catch (const HistoryError& error) {
      ADD_FAILURE() << error.what();
    }
  };
  std::thread other(write);
  write();
  other.join();
  SqliteHistoryStore store(temp.Path());
  const std::vector<BatchSummary> batches = store.Batches();
  ASSERT_EQ(batches.size(), 60u);
  for (const BatchSummary& batch : batches) {
    EXPECT_EQ(batch.files, 100u);
    EXPECT_TRUE(batch.finished);
  }
}

TEST(SqliteHistoryStoreTest, AFileRowTakesUnder200Bytes) {
  TempFolder temp;
  constexpr std::size_t kRows = 100000;
  std::vector<HistoryRow> rows;
  rows.reserve(kRows);
  for (std::size_t i = 0; i < kRows; ++i) {
    const std::string number = std::to_string(10 + i % 90);
    rows.push_back({static_cast<std::uint32_t>(i % 50),
                    number + "_some_artist - a song title (live).mp3",
                    number + " Some Artist - A Song Title (Live).mp3",
                    {66306, 1'300'000 + i}});
  }
  std::vector<std::string> folders;
  for (int i = 0; i < 50; ++i)
    folders.push_back("/home/someone/Music/Album " + std::to_string(i) + "/");
  std::string location;
  {
    SqliteHistoryStore store(temp.Path());
    store.FinishBatch(store.BeginBatch(BatchKind::kRename, "Rename", folders, rows));
    location = store.Location();
  }
  // Closed, the file holds everything (the -wal is gone).
  EXPECT_FALSE(std::filesystem::exists(location + "-wal"));
  const double perRow = static_cast<double>(std::filesystem::file_size(location)) / kRows;
  EXPECT_LT(perRow, 200.0);
  RecordProperty("BytesPerRow", std::to_string(perRow));
  std::printf("%.1f bytes a row\n", perRow);
}

TEST(SqliteHistoryStoreTest, DefaultFolderFollowsXdgStateHome) {
  struct Case {
    const char* state;  // nullptr: unset
    const char* home;
    std::string expected;  // empty: throws
  };
  const std::vector<Case> cases = {
      {"/x/state", "/home/u", "/x/state/vornick"},
      {"/x/state/", "/home/u", "/x/state/vornick"},
      {"relative", "/home/u", "/home/u/.local/state/vornick"},
      {"", "/home/u/", "/home/u/.local/state/vornick"},
      {nullptr, "/home/u", "/home/u/.local/state/vornick"},
      {nullptr, nullptr, ""},
      {nullptr, "", ""},
  };
  const auto saved = [](const char* name) -> std::optional<std::string> {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
  };
  const std::optional<std::string> state = saved("XDG_STATE_HOME"), home = saved("HOME");
  const auto set = [](const char* name, const char* value) {
    if (value) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  };
  for (const Case& c : cases) {
    set("XDG_STATE_HOME", c.state);
    set("HOME", c.home);
    if (c.expected.empty()) {
      EXPECT_THROW(SqliteHistoryStore::DefaultFolder(), HistoryError);
    } else {
      EXPECT_EQ(SqliteHistoryStore::DefaultFolder(), c.expected);
    }
  }
  set("XDG_STATE_HOME", state ? state->c_str() : nullptr);
  set("HOME", home ? home->c_str() : nullptr);
}

}  // namespace
}  // namespace vornick::platform
