// Wide names from the platform as ANSI texts that stand for their file (the rule is
// HeldAnsiName in ansi_names.h).
#pragma once
#include <string>

namespace toolkit {

// An ANSI text in wide characters (exact: every ANSI character has its own).
std::wstring ToWide(const std::string& ansi);
// True with `ansi` when every character maps to itself in the ANSI code page.
bool ToExactAnsi(const std::wstring& wide, std::string& ansi);
// As near as the code page allows ('?' for what it lacks): for matching by name only,
// never as a path.
std::string ToNearAnsi(const std::wstring& wide);
// A listed name, or its listed 8.3 name (empty when it has none).
bool HeldFileName(const std::wstring& name, const std::wstring& shortName, std::string& held);
// A full path, or the short form the platform gives for it.
bool HeldPath(const std::wstring& path, std::string& held);

}  // namespace toolkit
