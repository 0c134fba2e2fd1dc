// Directory searches of the folder scan: the files a pattern finds in one folder, and
// the identity of a folder whatever path leads to it.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace toolkit {

// Calls `onEntry` for every entry of `folder` (ending in '\') other than "." and "..", in
// the platform's enumeration order, with its attributes and the low 32 bits of its listed
// size. `name` stands for the entry in ANSI: its long name, or its 8.3 name when only that
// converts exactly; null when neither does (the entry cannot be named). `longName` is the
// long name as near as the code page allows, for matching by name only.
void ForEachEntry(const std::string& folder,
                  const std::function<void(const char* name, const char* longName, uint32_t attributes,
                                           uint32_t size)>& onEntry);

// Two paths to the same folder (through links or junctions included) give the same
// identity: the volume's serial number and the folder's file index.
struct FolderIdentity {
  uint32_t volume = 0;
  uint64_t index = 0;
  bool operator==(const FolderIdentity& o) const { return volume == o.volume && index == o.index; }
  bool operator<(const FolderIdentity& o) const {
    return volume != o.volume ? volume < o.volume : index < o.index;
  }
};
// False when the folder cannot be opened for its attributes.
bool FolderIdentityOf(const std::string& folder, FolderIdentity& identity);

}  // namespace toolkit
