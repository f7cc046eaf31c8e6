#pragma once

#include "TComPortSync.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

// Plays the GUI thread for a port: posted tasks wait until the test runs them.
class QueueSync : public TComPortSync {
public:
  void Post(std::function<void()> task) override {
    {
      std::lock_guard lock(Lock);
      Tasks.push_back(std::move(task));
    }
    Posted.notify_all();
  }
  void ShowError(const std::string& text) override { Errors.push_back(text); }

  // Runs posted tasks until `done` holds or the time is up; true when it holds.
  template <typename Pred> bool RunUntil(Pred done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
      std::unique_lock lock(Lock);
      if (!Posted.wait_until(lock, end, [&] { return !Tasks.empty(); })) return done();
      auto task = std::move(Tasks.front());
      Tasks.pop_front();
      lock.unlock();
      task();
    }
    return true;
  }

  std::vector<std::string> Errors;

private:
  std::mutex Lock;
  std::condition_variable Posted;
  std::deque<std::function<void()>> Tasks;
};
