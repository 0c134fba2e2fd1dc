// POSIX and <filesystem>: paths are bytes, passed on as they are.
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>

#include "readdxt/file_system.h"

namespace readdxt {

namespace fs = std::filesystem;

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::string DisplayPath(const std::string& path) { return path; }

FILE* OpenForReading(const std::string& path) { return std::fopen(path.c_str(), "rb"); }

FILE* CreateForWriting(const std::string& path) { return std::fopen(path.c_str(), "wb"); }

bool RenameOver(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool RenameOpenFile(FILE*, const std::string&) { return false; }

void RemoveFile(const std::string& path) { std::remove(path.c_str()); }

// By its permission bits, not access(): a privileged user may write anything.
bool IsReadOnly(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && !(st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH));
}

bool PathExists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

bool MakeFolders(const std::string& path) {
  std::error_code ec;
  fs::create_directories(path, ec);
  return fs::is_directory(path, ec);
}

namespace {

bool IsDdsName(std::string name) {
  if (name.size() < 4) return false;
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name.compare(name.size() - 4, 4, ".dds") == 0;
}

void ListFolder(const fs::path& root, const std::string& relative, std::vector<std::string>& files,
                std::vector<std::string>& unreadable) {
  std::error_code ec;
  const fs::path folder = relative.empty() ? root : root / relative;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    const std::string inner = relative.empty() ? name : relative + "/" + name;
    std::error_code kind;
    if (it->is_directory(kind) && !it->is_symlink(kind)) {
      ListFolder(root, inner, files, unreadable);
    } else if (it->is_regular_file(kind) && IsDdsName(name)) {
      files.push_back(inner);
    }
  }
  if (ec) unreadable.push_back(folder.string());
}

}  // namespace

bool ListDdsFiles(const std::string& root, std::vector<std::string>& files,
                  std::vector<std::string>& unreadable) {
  std::error_code ec;
  if (!fs::is_directory(root, ec)) return false;
  ListFolder(root, "", files, unreadable);
  return true;
}

std::string JoinPath(const std::string& folder, const std::string& relative) {
  return folder + (!folder.empty() && folder.back() == '/' ? "" : "/") + relative;
}

unsigned long ProcessId() { return static_cast<unsigned long>(getpid()); }

bool ErrorIsTerminal() { return isatty(2) != 0; }

}  // namespace readdxt
