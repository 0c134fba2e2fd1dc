// File and path helpers on ANSI byte strings (paths use '\'; a ':' also separates
// where noted). Pure functions of their arguments.
#pragma once
#include <cstdint>
#include <string>

namespace toolkit {

// Text after the last '\' or ':'; the whole text if it has neither.
std::string ExtractFileName(const std::string& path);
// Text up to and including the last '\' or ':'; empty if it has neither.
std::string ExtractFilePath(const std::string& path);
// Text from the last '.' to the end; empty without a '.'. Only the dot counts, so a dot
// in a folder name yields a text with a backslash in it.
std::string ExtractFileExt(const std::string& path);
// ExtractFileName without its ExtractFileExt.
std::string FileNameWithoutExt(const std::string& path);
std::string WithTrailingBackslash(const std::string& text);
std::string WithoutTrailingBackslash(const std::string& text);
// Only 'a'..'z' change; Cyrillic and other bytes stay.
std::string AsciiUpperCase(const std::string& text);
std::string IntToDecimal(int32_t n);
// Wildcard match ('*' any run, '?' one character) of texts already lower-cased by the caller.
bool MatchesLoweredMask(const std::string& name, const std::string& mask);
// The name of a process's own working folder in the temporary folder: "texlook-<pid>", with
// "-<attempt>" after it for attempts 1 to 99 (when a folder of the first name was left).
std::string ScratchFolderName(uint32_t processId, int attempt);
// The process a folder of that pattern, spelt exactly so, belongs to; false for any other name.
bool ScratchFolderProcess(const std::string& name, uint32_t& processId);

}  // namespace toolkit
