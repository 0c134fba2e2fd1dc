// Conversions of wide names over WideCharToMultiByte and GetShortPathNameW.
#include "toolkit/win/ansi_names_win.h"

#include <windows.h>

#include <vector>

#include "toolkit/portable/ansi_names.h"

namespace toolkit {

namespace {

std::string Convert(const std::wstring& wide, BOOL* usedDefault) {
  // An ANSI code page takes at most two bytes for a character: one call, no sizing.
  std::string ansi(wide.size() * 2, '\0');
  if (wide.empty()) return ansi;
  // Best-fit mapping is what turns 'Ø' into 'O': refused, the default character comes
  // instead and is reported.
  const int size =
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), &ansi[0],
                          static_cast<int>(ansi.size()), nullptr, usedDefault);
  ansi.resize(size > 0 ? static_cast<size_t>(size) : 0);
  return ansi;
}

}  // namespace

std::wstring ToWide(const std::string& ansi) {
  // An ANSI character never takes more than one wide character.
  std::wstring wide(ansi.size(), L'\0');
  if (ansi.empty()) return wide;
  const int size = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &wide[0],
                                       static_cast<int>(wide.size()));
  wide.resize(size > 0 ? static_cast<size_t>(size) : 0);
  return wide;
}

bool ToExactAnsi(const std::wstring& wide, std::string& ansi) {
  BOOL usedDefault = FALSE;
  ansi = Convert(wide, &usedDefault);
  return !usedDefault && (wide.empty() || !ansi.empty());
}

std::string ToNearAnsi(const std::wstring& wide) { return Convert(wide, nullptr); }

bool HeldFileName(const std::wstring& name, const std::wstring& shortName, std::string& held) {
  return HeldAnsiName(
      name, [&] { return shortName; }, ToExactAnsi, held);
}

bool HeldPath(const std::wstring& path, std::string& held) {
  const auto shortPath = [&]() -> std::wstring {
    const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0) return std::wstring();
    std::vector<wchar_t> buffer(size + 1, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), buffer.data(), size + 1);
    if (length == 0 || length > size) return std::wstring();
    return std::wstring(buffer.data(), length);
  };
  // A component without a short name stays long in the short form, so it converts only
  // when every component is held.
  return HeldAnsiName(path, shortPath, ToExactAnsi, held);
}

}  // namespace toolkit
