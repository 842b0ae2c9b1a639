#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace vornick::platform::headless {

struct Message {
  std::string title;
  std::string text;
};

// Dialogs answered from queues the host fills beforehand; an empty queue answers as a cancel.
// Everything asked and shown is kept.
class HeadlessDialogs final : public Dialogs {
 public:
  void QueueFolder(std::string folder) { folders_.push_back(std::move(folder)); }
  void QueueOpen(std::vector<std::string> paths) { opens_.push_back(std::move(paths)); }

  const std::vector<std::string>& FolderPrompts() const noexcept { return folderPrompts_; }
  const std::vector<OpenDialogOptions>& OpenRequests() const noexcept { return openRequests_; }
  const std::vector<Message>& Messages() const noexcept { return messages_; }
  // Hands over the messages shown so far and forgets them.
  std::vector<Message> TakeMessages();

  std::string BrowseForFolder(const std::string& prompt) override;
  std::vector<std::string> ShowOpen(const OpenDialogOptions& options) override;
  void ShowMessage(const std::string& title, const std::string& text) override;

 private:
  std::deque<std::string> folders_;
  std::deque<std::vector<std::string>> opens_;
  std::vector<std::string> folderPrompts_;
  std::vector<OpenDialogOptions> openRequests_;
  std::vector<Message> messages_;
};

}  // namespace vornick::platform::headless
