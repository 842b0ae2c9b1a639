// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace vornick::fakes {

struct Message {
  std::string title;
  std::string text;
};

// Dialogs answered from queues filled beforehand; an empty queue answers as a cancel. What was
// asked and shown is kept.
class FakeDialogs final : public platform::Dialogs {
 public:
  void QueueFolder(std::string folder) { folders_.push_back(std::move(folder)); }
  void QueueOpen(std::vector<std::string> paths) { opens_.push_back(std::move(paths)); }

  std::string BrowseForFolder(const std::string& prompt) override {
    folderPrompts.push_back(prompt);
    return Take(folders_);
  }
  std::vector<std::string> ShowOpen(const platform::OpenDialogOptions& options) override {
    openRequests.push_back(options);
    return Take(opens_);
  }
  void ShowMessage(const std::string& title, const std::string& text) override {
    messages.push_back({title, text});
  }

  std::vector<std::string> folderPrompts;
  std::vector<platform::OpenDialogOptions> openRequests;
  std::vector<Message> messages;

 private:
  template <typename T>
  static T Take(std::deque<T>& queue) {
    if (queue.empty()) return {};
    T answer = std::move(queue.front());
    queue.pop_front();
    return answer;
  }
  std::deque<std::string> folders_;
  std::deque<std::vector<std::string>> opens_;
};

}  // namespace vornick::fakes
