// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "files/folder_walk.h"
#include "platform/file_system.h"
#include "platform/history_store.h"
#include "platform/settings_store.h"
#include "window/rename_command.h"
#include "window/rename_history.h"
#include "window/rename_list.h"
#include "window/row_checks.h"
#include "window/take_back.h"

namespace vornick::window {

// The points inside a long operation where window events may run.
enum class Pause {
  kWalk,         // a folder was walked for its subfolders
  kFolder,       // a folder's files are about to be listed
  kDroppedPath,  // the next dropped path is about to be handled
};
using PauseHook = std::function<void(Pause)>;

// A folder or link that a gathering operation passed over, and why.
using PassedOver = files::PassedOver;

// What a folder-gathering operation (adding a folder, or dropped paths) did besides adding rows.
struct GatherResult {
  // Another folder-gathering operation was under way, so this one did nothing: the two would
  // take folders off one work list.
  bool refused = false;
  // The system's account of why the operation stopped before it added anything; empty when it
  // ran to its end. `typesUnreadable` when it was the file types that could not be read.
  std::string stopped;
  bool typesUnreadable = false;
  // Folders that could not be listed and links to folders that were not followed, in the order
  // the walk met them.
  std::vector<PassedOver> passedOver;
  // The rows added, and the music files of other types than those taken (by extension, upper
  // case: "FLAC"), which the folders held and the load passed over.
  std::size_t added = 0;
  std::map<std::string, std::size_t> otherTypes;
};

// How a Rename or Undo is kept in the history.
struct RenameOptions {
  std::string_view command;  // what the history says ran it; "Rename" or "Undo" when empty
  bool keepHistory = true;   // false: the user agreed to go on without a way back
};

// The rename list and everything that can be done to it, on a file system and a settings store.
// Nothing here talks to a window: operations return what went wrong, and a long one calls its
// pause hook where a window would let events run. Other operations may run nested inside that
// hook; adding goes on with whatever the list then holds.
class ListOperations {
 public:
  // With a history store, every Rename and Undo is written there before its first rename.
  ListOperations(platform::FileSystem& fileSystem, platform::SettingsStore& settings,
                 platform::HistoryStore* history = nullptr);

  RenameList& List() noexcept { return list_; }
  const RenameList& List() const noexcept { return list_; }
  const files::PendingPaths& PendingPaths() const noexcept { return pending_; }
  // True while a folder-gathering operation runs.
  bool Gathering() const noexcept { return gathering_; }

  // Appends a row for `fullPath`, checked when `markIfChanged` and its proposed name differs.
  // Throws cleaning::NameCleaningError, the row staying unchecked with an empty proposed name,
  // when its name cannot be cleaned.
  void AddEntry(const std::string& fullPath, bool markIfChanged);
  // The same for the file `name` in `folder` (which ends with the separator).
  void AddEntry(std::string_view folder, std::string_view name, bool markIfChanged);
  // Appends a row exactly as given, as a saved plan holds it (`state` says whether its file is
  // renamed already).
  void AddRow(std::string_view currentName, std::string_view newName, std::string_view folder,
              bool checked, RowState state = RowState::kNotRenamed);
  // Each row's status: what Rename or Undo did to it, or why Rename would refuse it.
  RowChecks& Checks() noexcept { return checks_; }

  // `folder` and every visible folder below it, each listed by the file types of the settings in
  // force then (looked at for every folder, read again when they changed; MP3 when none is set),
  // a file once however many types match it.
  // Stops before adding anything when the walk or the first reading of the types fails; a later
  // failure passes over that folder. `listed`, when given, is called after each folder's files
  // are added, and nothing else runs then: a command line works on the rows so far while the
  // next folders are read.
  GatherResult AddFolder(const std::string& folder, const PauseHook& pause,
                         const std::function<void()>& listed = {});
  // Files picked by the user, each checked when its name changes; a name that cannot be cleaned
  // gives an unchecked row with an empty proposed name.
  void AddFiles(const std::vector<std::string>& paths);
  // Dropped paths: a folder gives its MP3 files and those of every folder below it; a file is
  // taken once for every selected type whose ".type" stands in its path ("All Files" first: once,
  // unchecked). A path that cannot be handled is passed over; one that cannot be looked at, and
  // what the walk of a dropped folder passes over, are named in the result.
  GatherResult AddDropped(const std::vector<std::string>& paths, const PauseHook& pause);

  // Rename takes each checked row that is not renamed to its proposed name; Undo takes back each
  // checked row that Rename renamed. Both return the rows that failed, with reasons, and record
  // in each row what was done. Never replaces a file. With a history, each throws
  // platform::HistoryError, having renamed nothing, when the history cannot be written (unless
  // told to go on without it).
  std::vector<RenameFailure> Rename(const RenameOptions& options = {});
  std::vector<RenameFailure> Undo(const RenameOptions& options = {});
  // Takes batch `id` of the history back (see TakeBackBatch); the list's rows that it renamed show
  // it. Throws what TakeBackBatch throws, and std::logic_error without a history.
  TakeBackResult TakeBack(std::int64_t id);
  // The history's record of this list's renames; none without a history.
  RenameHistory* History() noexcept { return history_ ? &*history_ : nullptr; }

  void SetAllChecked(bool checked) noexcept { list_.SetAllChecked(checked); }
  // Rewrites the proposed names of `rows` (not renamed) into names that their folders' file
  // systems take, or that `rules` take when given; renames nothing. Returns the rows changed.
  std::vector<std::size_t> MakeNamesSafe(const std::vector<std::size_t>& rows,
                                         const std::optional<platform::NameRules>& rules = {});
  // Gives row `index` a proposed name the user typed; the row is checked when it differs from the
  // current name. Refuses, changing nothing, a name that can be no file's name, and a row whose
  // file is renamed already (Undo finds it by that name).
  enum class EditRefusal { kNone, kNotAName, kRenamed };
  EditRefusal EditNewName(std::size_t index, std::string newName);
  // Gives `rows` (those not renamed) their proposed names back, as worked out from their current
  // names. Returns the rows changed.
  std::vector<std::size_t> BackToProposal(const std::vector<std::size_t>& rows);
  // Empties the list; a gathering under way goes on appending to the empty list.
  void Clear() noexcept {
    list_.Clear();
    // A load under way goes on into the empty list, whose table of rules is empty too.
    walkRules_ = 0;
    names_.Forget();
    if (history_) history_->Forget();
  }

 private:
  // The row takes `treeRules`, the place of its tree's rules in the list, when a load knows them.
  void AddEntry(std::string_view folder, std::string_view name, bool markIfChanged,
                std::uint8_t treeRules);
  void AddEntryContained(std::string_view folder, std::string_view name, bool markIfChanged,
                         std::uint8_t treeRules = 0);
  const std::vector<std::string>& FileTypes();
  // Walks `folder`, calling `listRead` after each folder is put on the work list.
  void FillPending(std::string folder, const PauseHook& pause, GatherResult& result,
                   const std::function<void()>& listRead);
  void AddListing(const std::vector<files::NamePattern>& filePatterns, GatherResult* result);
  static void CountOtherTypes(const platform::FolderListing& entries,
                              const std::vector<char>& taken, GatherResult& result);
  static std::string Proposal(std::string_view currentName);
  void AddDroppedFile(const std::string& path);
  std::vector<RenameFailure> RenameOrUndo(RenameDirection direction, const RenameOptions& options);

  platform::FileSystem& fileSystem_;
  platform::SettingsStore& settings_;
  RenameList list_;
  FolderNames names_;
  RowChecks checks_{fileSystem_, list_, names_};
  files::PendingPaths pending_;
  // The entries a listing takes, and whether each entry is taken: kept for the next listing.
  std::vector<std::size_t> picked_;
  std::vector<char> taken_;
  std::string cleaned_;  // each proposed name, made in the same bytes
  bool gathering_ = false;
  std::size_t added_ = 0;  // rows added since the list was made
  // The file types last read, their file patterns, and the settings' fingerprint then.
  std::vector<std::string> types_;
  std::vector<files::NamePattern> patterns_;
  // A dropped folder gives its MP3 files, whatever the settings say.
  const std::vector<files::NamePattern> dropPatterns_{files::NamePattern("*.mp3")};
  std::optional<std::string> typesFingerprint_;
  // Counts Rename and Undo, which may change the names of folders walked before.
  std::uint64_t renames_ = 0, walkedAtRename_ = 0;
  // The rules the walk under way found for its whole tree, as their place in the list; 0 when
  // it found none, and each folder's rules are asked for.
  std::uint8_t walkRules_ = 0;
  std::optional<RenameHistory> history_;
};

}  // namespace vornick::window
