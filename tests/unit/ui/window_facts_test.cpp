// The fixed facts of the program's windows, dialogs and menu, in one table each:
// captions, borders and buttons, client sizes, every control's kind, place, initial
// text, font and limit, the tab order, the font list, the menu tree, the boxes.

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/sim/sim_toolkit.h"
#include "ui_scene.h"

namespace lantern {
namespace {

class WindowFacts : public UiScene {
protected:
    WindowFacts() {
        presence.startUp();  // the main window, the splash and the hidden style dialog
        ui.showCommandsList();
    }
    const sim::SimForm& simForm(const std::string& name) { return dynamic_cast<sim::SimForm&>(form(name)); }
    // The user picks `item` from the menu under the main window's arrow.
    void choose(const std::string& item) {
        form("frmMain").show();  // as the splash's click does, the splash left to look at
        UiScene::choose(item);
    }
};

struct FormFact {
    const char* name;
    const char* caption;
    Border border;
    bool minButton, maxButton, taskbarButton, ownIcon;
    double clientWidth, clientHeight;
};

TEST_F(WindowFacts, Forms) {
    choose("");  // the menu window is made at the first popup
    const FormFact facts[] = {
        {"frmMain", "Idle", Border::None, false, false, false, false, 2865, 480},
        {"frmSplash", "", Border::None, false, false, false, false, 4500, 3075},
        {"frmAscii", "modify your ascii", Border::FixedSingle, true, false, true, false, 3870, 1815},
        {"frmComs", "cmds", Border::FixedSingle, false, false, true, true, 2895, 1035},
    };
    for (const FormFact& f : facts) {
        const WindowSpec& spec = simForm(f.name).spec();
        EXPECT_EQ(spec.caption, f.caption) << f.name;
        EXPECT_EQ(spec.border, f.border) << f.name;
        EXPECT_EQ(std::tuple(spec.minButton, spec.maxButton, spec.taskbarButton, !spec.icon.empty()),
                  std::tuple(f.minButton, f.maxButton, f.taskbarButton, f.ownIcon))
            << f.name << ": minimise, maximise, task-bar button, icon of its own";
        EXPECT_EQ(std::pair(spec.clientWidth, spec.clientHeight), std::pair(f.clientWidth, f.clientHeight)) << f.name;
    }
    EXPECT_TRUE(simForm("frmMain").spec().whiteBackground);
    EXPECT_TRUE(simForm("frmAscii").spec().whiteBackground);
    EXPECT_EQ(simForm("frmMenu").spec().caption, "Menu");  // never shown: nothing else of it shows
}

struct ControlFact {
    const char* form;
    const char* name;
    ControlKind kind;
    double left, top, width, height;
    const char* text;
    const char* container = "";
    int maxLength = 0;
    bool enabled = true;
};

const Font kDefaultFont{};
const Font kFrameFont{"Tahoma", 9.75, false};
const Font kLabelFont{"MS Sans Serif", 8.25, true};

TEST_F(WindowFacts, EveryControlInTheOrderItIsMade) {
    using enum ControlKind;
    const ControlFact facts[] = {
        {"frmMain", "Image1", Picture, 0, 0, 2865, 480, ""},
        {"frmMain", "lblMove", Label, 0, 0, 2535, 495, ""},
        {"frmMain", "lblPop", Label, 2520, 120, 255, 255, ""},
        {"frmMain", "txtIdle", TextBox, 5280, 2640, 615, 375, "off"},
        {"frmMain", "Frame1", Frame, 4080, 840, 2895, 1215, "Idle w/ time and reason"},
        {"frmMain", "txtRsn", TextBox, 120, 720, 2655, 375, "sleepin...", "Frame1"},
        {"frmMain", "cmdIdle", Button, 120, 240, 1215, 375, "ON", "Frame1"},
        {"frmMain", "cmdOff", Button, 1560, 240, 1215, 375, "OFF", "Frame1", 0, false},
        {"frmSplash", "Image1", Picture, 0, 0, 4500, 3075, ""},
        // The style dialog's tab order: font list, prefix box, button, the three colour boxes.
        {"frmAscii", "cboAscii", ComboBox, 0, 0, 2655, 315, "Webdings"},
        {"frmAscii", "txtAscii", TextBox, 2760, 0, 1095, 315, ""},
        {"frmAscii", "cmdSet", Button, 0, 1440, 3855, 375, "set ascii to selected"},
        {"frmAscii", "txtAsciiColor", TextBox, 1440, 360, 855, 285, "000000", "", 6},
        {"frmAscii", "txtFirstColor", TextBox, 1440, 720, 855, 285, "000000", "", 6},
        {"frmAscii", "txtSecondColor", TextBox, 1440, 1080, 855, 285, "000066"},
        {"frmAscii", "Label1", Label, 120, 360, 1335, 255, "Ascii color:"},
        {"frmAscii", "Label2", Label, 120, 720, 975, 255, "First color:"},
        {"frmAscii", "Label3", Label, 120, 1080, 1215, 255, "Second color:"},
        {"frmComs", "lstComs", ListBox, 0, 0, 2895, 1035, ""},
    };
    std::map<std::string, std::vector<std::string>> made, expected;
    for (const char* name : {"frmMain", "frmSplash", "frmAscii", "frmComs"}) {
        for (const sim::SimControl* control : simForm(name).controls()) made[name].push_back(control->name());
    }
    for (const ControlFact& f : facts) {
        expected[f.form].push_back(f.name);
        const sim::SimControl* control = nullptr;
        for (const sim::SimControl* c : simForm(f.form).controls()) {
            if (c->name() == f.name) control = c;
        }
        ASSERT_NE(control, nullptr) << f.form << "." << f.name;
        const ControlSpec& spec = control->spec();
        const std::string where = std::string(f.form) + "." + f.name;
        EXPECT_EQ(spec.kind, f.kind) << where;
        EXPECT_EQ(std::tuple(spec.place.left, spec.place.top, spec.place.width, spec.place.height),
                  std::tuple(f.left, f.top, f.width, f.height))
            << where;
        EXPECT_EQ(spec.text, f.text) << where;
        EXPECT_EQ(spec.container, f.container) << where;
        EXPECT_EQ(spec.maxLength, f.maxLength) << where;
        EXPECT_EQ(spec.enabled, f.enabled) << where;
        EXPECT_EQ(spec.transparent, spec.kind == Label && std::string(f.form) == "frmMain") << where;
        const bool captionedLabel = f.kind == Label && spec.text != "";
        EXPECT_EQ(spec.whiteBackground, f.kind == Frame || captionedLabel) << where;
        const Font& font = f.kind == Frame ? kFrameFont : captionedLabel ? kLabelFont : kDefaultFont;
        if (std::string(f.name) != "txtAscii") {  // the prefix box shows the preview font
            EXPECT_EQ(std::tuple(spec.font.face, spec.font.points, spec.font.bold),
                      std::tuple(font.face, font.points, font.bold))
                << where;
        }
    }
    EXPECT_EQ(made, expected) << "controls missing, extra, or made in another order";
    EXPECT_EQ(control("frmAscii", "cboAscii").items(),
              (std::vector<std::string>{"Arial", "Arial Narrow", "Tahoma", "Webdings", "Wingdings"}));
    EXPECT_EQ(control("frmComs", "lstComs").items(),
              (std::vector<std::string>{".idleon - turns idle on", ".idleoff - turns idle off", ".end - closes program",
                                        ".exit - closes program", ".pr * - go to pr *", ".aim * - go to aim chat *",
                                        ".coms - shows this"}));
}

// One row a menu item, depth first: its depth, name, caption and whether it starts enabled.
std::vector<std::string> flattened(const MenuItemSpec& item, int depth = 0) {
    std::vector<std::string> rows{std::to_string(depth) + " " + item.name + " " + item.caption +
                                  (item.enabled ? "" : " (disabled)")};
    for (const MenuItemSpec& child : item.children) {
        for (const std::string& row : flattened(child, depth + 1)) rows.push_back(row);
    }
    return rows;
}

TEST_F(WindowFacts, TheMenuPopsUpUnderTheArrowAndItsBoxes) {
    choose("mnuOptsAbout");
    desktop.queueInputBoxAnswer(std::nullopt);
    choose("mnuOptsReason");
    ASSERT_EQ(desktop.popups().size(), 2u);
    const sim::ShownPopup& popup = desktop.popups()[0];
    EXPECT_EQ(popup.over, form("frmMain").handle());
    EXPECT_EQ(std::pair(popup.x, popup.y), std::pair(2520.0, 375.0));
    EXPECT_EQ(
        flattened(popup.root),
        (std::vector<std::string>{"0 mnuOpts &Opts", "1 mnuOptsIdle &Idle", "2 mnuOptsIdleOn &On",
                                  "2 mnuOptsIdleOff O&ff (disabled)", "1 mnuOptsReason &Reason", "1 mnuOptsDash2 -",
                                  "1 mnuOptsComs View &Coms", "1 mnuOptsAscii &Modify Ascii", "1 mnuOptsDash -",
                                  "1 mnuOptsAbout &About", "1 mnuOptsDash1 -", "1 mnuOptsExit &Exit"}));

    ASSERT_EQ(desktop.messageBoxes().size(), 1u);
    const sim::ShownMessageBox& about = desktop.messageBoxes()[0];
    EXPECT_EQ(about.text, std::string(kAppTitle) + "\r\n\r\nBy: vx9\r\n\r\nMade for lanterns by lanterns. =x");
    EXPECT_EQ(about.title, kAppTitle);
    EXPECT_EQ(about.style, mb::Ok) << "an OK button and no icon";

    ASSERT_EQ(desktop.inputBoxes().size(), 1u);
    const sim::ShownInputBox& reason = desktop.inputBoxes()[0];
    EXPECT_EQ(std::tuple(reason.prompt, reason.title, reason.defaultText),
              std::tuple(std::string("Enter reason:"), std::string(kAppTitle), std::string()));
}

}  // namespace
}  // namespace lantern
