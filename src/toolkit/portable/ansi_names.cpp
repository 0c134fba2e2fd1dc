#include "toolkit/portable/ansi_names.h"

namespace toolkit {

bool HeldAnsiName(const std::wstring& name, const std::function<std::wstring()>& shortForm,
                  const ExactAnsi& toAnsi, std::string& held) {
  if (toAnsi(name, held)) return true;
  const std::wstring alternate = shortForm();
  if (!alternate.empty() && toAnsi(alternate, held)) return true;
  held.clear();
  return false;
}

}  // namespace toolkit
