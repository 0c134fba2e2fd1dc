// The program's few file-system operations. Paths are the program's own text: on Windows
// UTF-8 (arguments come in the ANSI code page and are converted once), used through the
// wide-character calls with the \\?\ prefix beyond the 260-character limit; elsewhere the
// bytes as given.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

namespace readdxt {

std::vector<std::string> ProgramArguments(int argc, char** argv);
// A path for messages on the console (the ANSI code page on Windows).
std::string DisplayPath(const std::string& path);

FILE* OpenForReading(const std::string& path);
FILE* CreateForWriting(const std::string& path);
// Renames over `to`, replacing an older file.
bool RenameOver(const std::string& from, const std::string& to);
// Renames a file still open for writing (made by CreateForWriting) to `bareName` in its own
// folder, replacing an older file, after flushing it; false where the platform cannot, and
// for a name with a folder in it: the caller then renames by path once it is closed.
bool RenameOpenFile(FILE* file, const std::string& bareName);
void RemoveFile(const std::string& path);
// A file (not a folder) its owner marked read-only.
bool IsReadOnly(const std::string& path);
bool PathExists(const std::string& path);
// Creates the folder and any missing parents; true when it is there afterwards.
bool MakeFolders(const std::string& path);
// Every file below `root` whose name ends in ".dds" in any letter case, as paths relative
// to `root` with '/' between folders; a folder that cannot be read is named in `unreadable`.
bool ListDdsFiles(const std::string& root, std::vector<std::string>& files,
                  std::vector<std::string>& unreadable);
// `relative` ('/'-separated) below `folder`, with the platform's separator.
std::string JoinPath(const std::string& folder, const std::string& relative);
unsigned long ProcessId();
bool ErrorIsTerminal();

}  // namespace readdxt
