// Writes filled buffers to a sink on a second thread, so that decoding the next rows
// overlaps writing the previous ones. Two buffers take turns; output order is kept.
#pragma once
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "readdxt/byte_io.h"

namespace readdxt {

class AsyncWriter {
 public:
  // Without `threaded`, Submit writes at once (small outputs, fuzzing) and one buffer is enough.
  AsyncWriter(ByteSink& sink, size_t bufferBytes, bool threaded);
  AsyncWriter(const AsyncWriter&) = delete;
  AsyncWriter& operator=(const AsyncWriter&) = delete;
  ~AsyncWriter();  // waits for the thread

  // A free buffer of bufferBytes; waits while both are queued.
  uint8_t* Acquire();
  // Queues the first `bytes` of the buffer from the last Acquire.
  void Submit(size_t bytes);
  // Waits until everything queued is written; false when any write failed.
  bool Finish();
  bool failed();

 private:
  void Run();

  ByteSink& sink_;
  std::unique_ptr<uint8_t[]> buffers_[2];  // not cleared: every byte handed out is written first
  size_t lengths_[2] = {0, 0};
  bool queued_[2] = {false, false};
  int next_ = 0;     // buffer handed out by the next Acquire
  int current_ = 0;  // buffer handed out by the last Acquire
  int writeNext_ = 0;
  bool stop_ = false;
  bool failed_ = false;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::thread thread_;
};

}  // namespace readdxt
