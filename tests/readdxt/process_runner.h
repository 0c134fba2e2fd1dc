// Test helpers: run the built readdxt as a process in a folder, temporary folders, files.
#pragma once
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
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

inline void WriteFile(const fs::path& p, const Bytes& bytes) {
  std::ofstream f(p, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadFile(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

class TempDir {
 public:
  TempDir() {
    static int counter = 0;
    for (;;) {
      path_ = fs::temp_directory_path() /
              ("readdxt-cli-" + std::to_string(Pid()) + "-" + std::to_string(++counter));
      std::error_code ec;
      if (fs::create_directory(path_, ec)) break;
    }
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }

 private:
#ifdef _WIN32
  static unsigned long Pid() { return GetCurrentProcessId(); }
#else
  static unsigned long Pid() { return static_cast<unsigned long>(getpid()); }
#endif
  fs::path path_;
};

#ifdef _WIN32
// readdxt.exe lies in the build tree's top folder, one above the test program.
inline RunResult RunReaddxt(const fs::path& dir, const std::vector<std::string>& args) {
  RunResult result;
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string exe = (fs::path(self).parent_path().parent_path() / "readdxt.exe").string();
  std::string line = "\"" + exe + "\"";
  for (const std::string& a : args) line += " \"" + a + "\"";
  TempDir streams;
  const fs::path outPath = streams.path() / "out", errPath = streams.path() / "err";
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE out = CreateFileA(outPath.string().c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, 0, nullptr);
  HANDLE err = CreateFileA(errPath.string().c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = out;
  si.hStdError = err;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION pi = {};
  if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, dir.string().c_str(), &si, &pi)) {
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    result.exitCode = static_cast<int>(code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  CloseHandle(out);
  CloseHandle(err);
  const Bytes o = ReadFile(outPath), e = ReadFile(errPath);
  result.out.assign(o.begin(), o.end());
  result.err.assign(e.begin(), e.end());
  return result;
}
#else
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
#endif

}  // namespace readdxt_test
