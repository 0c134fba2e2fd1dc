// Directory search for files and folder identities.
#include <windows.h>

#include "toolkit/file_search.h"
#include "toolkit/handles_win.h"

namespace toolkit {

void ForEachEntry(const std::string& folder,
                  const std::function<void(const char* name, uint32_t attributes, uint32_t size)>& onEntry) {
  WIN32_FIND_DATAA data;
  FindHandle find(FindFirstFileA((folder + "*").c_str(), &data));
  if (!find) return;
  do {
    const char* n = data.cFileName;
    if (n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0'))) continue;
    onEntry(n, data.dwFileAttributes, data.nFileSizeLow);
  } while (FindNextFileA(find.Get(), &data));
}

bool FolderIdentityOf(const std::string& folder, FolderIdentity& identity) {
  // Opening follows links and junctions to the folder they lead to; only a folder's
  // attributes are asked for, so a folder that cannot be listed still has an identity.
  FileHandle file(CreateFileA(folder.c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) return false;
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(file.Get(), &info)) return false;
  identity.volume = info.dwVolumeSerialNumber;
  identity.index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  return true;
}

}  // namespace toolkit
