// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/form1.h"

#include <exception>
#include <numeric>

#include "files/path_helpers.h"
#include "window/take_back.h"

namespace vornick::window {
namespace {

using platform::Pointer;

constexpr const char* kIdleCaption = "Vornick";
constexpr const char* kLoadingCaption = "Vornick [Loading files, please wait...]";
constexpr const char* kDropCaption = "Vornick [Please wait...]";
constexpr const char* kFolderPrompt = "Please select folder to add:";
constexpr const char* kOpenTitle = "Add File(s) - Use Ctrl and Shift to select multiple files";

}  // namespace

Form1::Form1(platform::FileSystem& fileSystem, platform::SettingsStore& settings,
             platform::Dialogs& dialogs, Reports& reports, platform::Window& window,
             platform::HistoryStore* history)
    : fileSystem_(fileSystem),
      dialogs_(dialogs),
      reports_(reports),
      window_(window),
      history_(history),
      operations_(fileSystem, settings, history) {}

void Form1::Press(Button button) {
  SetValue(button, 1);
}

// A change of the value raises the click handler, as the platform's two-state button does.
void Form1::SetValue(Button button, int value) {
  if (values_.at(Index(button)) == value) return;
  values_.at(Index(button)) = value;
  OnButtonClick(button);
}

void Form1::OnButtonClick(Button button) {
  if (Value(button) != 1) return;
  SetValue(button, 0);
  switch (button) {
    case Button::kRename:
      return Rename(RenameDirection::kRename);
    case Button::kUndo:
      return Rename(RenameDirection::kUndo);
    case Button::kLoadFolder:
      return LoadFolder();
    case Button::kLoadFiles:
      return LoadFiles();
    case Button::kSelectAll:
      return SetAllChecked(true);
    case Button::kUnselectAll:
      return SetAllChecked(false);
    case Button::kClearList:
      return ClearList();
    case Button::kExit:
      window_.End();
  }
}

// The click rule: the selected rows' check marks turn over, unless the clicked row's name is
// contained in the name last turned over this way.
void Form1::OnListClick() {
  RenameList& list = operations_.List();
  const std::optional<std::size_t> selected = list.SelectedItem();
  if (!selected || *selected >= list.Count()) return;
  const std::string& name = list.Row(*selected).CurrentName;
  if (lastClickedName_.find(name) != std::string::npos) return;
  lastClickedName_ = name;

  bool turned = false;
  const std::size_t count = list.Count();
  for (std::size_t i = 0; i < count; ++i) {
    const RenameEntry& row = list.Row(i);
    if (!row.Selected) continue;
    list.SetChecked(i, !row.Checked);
    turned = true;
  }
  // A row's mark hangs on the check marks of the other rows of its file and of its name, wherever
  // they stand.
  if (turned) window_.RowsChanged(0, count - 1);
}

void Form1::Rename(RenameDirection direction) {
  const bool undo = direction == RenameDirection::kUndo;
  const Command command = undo ? Command::kUndo : Command::kRename;
  try {
    if (undo && OfferNewestBatch()) return;
    const auto run = [&](const RenameOptions& options) {
      return undo ? operations_.Undo(options) : operations_.Rename(options);
    };
    std::vector<RenameFailure> failures;
    try {
      failures = run({});
    } catch (const platform::HistoryError& error) {
      TellSetAside();
      if (!reports_.GoOnWithoutHistory(command, error.Where(), error.Error())) return;
      failures = run({.command = {}, .keepHistory = false});
    }
    TellSetAside();
    // The rows show what was done to them.
    if (const std::size_t count = operations_.List().Count(); count != 0) {
      window_.RowsChanged(0, count - 1);
    }
    if (!failures.empty()) reports_.RenameFailed(direction, failures);
  } catch (const std::exception& error) {
    reports_.Stopped(command, error.what(), false);
  }
}

bool Form1::OfferNewestBatch() {
  if (history_ == nullptr) return false;
  const RenameList& list = operations_.List();
  for (std::size_t i = 0; i < list.Count(); ++i) {
    if (list.Row(i).Checked && list.Row(i).IsRenamed()) return false;
  }
  const std::optional<platform::BatchSummary> batch = NewestToTakeBack(History());
  if (!batch) return false;
  if (reports_.OfferTakeBack(*batch, false)) TakeBack(batch->id);
  return true;
}

void Form1::TellSetAside() {
  if (history_ == nullptr) return;
  if (const std::string setAside = history_->TakeSetAside(); !setAside.empty()) {
    reports_.HistorySetAside(history_->Location(), setAside);
  }
}

std::vector<platform::BatchSummary> Form1::History() {
  if (history_ == nullptr) return {};
  std::vector<platform::BatchSummary> batches;
  try {
    batches = history_->Batches();
  } catch (const platform::HistoryError&) {
    TellSetAside();
    throw;
  }
  TellSetAside();
  return batches;
}

void Form1::TakeBack(std::int64_t id) {
  try {
    const TakeBackResult result = operations_.TakeBack(id);
    TellSetAside();
    if (const std::size_t count = operations_.List().Count(); count != 0) {
      window_.RowsChanged(0, count - 1);
    }
    if (!result.failures.empty()) reports_.RenameFailed(RenameDirection::kUndo, result.failures);
  } catch (const std::exception& error) {
    reports_.Stopped(Command::kUndo, error.what(), false);
  }
}

void Form1::OnStarted() {
  if (history_ == nullptr) return;
  try {
    const std::optional<platform::BatchSummary> batch = NewestInterrupted(History());
    if (!batch) return;
    if (reports_.OfferTakeBack(*batch, true)) return TakeBack(batch->id);
    SettleBatch(fileSystem_, *history_, batch->id);
  } catch (const std::exception&) {
    // A history that cannot be read now is told when a Rename needs it.
    TellSetAside();
  }
}

void Form1::EndGathering() {
  window_.SetMousePointer(Pointer::kDefault);
  window_.SetCaption(kIdleCaption);
}

void Form1::LoadFolder() {
  // A second gathering command would take the running one's folders off the work list; it is
  // refused before its picker opens.
  if (operations_.Gathering()) return;
  std::string folder;
  try {
    folder = dialogs_.BrowseForFolder(kFolderPrompt);
  } catch (const std::exception& error) {
    EndGathering();
    return reports_.Stopped(Command::kLoadFolder, error.what(), false);
  }
  if (folder.empty()) return window_.SetMousePointer(Pointer::kDefault);
  AddFolder(folder);
}

void Form1::AddFolder(const std::string& folder) {
  window_.SetCaption(kLoadingCaption);
  const GatherResult result = operations_.AddFolder(folder, BusyAt(Pause::kFolder));
  TakeLoad(result);
  EndGathering(Command::kLoadFolder, result);
}

// A refused command added nothing and leaves the last load's account as it was.
void Form1::TakeLoad(const GatherResult& result) {
  if (result.refused) return;
  lastLoad_ = LoadSummary{result.added, result.otherTypes};
}

// The pause hook of a gathering: events run at every pause, and the pointer shows busy again at
// `busy` (a hover may have changed it meanwhile).
PauseHook Form1::BusyAt(Pause busy) {
  return [this, busy](Pause pause) {
    if (pause == busy) window_.SetMousePointer(Pointer::kHourglass);
    window_.DoEvents();
  };
}

void Form1::EndGathering(Command command, const GatherResult& result) {
  EndGathering();
  if (!result.stopped.empty()) {
    return reports_.Stopped(command, result.stopped, result.typesUnreadable);
  }
  if (!result.passedOver.empty()) reports_.PassedOver(command, result.passedOver);
}

void Form1::LoadFiles() {
  try {
    platform::OpenDialogOptions options;
    options.title = kOpenTitle;
    options.filterDescription = "MP3 Files (*.mp3)";
    options.filterPattern = "*.mp3";
    options.allowMultiSelect = true;
    const std::vector<std::string> paths = dialogs_.ShowOpen(options);
    if (paths.empty()) return;
    const std::size_t before = operations_.List().Count();
    operations_.AddFiles(paths);
    lastLoad_ = LoadSummary{operations_.List().Count() - before, {}};
  } catch (const std::exception& error) {
    reports_.Stopped(Command::kLoadFiles, error.what(), false);
  }
}

void Form1::OnDrop(const std::vector<std::string>& paths) {
  if (operations_.Gathering()) return;
  window_.SetMousePointer(Pointer::kHourglass);
  window_.SetCaption(kDropCaption);
  const GatherResult result = operations_.AddDropped(paths, BusyAt(Pause::kDroppedPath));
  TakeLoad(result);
  EndGathering(Command::kDrop, result);
}

void Form1::OnOpen(const std::vector<std::string>& paths) {
  std::vector<PassedOver> missing;
  for (const std::string& path : paths) {
    if (operations_.Gathering()) break;
    if (!fileSystem_.CanReadTimes(path)) {
      missing.push_back({path, PassedOver::Why::kNotRead,
                         std::make_error_code(std::errc::no_such_file_or_directory)});
      continue;
    }
    try {
      if (files::IsFolder(fileSystem_, path)) {
        AddFolder(path);
      } else {
        operations_.AddFiles({path});
      }
    } catch (const std::exception& error) {
      reports_.Stopped(Command::kLoadFiles, error.what(), false);
    }
  }
  if (!missing.empty()) reports_.PassedOver(Command::kLoadFiles, missing);
}

std::vector<std::size_t> Form1::SelectedOrAll() const {
  const RenameList& list = operations_.List();
  std::vector<std::size_t> rows;
  for (std::size_t i = 0; i < list.Count(); ++i) {
    if (list.Row(i).Selected) rows.push_back(i);
  }
  if (rows.empty()) {
    rows.resize(list.Count());
    std::iota(rows.begin(), rows.end(), std::size_t{0});
  }
  return rows;
}

std::size_t Form1::MakeNamesSafe() {
  const std::vector<std::size_t> changed = operations_.MakeNamesSafe(SelectedOrAll());
  if (!changed.empty()) window_.NamesChanged(changed.front(), changed.back());
  return changed.size();
}

std::size_t Form1::BackToProposal() {
  const std::vector<std::size_t> changed = operations_.BackToProposal(SelectedOrAll());
  if (!changed.empty()) window_.NamesChanged(changed.front(), changed.back());
  return changed.size();
}

ListOperations::EditRefusal Form1::EditName(std::size_t index, std::string newName) {
  const auto refusal = operations_.EditNewName(index, std::move(newName));
  if (refusal == ListOperations::EditRefusal::kNone) window_.NamesChanged(index, index);
  return refusal;
}

void Form1::CheckRows(const std::vector<std::size_t>& rows, bool checked) {
  RenameList& list = operations_.List();
  if (rows.empty()) return;
  for (const std::size_t i : rows) list.SetChecked(i, checked);
  // Any row's mark may hang on these rows' check marks.
  window_.RowsChanged(0, list.Count() - 1);
}

void Form1::SetAllChecked(bool checked) {
  const std::size_t count = operations_.List().Count();
  if (count == 0) return;
  operations_.SetAllChecked(checked);
  window_.RowsChanged(0, count - 1);
}

// Only the rows go: LastClickedName, the work list, the caption and the pointer stay.
void Form1::ClearList() {
  if (operations_.List().Count() == 0) return;
  window_.RowsAboutToBeCleared();
  operations_.Clear();
  lastLoad_.reset();
  window_.RowsCleared();
}

}  // namespace vornick::window
