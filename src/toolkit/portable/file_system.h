// File-system queries and small file operations on ANSI paths.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace toolkit {

bool FileExists(const std::string& path);       // exists and is not a folder
bool DirectoryExists(const std::string& path);  // exists and is a folder
// Low 32 bits of the size in the path's own directory entry (the file is not opened); 0
// when it cannot be read.
uint32_t FileSizeOf(const std::string& path);
// The folder of the program's own executable, with its trailing backslash.
const std::string& ProgramFolder();
// Tests run the program's code from another folder than their own executable's.
void OverrideProgramFolder(const std::string& folder);
bool DeleteFileAt(const std::string& path);
// Wildcard match after lower-casing both texts in the system's ANSI code page.
bool MatchesMask(const std::string& name, const std::string& mask);

// Size and last write time of a file, for telling whether something rewrote it.
struct FileStampInfo {
  bool exists = false;
  uint64_t size = 0;
  uint64_t writeTime = 0;
};
FileStampInfo StampOf(const std::string& path);

// The text upper-cased as the file system compares names: in the system's ANSI code page,
// Cyrillic letters too. Two names with the same result name one file.
std::string FileSystemUpperCase(const std::string& text);

// True when both paths name one existing file, however they are spelt.
bool SameFile(const std::string& a, const std::string& b);

// A folder of this process's own under the user's temporary folder (ScratchFolderName), made
// on first use and removed with the files left in it when the object ends.
class ScratchFolder {
 public:
  ScratchFolder() = default;
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  // The folder with its trailing backslash; empty when it cannot be made.
  const std::string& Path();

 private:
  std::string path_;
  bool tried_ = false;
};

// Removes the working folders of earlier processes that no longer run (killed, so their
// folders stayed): only those named as ScratchFolder names them and whose process is gone,
// with the files in them; a folder with a subfolder, or a link, stays.
void RemoveAbandonedScratchFolders();

constexpr uint32_t kAttrDirectory = 0x10;
constexpr uint32_t kAttrNormal = 0x80;
constexpr uint32_t kAttrReparsePoint = 0x400;

struct DirectoryEntry {
  std::string name;
  uint32_t attributes = 0;
  uint64_t size = 0;
};

// The entries of one folder whose attributes carry all `requiredAttributes` (kAttrNormal
// lets every entry through), other than "." and "..", whose names match `pattern`
// ("*.*" means every name), in the platform's enumeration order.
std::vector<DirectoryEntry> ListDirectory(const std::string& folder, const std::string& pattern,
                                          uint32_t requiredAttributes);

using StringList = std::vector<std::string>;

}  // namespace toolkit
