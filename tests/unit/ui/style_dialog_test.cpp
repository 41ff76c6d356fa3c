// The ascii style dialog: loading from the stored settings, the font check, and what
// "set ascii to selected" stores, puts into effect and posts.

#include <numeric>

#include "ui_scene.h"

namespace lantern {
namespace {

std::string join(const std::vector<std::string>& pieces) {
    return std::accumulate(pieces.begin(), pieces.end(), std::string());
}

class StyleDialogTest : public UiScene {
protected:
    // The current style is poisoned first, so that loading is seen to fill it.
    void openDialog() {
        presence.style() = CurrentStyle{"(prefix)", "(ascii)", "(first)", "(second)"};
        form("frmMain").show();
        if (desktop.form("frmAscii")) desktop.userClose(form("frmAscii"));
        choose("mnuOptsAscii");
    }

    void type(const std::string& box, const std::string& text) { desktop.type(control("frmAscii", box), text); }
    void pressSet() { desktop.click(control("frmAscii", "cmdSet")); }
    std::string preview() { return control("frmAscii", "txtAscii").fontFace(); }
};

TEST_F(StyleDialogTest, LoadingWithNothingStoredGivesTheDefaults) {
    openDialog();
    EXPECT_EQ(text("frmAscii", "cboAscii"), "Webdings");
    EXPECT_EQ(control("frmAscii", "cboAscii").items(),
              (std::vector<std::string>{"Arial", "Arial Narrow", "Tahoma", "Webdings", "Wingdings"}));
    EXPECT_EQ(text("frmAscii", "txtAscii"), "2");
    EXPECT_EQ(preview(), "Webdings");
    for (const auto& [box, colour] : {std::pair{"txtAsciiColor", "000000"}, {"txtFirstColor", "000000"},
                                      {"txtSecondColor", "000066"}}) {
        EXPECT_EQ(text("frmAscii", box), colour);
    }
    const CurrentStyle& style = presence.style();
    EXPECT_EQ(style.asciiCol + style.firstColor + style.secondColor, "000000000000000066");
    EXPECT_EQ(style.asciiPrefix, "(prefix)");  // loading never touches the prefix
    EXPECT_TRUE(desktop.registryWrites().empty());
    EXPECT_EQ(desktop.topmostCalls(form("frmAscii").handle()), 1);
}

TEST_F(StyleDialogTest, StoredFontIsPreviewedWhileTheListReadsWebdings) {
    const std::pair<const char*, const char*> cases[] = {
        {"Wingdings", "Wingdings"}, {"arial", "Webdings"}, {"Comic Sans", "Webdings"}, {"Arial", "Arial"}};
    for (const auto& [storedFont, previewed] : cases) {
        store("asciiF", storedFont);
        openDialog();
        EXPECT_EQ(preview(), previewed) << storedFont;
        EXPECT_EQ(text("frmAscii", "cboAscii"), "Webdings");
    }
    // "set" without touching the list stores the font the list reads.
    pressSet();
    EXPECT_EQ(stored("asciiF"), "Webdings");
    EXPECT_EQ(preview(), "Webdings");
}

TEST_F(StyleDialogTest, FontNotExactlyInTheListIsRefusedAndNothingChanges) {
    startProgram();
    openDialog();
    const std::size_t writesBefore = desktop.registryWrites().size();
    for (const char* typed : {"webdings", "Webdings ", "", "Courier"}) {
        type("cboAscii", typed);
        pressSet();
        ASSERT_FALSE(desktop.messageBoxes().empty());
        const sim::ShownMessageBox& box = desktop.messageBoxes().back();
        EXPECT_EQ(box.text, "You must choose a valid font from the list.");
        EXPECT_EQ(box.title, "lant\xE8rn Idl\xE8 [beta]");
        EXPECT_EQ(box.style, mb::Ok);
    }
    EXPECT_EQ(desktop.messageBoxes().size(), 4u);
    EXPECT_EQ(desktop.registryWrites().size(), writesBefore);
    EXPECT_EQ(presence.style().asciiPrefix, "(prefix)");
    EXPECT_TRUE(posted.empty());
}

TEST_F(StyleDialogTest, SetStoresTheFontOnlyPrefixAndPutsTheColouredOneIntoEffect) {
    startProgram();
    openDialog();
    type("cboAscii", "Webdings");
    type("txtAscii", "2");
    type("txtAsciiColor", "ff3300");
    type("txtFirstColor", "00aa00");
    type("txtSecondColor", "0000cc");
    pressSet();

    const std::string inEffect =
        join({"<font face=", "Webdings", "><font color=#", "ff3300", ">", "2", "<font face=Tahoma> "});
    EXPECT_EQ(stored("ascii"), join({"<font face=Webdings>", "2", "</font><font face=Tahoma> "}));
    EXPECT_EQ(presence.style().asciiPrefix, inEffect);
    for (const auto& [name, value] : {std::pair{"asciiF", "Webdings"}, {"asciiT", "2"}, {"asciiCol", "ff3300"},
                                      {"firstColor", "00aa00"}, {"secondColor", "0000cc"}}) {
        EXPECT_EQ(stored(name), value) << name;
    }
    const CurrentStyle& style = presence.style();
    EXPECT_EQ(style.asciiCol + style.firstColor + style.secondColor, "ff330000aa000000cc");
    EXPECT_EQ(posted, std::vector<std::string>{join({inEffect, "<font face=tahoma color=#", "00aa00",
                                                     "><b>m</b><font color=#", "0000cc", ">odified <font color=#",
                                                     "00aa00", "><b>a</b><font color=#", "0000cc", ">scii."})});
    EXPECT_TRUE(form("frmAscii").visible());  // it stays open
}

TEST_F(StyleDialogTest, EmptyPrefixIsStoredEmptyAndShownAsTwoNextTime) {
    startProgram();
    openDialog();
    type("cboAscii", "Arial Narrow");
    type("txtAscii", "");
    type("txtSecondColor", "990000");
    pressSet();
    EXPECT_EQ(stored("asciiT"), "");
    EXPECT_EQ(stored("ascii"), "<font face=Arial Narrow></font><font face=Tahoma> ");
    EXPECT_EQ(preview(), "Arial Narrow");

    openDialog();
    EXPECT_EQ(text("frmAscii", "txtAscii"), "2");
    EXPECT_EQ(text("frmAscii", "txtSecondColor"), "990000");
}

TEST_F(StyleDialogTest, ColourBoxWriteCreatesItHiddenAndLoadedFirst) {
    store("secondColor", "445566");
    ui.styleDialog().setFirstColorBox("123456");
    Window& dialog = form("frmAscii");
    EXPECT_FALSE(dialog.visible());
    EXPECT_EQ(text("frmAscii", "txtFirstColor"), "123456");
    EXPECT_EQ(text("frmAscii", "txtSecondColor"), "445566");

    desktop.userClose(dialog);
    ui.styleDialog().setSecondColorBox("777777");
    EXPECT_EQ(text("frmAscii", "txtSecondColor"), "777777");
    EXPECT_EQ(text("frmAscii", "txtFirstColor"), "000000");
}

}  // namespace
}  // namespace lantern
