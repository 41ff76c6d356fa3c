#include "ui/about_box.h"

namespace lantern {

std::string aboutText(const std::string& appTitle) {
    const std::string lineBreak = "\r\n";
    return appTitle + lineBreak + lineBreak + "By: vx9" + lineBreak + lineBreak + "Made for lanterns by lanterns. =x";
}

void showAboutBox(Toolkit& toolkit, const std::string& appTitle) {
    toolkit.messageBox(aboutText(appTitle), appTitle, mb::Ok);
}

}  // namespace lantern
