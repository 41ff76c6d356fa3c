// Keys pressed in a message box or the input box while a chat line's pause runs
// inside the box's modal loop: the pause's pump must hand them to the box as a
// dialog, or Enter, Escape and Tab do nothing there.

#include "platform/sim/desktop.h"
#include "ui_scene.h"

namespace lantern {
namespace {

struct KeysCase {
    const char* name;
    const char* item;  // the menu item that opens the box
    std::vector<sim::DialogKey> keys;
    const char* reasonAfter;  // the reason in effect once the box has gone
    friend void PrintTo(const KeysCase& c, std::ostream* out) { *out << c.name; }
};

using sim::DialogKey;

class KeysDuringAPause : public UiScene, public ::testing::WithParamInterface<KeysCase> {};

TEST_P(KeysDuringAPause, ReachTheBoxAsADialog) {
    const KeysCase& c = GetParam();
    startProgram();
    desktop.keepBoxesOpen();
    desktop.queueInputBoxAnswer("gone fishing");  // what the user types into the Reason box
    // Another member speaks a second after the box opens; the line's chores pause
    // for 0.3 s, and the keys come during that pause.
    desktop.post(1.0, [&] { presence.onChatLine("buddy", "hi all"); });
    double lastKey = 0;
    for (std::size_t i = 0; i < c.keys.size(); ++i) {
        lastKey = 1.1 + 0.01 * static_cast<double>(i);
        desktop.post(lastKey, [&, key = c.keys[i]] { desktop.pressKeyInBox(key); });
    }
    desktop.post(5.0, [&] { desktop.pressKeyInBox(DialogKey::Escape); });  // later, in the box's own loop

    choose(c.item);

    const bool inputBox = std::string(c.item) == "mnuOptsReason";
    const double openedAt = inputBox ? desktop.inputBoxes().back().openedAt : desktop.messageBoxes().back().openedAt;
    const double closedAt = inputBox ? desktop.inputBoxes().back().closedAt : desktop.messageBoxes().back().closedAt;
    EXPECT_NEAR(closedAt - openedAt, lastKey, 1e-9) << "the keys in the pause did not answer the box";
    EXPECT_EQ(presence.idle().reasonText, c.reasonAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, KeysDuringAPause,
    ::testing::Values(
        KeysCase{"EnterClosesTheAboutBox", "mnuOptsAbout", {DialogKey::Enter}, "uppin."},
        KeysCase{"EscapeClosesTheAboutBox", "mnuOptsAbout", {DialogKey::Escape}, "uppin."},
        KeysCase{"EnterAcceptsTheReason", "mnuOptsReason", {DialogKey::Enter}, "gone fishing"},
        KeysCase{"EscapeCancelsTheReason", "mnuOptsReason", {DialogKey::Escape}, "uppin."},
        KeysCase{"AltF4CancelsTheReason", "mnuOptsReason", {DialogKey::AltF4}, "uppin."},
        KeysCase{"EnterOnOkAccepts", "mnuOptsReason", {DialogKey::Tab, DialogKey::Enter}, "gone fishing"},
        KeysCase{"EnterOnCancelCancels", "mnuOptsReason", {DialogKey::Tab, DialogKey::Tab, DialogKey::Enter}, "uppin."},
        KeysCase{"TabComesRoundToTheAnswer",
                 "mnuOptsReason",
                 {DialogKey::Tab, DialogKey::Tab, DialogKey::Tab, DialogKey::Enter},
                 "gone fishing"}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace lantern
