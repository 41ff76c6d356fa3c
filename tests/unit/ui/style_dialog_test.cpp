// The ascii style dialog: its loading from the stored settings, the font check,
// what "set ascii to selected" stores, puts into effect and posts.

#include <numeric>

#include "ui/style_dialog.h"
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
        choose("mnuOptsAscii");
    }

    void closeAndReopen() {
        desktop.userClose(form("frmAscii"));
        choose("mnuOptsAscii");
    }

    void pressSet() { desktop.click(control("frmAscii", "cmdSet")); }

    // The three colour boxes show these colours, and the same are in effect.
    void expectColours(const std::string& ascii, const std::string& first, const std::string& second) {
        EXPECT_EQ(text("frmAscii", "txtAsciiColor"), ascii);
        EXPECT_EQ(text("frmAscii", "txtFirstColor"), first);
        EXPECT_EQ(text("frmAscii", "txtSecondColor"), second);
        EXPECT_EQ(presence.style().asciiCol, ascii);
        EXPECT_EQ(presence.style().firstColor, first);
        EXPECT_EQ(presence.style().secondColor, second);
    }
};

TEST_F(StyleDialogTest, LoadingWithNothingStoredGivesTheDefaults) {
    openDialog();
    Window& dialog = form("frmAscii");
    EXPECT_EQ(dialog.caption(), "modify your ascii");
    EXPECT_EQ(text("frmAscii", "cboAscii"), "Webdings");
    EXPECT_EQ(control("frmAscii", "cboAscii").items(),
              (std::vector<std::string>{"Arial", "Arial Narrow", "Tahoma", "Webdings", "Wingdings"}));
    EXPECT_EQ(text("frmAscii", "txtAscii"), "2");
    EXPECT_EQ(control("frmAscii", "txtAscii").fontFace(), "Webdings");
    expectColours("000000", "000000", "000066");
    // Loading puts colours into effect, never the prefix.
    EXPECT_EQ(presence.style().asciiPrefix, "(prefix)");
    EXPECT_TRUE(desktop.registryWrites().empty());
    EXPECT_GT(desktop.topmostCalls(dialog.handle()), 0);
}

TEST_F(StyleDialogTest, LoadingTakesStoredValues) {
    store("asciiT", "JJ");
    store("asciiCol", "00ff00");
    store("firstColor", "abcdef");
    store("secondColor", "123456");
    openDialog();
    EXPECT_EQ(text("frmAscii", "txtAscii"), "JJ");
    expectColours("00ff00", "abcdef", "123456");
}

// The stored font only sets the preview; the list always reads "Webdings".
TEST_F(StyleDialogTest, StoredFontIsPreviewedWhileTheListReadsWebdings) {
    struct Case {
        const char* stored;
        const char* preview;
    };
    const Case cases[] = {
        {"Arial", "Arial"},
        {"Wingdings", "Wingdings"},
        {"Arial Narrow", "Arial Narrow"},
        {"arial", "Webdings"},       // not one of the five: the preview keeps its font
        {"Comic Sans", "Webdings"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        store("asciiF", c.stored);
        if (desktop.form("frmAscii")) desktop.userClose(form("frmAscii"));
        openDialog();
        EXPECT_EQ(control("frmAscii", "txtAscii").fontFace(), c.preview);
        EXPECT_EQ(text("frmAscii", "cboAscii"), "Webdings");
    }
}

TEST_F(StyleDialogTest, SetWithoutTouchingTheListStoresWebdings) {
    store("asciiF", "Arial");
    startProgram();
    openDialog();
    pressSet();
    EXPECT_EQ(stored("asciiF"), "Webdings");
    EXPECT_EQ(control("frmAscii", "txtAscii").fontFace(), "Webdings");
}

TEST_F(StyleDialogTest, FontNotExactlyInTheListIsRefusedAndNothingChanges) {
    startProgram();
    openDialog();
    const CurrentStyle before = presence.style();
    const std::size_t writesBefore = desktop.registryWrites().size();
    for (const char* typed : {"webdings", "Webdings ", "", "Courier"}) {
        SCOPED_TRACE(typed);
        desktop.type(control("frmAscii", "cboAscii"), typed);
        pressSet();
        ASSERT_FALSE(desktop.messageBoxes().empty());
        const sim::ShownMessageBox& box = desktop.messageBoxes().back();
        EXPECT_EQ(box.text, "You must choose a valid font from the list.");
        EXPECT_EQ(box.title, "lant\xE8rn Idl\xE8 [beta]");
        EXPECT_EQ(box.style, mb::Ok);
    }
    EXPECT_EQ(desktop.messageBoxes().size(), 4u);
    EXPECT_EQ(desktop.registryWrites().size(), writesBefore);
    EXPECT_EQ(presence.style().asciiPrefix, before.asciiPrefix);
    EXPECT_EQ(presence.style().firstColor, before.firstColor);
    EXPECT_EQ(control("frmAscii", "txtAscii").fontFace(), "Webdings");
    EXPECT_TRUE(posted.empty());
}

TEST_F(StyleDialogTest, SetStoresTheFontOnlyPrefixAndPutsTheColouredOneIntoEffect) {
    startProgram();
    openDialog();
    desktop.type(control("frmAscii", "cboAscii"), "Webdings");
    desktop.type(control("frmAscii", "txtAscii"), "2");
    desktop.type(control("frmAscii", "txtAsciiColor"), "ff3300");
    desktop.type(control("frmAscii", "txtFirstColor"), "00aa00");
    desktop.type(control("frmAscii", "txtSecondColor"), "0000cc");
    pressSet();

    const std::string stored = join({"<font face=Webdings>", "2", "</font><font face=Tahoma> "});
    const std::string inEffect =
        join({"<font face=", "Webdings", "><font color=#", "ff3300", ">", "2", "<font face=Tahoma> "});
    EXPECT_EQ(this->stored("ascii"), stored);
    EXPECT_EQ(presence.style().asciiPrefix, inEffect);
    EXPECT_EQ(this->stored("asciiF"), "Webdings");
    EXPECT_EQ(this->stored("asciiT"), "2");
    EXPECT_EQ(this->stored("asciiCol"), "ff3300");
    EXPECT_EQ(this->stored("firstColor"), "00aa00");
    EXPECT_EQ(this->stored("secondColor"), "0000cc");
    expectColours("ff3300", "00aa00", "0000cc");

    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0], join({inEffect, "<font face=tahoma color=#", "00aa00", "><b>m</b><font color=#", "0000cc",
                               ">odified <font color=#", "00aa00", "><b>a</b><font color=#", "0000cc", ">scii."}));
    // The dialog stays open.
    EXPECT_TRUE(form("frmAscii").visible());
}

TEST_F(StyleDialogTest, SetStoresInItsOrderWithoutNulsAndPreviewsTheChosenFont) {
    startProgram();
    openDialog();
    desktop.type(control("frmAscii", "cboAscii"), "Arial Narrow");
    desktop.type(control("frmAscii", "txtAscii"), "\xBB");
    const std::size_t first = desktop.registryWrites().size();
    pressSet();

    std::vector<std::string> order;
    for (std::size_t i = first; i < desktop.registryWrites().size(); ++i) {
        const sim::RegistryWrite& write = desktop.registryWrites()[i];
        EXPECT_EQ(write.type, reg::Sz);
        EXPECT_EQ(write.data.find('\0'), std::string::npos) << write.name;
        order.push_back(write.name);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"ascii", "asciiF", "asciiCol", "firstColor", "secondColor", "asciiT"}));
    EXPECT_EQ(stored("ascii"), "<font face=Arial Narrow>\xBB</font><font face=Tahoma> ");
    EXPECT_EQ(control("frmAscii", "txtAscii").fontFace(), "Arial Narrow");
}

TEST_F(StyleDialogTest, EmptyPrefixIsStoredEmptyAndShownAsTwoNextTime) {
    startProgram();
    openDialog();
    desktop.type(control("frmAscii", "txtAscii"), "");
    desktop.type(control("frmAscii", "txtSecondColor"), "990000");
    pressSet();
    EXPECT_EQ(stored("asciiT"), "");
    EXPECT_EQ(stored("ascii"), "<font face=Webdings></font><font face=Tahoma> ");

    closeAndReopen();
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
    EXPECT_EQ(control("frmAscii", "cboAscii").items().size(), 5u);

    // Later writes go to the same dialog; after the user closed it, a new one.
    ui.styleDialog().setAsciiColorBox("00ffff");
    EXPECT_EQ(&form("frmAscii"), &dialog);
    desktop.userClose(dialog);
    ui.styleDialog().setSecondColorBox("777777");
    EXPECT_NE(&form("frmAscii"), &dialog);
    EXPECT_EQ(text("frmAscii", "txtSecondColor"), "777777");
    EXPECT_EQ(text("frmAscii", "txtAsciiColor"), "000000");
}

TEST_F(StyleDialogTest, ColourBoxesTakeSixTypedCharactersButTheSecondTakesMore) {
    openDialog();
    desktop.type(control("frmAscii", "txtAsciiColor"), "1234567");
    desktop.type(control("frmAscii", "txtFirstColor"), "abcdefgh");
    desktop.type(control("frmAscii", "txtSecondColor"), "abcdefgh");
    desktop.type(control("frmAscii", "txtAscii"), "abcdefgh");
    EXPECT_EQ(text("frmAscii", "txtAsciiColor"), "123456");
    EXPECT_EQ(text("frmAscii", "txtFirstColor"), "abcdef");
    EXPECT_EQ(text("frmAscii", "txtSecondColor"), "abcdefgh");
    EXPECT_EQ(text("frmAscii", "txtAscii"), "abcdefgh");
}

// The user closes the dialog and the idle timer writes its boxes while the
// confirmation line is still being typed: the post completes and the write goes to
// a new, loaded dialog.
TEST_F(StyleDialogTest, ClosedAndRecreatedWhileItsSetIsPosting) {
    startProgram();
    openDialog();
    Window* first = &form("frmAscii");
    onPost = [&] {
        onPost = nullptr;
        desktop.userClose(*first);
        ui.styleDialog().setFirstColorBox("0a0a0a");
    };
    pressSet();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_NE(&form("frmAscii"), first);
    EXPECT_EQ(text("frmAscii", "txtFirstColor"), "0a0a0a");
}

}  // namespace
}  // namespace lantern
