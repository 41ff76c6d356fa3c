#pragma once
// The ascii style dialog (frmAscii): the user picks the prefix text, its font and
// colour and the two line colours; "set ascii to selected" stores them, puts them
// into effect and announces the change in the chat room. It exists, hidden, from
// the first write of one of its colour boxes; closing it destroys it, and the next
// use creates and loads it afresh.

#include <array>
#include <string>

#include "idle/presence.h"
#include "idle/views.h"
#include "ui/form_slot.h"

namespace lantern {

// The fonts the prefix may use, in the list's order.
inline constexpr std::array<const char*, 5> kPrefixFonts = {"Arial", "Arial Narrow", "Tahoma", "Webdings", "Wingdings"};
inline constexpr const char* kInvalidFontMessage = "You must choose a valid font from the list.";

class StyleDialog : public StyleDialogView, public ReopenableWindow {
public:
    StyleDialog(Platform& platform, Client& client, Presence& presence);

    // StyleDialogView: each creates the dialog, hidden, if it does not exist.
    void setAsciiColorBox(const std::string& text) override;
    void setFirstColorBox(const std::string& text) override;
    void setSecondColorBox(const std::string& text) override;

private:
    // The controls of the live window, owned by it.
    struct Controls {
        Control* fontList = nullptr;  // cboAscii
        Control* prefixBox = nullptr;  // txtAscii
        Control* asciiColorBox = nullptr;  // txtAsciiColor
        Control* firstColorBox = nullptr;  // txtFirstColor
        Control* secondColorBox = nullptr;  // txtSecondColor
    };

    // The live dialog's controls, creating and loading the dialog first if needed.
    Controls& ensureLoaded();
    void createAndLoad() override;
    void create();
    void load();
    void setToSelected();
    std::string setting(const char* name);
    void store(const char* name, const std::string& text);

    Platform& platform_;  // not owned
    Client& client_;  // not owned
    Presence& presence_;  // not owned
    Controls controls_;
};

}  // namespace lantern
