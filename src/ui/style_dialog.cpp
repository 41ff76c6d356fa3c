#include "ui/style_dialog.h"

#include <algorithm>

#include "style/lines.h"
#include "style/settings.h"

namespace lantern {
namespace {

const WindowSpec kDialog{.name = "frmAscii",
                         .caption = "modify your ascii",
                         .clientWidth = 3870,
                         .clientHeight = 1815,
                         .border = Border::FixedSingle,
                         .maxButton = false};

ControlSpec label(const std::string& name, double left, double top, double width, const std::string& caption) {
    return {.name = name,
            .place = {left, top, width, 255},
            .text = caption,
            .whiteBackground = true,
            .font = Font{"MS Sans Serif", 8.25, true}};
}

ControlSpec colourBox(const std::string& name, double top, const std::string& text, int maxLength) {
    return {.kind = ControlKind::TextBox,
            .name = name,
            .place = {1440, top, 855, 285},
            .text = text,
            .maxLength = maxLength};
}

bool isPrefixFont(const std::string& face) {
    return std::find(kPrefixFonts.begin(), kPrefixFonts.end(), face) != kPrefixFonts.end();
}

}  // namespace

StyleDialog::StyleDialog(Platform& platform, Client& client, Presence& presence)
    : platform_(platform), client_(client), presence_(presence) {}

void StyleDialog::setAsciiColorBox(const std::string& text) { ensureLoaded().asciiColorBox->setText(text); }
void StyleDialog::setFirstColorBox(const std::string& text) { ensureLoaded().firstColorBox->setText(text); }
void StyleDialog::setSecondColorBox(const std::string& text) { ensureLoaded().secondColorBox->setText(text); }

StyleDialog::Controls& StyleDialog::ensureLoaded() {
    loaded();
    return controls_;
}

void StyleDialog::createAndLoad() {
    create();
    load();
}

// Creation order is the tab order: font list, prefix box, button, then the three
// colour boxes. The labels take no focus.
void StyleDialog::create() {
    Window& window = window_.replace(platform_.toolkit.createWindow(kDialog));

    controls_.fontList = &window.add(
        {.kind = ControlKind::ComboBox, .name = "cboAscii", .place = {0, 0, 2655, 315}, .text = "Webdings"});
    controls_.prefixBox = &window.add({.kind = ControlKind::TextBox,
                                       .name = "txtAscii",
                                       .place = {2760, 0, 1095, 315},
                                       .font = Font{"Webdings", 8.25, false}});  // the preview font
    Control& setButton = window.add({.kind = ControlKind::Button,
                                     .name = "cmdSet",
                                     .place = {0, 1440, 3855, 375},
                                     .text = "set ascii to selected"});
    setButton.onClick = [this] {
        auto running = window_.running();
        setToSelected();
    };

    controls_.asciiColorBox = &window.add(colourBox("txtAsciiColor", 360, "000000", 6));
    controls_.firstColorBox = &window.add(colourBox("txtFirstColor", 720, "000000", 6));
    controls_.secondColorBox = &window.add(colourBox("txtSecondColor", 1080, "000066", 0));

    window.add(label("Label1", 120, 360, 1335, "Ascii color:"));
    window.add(label("Label2", 120, 720, 975, "First color:"));
    window.add(label("Label3", 120, 1080, 1215, "Second color:"));
}

void StyleDialog::load() {
    Controls& c = controls_;
    for (const char* face : kPrefixFonts) c.fontList->addItem(face);

    client_.keepOnTop(window_.get()->handle());

    c.prefixBox->setText(setting("asciiT"));
    if (c.prefixBox->text().empty()) c.prefixBox->setText("2");

    // The stored font only changes the preview: the list keeps reading "Webdings".
    const std::string font = setting("asciiF");
    if (font.empty()) {
        c.fontList->setText("Webdings");
        c.prefixBox->setFontFace("Webdings");
    }
    if (isPrefixFont(font)) c.prefixBox->setFontFace(font);

    // The dialog's own loading puts the colours its boxes show into effect.
    CurrentStyle style = presence_.style();
    const StoredColours colours = readColours(platform_.registry);
    style.asciiCol = colours.ascii.inBox;
    style.firstColor = colours.first.inBox;
    style.secondColor = colours.second.inBox;
    presence_.useStyle(style);
    c.asciiColorBox->setText(style.asciiCol);
    c.firstColorBox->setText(style.firstColor);
    c.secondColorBox->setText(style.secondColor);
}

void StyleDialog::setToSelected() {
    Controls& c = controls_;
    const std::string font = c.fontList->text();
    if (!isPrefixFont(font)) {
        platform_.toolkit.messageBox(kInvalidFontMessage, presence_.appTitle(), mb::Ok);
        return;
    }
    c.prefixBox->setFontFace(font);

    // The stored prefix keeps this font-only form (what the next start-up reads);
    // the coloured form below is only put into effect.
    CurrentStyle style = presence_.style();
    const std::string glyphs = c.prefixBox->text();
    style.asciiPrefix = storedPrefix(font, glyphs);
    store("ascii", style.asciiPrefix);
    store("asciiF", font);

    style.asciiCol = c.asciiColorBox->text();
    store("asciiCol", style.asciiCol);
    style.firstColor = c.firstColorBox->text();
    store("firstColor", style.firstColor);
    style.secondColor = c.secondColorBox->text();
    store("secondColor", style.secondColor);

    style.asciiPrefix = colouredPrefix(font, style.asciiCol, glyphs);
    store("asciiT", c.prefixBox->text());

    presence_.useStyle(style);
    client_.sendChat(asciiConfirmationLine(style));
}

std::string StyleDialog::setting(const char* name) { return readSetting(platform_.registry, kSettingsKey, name); }

void StyleDialog::store(const char* name, const std::string& text) {
    writeSetting(platform_.registry, kSettingsKey, name, text);
}

}  // namespace lantern
