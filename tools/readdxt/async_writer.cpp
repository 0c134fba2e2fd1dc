// Double-buffered writing on a second thread.
#include "readdxt/async_writer.h"

namespace readdxt {

AsyncWriter::AsyncWriter(ByteSink& sink, size_t bufferBytes, bool threaded) : sink_(sink) {
  buffers_[0].reset(new uint8_t[bufferBytes]);
  if (!threaded) return;
  buffers_[1].reset(new uint8_t[bufferBytes]);
  thread_ = std::thread(&AsyncWriter::Run, this);
}

AsyncWriter::~AsyncWriter() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

uint8_t* AsyncWriter::Acquire() {
  if (!thread_.joinable()) return buffers_[0].get();
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return !queued_[next_]; });
  current_ = next_;
  next_ ^= 1;
  return buffers_[current_].get();
}

void AsyncWriter::Submit(size_t bytes) {
  if (!thread_.joinable()) {
    if (!failed_ && !sink_.Write(buffers_[0].get(), bytes)) failed_ = true;
    return;
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    lengths_[current_] = bytes;
    queued_[current_] = true;
  }
  changed_.notify_all();
}

bool AsyncWriter::Finish() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return !queued_[0] && !queued_[1]; });
  return !failed_;
}

bool AsyncWriter::failed() {
  std::lock_guard<std::mutex> lock(mutex_);
  return failed_;
}

void AsyncWriter::Run() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stop_ || queued_[writeNext_]; });
    if (!queued_[writeNext_]) return;  // stopping with nothing left
    const int index = writeNext_;
    const bool skip = failed_;
    lock.unlock();
    const bool ok = skip || sink_.Write(buffers_[index].get(), lengths_[index]);
    lock.lock();
    if (!ok) failed_ = true;
    queued_[index] = false;
    writeNext_ ^= 1;
    changed_.notify_all();
  }
}

}  // namespace readdxt
