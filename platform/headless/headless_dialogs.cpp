#include "platform/headless/headless_dialogs.h"

#include <utility>

namespace vornick::platform::headless {

std::vector<Message> HeadlessDialogs::TakeMessages() {
  return std::exchange(messages_, {});
}

std::string HeadlessDialogs::BrowseForFolder(const std::string& prompt) {
  folderPrompts_.push_back(prompt);
  if (folders_.empty()) return {};
  std::string folder = std::move(folders_.front());
  folders_.pop_front();
  return folder;
}

std::vector<std::string> HeadlessDialogs::ShowOpen(const OpenDialogOptions& options) {
  openRequests_.push_back(options);
  if (opens_.empty()) return {};
  std::vector<std::string> paths = std::move(opens_.front());
  opens_.pop_front();
  return paths;
}

void HeadlessDialogs::ShowMessage(const std::string& title, const std::string& text) {
  messages_.push_back({title, text});
}

}  // namespace vornick::platform::headless
