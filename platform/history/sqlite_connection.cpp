// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/history/sqlite_connection.h"

#include <sqlite3.h>

namespace vornick::platform::sqlite {

Connection::Connection(const std::string& file) {
  // Without CREATE: the store makes the file itself, with its mode. NOMUTEX: one store object is
  // used by one thread at a time (a worker during a batch, the main thread otherwise), so
  // SQLite's own locking of the connection would only cost.
  const int code =
      sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (code != SQLITE_OK) {
    const int systemError = db_ != nullptr ? sqlite3_system_errno(db_) : 0;
    std::string message = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
    sqlite3_close_v2(db_);
    db_ = nullptr;
    throw Failure(code, systemError, std::move(message));
  }
  sqlite3_extended_result_codes(db_, 1);
  CheckpointOnClose(false);
}

void Connection::CheckpointOnClose(bool checkpoint) noexcept {
  sqlite3_db_config(db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, checkpoint ? 0 : 1, nullptr);
}

Connection::~Connection() {
  for (const auto& [sql, statement] : prepared_) sqlite3_finalize(statement);
  sqlite3_close_v2(db_);
}

void Connection::Fail(int code) const {
  throw Failure(sqlite3_extended_errcode(db_) != 0 ? sqlite3_extended_errcode(db_) : code,
                sqlite3_system_errno(db_), sqlite3_errmsg(db_));
}

void Connection::Exec(const char* sql) {
  const int code = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  if (code != SQLITE_OK) Fail(code);
}

void Connection::ExecQuietly(const char* sql) noexcept {
  sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
}

sqlite3_stmt* Connection::Prepared(const char* sql) {
  const auto found = prepared_.find(sql);
  if (found != prepared_.end()) return found->second;
  sqlite3_stmt* statement = nullptr;
  const int code = sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
  if (code != SQLITE_OK) Fail(code);
  prepared_.emplace(sql, statement);
  return statement;
}

std::int64_t Connection::LastInsertId() const noexcept {
  return sqlite3_last_insert_rowid(db_);
}

std::int64_t Connection::Changes() const noexcept {
  return sqlite3_changes64(db_);
}

bool Connection::InTransaction() const noexcept {
  return sqlite3_get_autocommit(db_) == 0;
}

Query::~Query() {
  Reset();
}

void Query::Reset() noexcept {
  // The error of a failed step was thrown already; reset only repeats it.
  sqlite3_reset(statement_);
}

Query& Query::Bind(int index, std::int64_t value) {
  const int code = sqlite3_bind_int64(statement_, index, value);
  if (code != SQLITE_OK) connection_.Fail(code);
  return *this;
}

Query& Query::BindBytes(int index, std::string_view bytes) {
  // A null pointer would bind NULL; the bytes outlive the step, so SQLite need not copy them.
  const int code =
      bytes.empty() ? sqlite3_bind_zeroblob(statement_, index, 0)
                    : sqlite3_bind_blob64(statement_, index, bytes.data(), bytes.size(), nullptr);
  if (code != SQLITE_OK) connection_.Fail(code);
  return *this;
}

bool Query::Step() {
  const int code = sqlite3_step(statement_);
  if (code == SQLITE_ROW) return true;
  if (code == SQLITE_DONE) return false;
  connection_.Fail(code);
}

std::int64_t Query::Run() {
  while (Step()) {
  }
  return connection_.Changes();
}

std::int64_t Query::Int(int column) const noexcept {
  return sqlite3_column_int64(statement_, column);
}

std::string Query::Bytes(int column) const {
  const void* data = sqlite3_column_blob(statement_, column);
  const int size = sqlite3_column_bytes(statement_, column);
  if (data == nullptr || size <= 0) return {};
  return std::string(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

WriteTransaction::WriteTransaction(Connection& connection) : connection_(connection) {
  connection_.Exec("BEGIN IMMEDIATE");
}

WriteTransaction::~WriteTransaction() {
  // A failed COMMIT may have ended the transaction already.
  if (connection_.InTransaction()) connection_.ExecQuietly("ROLLBACK");
}

void WriteTransaction::Commit() {
  connection_.Exec("COMMIT");
}

ReadTransaction::ReadTransaction(Connection& connection) : connection_(connection) {
  connection_.Exec("BEGIN");
}

ReadTransaction::~ReadTransaction() {
  if (connection_.InTransaction()) connection_.ExecQuietly("COMMIT");
}

}  // namespace vornick::platform::sqlite
