// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/history/sqlite_history_store.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <utility>

#include "platform/history/history_files.h"
#include "platform/history/sqlite_connection.h"

namespace vornick::platform {
namespace {

using sqlite::Query;

constexpr std::int64_t kApplicationId = 0x566F726E;  // "Vorn"
constexpr std::int64_t kSchemaVersion = 1;
// Long enough for the other program's largest batch to be written.
constexpr const char* kBusyTimeout = "PRAGMA busy_timeout=10000";
// The -wal file is cut back to this after a checkpoint; a large batch may grow it for a while.
constexpr const char* kWalLimit = "PRAGMA journal_size_limit=4194304";
// A batch's rows are copied into the database when it finishes, not while its renames wait for
// them; past this many pages (40 MiB) a commit copies them itself.
constexpr const char* kCheckpointAfter = "PRAGMA wal_autocheckpoint=10000";
// Up to 16 MiB of pages kept between calls: a large batch without spilling into the -wal early.
constexpr const char* kCacheSize = "PRAGMA cache_size=-16384";

// A file row holds no rowid (the batch and its number are the key) and its folder only by number:
// about 35 bytes on disk beside the two names.
constexpr const char* kSchema = R"(
CREATE TABLE batch(
  id INTEGER PRIMARY KEY,
  started INTEGER NOT NULL,
  kind INTEGER NOT NULL,
  command BLOB NOT NULL,
  pid INTEGER NOT NULL,
  pid_started INTEGER NOT NULL,
  finished INTEGER NOT NULL,
  taking_back INTEGER NOT NULL,
  files INTEGER NOT NULL,
  renamed INTEGER NOT NULL,
  taken_back INTEGER NOT NULL,
  folders INTEGER NOT NULL,
  folder BLOB NOT NULL);
CREATE TABLE folder(
  batch INTEGER NOT NULL,
  idx INTEGER NOT NULL,
  path BLOB NOT NULL,
  PRIMARY KEY(batch, idx)) WITHOUT ROWID;
CREATE TABLE file(
  batch INTEGER NOT NULL,
  idx INTEGER NOT NULL,
  folder INTEGER NOT NULL,
  old BLOB NOT NULL,
  new BLOB NOT NULL,
  dev INTEGER NOT NULL,
  ino INTEGER NOT NULL,
  born INTEGER NOT NULL,
  outcome INTEGER NOT NULL,
  PRIMARY KEY(batch, idx)) WITHOUT ROWID;
-- For people reading the history with the sqlite3 tool: each file with its path and what
-- became of it (a renamed file is left unknown until its batch has finished).
CREATE VIEW files AS
  SELECT file.batch, file.idx, folder.path AS folder, file.old, file.new, file.dev, file.ino,
         CASE file.outcome
           WHEN 0 THEN CASE WHEN batch.finished THEN 'renamed' ELSE 'unknown' END
           WHEN 1 THEN 'renamed' WHEN 2 THEN 'failed' ELSE 'taken back' END AS outcome
  FROM file JOIN folder ON folder.batch = file.batch AND folder.idx = file.folder
  JOIN batch ON batch.id = file.batch;
)";

#define VORNICK_SUMMARY_COLUMNS                                                                 \
  "SELECT id, started, kind, command, finished, pid, pid_started, files, renamed, taken_back, " \
  "folder FROM batch "
constexpr const char* kSummaries = VORNICK_SUMMARY_COLUMNS "ORDER BY id DESC";
constexpr const char* kSummary = VORNICK_SUMMARY_COLUMNS "WHERE id=?1";
#undef VORNICK_SUMMARY_COLUMNS

constexpr const char* kCounts = "SELECT files, folders, folder FROM batch WHERE id=?1";

std::string WithoutTrailingSeparators(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// The bytes that `a` and `b` begin with, back to the last separator: the folder holding both.
std::string FolderHolding(std::string_view a, std::string_view b) {
  const std::size_t length = std::min(a.size(), b.size());
  const std::size_t same = static_cast<std::size_t>(
      std::mismatch(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(length), b.begin()).first -
      a.begin());
  const std::size_t slash = a.substr(0, same).rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(a.substr(0, slash + 1));
}

std::int64_t Signed(std::uint64_t value) noexcept {
  return static_cast<std::int64_t>(value);
}

std::error_code ErrorOf(const sqlite::Failure& failure) {
  int error = EIO;
  switch (failure.PrimaryCode()) {
    case SQLITE_FULL:
      error = ENOSPC;
      break;
    case SQLITE_NOMEM:
      error = ENOMEM;
      break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      error = EBUSY;
      break;
    case SQLITE_PERM:
    case SQLITE_AUTH:
      error = EACCES;
      break;
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
      if (failure.SystemError() != 0) error = failure.SystemError();
      break;
    default:
      break;
  }
  return {error, std::system_category()};
}

}  // namespace

struct SqliteHistoryStore::Appended {
  std::uint64_t files = 0;
  std::uint64_t folders = 0;
  std::string folder;  // holding all the folders so far
};

SqliteHistoryStore::SqliteHistoryStore(std::string folder, HistoryBounds bounds)
    : folder_(WithoutTrailingSeparators(std::move(folder))),
      file_(folder_ + (folder_ == "/" ? "" : "/") + "history.sqlite"),
      bounds_(bounds),
      pid_(::getpid()),
      pidStarted_(history::ProcessStartTime(pid_)) {}

SqliteHistoryStore::~SqliteHistoryStore() = default;

std::string SqliteHistoryStore::DefaultFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && state[0] == '/') {
    const std::string base = WithoutTrailingSeparators(state);
    return (base == "/" ? "" : base) + "/vornick";
  }
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] == '/') {
    const std::string base = WithoutTrailingSeparators(home);
    return (base == "/" ? "" : base) + "/.local/state/vornick";
  }
  throw HistoryError({}, std::make_error_code(std::errc::no_such_file_or_directory),
                     "cannot find a folder for the history: neither XDG_STATE_HOME nor HOME is "
                     "an absolute path");
}

void SqliteHistoryStore::Refuse(Access access, int error, const std::string& reason) const {
  Refuse(access, file_, {error, std::system_category()}, reason);
}

void SqliteHistoryStore::Refuse(Access access, const std::string& where, std::error_code error,
                                const std::string& reason) const {
  throw HistoryError(where, error,
                     std::string(access == Access::kRead ? "cannot read" : "cannot write") +
                         " the history in " + folder_ + ": " + reason);
}

template <class Body>
auto SqliteHistoryStore::Guarded(Access access, Body body) {
  try {
    return body();
  } catch (const sqlite::Failure& failure) {
    const std::error_code error = ErrorOf(failure);
    // SQLite's own words where the system's do not say it all ("database is locked").
    const bool told = failure.SystemError() != 0 || failure.PrimaryCode() == SQLITE_FULL;
    Refuse(access, file_, error,
           error.message() + (told ? "" : std::string(" (") + failure.what() + ")"));
  } catch (const history::PathFailure& failure) {
    Refuse(access, failure.Path(), failure.Error(),
           (failure.Path() == folder_ ? "" : failure.Path() + ": ") + failure.Error().message());
  }
}

template <class Body>
auto SqliteHistoryStore::Writing(Body body) {
  return Guarded(Access::kWrite, [&] {
    Open(Access::kWrite);
    return body();
  });
}

template <class Body, class Nothing>
auto SqliteHistoryStore::Reading(Body body, Nothing nothing) {
  return Guarded(Access::kRead, [&] { return Open(Access::kRead) ? body() : nothing(); });
}

bool SqliteHistoryStore::Open(Access access) {
  if (db_ != nullptr) return true;
  // No folder for it (neither XDG_STATE_HOME nor HOME says): nothing to read, nothing written.
  if (folder_.empty()) {
    if (access == Access::kRead) return false;
    throw HistoryError({}, std::make_error_code(std::errc::no_such_file_or_directory),
                       "cannot write the history: neither XDG_STATE_HOME nor HOME names a folder "
                       "for it");
  }
  struct stat status;
  if (::stat(file_.c_str(), &status) != 0) {
    // A file in the way of the folder means no history either: writing tells.
    if (errno != ENOENT && errno != ENOTDIR)
      throw history::PathFailure(file_, {errno, std::system_category()});
    if (access == Access::kRead) return false;
    history::MakeFolders(folder_);
    history::MakePrivateFile(file_, folder_);
  }
  if (Connect()) return true;
  // Set aside: a new history in its place.
  history::MakePrivateFile(file_, folder_);
  if (Connect()) return true;
  throw sqlite::Failure(SQLITE_CORRUPT, 0, "a new history is damaged as soon as it is made");
}

bool SqliteHistoryStore::Connect() {
  auto db = std::make_unique<sqlite::Connection>(file_);
  bool fresh = false;
  try {
    db->Exec(kBusyTimeout);
    std::int64_t application = 0, version = 0, tables = 0;
    {
      Query query(*db,
                  "SELECT * FROM pragma_application_id, pragma_user_version, "
                  "(SELECT count(*) FROM sqlite_schema)");
      if (query.Step()) {
        application = query.Int(0);
        version = query.Int(1);
        tables = query.Int(2);
      }
    }
    fresh = application == 0 && version == 0 && tables == 0;
    // Another program's database, or a newer schema than this program knows, is not written into.
    const bool ours = application == kApplicationId && version >= 1 && version <= kSchemaVersion;
    if (fresh || ours) {
      db->CheckpointOnClose(true);
      db->Exec("PRAGMA journal_mode=WAL");
      db->Exec(kWalLimit);
      db->Exec(kCheckpointAfter);
      db->Exec(kCacheSize);
    } else {
      db.reset();
    }
  } catch (const sqlite::Failure& failure) {
    if (failure.PrimaryCode() != SQLITE_NOTADB && failure.PrimaryCode() != SQLITE_CORRUPT) throw;
    db.reset();
  }
  if (db == nullptr) {
    setAside_ = history::SetAside(file_, folder_);
    return false;
  }
  db_ = std::move(db);
  synchronous_ = -1;
  if (fresh) CreateSchema();
  return true;
}

void SqliteHistoryStore::CreateSchema() {
  Synchronous(true);
  sqlite::WriteTransaction transaction(*db_);
  // Another process may have made it since the file was first looked at.
  Query version(*db_, "PRAGMA user_version");
  if (version.Step() && version.Int(0) != 0) return;
  version.Reset();
  db_->Exec(kSchema);
  db_->Exec(("PRAGMA application_id=" + std::to_string(kApplicationId)).c_str());
  db_->Exec(("PRAGMA user_version=" + std::to_string(kSchemaVersion)).c_str());
  transaction.Commit();
}

void SqliteHistoryStore::Synchronous(bool full) {
  if (synchronous_ == static_cast<int>(full)) return;
  // In WAL mode NORMAL syncs only at checkpoints: a commit may be lost in a power cut, never torn.
  db_->Exec(full ? "PRAGMA synchronous=FULL" : "PRAGMA synchronous=NORMAL");
  synchronous_ = full;
}

std::int64_t SqliteHistoryStore::BeginBatch(BatchKind kind, std::string_view command,
                                            std::span<const std::string> folders,
                                            std::span<const HistoryRow> rows) {
  return Writing([&] {
    Synchronous(true);
    sqlite::WriteTransaction transaction(*db_);
    Query(*db_,
          "INSERT INTO batch(started, kind, command, pid, pid_started, finished, taking_back, "
          "files, renamed, taken_back, folders, folder) VALUES(?1, ?2, ?3, ?4, ?5, 0, 0, 0, 0, 0, "
          "0, x'')")
        .Bind(1, std::time(nullptr))
        .Bind(2, static_cast<std::int64_t>(kind))
        .BindBytes(3, command)
        .Bind(4, pid_)
        .Bind(5, pidStarted_)
        .Run();
    const std::int64_t batch = db_->LastInsertId();
    Appended appended;
    Append(batch, appended, folders, rows);
    transaction.Commit();
    return batch;
  });
}

void SqliteHistoryStore::AddRows(std::int64_t batch, std::span<const std::string> folders,
                                 std::span<const HistoryRow> rows) {
  Writing([&] {
    Synchronous(true);
    sqlite::WriteTransaction transaction(*db_);
    Appended appended;
    {
      Query counts(*db_, kCounts);
      if (!counts.Bind(1, batch).Step())
        Refuse(Access::kWrite, ENOENT, "there is no batch " + std::to_string(batch));
      appended = {static_cast<std::uint64_t>(counts.Int(0)),
                  static_cast<std::uint64_t>(counts.Int(1)), counts.Bytes(2)};
    }
    Append(batch, appended, folders, rows);
    transaction.Commit();
  });
}

void SqliteHistoryStore::Append(std::int64_t batch, Appended& appended,
                                std::span<const std::string> folders,
                                std::span<const HistoryRow> rows) {
  Query addFolder(*db_, "INSERT INTO folder(batch, idx, path) VALUES(?1, ?2, ?3)");
  for (const std::string& folder : folders) {
    addFolder.Bind(1, batch).Bind(2, Signed(appended.folders)).BindBytes(3, folder).Run();
    addFolder.Reset();
    appended.folder =
        FolderHolding(folder, appended.folders == 0 ? std::string_view(folder) : appended.folder);
    ++appended.folders;
  }
  Query addFile(*db_,
                "INSERT INTO file(batch, idx, folder, old, new, dev, ino, born, outcome) "
                "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, 0)");
  addFile.Bind(1, batch);
  for (const HistoryRow& row : rows) {
    if (row.folder >= appended.folders)
      Refuse(Access::kWrite, EINVAL,
             "a file of batch " + std::to_string(batch) + " is in folder " +
                 std::to_string(row.folder) + " of " + std::to_string(appended.folders));
    addFile.Bind(2, Signed(appended.files))
        .Bind(3, row.folder)
        .BindBytes(4, row.from)
        .BindBytes(5, row.to)
        .Bind(6, Signed(row.identity.device))
        .Bind(7, Signed(row.identity.inode))
        .Bind(8, row.identity.born)
        .Run();
    addFile.Reset();
    ++appended.files;
  }
  // Unknown rows count as renamed until told otherwise.
  Query(*db_, "UPDATE batch SET files=?2, renamed=renamed+?3, folders=?4, folder=?5 WHERE id=?1")
      .Bind(1, batch)
      .Bind(2, Signed(appended.files))
      .Bind(3, Signed(rows.size()))
      .Bind(4, Signed(appended.folders))
      .BindBytes(5, appended.folder)
      .Run();
}

void SqliteHistoryStore::RecordOutcomes(std::int64_t batch, std::span<const std::uint64_t> rows,
                                        RowOutcome outcome) {
  if (outcome > RowOutcome::kTakenBack)
    Refuse(Access::kWrite, EINVAL, "no such outcome " + std::to_string(static_cast<int>(outcome)));
  Writing([&] {
    Synchronous(true);
    sqlite::WriteTransaction transaction(*db_);
    std::uint64_t files = 0;
    {
      Query counts(*db_, kCounts);
      if (!counts.Bind(1, batch).Step())
        Refuse(Access::kWrite, ENOENT, "there is no batch " + std::to_string(batch));
      files = static_cast<std::uint64_t>(counts.Int(0));
    }
    // Split by what the rows were, for the counters; a row taken back stays so.
    Query fromRenamed(*db_,
                      "UPDATE file SET outcome=?4 WHERE batch=?1 AND idx BETWEEN ?2 AND ?3 AND "
                      "outcome IN (0, 1) AND outcome<>?4");
    Query fromFailed(*db_,
                     "UPDATE file SET outcome=?4 WHERE batch=?1 AND idx BETWEEN ?2 AND ?3 AND "
                     "outcome=2");
    const auto value = static_cast<std::int64_t>(outcome);
    std::int64_t wereRenamed = 0, wereFailed = 0;
    for (std::size_t first = 0, last = 0; first < rows.size(); first = ++last) {
      while (last + 1 < rows.size() && rows[last + 1] <= rows[last] + 1) {
        if (rows[last + 1] < rows[last])
          Refuse(Access::kWrite, EINVAL, "the rows are not in ascending order");
        ++last;
      }
      if (rows[last] >= files)
        Refuse(Access::kWrite, EINVAL,
               "batch " + std::to_string(batch) + " has no row " + std::to_string(rows[last]));
      fromRenamed.Bind(1, batch).Bind(2, Signed(rows[first])).Bind(3, Signed(rows[last]));
      wereRenamed += fromRenamed.Bind(4, value).Run();
      fromRenamed.Reset();
      if (outcome == RowOutcome::kFailed) continue;
      fromFailed.Bind(1, batch).Bind(2, Signed(rows[first])).Bind(3, Signed(rows[last]));
      wereFailed += fromFailed.Bind(4, value).Run();
      fromFailed.Reset();
    }
    std::int64_t renamed = 0, takenBack = 0;
    switch (outcome) {
      case RowOutcome::kUnknown:
      case RowOutcome::kRenamed:
        renamed = wereFailed;
        break;
      case RowOutcome::kFailed:
        renamed = -wereRenamed;
        break;
      case RowOutcome::kTakenBack:
        renamed = -wereRenamed;
        takenBack = wereRenamed + wereFailed;
        break;
    }
    if (renamed != 0 || takenBack != 0) {
      Query(*db_, "UPDATE batch SET renamed=renamed+?2, taken_back=taken_back+?3 WHERE id=?1")
          .Bind(1, batch)
          .Bind(2, renamed)
          .Bind(3, takenBack)
          .Run();
    }
    transaction.Commit();
  });
}

void SqliteHistoryStore::FinishBatch(std::int64_t batch) {
  Writing([&] {
    Synchronous(true);
    sqlite::WriteTransaction transaction(*db_);
    if (Query(*db_, "UPDATE batch SET finished=1, taking_back=0 WHERE id=?1")
            .Bind(1, batch)
            .Run() == 0)
      Refuse(Access::kWrite, ENOENT, "there is no batch " + std::to_string(batch));
    transaction.Commit();
    lastFinished_ = batch;
  });
}

void SqliteHistoryStore::Tidy() {
  Guarded(Access::kWrite, [&] {
    if (!Open(Access::kRead)) return;
    {
      // A prune lost in a power cut is only done again next time.
      Synchronous(false);
      sqlite::WriteTransaction transaction(*db_);
      Prune();
      transaction.Commit();
    }
    // What another connection is reading stays in the -wal until a later checkpoint.
    db_->ExecQuietly("PRAGMA wal_checkpoint(PASSIVE)");
  });
}

void SqliteHistoryStore::BeginTakeBack(std::int64_t batch) {
  Writing([&] {
    Synchronous(true);
    sqlite::WriteTransaction transaction(*db_);
    // The batch is this process's now: while it runs, nobody prunes the batch or calls it
    // interrupted.
    if (Query(*db_,
              "UPDATE batch SET finished=0, taking_back=1, pid=?2, pid_started=?3 WHERE id=?1")
            .Bind(1, batch)
            .Bind(2, pid_)
            .Bind(3, pidStarted_)
            .Run() == 0)
      Refuse(Access::kWrite, ENOENT, "there is no batch " + std::to_string(batch));
    transaction.Commit();
  });
}

void SqliteHistoryStore::Prune() {
  struct Kept {
    std::int64_t id;
    std::uint64_t files;
    bool finished;
  };
  std::vector<Kept> kept;
  std::uint64_t files = 0;
  {
    Query all(*db_, "SELECT id, files, finished FROM batch ORDER BY id");
    while (all.Step()) {
      kept.push_back({all.Int(0), static_cast<std::uint64_t>(all.Int(1)), all.Int(2) != 0});
      files += kept.back().files;
    }
  }
  std::size_t batches = kept.size();
  const std::size_t droppable = batches > bounds_.keptBatches ? batches - bounds_.keptBatches : 0;
  for (std::size_t i = 0;
       i < droppable && (batches > bounds_.maxBatches || files > bounds_.maxFiles); ++i) {
    const Kept& batch = kept[i];
    // An unfinished batch is the only way back for what its program renamed before it ended; an
    // old batch just taken back again stays in the list it was picked from.
    if (!batch.finished || batch.id == lastFinished_) continue;
    Query(*db_, "DELETE FROM file WHERE batch=?1").Bind(1, batch.id).Run();
    Query(*db_, "DELETE FROM folder WHERE batch=?1").Bind(1, batch.id).Run();
    Query(*db_, "DELETE FROM batch WHERE id=?1").Bind(1, batch.id).Run();
    --batches;
    files -= batch.files;
  }
}

namespace {

BatchSummary SummaryOf(const Query& query, std::int64_t pid, std::int64_t pidStarted) {
  BatchSummary summary;
  summary.id = query.Int(0);
  summary.started = query.Int(1);
  summary.kind = static_cast<BatchKind>(query.Int(2));
  summary.command = query.Bytes(3);
  summary.finished = query.Int(4) != 0;
  if (!summary.finished) {
    const std::int64_t batchPid = query.Int(5), batchPidStarted = query.Int(6);
    summary.running = (batchPid == pid && batchPidStarted == pidStarted) ||
                      history::IsRunning(batchPid, batchPidStarted);
  }
  summary.files = static_cast<std::uint64_t>(query.Int(7));
  summary.renamed = static_cast<std::uint64_t>(query.Int(8));
  summary.takenBack = static_cast<std::uint64_t>(query.Int(9));
  summary.folder = query.Bytes(10);
  return summary;
}

}  // namespace

std::vector<BatchSummary> SqliteHistoryStore::Batches() {
  return Reading(
      [&] {
        std::vector<BatchSummary> batches;
        Query query(*db_, kSummaries);
        while (query.Step()) batches.push_back(SummaryOf(query, pid_, pidStarted_));
        return batches;
      },
      [] { return std::vector<BatchSummary>(); });
}

std::optional<StoredBatch> SqliteHistoryStore::Batch(std::int64_t batch) {
  return Reading(
      [&]() -> std::optional<StoredBatch> {
        sqlite::ReadTransaction transaction(*db_);
        StoredBatch stored;
        {
          Query summary(*db_, kSummary);
          if (!summary.Bind(1, batch).Step()) return std::nullopt;
          stored.summary = SummaryOf(summary, pid_, pidStarted_);
        }
        Query folders(*db_, "SELECT path FROM folder WHERE batch=?1 ORDER BY idx");
        folders.Bind(1, batch);
        while (folders.Step()) stored.folders.push_back(folders.Bytes(0));
        // The counter is only a hint: a damaged one must not ask for all the memory there is.
        stored.rows.reserve(std::min<std::uint64_t>(stored.summary.files, 1 << 20));
        Query rows(*db_,
                   "SELECT folder, old, new, dev, ino, born, outcome FROM file WHERE batch=?1 "
                   "ORDER BY idx");
        rows.Bind(1, batch);
        while (rows.Step()) {
          StoredRow& row = stored.rows.emplace_back();
          row.row.folder = static_cast<std::uint32_t>(rows.Int(0));
          row.row.from = rows.Bytes(1);
          row.row.to = rows.Bytes(2);
          row.row.identity = {static_cast<std::uint64_t>(rows.Int(3)),
                              static_cast<std::uint64_t>(rows.Int(4)), rows.Int(5)};
          row.outcome = static_cast<RowOutcome>(rows.Int(6));
        }
        return stored;
      },
      [] { return std::optional<StoredBatch>(); });
}

std::string SqliteHistoryStore::TakeSetAside() {
  return std::exchange(setAside_, {});
}

}  // namespace vornick::platform
