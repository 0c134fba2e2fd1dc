// Files are listed and sorted first; the workers then take the next one in turn. Each file
// is converted on its worker alone, so that the cores are shared by whole files.
#include "readdxt/batch.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include "readdxt/convert_file.h"
#include "readdxt/file_system.h"

namespace readdxt {
namespace {

using Clock = std::chrono::steady_clock;

enum class Outcome { kConverted, kSkipped, kFailed };

class Batch {
 public:
  explicit Batch(const BatchOptions& options) : options_(options) {}
  int Run();

 private:
  void Work();
  void ConvertOne(size_t index);
  void Say(const std::string& line);
  void ShowProgress();

  const BatchOptions& options_;
  std::vector<std::string> files_;
  std::vector<Outcome> outcomes_;
  std::vector<FailureKind> kinds_;
  std::atomic<size_t> next_{0};
  size_t finished_ = 0;
  std::mutex mutex_;  // guards finished_, outcomes_, kinds_ and standard error
  std::condition_variable progress_;
  Clock::time_point start_ = Clock::now(), lastShown_ = start_;
  bool terminal_ = ErrorIsTerminal();
  bool progressShown_ = false;
};

std::string OutputName(const std::string& relative, bool png) {
  return relative.substr(0, relative.size() - 4) + (png ? ".png" : ".tga");
}

std::string Parent(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

void Batch::Say(const std::string& line) {
  // Over the progress line on a console: the line is rewritten after.
  if (progressShown_ && terminal_) std::fprintf(stderr, "\r%-60s\r", "");
  std::fprintf(stderr, "readdxt: %s\n", line.c_str());
  progressShown_ = false;
}

// On a console every half second in place; into a file or pipe every ten seconds a line.
void Batch::ShowProgress() {
  const Clock::time_point now = Clock::now();
  if (now - lastShown_ < (terminal_ ? std::chrono::milliseconds(500) : std::chrono::seconds(10)))
    return;
  lastShown_ = now;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  std::fprintf(stderr, "%sreaddxt: %lu of %lu files, %.1f files/s%s", terminal_ ? "\r" : "",
               static_cast<unsigned long>(finished_), static_cast<unsigned long>(files_.size()),
               seconds > 0 ? finished_ / seconds : 0.0, terminal_ ? "" : "\n");
  progressShown_ = terminal_;
}

void Batch::ConvertOne(size_t index) {
  const std::string& relative = files_[index];
  const std::string source = JoinPath(options_.folder, relative);
  const std::string output = JoinPath(options_.outDir, OutputName(relative, options_.png));
  Failure failure;
  Outcome outcome = Outcome::kConverted;
  if (!MakeFolders(Parent(output))) {
    outcome = Outcome::kFailed;
    Fail(failure, FailureKind::kIo, "cannot create the folder of " + DisplayPath(output));
  } else if (!options_.force && PathExists(output)) {
    outcome = Outcome::kSkipped;
    Fail(failure, FailureKind::kIo, "skipped: " + DisplayPath(output) + " exists (--force replaces it)");
  } else if (!ConvertFile(source, output, options_.png, false, failure)) {
    outcome = Outcome::kFailed;
  }
  std::lock_guard<std::mutex> lock(mutex_);
  outcomes_[index] = outcome;
  kinds_[index] = failure.kind;
  if (outcome != Outcome::kConverted) Say(DisplayPath(source) + ": " + failure.message);
  ++finished_;
  progress_.notify_all();
}

void Batch::Work() {
  for (size_t i = next_++; i < files_.size(); i = next_++) ConvertOne(i);
}

int Batch::Run() {
  std::vector<std::string> unreadable;
  if (!ListDdsFiles(options_.folder, files_, unreadable)) {
    Say(DisplayPath(options_.folder) + ": not a readable folder");
    return static_cast<int>(FailureKind::kIo);
  }
  for (const std::string& folder : unreadable) Say(folder + ": cannot read this folder");
  std::sort(files_.begin(), files_.end());
  outcomes_.assign(files_.size(), Outcome::kFailed);
  kinds_.assign(files_.size(), FailureKind::kNone);
  unsigned jobs = options_.jobs ? options_.jobs : std::max(1u, std::thread::hardware_concurrency());
  if (jobs > files_.size()) jobs = static_cast<unsigned>(std::max<size_t>(1, files_.size()));
  std::vector<std::thread> workers;
  for (unsigned j = 0; j < jobs; ++j) workers.emplace_back(&Batch::Work, this);
  {
    std::unique_lock<std::mutex> lock(mutex_);
    while (finished_ < files_.size()) {
      progress_.wait_for(lock, std::chrono::milliseconds(100));
      ShowProgress();
    }
  }
  for (std::thread& worker : workers) worker.join();

  const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
  size_t counts[3] = {0, 0, 0};
  int code = unreadable.empty() ? 0 : static_cast<int>(FailureKind::kIo);
  for (size_t i = files_.size(); i-- > 0;) {
    ++counts[static_cast<int>(outcomes_[i])];
    if (outcomes_[i] != Outcome::kConverted) code = static_cast<int>(kinds_[i]);
  }
  char summary[160];
  std::snprintf(summary, sizeof summary,
                "%lu converted, %lu skipped, %lu failed of %lu files in %.1f s (%.1f files/s)",
                static_cast<unsigned long>(counts[0]), static_cast<unsigned long>(counts[1]),
                static_cast<unsigned long>(counts[2]), static_cast<unsigned long>(files_.size()), seconds,
                seconds > 0 ? files_.size() / seconds : 0.0);
  Say(summary);
  return code;
}

}  // namespace

int RunBatch(const BatchOptions& options) {
  Batch batch(options);
  return batch.Run();
}

}  // namespace readdxt
