// Names the platform hands out in wide characters, as ANSI texts that stand for their
// file: the program works on ANSI paths, and a name converted with look-alikes ('Ø' as
// 'O') or with '?' for what the code page lacks names another file, or none.
#pragma once
#include <functional>
#include <string>

namespace toolkit {

// Converts a wide text to the ANSI code page: true only when every character maps to
// itself (no best-fit look-alike, no default character).
using ExactAnsi = std::function<bool(const std::wstring& wide, std::string& ansi)>;

// The ANSI text that stands for one file or folder: its own name (or path) when that
// converts exactly, else its short 8.3 form (asked for only then; empty when there is
// none) when that does. False when neither does: the item is left out.
bool HeldAnsiName(const std::wstring& name, const std::function<std::wstring()>& shortForm,
                  const ExactAnsi& toAnsi, std::string& held);

}  // namespace toolkit
