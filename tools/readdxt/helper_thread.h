// A second decoding thread: the caller's work and the helper's run side by side.
#pragma once
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace readdxt {

class HelperThread {
 public:
  // Without `enabled`, RunBoth runs both parts on the caller's thread.
  explicit HelperThread(bool enabled);
  HelperThread(const HelperThread&) = delete;
  HelperThread& operator=(const HelperThread&) = delete;
  ~HelperThread();

  // Runs `theirs` on the helper and `mine` on the caller; returns when both are done.
  void RunBoth(const std::function<void()>& theirs, const std::function<void()>& mine);

 private:
  void Run();

  std::mutex mutex_;
  std::condition_variable changed_;
  const std::function<void()>* task_ = nullptr;
  bool done_ = false;
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace readdxt
