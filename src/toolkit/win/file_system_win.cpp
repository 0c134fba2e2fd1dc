// File-system queries on ANSI paths.
#include <windows.h>

#include "toolkit/portable/file_system.h"
#include "toolkit/win/handles_win.h"
#include "toolkit/portable/path_helpers.h"

namespace toolkit {

namespace {
std::string& ProgramFolderStorage() {
  static std::string folder;
  return folder;
}

// The user's temporary folder with its trailing backslash; empty when there is none.
std::string TemporaryFolder() {
  char temp[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathA(sizeof temp, temp);
  return n == 0 || n >= sizeof temp ? std::string() : WithTrailingBackslash(temp);
}

// Deletes the folder's files, then the folder, trying that `attempts` times.
void RemoveFolderAndFiles(const std::string& folder, int attempts) {
  for (const DirectoryEntry& entry : ListDirectory(folder, "*.*", kAttrNormal)) {
    if (!(entry.attributes & kAttrDirectory)) DeleteFileA((folder + entry.name).c_str());
  }
  for (int attempt = 1; !RemoveDirectoryA(folder.c_str()) && attempt < attempts; ++attempt) Sleep(25);
}

// A process this one may not open runs all the same.
bool ProcessRuns(uint32_t processId) {
  KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
  return WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
}
}  // namespace

bool FileExists(const std::string& path) {
  DWORD attr = GetFileAttributesA(path.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  DWORD attr = GetFileAttributesA(path.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

uint32_t FileSizeOf(const std::string& path) {
  // One attribute query: the size the directory lists, without searching the folder (a
  // search reads the whole folder under Wine, and takes '?' in a name as a wildcard).
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return data.nFileSizeLow;
}

const std::string& ProgramFolder() {
  std::string& folder = ProgramFolderStorage();
  if (folder.empty()) {
    char buffer[512] = {};
    DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    folder = ExtractFilePath(std::string(buffer, n < sizeof buffer ? n : sizeof buffer - 1));
  }
  return folder;
}

void OverrideProgramFolder(const std::string& folder) {
  ProgramFolderStorage() = WithTrailingBackslash(folder);
}

bool DeleteFileAt(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool MatchesMask(const std::string& name, const std::string& mask) {
  std::string n = name, m = mask;
  if (!n.empty()) CharLowerBuffA(&n[0], static_cast<DWORD>(n.size()));
  if (!m.empty()) CharLowerBuffA(&m[0], static_cast<DWORD>(m.size()));
  return MatchesLoweredMask(n, m);
}

std::string FileSystemUpperCase(const std::string& text) {
  std::string upper = text;
  if (!upper.empty()) CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
  return upper;
}

bool SameFile(const std::string& a, const std::string& b) {
  const auto identity = [](const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    FileHandle file(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr));
    return file && GetFileInformationByHandle(file.Get(), &info);
  };
  BY_HANDLE_FILE_INFORMATION x, y;
  if (!identity(a, x) || !identity(b, y)) return false;
  return x.dwVolumeSerialNumber == y.dwVolumeSerialNumber && x.nFileIndexHigh == y.nFileIndexHigh &&
         x.nFileIndexLow == y.nFileIndexLow;
}

const std::string& ScratchFolder::Path() {
  if (tried_) return path_;
  tried_ = true;
  const std::string temp = TemporaryFolder();
  if (temp.empty()) return path_;
  // A folder left by an earlier process of the same number is not ours to reuse.
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string folder = temp + ScratchFolderName(GetCurrentProcessId(), attempt);
    if (CreateDirectoryA(folder.c_str(), nullptr)) {
      path_ = folder + '\\';
      break;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  return path_;
}

ScratchFolder::~ScratchFolder() {
  if (path_.empty()) return;
  // Starting a program there may leave it the process's current folder, which cannot be
  // removed while it is.
  char current[MAX_PATH + 1] = {};
  const DWORD n = GetCurrentDirectoryA(sizeof current, current);
  if (n > 0 && n < sizeof current && WithTrailingBackslash(current).compare(0, path_.size(), path_) == 0)
    SetCurrentDirectoryA(ProgramFolder().c_str());
  // A converter that has just ended may still hold it as its current folder for a moment.
  RemoveFolderAndFiles(path_, 20);
}

void RemoveAbandonedScratchFolders() {
  const std::string temp = TemporaryFolder();
  for (const DirectoryEntry& entry : ListDirectory(temp, "texlook-*", kAttrDirectory)) {
    uint32_t processId = 0;
    // A link may lead to anyone's folder: its files are not looked at.
    if ((entry.attributes & kAttrReparsePoint) || !ScratchFolderProcess(entry.name, processId) ||
        ProcessRuns(processId))
      continue;
    RemoveFolderAndFiles(temp + entry.name + '\\', 1);
  }
}

FileStampInfo StampOf(const std::string& path) {
  FileStampInfo info;
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return info;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return info;
  info.exists = true;
  info.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  info.writeTime =
      (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
  return info;
}

std::vector<DirectoryEntry> ListDirectory(const std::string& folder, const std::string& pattern,
                                          uint32_t requiredAttributes) {
  std::vector<DirectoryEntry> entries;
  if (folder.empty()) return entries;
  const std::string base = WithTrailingBackslash(folder);
  const std::string namePattern = pattern == "*.*" ? "*" : pattern;
  const std::string searchPattern = pattern.empty() ? "*.*" : pattern;
  WIN32_FIND_DATAA data;
  FindHandle find(FindFirstFileA((base + searchPattern).c_str(), &data));
  if (!find) return entries;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    const bool attributesOk = (requiredAttributes & FILE_ATTRIBUTE_NORMAL) ||
                              (data.dwFileAttributes & requiredAttributes) == requiredAttributes;
    if (!attributesOk || !MatchesMask(name, namePattern)) continue;
    DirectoryEntry e;
    e.name = name;
    e.attributes = data.dwFileAttributes;
    e.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    entries.push_back(std::move(e));
  } while (FindNextFileA(find.Get(), &data));
  return entries;
}

}  // namespace toolkit
