// One persistent helper thread handed one task at a time.
#include "readdxt/helper_thread.h"

namespace readdxt {

HelperThread::HelperThread(bool enabled) {
  if (enabled) thread_ = std::thread(&HelperThread::Run, this);
}

HelperThread::~HelperThread() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void HelperThread::RunBoth(const std::function<void()>& theirs, const std::function<void()>& mine) {
  if (!thread_.joinable()) {
    theirs();
    mine();
    return;
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    task_ = &theirs;
    done_ = false;
  }
  changed_.notify_all();
  mine();
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return done_; });
}

void HelperThread::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stop_ || task_ != nullptr; });
    if (!task_) return;
    const std::function<void()>* task = task_;
    task_ = nullptr;
    lock.unlock();
    (*task)();
    lock.lock();
    done_ = true;
    changed_.notify_all();
  }
}

}  // namespace readdxt
