// The converter as a process, the way Texlook runs it: one path in, test.tga in the current
// folder out; on failure a one-line message, the exit code of its kind (one case per kind
// here; the header test has the rest) and no file. The Windows build runs readdxt.exe
// under Wine.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "readdxt/dds_builder.h"

namespace readdxt_test {
namespace {

using namespace readdxt;
namespace fs = std::filesystem;

void WriteFile(const fs::path& p, const Bytes& bytes) {
  std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

Bytes ReadFile(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

#ifdef _WIN32
unsigned long Pid() { return GetCurrentProcessId(); }
#else
unsigned long Pid() { return static_cast<unsigned long>(getpid()); }
#endif

// A fresh folder, removed with everything in it.
struct TempDir {
  fs::path path;
  TempDir() {
    static int counter = 0;
    std::error_code ec;
    do {
      path = fs::temp_directory_path() /
             ("readdxt-cli-" + std::to_string(Pid()) + "-" + std::to_string(++counter));
    } while (!fs::create_directory(path, ec));
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

struct RunResult {
  int exitCode = -1;
  std::string out, err;
  long maxRssKb = 0;
};

// Runs readdxt with `dir` as its working folder; its output streams go to files.
RunResult RunReaddxt(const fs::path& dir, const std::vector<std::string>& args) {
  RunResult result;
  TempDir streams;
  const std::string outPath = (streams.path / "out").string(), errPath = (streams.path / "err").string();
#ifdef _WIN32
  // readdxt.exe lies in the build tree's top folder, one above the test program.
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string line = "\"" + (fs::path(self).parent_path().parent_path() / "readdxt.exe").string() + "\"";
  for (const std::string& a : args) line += " \"" + a + "\"";
  SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
  HANDLE out = CreateFileA(outPath.c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, 0, nullptr);
  HANDLE err = CreateFileA(errPath.c_str(), GENERIC_WRITE, 0, &inherit, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = out;
  si.hStdError = err;
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
#else
  std::vector<std::string> copy = args;
  copy.insert(copy.begin(), READDXT_EXE);
  std::vector<char*> argv;
  for (std::string& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT, 0600);
  posix_spawn_file_actions_addchdir_np(&actions, dir.c_str());
  pid_t pid;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.maxRssKb = usage.ru_maxrss;
  }
  posix_spawn_file_actions_destroy(&actions);
#endif
  const Bytes o = ReadFile(outPath), e = ReadFile(errPath);
  result.out.assign(o.begin(), o.end());
  result.err.assign(e.begin(), e.end());
  return result;
}

std::set<std::string> Listing(const fs::path& dir) {
  std::set<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
    names.insert(it->path().filename().string());
  EXPECT_FALSE(ec) << dir << ": " << ec.message();
  return names;
}

bool IsOneLineMessage(const std::string& err) {
  return err.rfind("readdxt: ", 0) == 0 && !err.empty() && err.back() == '\n' &&
         err.find('\n') == err.size() - 1;
}

Bytes ValidDxt1() {
  return DdsBuilder::FourCC(8, 4, kFourCC_DXT1).With(Words(2, {0xF800, 0, 0, 0, 0x001F, 0, 0, 0})).Build();
}

TEST(ReaddxtCli, FailuresLeaveNoOutputAndSayWhyOnOneLine) {
  Bytes bmp = {'B', 'M', 0x36, 0, 0, 0};
  bmp.resize(70, 0);
  const struct {
    const char* name;
    bool create;
    Bytes content;
    FailureKind kind;
  } cases[] = {
      {"missing-file", false, {}, FailureKind::kIo},
      {"not-dds-bmp", true, bmp, FailureKind::kNotDds},
      {"truncated-top-level", true,
       DdsBuilder::FourCC(256, 256, kFourCC_DXT5).With(Bytes(5000, 0x55)).Build(), FailureKind::kCorrupt},
      {"unsupported-fourcc", true,
       DdsBuilder::FourCC(4, 4, MakeFourCC('A', 'B', 'C', 'D')).With(Bytes(64, 0)).Build(),
       FailureKind::kUnsupported},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir inputs, work;
    const fs::path input = inputs.path / (std::string(c.name) + ".dds");
    if (c.create) WriteFile(input, c.content);
    // An older output stays as it is.
    WriteFile(work.path / "test.tga", Bytes{'o', 'l', 'd'});
    const RunResult r = RunReaddxt(work.path, {input.string()});
    EXPECT_EQ(r.exitCode, static_cast<int>(c.kind)) << r.err;
    EXPECT_TRUE(IsOneLineMessage(r.err)) << r.err;
    EXPECT_NE(r.err.find(input.string()), std::string::npos) << r.err;
    EXPECT_EQ(ReadFile(work.path / "test.tga"), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(Listing(work.path), std::set<std::string>{"test.tga"});  // no temporary file
  }
}

TEST(ReaddxtCli, CommandLineAndOutputPaths) {
  TempDir inputs, work;
  // Blanks and (natively: the test's paths are not in the ANSI code page on Windows)
  // Cyrillic letters in the path.
#ifdef _WIN32
  const fs::path good = inputs.path / "folder with blanks" / "texture 1.dds";
#else
  const fs::path good = inputs.path / "папка с пробелами" / "текстура 1.dds";
#endif
  fs::create_directories(good.parent_path());
  WriteFile(good, ValidDxt1());
  const std::string a = good.string();
  for (const std::vector<std::string>& args : {std::vector<std::string>{}, {a, a}, {"-o"}}) {
    const RunResult r = RunReaddxt(work.path, args);
    EXPECT_EQ(r.exitCode, static_cast<int>(FailureKind::kUsage)) << args.size();
    EXPECT_TRUE(IsOneLineMessage(r.err)) << r.err;
  }
  EXPECT_TRUE(Listing(work.path).empty());
  RunResult r = RunReaddxt(work.path, {"--help"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("Channel mapping"), std::string::npos);

  WriteFile(work.path / "test.tga", Bytes{'o', 'l', 'd'});
  r = RunReaddxt(work.path, {a});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(r.err.empty());
  EXPECT_EQ(Listing(work.path), std::set<std::string>{"test.tga"});
  Tga tga;
  ASSERT_TRUE(ParseTga(ReadFile(work.path / "test.tga"), &tga));
  EXPECT_EQ(tga.At(0, 0), (std::vector<int>{0, 0, 255, 255}));

  r = RunReaddxt(work.path, {"-o", (inputs.path / "elsewhere.tga").string(), a});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(fs::exists(inputs.path / "elsewhere.tga"));
  r = RunReaddxt(work.path, {"-o", (inputs.path / "no-such-folder" / "x.tga").string(), a});
  EXPECT_EQ(r.exitCode, static_cast<int>(FailureKind::kIo));
  EXPECT_TRUE(IsOneLineMessage(r.err)) << r.err;

  // A read-only file is not replaced.
  const fs::path locked = work.path / "test.tga";
  fs::permissions(locked, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  const Bytes before = ReadFile(locked);
  r = RunReaddxt(work.path, {"-o", locked.string(), a});
  EXPECT_EQ(r.exitCode, static_cast<int>(FailureKind::kIo)) << r.err;
  EXPECT_EQ(ReadFile(locked), before);
  EXPECT_EQ(Listing(work.path), std::set<std::string>{"test.tga"});
  fs::permissions(locked, fs::perms::owner_write, fs::perm_options::add);

  // A file name that takes its path past 256 characters (its folder's path stays below, so
  // the test can list it; Wine refuses such paths where Linux takes them). Either the
  // output is there or nothing is.
  const fs::path deep = work.path / std::string(100, 'd') / std::string(90, 'e');
  fs::create_directories(deep);
  const fs::path longName = deep / (std::string(40, 'o') + ".tga");
  ASSERT_GE(longName.string().size(), 256u);
  r = RunReaddxt(work.path, {"-o", longName.string(), a});
  const std::set<std::string> left = Listing(deep);
  if (r.exitCode == 0) {
    EXPECT_EQ(left, std::set<std::string>{longName.filename().string()});
  } else {
    EXPECT_EQ(r.exitCode, static_cast<int>(FailureKind::kIo)) << r.err;
    EXPECT_TRUE(left.empty()) << *left.begin();
  }
}

#ifndef _WIN32
// 16384 x 16384 BC1 (128 MB in, 768 MB out): memory must not grow with the picture. The
// peak of a forked child includes the test's own pages, so it is compared with the peak of
// a run on a tiny texture.
TEST(ReaddxtCli, HugeTextureStreamsInLittleMemory) {
  TempDir inputs, work;
  const fs::path tiny = inputs.path / "tiny.dds", input = inputs.path / "huge.dds";
  WriteFile(tiny, ValidDxt1());
  const Bytes header = DdsBuilder::FourCC(16384, 16384, kFourCC_DXT1).Build();
  WriteFile(input, header);
  // Sparse zero blocks: colour0 == colour1 == 0, opaque black.
  ASSERT_EQ(truncate(input.c_str(), static_cast<off_t>(header.size() + uint64_t{4096} * 4096 * 8)), 0);
  const RunResult small = RunReaddxt(work.path, {tiny.string()});
  ASSERT_EQ(small.exitCode, 0) << small.err;
  const RunResult r = RunReaddxt(work.path, {input.string()});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const uint64_t expected = 18 + uint64_t{16384} * 16384 * 3 + 26;
  EXPECT_EQ(fs::file_size(work.path / "test.tga"), expected);
  EXPECT_LT(r.maxRssKb - small.maxRssKb, 48 * 1024) << "peak memory grows with the image";
}

#endif  // _WIN32

}  // namespace
}  // namespace readdxt_test
