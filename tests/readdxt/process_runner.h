// Test helpers: run the built readdxt as a process in a folder, temporary folders, files.
#pragma once
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "readdxt/dds_builder.h"

namespace readdxt_test {

namespace fs = std::filesystem;

struct RunResult {
  int exitCode = -1;
  std::string out;
  std::string err;
  long maxRssKb = 0;
};

inline std::string ReadAll(int fd) {
  std::string s;
  char buf[4096];
  for (ssize_t n; (n = read(fd, buf, sizeof buf)) > 0;) s.append(buf, static_cast<size_t>(n));
  return s;
}

// Runs readdxt with `dir` as its working directory.
inline RunResult RunReaddxt(const fs::path& dir, const std::vector<std::string>& args) {
  RunResult result;
  int errPipe[2], outPipe[2];
  if (pipe(errPipe) != 0 || pipe(outPipe) != 0) return result;
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(errPipe[1], 2);
    dup2(outPipe[1], 1);
    close(errPipe[0]);
    close(outPipe[0]);
    if (chdir(dir.c_str()) != 0) _exit(127);
    std::vector<char*> argv;
    std::string exe = READDXT_EXE;
    argv.push_back(exe.data());
    std::vector<std::string> copy = args;
    for (std::string& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(exe.c_str(), argv.data());
    _exit(127);
  }
  close(errPipe[1]);
  close(outPipe[1]);
  result.out = ReadAll(outPipe[0]);
  result.err = ReadAll(errPipe[0]);
  close(outPipe[0]);
  close(errPipe[0]);
  int status = 0;
  struct rusage usage {};
  wait4(pid, &status, 0, &usage);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.maxRssKb = usage.ru_maxrss;
  return result;
}

class TempDir {
 public:
  TempDir() {
    char tmpl[] = "/tmp/readdxt-cli-XXXXXX";
    path_ = mkdtemp(tmpl);
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

inline void WriteFile(const fs::path& p, const Bytes& bytes) {
  std::ofstream f(p, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadFile(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

}  // namespace readdxt_test
#endif  // _WIN32
