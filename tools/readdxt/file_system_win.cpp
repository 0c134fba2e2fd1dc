// Windows: UTF-8 paths through the wide-character calls. Paths of 248 characters and more
// (folders stop there, files at 260) go as full \\?\ paths, which have no such limit. The
// temporary output is created, renamed and removed through the same calls: the narrow
// ones refuse long paths in some places only, which would leave a temporary file behind.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>

#include "readdxt/file_system.h"

namespace readdxt {
namespace {

std::wstring Convert(const std::string& text, UINT codePage) {
  const int n = MultiByteToWideChar(codePage, 0, text.c_str(), -1, nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.c_str(), -1, &out[0], n);
  out.resize(static_cast<size_t>(n - 1));
  return out;
}

std::string Narrow(const std::wstring& text, UINT codePage) {
  const int n = WideCharToMultiByte(codePage, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, text.c_str(), -1, &out[0], n, nullptr, nullptr);
  out.resize(static_cast<size_t>(n - 1));
  return out;
}

std::wstring Wide(const std::string& path) {
  std::wstring wide = Convert(path, CP_UTF8);
  if (wide.size() < MAX_PATH - 12 || wide.compare(0, 4, L"\\\\?\\") == 0) return wide;
  const DWORD n = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (n == 0) return wide;
  std::wstring full(n, L'\0');
  const DWORD got = GetFullPathNameW(wide.c_str(), n, &full[0], nullptr);
  full.resize(got < n ? got : 0);
  if (full.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

DWORD Attributes(const std::string& path) { return GetFileAttributesW(Wide(path).c_str()); }

bool IsDdsName(const std::wstring& name) {
  if (name.size() < 4) return false;
  std::wstring tail = name.substr(name.size() - 4);
  for (wchar_t& c : tail) c = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c;
  return tail == L".dds";
}

void ListFolder(const std::string& root, const std::string& relative, std::vector<std::string>& files,
                std::vector<std::string>& unreadable) {
  const std::string folder = relative.empty() ? root : root + "\\" + relative;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Wide(folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) {
    unreadable.push_back(DisplayPath(folder));
    return;
  }
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::string inner = (relative.empty() ? "" : relative + "/") + Narrow(name, CP_UTF8);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        ListFolder(root, inner, files, unreadable);
    } else if (IsDdsName(name)) {
      files.push_back(inner);
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(Narrow(Convert(argv[i], CP_ACP), CP_UTF8));
  return args;
}

std::string DisplayPath(const std::string& path) { return Narrow(Convert(path, CP_UTF8), CP_ACP); }

FILE* OpenForReading(const std::string& path) { return _wfopen(Wide(path).c_str(), L"rb"); }

// Opened with the right to delete, so that the finished file is renamed through its own
// handle: under Wine every call that names a file is a round trip to the server (open, query,
// rename, close), and a rename by handle is one.
FILE* CreateForWriting(const std::string& path) {
  HANDLE handle = CreateFileW(Wide(path).c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY);
  FILE* file = fd < 0 ? nullptr : _fdopen(fd, "wb");
  if (!file) fd < 0 ? static_cast<void>(CloseHandle(handle)) : static_cast<void>(_close(fd));
  return file;
}

namespace {

// FILE_RENAME_INFO and SetFileInformationByHandle, which the system headers hide below Vista;
// looked up so that the program still starts where the call is missing.
struct RenameInfo {
  DWORD replaceIfExists;  // a BOOLEAN padded to the alignment of the handle after it
  HANDLE rootDirectory;
  DWORD fileNameLength;  // bytes
  WCHAR fileName[MAX_PATH];
};
constexpr int kFileRenameInfo = 3;
using SetInfoByHandle = BOOL(WINAPI*)(HANDLE, int, void*, DWORD);

}  // namespace

// Only a bare file name (the usual test.tga in the working folder): the system takes it as
// a name in the file's own folder, Wine as one in the working folder, which is the same here.
bool RenameOpenFile(FILE* file, const std::string& bareName) {
  static const auto setInfo = reinterpret_cast<SetInfoByHandle>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetFileInformationByHandle")));
  const std::wstring name = Convert(bareName, CP_UTF8);
  if (!setInfo || name.empty() || name.size() >= MAX_PATH ||
      name.find_first_of(L"\\/:") != std::wstring::npos || std::fflush(file) != 0)
    return false;
  RenameInfo info = {};
  info.replaceIfExists = TRUE;
  info.fileNameLength = static_cast<DWORD>(name.size() * sizeof(WCHAR));
  name.copy(info.fileName, name.size());
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  return setInfo(handle, kFileRenameInfo, &info, sizeof info) != 0;
}

bool RenameOver(const std::string& from, const std::string& to) {
  return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

void RemoveFile(const std::string& path) { DeleteFileW(Wide(path).c_str()); }

bool IsReadOnly(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
         !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool PathExists(const std::string& path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

// Every prefix in turn; those that exist (or are a drive or server) simply fail.
bool MakeFolders(const std::string& path) {
  for (size_t at = path.find_first_of("/\\", 1); at != std::string::npos;
       at = path.find_first_of("/\\", at + 1))
    CreateDirectoryW(Wide(path.substr(0, at)).c_str(), nullptr);
  CreateDirectoryW(Wide(path).c_str(), nullptr);
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ListDdsFiles(const std::string& root, std::vector<std::string>& files,
                  std::vector<std::string>& unreadable) {
  const DWORD attributes = Attributes(root);
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  std::string base = root;
  while (base.size() > 1 && (base.back() == '\\' || base.back() == '/') && base[base.size() - 2] != ':')
    base.pop_back();
  ListFolder(base, "", files, unreadable);
  return true;
}

std::string JoinPath(const std::string& folder, const std::string& relative) {
  const bool separated = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
  std::string path = folder + (separated ? "" : "\\") + relative;
  std::replace(path.begin() + static_cast<long>(folder.size()), path.end(), '/', '\\');
  return path;
}

unsigned long ProcessId() { return GetCurrentProcessId(); }

bool ErrorIsTerminal() { return _isatty(2) != 0; }

}  // namespace readdxt
