// Directory search for files and folder identities.
#include <windows.h>

#include "toolkit/win/ansi_names_win.h"
#include "toolkit/portable/file_search.h"
#include "toolkit/win/handles_win.h"

namespace toolkit {

void ForEachEntry(const std::string& folder,
                  const std::function<void(const char* name, const char* longName, uint32_t attributes,
                                           uint32_t size)>& onEntry) {
  // Listed in wide characters: the ANSI listing hands out look-alikes and '?' for names
  // the code page cannot hold, which name other files or none.
  WIN32_FIND_DATAW data;
  FindHandle find(FindFirstFileW(ToWide(folder + "*").c_str(), &data));
  if (!find) return;
  std::string held;
  do {
    const wchar_t* n = data.cFileName;
    if (n[0] == L'.' && (n[1] == L'\0' || (n[1] == L'.' && n[2] == L'\0'))) continue;
    const std::wstring longName(n);
    if (ToExactAnsi(longName, held)) {
      onEntry(held.c_str(), held.c_str(), data.dwFileAttributes, data.nFileSizeLow);
    } else {
      const bool named = HeldFileName(longName, data.cAlternateFileName, held);
      onEntry(named ? held.c_str() : nullptr, ToNearAnsi(longName).c_str(), data.dwFileAttributes,
              data.nFileSizeLow);
    }
  } while (FindNextFileW(find.Get(), &data));
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
