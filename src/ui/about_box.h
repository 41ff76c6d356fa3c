#pragma once
// The about box: a message box titled with the program's title.

#include <string>

#include "platform/toolkit.h"

namespace lantern {

std::string aboutText(const std::string& appTitle);

// Modal: returns when the user has pressed OK.
void showAboutBox(Toolkit& toolkit, const std::string& appTitle);

}  // namespace lantern
