// The converter as a process, the way Texlook runs it: one path in, test.tga in the current
// folder out; on failure a one-line message, the exit code of its kind and no file. The
// Windows build runs readdxt.exe under Wine.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/wait.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "readdxt/converter.h"
#include "readdxt/dds_builder.h"

namespace {

using namespace readdxt;
using namespace readdxt_test;
namespace fs = std::filesystem;
using Names = std::set<std::string>;

void WriteFile(const fs::path& p, const Bytes& bytes) {
  std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}
template <class T = Bytes>
T ReadFile(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return T(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// A fresh folder, removed with everything in it.
struct TempDir {
  fs::path path;
  std::error_code ec;
  TempDir() {
    for (int n = 0; !fs::create_directory(path, ec); ++n)  // taken names are skipped
      path = fs::temp_directory_path() / ("readdxt-cli-" + std::to_string(n));
  }
  ~TempDir() { fs::remove_all(path, ec); }
};

Names Listing(const fs::path& dir) {
  Names names;
  for (const auto& entry : fs::directory_iterator(dir)) names.insert(entry.path().filename().string());
  return names;
}

struct RunResult {
  int exitCode;
  std::string out, err;
};

// Runs readdxt through the shell in `dir`, its output streams redirected to files.
RunResult RunReaddxt(const fs::path& dir, const std::vector<std::string>& args) {
  TempDir streams;
  const auto q = [](const std::string& s) { return '"' + s + '"'; };
#ifdef _WIN32
  // readdxt.exe lies in the build tree's top folder, one above the test program.
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string line = q((fs::path(self).parent_path().parent_path() / "readdxt.exe").string());
#else
  std::string line = q(READDXT_EXE);
#endif
  for (const std::string& a : args) line += " " + q(a);
  line += " >" + q((streams.path / "out").string()) + " 2>" + q((streams.path / "err").string());
  const fs::path before = fs::current_path();
  fs::current_path(dir);
#ifdef _WIN32
  const int code = std::system(q(line).c_str());  // cmd drops the outer quotes
#else
  const int status = std::system(line.c_str()), code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
  fs::current_path(before);
  std::string out = ReadFile<std::string>(streams.path / "out");
  out.erase(std::remove(out.begin(), out.end(), '\r'), out.end());  // text mode on Windows
  return {code, out, ReadFile<std::string>(streams.path / "err")};
}

const Bytes kValidDxt1 = FourCC(8, 4, kFourCC_DXT1, Words(2, {0xF800, 0, 0, 0, 0x001F, 0, 0, 0})).Build();

// Every failure leaves an older output and a read-only one as they were, and no temporary file.
TEST(ReaddxtCli, FailuresLeaveNoOutputAndSayWhyOnOneLine) {
  // clang-format off
  const struct { const char* name; Bytes content; std::vector<std::string> args; FailureKind kind; } cases[] = {  // content empty: no input file; args "in": the input's path, "locked": the read-only file
      {"missing file", {}, {"in"}, FailureKind::kIo},
      {"a BMP", Bytes{'B', 'M', 0x36} + Bytes(67, 0), {"in"}, FailureKind::kNotDds},
      {"truncated", FourCC(256, 256, kFourCC_DXT5, Bytes(5000, 0x55)).Build(), {"in"}, FailureKind::kCorrupt},
      {"unknown FourCC", FourCC(4, 4, MakeFourCC('A', 'B', 'C', 'D'), Bytes(64, 0)).Build(), {"in"}, FailureKind::kUnsupported},
      {"no arguments", {}, {}, FailureKind::kUsage},
      {"two inputs", kValidDxt1, {"in", "in"}, FailureKind::kUsage},
      {"-o without a path", {}, {"-o"}, FailureKind::kUsage},
      {"read-only -o target", kValidDxt1, {"-o", "locked", "in"}, FailureKind::kIo},
      // clang-format on
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir inputs, work;
    const fs::path input = inputs.path / "input.dds", locked = work.path / "locked.tga";
    if (!c.content.empty()) WriteFile(input, c.content);
    WriteFile(work.path / "test.tga", Bytes{'o', 'l', 'd'});
    WriteFile(locked, Bytes{'r', 'o'});
    fs::permissions(locked, fs::perms::owner_read);
    std::vector<std::string> args = c.args;
    for (std::string& a : args) a = a == "in" ? input.string() : a == "locked" ? locked.string() : a;
    const RunResult r = RunReaddxt(work.path, args);
    EXPECT_EQ(r.exitCode, static_cast<int>(c.kind)) << r.err;
    EXPECT_TRUE(r.err.rfind("readdxt: ", 0) == 0 && r.err.find('\n') == r.err.size() - 1) << r.err;
    // A failure about the input names it.
    EXPECT_TRUE(c.kind == FailureKind::kUsage || r.err.find(input.string()) != std::string::npos) << r.err;
    EXPECT_EQ(ReadFile(work.path / "test.tga"), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(ReadFile(locked), (Bytes{'r', 'o'}));
    EXPECT_EQ(Listing(work.path), (Names{"locked.tga", "test.tga"}));
    fs::permissions(locked, fs::perms::owner_write, fs::perm_options::add);
  }
}

TEST(ReaddxtCli, OutputsAndPaths) {
  TempDir inputs, work;
  // Blanks and (natively: the test's paths are not in the ANSI code page on Windows)
  // Cyrillic letters in the path.
#ifdef _WIN32
  const fs::path good = inputs.path / "folder with blanks" / "texture 1.dds";
#else
  const fs::path good = inputs.path / "папка с пробелами" / "текстура 1.dds";
#endif
  fs::create_directories(good.parent_path());
  WriteFile(good, kValidDxt1);
  const std::string a = good.string();
  RunResult r = RunReaddxt(work.path, {"--help"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.out.find("Channel mapping"), std::string::npos);

  WriteFile(work.path / "test.tga", Bytes{'o', 'l', 'd'});
  r = RunReaddxt(work.path, {a});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(r.err.empty());
  EXPECT_EQ(Listing(work.path), Names{"test.tga"});
  const Tga tga = ParseTga(ReadFile(work.path / "test.tga"));
  ASSERT_FALSE(tga.pixels.empty());
  EXPECT_EQ(tga.At(0, 0), (std::vector<int>{0, 0, 255, 255}));
  EXPECT_EQ(RunReaddxt(work.path, {"-o", (inputs.path / "elsewhere.tga").string(), a}).exitCode, 0);
  EXPECT_TRUE(fs::exists(inputs.path / "elsewhere.tga"));
  EXPECT_EQ(RunReaddxt(work.path, {"--png", a}).exitCode, 0);
  EXPECT_EQ(ReadFile<std::string>(work.path / "test.png").substr(0, 4), "\x89PNG");

  // --info: one line per readable file, the failure's message and code for the others.
  r = RunReaddxt(work.path, {"--info", a, (inputs.path / "elsewhere.tga").string(), a});
  EXPECT_EQ(r.exitCode, static_cast<int>(FailureKind::kNotDds));
  EXPECT_EQ(r.out, a + "\tlegacy\tDXT1\t8x4\tmips=1\tarray=1\talpha=none\tsrgb=no\trepairs=none\n" + a +
                       "\tlegacy\tDXT1\t8x4\tmips=1\tarray=1\talpha=none\tsrgb=no\trepairs=none\n");
  EXPECT_NE(r.err.find("elsewhere.tga: not a DDS file"), std::string::npos) << r.err;

  // A file name that takes its path past 256 characters (its folder's path stays below, so
  // the test can list it; Wine refuses such paths where Linux takes them). Either the
  // output is there or nothing is.
  const fs::path deep = work.path / std::string(100, 'd') / std::string(90, 'e');
  fs::create_directories(deep);
  const fs::path longName = deep / (std::string(266 - deep.string().size(), 'o') + ".tga");  // 271 long
  r = RunReaddxt(work.path, {"-o", longName.string(), a});
  const Names left = Listing(deep);
  if (r.exitCode == 0) {
    EXPECT_EQ(left, Names{longName.filename().string()});
  } else {
    EXPECT_EQ(r.exitCode, static_cast<int>(FailureKind::kIo)) << r.err;
    EXPECT_TRUE(left.empty()) << *left.begin();
  }
}

// Every file below `dir` (relative, '/'-separated, UTF-8) with its size.
std::map<std::string, size_t> Tree(fs::path dir) {
#ifdef _WIN32
  dir = L"\\\\?\\" + fs::absolute(dir).wstring();  // long paths
#endif
  std::map<std::string, size_t> files;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    if (e.is_regular_file()) files[fs::path(e.path().native().substr(dir.native().size() + 1)).generic_u8string()] = e.file_size();
  return files;
}

// A tree of mixed formats with Cyrillic names (one letter outside the ANSI code page), a
// damaged file and an output path beyond 260 characters, to TGA and to PNG on two workers:
// the same folders and names, the same pixels, the failure named, existing outputs skipped
// unless --force, a read-only one never replaced.
TEST(ReaddxtCli, ConvertsFolderTreesToTgaAndPng) {
  TempDir in, top;
  const fs::path out = top.path / std::string(100, 'o');
  const std::string deep = std::string(60, 'd') + "/" + std::string(80, 'n');  // out + deep: over 260
  const std::map<std::string, Bytes> sources = {
      {"a/b/Stone.DDS", FourCC(4, 4, kFourCC_DXT5, Words(2, {0xFFFF, 0x1234, 0x5678, 0x9ABC, 0xF81F, 0x07E0, 0x1B1B, 0xE4E4})).Build()},
      {"a/broken.dds", FourCC(64, 64, kFourCC_DXT1, Bytes(100, 0)).Build()},
      {"a/notes.txt", Bytes{'x'}},
      {"a/rgb.dds", Masks(3, 2, DDPF_RGB, 24, 0xFF0000, 0xFF00, 0xFF, 0, Words(1, {1, 2, 3, 40, 50, 60, 7, 8, 9}, 2)).Build()},
      {deep + ".dds", kValidDxt1},
      {u8"камни/стена-石.dds", kValidDxt1}};
  for (const auto& [name, bytes] : sources) {
    fs::create_directories((in.path / fs::u8path(name)).parent_path());
    WriteFile(in.path / fs::u8path(name), bytes);
  }
  const auto outputs = [&](const char* ext) {
    Names names;
    for (const char* n : {"a/b/Stone", "a/rgb", u8"камни/стена-石"}) names.insert(n + std::string(ext));
    return names.insert(deep + ext), names;
  };
  const auto names = [](const std::map<std::string, size_t>& tree) {
    Names n;
    for (const auto& file : tree) n.insert(file.first);
    return n;
  };
  RunResult r = RunReaddxt(top.path, {"-r", in.path.string(), "-d", out.string(), "-j", "2"});
  EXPECT_EQ(r.exitCode, static_cast<int>(FailureKind::kCorrupt)) << r.err;
  EXPECT_NE(r.err.find("broken.dds: corrupt DDS file: data truncated"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("readdxt: 4 converted, 0 skipped, 1 failed of 5 files"), std::string::npos) << r.err;
  EXPECT_EQ(names(Tree(out)), outputs(".tga"));
  EXPECT_EQ(ParseTga(ReadFile(out / "a/rgb.tga")).At(2, 1), (std::vector<int>{7, 8, 9, 255}));

  EXPECT_EQ(RunReaddxt(top.path, {"-r", in.path.string(), "-d", out.string(), "--png"}).exitCode, 5);
  Names both = outputs(".png");
  both.merge(outputs(".tga"));
  EXPECT_EQ(names(Tree(out)), both);
#ifndef _WIN32
  std::string check = "python3 " PNG_EQUALS_TGA;
  for (const char* n : {"a/b/Stone", "a/rgb", u8"камни/стена-石"}) check += " " + (out / n).string() + ".png " + (out / n).string() + ".tga";
  EXPECT_EQ(std::system(check.c_str()), 0);
#endif

  // Again: every output is there already; with --force all but the read-only one replaced.
  fs::permissions(out / "a/rgb.tga", fs::perms::owner_read);
  WriteFile(out / "a/b/Stone.tga", Bytes{'o', 'l', 'd'});
  r = RunReaddxt(top.path, {"-r", in.path.string(), "-d", out.string()});
  EXPECT_EQ(r.exitCode, static_cast<int>(FailureKind::kIo)) << r.err;
  EXPECT_NE(r.err.find("Stone.DDS: skipped: "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("0 converted, 4 skipped, 1 failed"), std::string::npos) << r.err;
  const std::map<std::string, size_t> before = Tree(out);
  r = RunReaddxt(top.path, {"-r", in.path.string(), "-d", out.string(), "--force"});
  EXPECT_NE(r.err.find("rgb.dds: cannot create"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("3 converted, 0 skipped, 2 failed"), std::string::npos) << r.err;
  std::map<std::string, size_t> after = Tree(out);
  EXPECT_EQ(after["a/b/Stone.tga"], 18u + 4 * 4 * 4 + 26);
  after["a/b/Stone.tga"] = 3;
  EXPECT_EQ(after, before);
  fs::permissions(out / "a/rgb.tga", fs::perms::owner_write, fs::perm_options::add);
}

}  // namespace
