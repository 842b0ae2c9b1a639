// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "window/reports.h"

namespace vornick::fakes {

struct Message {
  std::string title;
  std::string text;
};

// Dialogs answered from queues filled beforehand; an empty queue answers as a cancel. What was
// asked is kept, and each report as one message in English words.
class FakeDialogs final : public platform::Dialogs, public window::Reports {
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
  void RenameFailed(window::RenameDirection direction,
                    const std::vector<window::RenameFailure>& failures) override {
    if (beforeReport) beforeReport();
    std::string text = std::to_string(failures.size()) + " not done";
    for (const window::RenameFailure& failure : failures) {
      text += "\n" + failure.name + ": " + window::Describe(failure.reason, failure.target);
    }
    messages.push_back(
        {direction == window::RenameDirection::kUndo ? "Undo failed" : "Rename failed", text});
  }
  void Stopped(window::Command command, const std::string& why, bool typesUnreadable) override {
    if (beforeReport) beforeReport();
    messages.push_back({"Stopped " + std::to_string(static_cast<int>(command)) +
                            (typesUnreadable ? " (types)" : ""),
                        why});
  }
  void PassedOver(window::Command command,
                  const std::vector<window::PassedOver>& passedOver) override {
    if (beforeReport) beforeReport();
    std::string text;
    for (const window::PassedOver& path : passedOver) text += path.path + "\n";
    messages.push_back({"Passed over " + std::to_string(static_cast<int>(command)), text});
  }

  bool GoOnWithoutHistory(window::Command command, const std::string& where,
                          std::error_code error) override {
    messages.push_back({"Without history " + std::to_string(static_cast<int>(command)),
                        where + ": " + error.message()});
    return Take(answers_);
  }
  bool OfferTakeBack(const platform::BatchSummary& batch, bool interrupted) override {
    messages.push_back({interrupted ? "Interrupted" : "Take back",
                        std::to_string(batch.id) + " " + std::to_string(batch.renamed)});
    return Take(answers_);
  }
  void HistorySetAside(const std::string& location, const std::string& setAsideAs) override {
    messages.push_back({"Set aside", location + " as " + setAsideAs});
  }
  // The answers to the questions, in order; an empty queue answers no, as Escape does.
  void QueueAnswer(bool yes) { answers_.push_back(yes); }

  std::vector<std::string> folderPrompts;
  std::vector<platform::OpenDialogOptions> openRequests;
  std::vector<Message> messages;
  // Called as each report arrives, before it is kept.
  std::function<void()> beforeReport;

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
  std::deque<bool> answers_;
};

}  // namespace vornick::fakes
