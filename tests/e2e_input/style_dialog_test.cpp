// The style dialog filled in with the real mouse and keyboard.

#include "e2e_input/expected_menu_lines.h"
#include "e2e_input/real_input.h"

namespace lantern::e2e {
namespace {

// Places of the dialog's controls, in twips of its client area (a point inside each).
struct Place {
    double left, top;
};
constexpr Place kFontList{600, 150};
constexpr Place kPrefixBox{3000, 150};
constexpr Place kAsciiColourBox{1600, 500};
constexpr Place kFirstColourBox{1600, 860};
constexpr Place kSecondColourBox{1600, 1220};
constexpr Place kSetButton{1900, 1620};

class StyleDialog : public RealInput {
protected:
    // Shows the bar and opens the dialog from its menu; finds the font list.
    void openDialog() {
        ASSERT_NO_FATAL_FAILURE(startWithBarShown());
        ASSERT_NO_FATAL_FAILURE(chooseFromMenu({"m"}));
        dialog_ = waitForShown(kFormClass, "modify your ascii");
        ASSERT_NE(dialog_, nullptr) << "Modify Ascii showed no style dialog";
        fontList_ = control(kFontList, "ComboBox");
        ASSERT_NE(fontList_, nullptr);
    }

    // The dialog's control under `place`, which must be of that class.
    HWND control(Place place, const char* className) {
        HWND found = childAt(dialog_, place.left, place.top);
        char name[64] = {};
        if (found) GetClassNameA(found, name, sizeof name);
        EXPECT_EQ(lstrcmpiA(name, className), 0)
            << "expected a " << className << " at " << place.left << "," << place.top << " twips, found '" << name
            << "'";
        return found;
    }

    // Opens the font list with its arrow and clicks the entry in that row.
    void pickFont(int row) {
        const ScreenRect list = rectOf(fontList_);
        click({list.right - 8, list.top + 10});
        HWND dropDown = waitForShown("ComboLBox", nullptr);
        ASSERT_NE(dropDown, nullptr) << "the font list did not drop down";
        DWORD_PTR itemHeight = 0;
        SendMessageTimeoutA(dropDown, LB_GETITEMHEIGHT, 0, 0, SMTO_NORMAL, 5000, &itemHeight);
        ASSERT_GT(itemHeight, 0u);
        click(offset(rectOf(dropDown), 20, static_cast<long>(itemHeight) * row + static_cast<long>(itemHeight) / 2 + 1));
        EXPECT_TRUE(waitForGone(dropDown, 5));
    }

    HWND dialog_ = nullptr;    // not owned: the add-on's style dialog
    HWND fontList_ = nullptr;  // not owned: its font list
};

TEST_F(StyleDialog, SetStoresTheSixSettingsAndPostsTheConfirmation) {
    ASSERT_NO_FATAL_FAILURE(openDialog());
    EXPECT_EQ(controlText(fontList_), "Webdings");

    ASSERT_NO_FATAL_FAILURE(pickFont(0));
    ASSERT_TRUE(waitUntil([&] { return controlText(fontList_) == "Arial"; }, 5))
        << "the font list reads " << controlText(fontList_) << " after picking its first entry";
    ASSERT_NO_FATAL_FAILURE(replaceText(control(kPrefixBox, "Edit"), "xo"));
    // The ascii colour box takes six characters at most; the two extra are lost.
    ASSERT_NO_FATAL_FAILURE(replaceText(control(kAsciiColourBox, "Edit"), "ff3300zz"));
    ASSERT_NO_FATAL_FAILURE(replaceText(control(kFirstColourBox, "Edit"), "00aa00"));
    ASSERT_NO_FATAL_FAILURE(replaceText(control(kSecondColourBox, "Edit"), "3333cc"));
    click(centreOf(control(kSetButton, "Button")));

    ASSERT_TRUE(log().waitForPosts(2, 15)) << "set posted nothing";
    const Colours chosen{"ff3300", "00aa00", "3333cc"};
    const std::string expected = asciiConfirmation(colouredPrefix("Arial", "ff3300", "xo"), chosen);
    EXPECT_EQ(log().posted().back(), expected) << "expected " << printable(expected);
    const std::pair<const char*, std::string> stored[] = {
        {"ascii", storedPrefix("Arial", "xo")}, {"asciiF", "Arial"},        {"asciiT", "xo"},
        {"asciiCol", "ff3300"},                 {"firstColor", "00aa00"},   {"secondColor", "3333cc"},
    };
    for (const auto& [name, value] : stored) {
        EXPECT_EQ(readStoredSetting(name), std::optional<std::string>(value)) << "setting " << name;
    }
    EXPECT_TRUE(IsWindowVisible(dialog_)) << "the dialog closed after set";
}

TEST_F(StyleDialog, AFontTypedInADifferentCaseIsRefusedWithAMessageAndNothingStored) {
    ASSERT_NO_FATAL_FAILURE(openDialog());
    ASSERT_NO_FATAL_FAILURE(replaceText(fontList_, "webdings"));
    ASSERT_EQ(controlText(fontList_), "webdings");
    click(centreOf(control(kSetButton, "Button")));

    HWND box = waitForShown(kDialogClass, kAppTitle.c_str());
    ASSERT_NE(box, nullptr) << "no message box came up";
    EXPECT_EQ(controlText(GetDlgItem(box, kMessageTextId)), "You must choose a valid font from the list.");
    click(centreOf(GetDlgItem(box, IDOK)));
    EXPECT_TRUE(waitForGone(box)) << "OK did not close the message box";

    for (const char* name : {"ascii", "asciiF", "asciiT", "asciiCol", "firstColor", "secondColor"}) {
        EXPECT_FALSE(readStoredSetting(name)) << "setting " << name << " was stored";
    }
    EXPECT_EQ(log().posted().size(), 1u) << "a line was posted for a refused font";
}

}  // namespace
}  // namespace lantern::e2e
