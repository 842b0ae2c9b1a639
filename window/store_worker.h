// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace vornick::window {

// Runs tasks one after another on a thread of its own, in the order they were posted: the history
// is written there while the renames go on here, so that its looks at the disk and its syncs do
// not add to the time of a Rename.
class StoreWorker {
 public:
  StoreWorker();
  // Runs what was posted, then ends the thread.
  ~StoreWorker();
  StoreWorker(const StoreWorker&) = delete;
  StoreWorker& operator=(const StoreWorker&) = delete;

  // Returns the task's ticket. A task must not throw.
  std::uint64_t Post(std::function<void()> task);
  // Returns once the task of `ticket`, and every task before it, has run.
  void WaitFor(std::uint64_t ticket);

 private:
  void Run();

  std::mutex mutex_;
  std::condition_variable posted_, ran_;
  std::deque<std::function<void()>> tasks_;
  std::uint64_t postedCount_ = 0, ranCount_ = 0;
  bool ending_ = false;
  std::thread thread_;  // last, so that it starts once the rest is made
};

}  // namespace vornick::window
