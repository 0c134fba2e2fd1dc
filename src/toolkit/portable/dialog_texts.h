// Texts that the open dialog hands to the platform and gets back from it. Pure
// functions; the Windows side passes the results straight on.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace toolkit {

// "description|pattern|..." as the platform wants it: every '|' after the first character
// becomes NUL and two NULs end the text (both are part of the returned string). An empty
// filter gives an empty string: the caller passes NULL for it.
std::string FilterToPlatform(const std::string& filter);

// The name buffer of a confirmed multi-select dialog ("folder\0name\0name\0\0") as its
// parts; a single chosen path comes back as the only part. Reads at most `size` characters.
std::vector<std::wstring> MultiSelectBufferToList(const wchar_t* buffer, size_t size);

}  // namespace toolkit
