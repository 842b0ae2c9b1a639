// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace vornick::platform::sqlite {

// A failed SQLite call: its extended result code, the system's errno behind it (0 when none) and
// SQLite's own words. The store turns it into a HistoryError that names the place.
class Failure : public std::exception {
 public:
  Failure(int code, int systemError, std::string message)
      : code_(code), systemError_(systemError), message_(std::move(message)) {}
  int Code() const noexcept { return code_; }
  int PrimaryCode() const noexcept { return code_ & 0xff; }
  int SystemError() const noexcept { return systemError_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  int code_;
  int systemError_;
  std::string message_;
};

// One connection and the statements prepared on it, each prepared once and kept until the
// connection closes.
class Connection {
 public:
  // Opens an existing file for reading and writing; throws Failure.
  explicit Connection(const std::string& file);
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Whether closing the last connection writes the -wal file into the database and deletes it.
  // Off at first: a file that turns out not to be the history is left as it was found.
  void CheckpointOnClose(bool checkpoint) noexcept;
  // Runs statements that return nothing the caller wants.
  void Exec(const char* sql);
  // The same where a failure can only be let go (undoing a transaction on the way out).
  void ExecQuietly(const char* sql) noexcept;
  // The statement for `sql`, prepared on first use. `sql` must be a string literal: its address
  // is the key.
  sqlite3_stmt* Prepared(const char* sql);
  std::int64_t LastInsertId() const noexcept;
  std::int64_t Changes() const noexcept;
  bool InTransaction() const noexcept;

  [[noreturn]] void Fail(int code) const;

 private:
  sqlite3* db_ = nullptr;
  std::unordered_map<const char*, sqlite3_stmt*> prepared_;
};

// One use of a prepared statement: bound, stepped, and reset when it goes (or on Reset).
class Query {
 public:
  Query(Connection& connection, const char* sql)
      : connection_(connection), statement_(connection.Prepared(sql)) {}
  ~Query();
  Query(const Query&) = delete;
  Query& operator=(const Query&) = delete;

  Query& Bind(int index, std::int64_t value);
  // The exact bytes; an empty one is a zero-length blob, never NULL.
  Query& BindBytes(int index, std::string_view bytes);
  // True while there is a row to read.
  bool Step();
  // Steps through to the end; the rows it changed.
  std::int64_t Run();
  void Reset() noexcept;

  std::int64_t Int(int column) const noexcept;
  std::string Bytes(int column) const;

 private:
  Connection& connection_;
  sqlite3_stmt* statement_;
};

// BEGIN IMMEDIATE (the write lock taken up front, so that two writers wait for each other rather
// than fail on upgrading) and ROLLBACK unless committed.
class WriteTransaction {
 public:
  explicit WriteTransaction(Connection& connection);
  ~WriteTransaction();
  WriteTransaction(const WriteTransaction&) = delete;
  WriteTransaction& operator=(const WriteTransaction&) = delete;
  void Commit();

 private:
  Connection& connection_;
};

// A read transaction, so that several queries see one state of the file.
class ReadTransaction {
 public:
  explicit ReadTransaction(Connection& connection);
  ~ReadTransaction();
  ReadTransaction(const ReadTransaction&) = delete;
  ReadTransaction& operator=(const ReadTransaction&) = delete;

 private:
  Connection& connection_;
};

}  // namespace vornick::platform::sqlite
