// Whole-file copy through a temporary file renamed over the target.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <new>

#include "toolkit/portable/file_copy.h"
#include "toolkit/win/handles_win.h"
#include "toolkit/portable/path_helpers.h"

namespace toolkit {

namespace {

// One buffer for the whole file: a 32-bit process cannot hold more than this anyway,
// and ReadFile and WriteFile take 32-bit counts.
constexpr uint64_t kMaxCopySize = 0x7FFFFFFF;

// Deletes the temporary file unless the copy got as far as renaming it.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
  ~TemporaryFile() {
    if (!path_.empty()) DeleteFileA(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const std::string& Path() const { return path_; }
  void Keep() { path_.clear(); }

 private:
  std::string path_;
};

bool ReadWhole(const std::string& source, std::unique_ptr<char[]>& bytes, DWORD& size) {
  FileHandle in(CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!in) return false;
  LARGE_INTEGER length;
  if (!GetFileSizeEx(in.Get(), &length) || length.QuadPart < 0 ||
      static_cast<uint64_t>(length.QuadPart) > kMaxCopySize) {
    return false;
  }
  size = static_cast<DWORD>(length.QuadPart);
  bytes.reset(new (std::nothrow) char[size > 0 ? size : 1]);
  if (!bytes) return false;
  DWORD read = 0;
  // A file that shrank or grew while being read would give a copy that is neither the
  // old nor the new content.
  return ReadFile(in.Get(), bytes.get(), size, &read, nullptr) && read == size;
}

// A new empty file "~tlk<process>-<n>.tmp" in the target's folder; an empty path when
// none can be made, for instance because the folder and name pass the path limit.
TemporaryFile CreateTemporaryBeside(const std::string& target) {
  const std::string folder = ExtractFilePath(target);
  static unsigned counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path =
        folder + "~tlk" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter) + ".tmp";
    if (path.size() >= MAX_PATH) break;
    FileHandle made(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (made) return TemporaryFile(path);
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return TemporaryFile(std::string());
}

}  // namespace

bool CopyThroughTemporary(const std::string& source, const std::string& target) {
  // A read-only target is the user's own "do not replace"; renaming over it would get
  // past that on some systems.
  const DWORD targetAttributes = GetFileAttributesA(target.c_str());
  if (targetAttributes != INVALID_FILE_ATTRIBUTES && (targetAttributes & FILE_ATTRIBUTE_READONLY))
    return false;
  std::unique_ptr<char[]> bytes;
  DWORD size = 0;
  if (!ReadWhole(source, bytes, size)) return false;

  // A new file under a name nobody uses (CREATE_NEW), so no file of the user's is ever
  // written over but the target itself. The name is made here: the platform's own maker
  // writes past its buffer for folders near the path limit.
  TemporaryFile temp = CreateTemporaryBeside(target);
  if (temp.Path().empty()) return false;
  {
    FileHandle out(CreateFileA(temp.Path().c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) return false;
    DWORD written = 0;
    if (size > 0 && (!WriteFile(out.Get(), bytes.get(), size, &written, nullptr) || written != size)) {
      return false;
    }
  }  // closed before the rename
  if (!MoveFileExA(temp.Path().c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) return false;
  temp.Keep();
  return true;
}

}  // namespace toolkit
