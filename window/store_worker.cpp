// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/store_worker.h"

#include <utility>

namespace vornick::window {

StoreWorker::StoreWorker() : thread_([this] { Run(); }) {}

StoreWorker::~StoreWorker() {
  {
    const std::lock_guard lock(mutex_);
    ending_ = true;
  }
  posted_.notify_one();
  thread_.join();
}

std::uint64_t StoreWorker::Post(std::function<void()> task) {
  std::uint64_t ticket = 0;
  {
    const std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
    ticket = ++postedCount_;
  }
  posted_.notify_one();
  return ticket;
}

void StoreWorker::WaitFor(std::uint64_t ticket) {
  std::unique_lock lock(mutex_);
  ran_.wait(lock, [&] { return ranCount_ >= ticket; });
}

void StoreWorker::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    posted_.wait(lock, [&] { return ending_ || !tasks_.empty(); });
    if (tasks_.empty()) return;
    std::function<void()> task = std::move(tasks_.front());
    tasks_.pop_front();
    lock.unlock();
    task();
    lock.lock();
    ++ranCount_;
    ran_.notify_all();
  }
}

}  // namespace vornick::window
