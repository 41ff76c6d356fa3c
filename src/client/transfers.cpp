// The client's file transfer windows: finding the download and the upload window
// among the client windows, and reading their captions and first labels.

#include "client/client.h"
#include "client/window_io.h"
#include "common/text.h"

namespace lantern {

namespace {
constexpr const char* kLabelClass = "_aol_static";

// Characters dropped from the front of each text read.
constexpr std::size_t kTitleCut = 16;
constexpr std::size_t kDownloadLabelCut = 16;
constexpr std::size_t kUploadLabelCut = 14;

// The text from the character after the first `dropped` characters on.
std::string withoutFirst(const std::string& text, std::size_t dropped) { return text::from(text, dropped + 1); }

// The text of the window's first label: "" when it has none, nullopt when the window
// is 0 or the label did not answer.
std::optional<std::string> readFirstLabel(WindowSystem& windows, WindowHandle window) {
    if (window == 0) {
        return std::nullopt;  // a lookup under 0 would search the whole desktop
    }
    const WindowHandle label = windows.findChild(window, 0, kLabelClass);
    if (label == 0) {
        return std::string();
    }
    return windowio::readText(windows, label);
}

std::string firstLabelText(WindowSystem& windows, WindowHandle window) {
    return readFirstLabel(windows, window).value_or("");
}
}  // namespace

WindowHandle Client::findDownloadWindow() {
    WindowSystem& windows = platform_.windows;
    // Shortcut: the topmost client window, on its caption alone.
    const std::optional<windowio::Captioned> first = windowio::withCaption(windows, firstClientWindow());
    if (!first) {
        return 0;
    }
    if (text::contains(first->caption, "File Transfer -")) {
        return first->window;
    }
    // Otherwise by its children, whatever its caption; the walk starts again at the
    // first window.
    return windowio::walk(windows, platform_.events, first->window, [&](WindowHandle candidate) {
        return windowio::hasChildOfEach(windows, candidate,
                                        {kLabelClass, "_aol_gauge", "_aol_checkbox", "_aol_icon", "_aol_image"})
                   ? windowio::Verdict::Take
                   : windowio::Verdict::Skip;
    });
}

WindowHandle Client::findUploadWindow() {
    WindowSystem& windows = platform_.windows;
    // Whether the window's first label names an upload; nullopt when the client did
    // not answer.
    auto labelSaysUpload = [&](WindowHandle window) -> std::optional<bool> {
        const std::optional<std::string> label = readFirstLabel(windows, window);
        if (!label) {
            return std::nullopt;
        }
        return text::contains(*label, "Upload");
    };

    // Shortcut: the topmost client window, on its caption and first label.
    const std::optional<windowio::Captioned> first = windowio::withCaption(windows, firstClientWindow());
    if (!first) {
        return 0;
    }
    if (text::contains(first->caption, "File")) {
        const std::optional<bool> upload = labelSaysUpload(first->window);
        if (!upload) {
            return 0;
        }
        if (*upload) {
            return first->window;
        }
    }
    return windowio::walk(windows, platform_.events, first->window, [&](WindowHandle candidate) {
        const bool hasUploadChildren =
            windowio::hasChildOfEach(windows, candidate, {kLabelClass, "_aol_gauge", "_aol_checkbox", "_aol_button"});
        const std::optional<std::string> caption = windowio::readText(windows, candidate);
        if (!caption) {
            return windowio::Verdict::GiveUp;
        }
        if (!hasUploadChildren || !text::contains(*caption, "File")) {
            return windowio::Verdict::Skip;
        }
        const std::optional<bool> upload = labelSaysUpload(candidate);
        if (!upload) {
            return windowio::Verdict::GiveUp;
        }
        return *upload ? windowio::Verdict::Take : windowio::Verdict::Skip;
    });
}

std::string Client::downloadTitleText() { return withoutFirst(readText(findDownloadWindow()), kTitleCut); }

std::string Client::downloadLabelText() {
    return withoutFirst(firstLabelText(platform_.windows, findDownloadWindow()), kDownloadLabelCut);
}

std::string Client::uploadTitleText() { return withoutFirst(readText(findUploadWindow()), kTitleCut); }

std::string Client::uploadLabelText() {
    return withoutFirst(firstLabelText(platform_.windows, findUploadWindow()), kUploadLabelCut);
}

}  // namespace lantern
