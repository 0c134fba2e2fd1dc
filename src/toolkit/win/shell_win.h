// The system about box.
#pragma once
#include <string>

namespace toolkit {

class Form;

void ShowAboutBox(Form& owner, const std::string& appText, const std::string& otherText);

}  // namespace toolkit
