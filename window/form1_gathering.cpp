// The commands that add rows: Load Folder, Load Files and drops.
#include <algorithm>
#include <exception>

#include "cleaning/name_cleaning.h"
#include "cleaning/text_chars.h"
#include "files/file_types.h"
#include "files/path_helpers.h"
#include "window/form1.h"

namespace vornick::window {
namespace {

using platform::Control;

constexpr const char* kIdleCaption = "Vornick";
constexpr const char* kLoadingCaption = "Vornick [Loading files, please wait...]";
constexpr const char* kDropCaption = "Vornick [Please wait...]";
constexpr const char* kFolderPrompt = "Please select folder to add:";
constexpr const char* kOpenTitle = "Add File(s) - Use Ctrl and Shift to select multiple files";
constexpr const char* kLoadFolderFailed = "Load Folder stopped";
constexpr const char* kLoadFilesFailed = "Load Files stopped";
constexpr const char* kDefaultFileType = "MP3";

std::string AsciiLower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](char c) { return cleaning::ToLower(c); });
  return text;
}

// Marks a folder-gathering command as running for as long as it is in scope.
class GatheringScope {
 public:
  explicit GatheringScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~GatheringScope() { flag_ = false; }
  GatheringScope(const GatheringScope&) = delete;
  GatheringScope& operator=(const GatheringScope&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void Form1::AddEntryContained(const std::string& fullPath, bool markIfChanged) {
  try {
    AddEntry(fullPath, markIfChanged);
  } catch (const cleaning::NameCleaningError&) {
    // The row stays with an empty proposed name and unchecked; the next file follows.
  }
}

std::vector<std::string> Form1::FileTypes() {
  std::vector<std::string> types = files::GetFileTypes(settings_);
  if (types.empty()) types.emplace_back(kDefaultFileType);
  return types;
}

// Puts `folder` and every folder below it on the work list, in pre-order.
void Form1::FillPending(std::string folder) {
  if (!folder.empty() && folder.back() == files::kSeparator) folder.pop_back();
  folder.push_back(files::kSeparator);
  pending_.Append(folder);
  files::AddSubFolders(fileSystem_, pending_, folder, [this] { window_.DoEvents(); });
}

void Form1::AddListing(const std::string& folder, const std::string& filePattern) {
  const std::optional<std::vector<std::string>> names =
      files::ListFiles(fileSystem_, folder + filePattern);
  if (!names) return;
  std::string path;
  for (const std::string& name : *names) {
    path.assign(folder).append(name);
    AddEntryContained(path, true);
  }
}

void Form1::EndGathering() {
  window_.SetMousePointer(platform::kPointerDefault);
  window_.SetCaption(kIdleCaption);
}

void Form1::LoadFolder() {
  // A second gathering command would take the running one's folders off the work list.
  if (gathering_) return;
  const GatheringScope scope(gathering_);

  // Until the file types have been read once, a failure ends the command with a message and
  // leaves the work list empty and the window idle.
  bool haveTypes = false;
  std::vector<std::string> types;
  const auto stop = [&](const std::string& text) {
    pending_.Clear();
    EndGathering();
    dialogs_.ShowMessage(kLoadFolderFailed, text);
  };
  try {
    const std::string folder = dialogs_.BrowseForFolder(kFolderPrompt);
    if (folder.empty()) {
      window_.SetMousePointer(platform::kPointerDefault);
      return;
    }
    window_.SetCaption(kLoadingCaption);
    FillPending(folder);
  } catch (const std::exception& error) {
    return stop(error.what());
  }

  while (!pending_.Empty()) {
    window_.SetMousePointer(platform::kPointerHourglass);
    window_.DoEvents();
    try {
      types = FileTypes();
      haveTypes = true;
    } catch (const std::exception& error) {
      // Later folders keep the types read before.
      if (!haveTypes) {
        return stop(std::string("The file types could not be read from the settings: ") +
                    error.what());
      }
    }
    try {
      const std::string folder = pending_.Front();
      if (types.front() == files::kAllFiles) {
        AddListing(folder, "*.*");
      } else {
        for (const std::string& type : types) AddListing(folder, "*." + AsciiLower(type));
      }
    } catch (const std::exception&) {
      // Once under way, a folder that fails is passed over.
    }
    pending_.RemoveFront();
  }
  EndGathering();
}

void Form1::LoadFiles() {
  Contained(kLoadFilesFailed, [this] {
    platform::OpenDialogOptions options;
    options.title = kOpenTitle;
    options.filterDescription = "MP3 Files (*.mp3)";
    options.filterPattern = "*.mp3";
    options.allowMultiSelect = true;
    for (const std::string& path : dialogs_.ShowOpen(options)) AddEntryContained(path, true);
  });
}

void Form1::ListView1_OLEDragDrop(const std::vector<std::string>& droppedPaths) {
  if (gathering_) return;
  const GatheringScope scope(gathering_);
  window_.SetMousePointer(platform::kPointerHourglass);
  window_.SetCaption(kDropCaption);
  for (const std::string& path : droppedPaths) {
    window_.SetMousePointer(platform::kPointerHourglass);
    window_.DoEvents();
    try {
      DropPath(path);
    } catch (const std::exception&) {
      // A dropped path that cannot be handled is passed over without a message.
      pending_.Clear();
    }
  }
  EndGathering();
}

void Form1::DropPath(const std::string& path) {
  if (!files::IsFolder(fileSystem_, path)) return DropFile(path);
  FillPending(path);
  while (!pending_.Empty()) {
    window_.DoEvents();
    const std::string folder = pending_.Front();
    AddListing(folder, "*.mp3");
    pending_.RemoveFront();
  }
}

// A dropped file is taken once for every type whose ".type" stands anywhere in its path; with
// "All Files" first it is taken once, unchecked.
void Form1::DropFile(const std::string& path) {
  const std::vector<std::string> types = FileTypes();
  if (types.front() == files::kAllFiles) return AddEntryContained(path, false);
  for (const std::string& type : types) {
    if (path.find("." + AsciiLower(type)) != std::string::npos) AddEntryContained(path, true);
  }
}

}  // namespace vornick::window
