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
std::string withoutFirst(const std::string& text, std::size_t dropped) {
    return text::from(text, dropped + 1);
}
}  // namespace

WindowHandle Client::findDownloadWindow() {
    WindowSystem& windows = platform_.windows;
    const WindowHandle first = firstClientWindow();
    if (first == 0) {
        return 0;
    }
    // Shortcut: the topmost client window, on its caption alone.
    const std::optional<std::string> caption = windowio::readText(windows, first);
    if (!caption) {
        return 0;
    }
    if (text::contains(*caption, "File Transfer -")) {
        return first;
    }
    // Otherwise by its children, whatever its caption; the walk starts again at the
    // first window.
    return windowio::walk(windows, platform_.events, first, [&](WindowHandle candidate) {
        return windowio::hasChildOfEach(windows, candidate,
                                        {kLabelClass, "_aol_gauge", "_aol_checkbox", "_aol_icon",
                                         "_aol_image"})
                   ? windowio::Verdict::Take
                   : windowio::Verdict::Skip;
    });
}

WindowHandle Client::findUploadWindow() {
    WindowSystem& windows = platform_.windows;
    // Whether the window's first label names an upload; nullopt when the client did
    // not answer.
    auto labelSaysUpload = [&](WindowHandle window) -> std::optional<bool> {
        const std::optional<std::string> label =
            windowio::readText(windows, windows.findChild(window, 0, kLabelClass));
        if (!label) {
            return std::nullopt;
        }
        return text::contains(*label, "Upload");
    };

    const WindowHandle first = firstClientWindow();
    if (first == 0) {
        return 0;
    }
    // Shortcut: the topmost client window, on its caption and first label.
    const std::optional<std::string> firstCaption = windowio::readText(windows, first);
    if (!firstCaption) {
        return 0;
    }
    if (text::contains(*firstCaption, "File") && labelSaysUpload(first).value_or(false)) {
        return first;
    }
    return windowio::walk(windows, platform_.events, first, [&](WindowHandle candidate) {
        const bool hasUploadChildren = windowio::hasChildOfEach(
            windows, candidate, {kLabelClass, "_aol_gauge", "_aol_checkbox", "_aol_button"});
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

std::string Client::downloadTitleText() {
    return withoutFirst(readText(findDownloadWindow()), kTitleCut);
}

std::string Client::downloadLabelText() {
    const WindowHandle window = findDownloadWindow();
    if (window == 0) {
        return "";
    }
    return withoutFirst(readText(platform_.windows.findChild(window, 0, kLabelClass)), kDownloadLabelCut);
}

std::string Client::uploadTitleText() {
    return withoutFirst(readText(findUploadWindow()), kTitleCut);
}

std::string Client::uploadLabelText() {
    const WindowHandle window = findUploadWindow();
    if (window == 0) {
        return "";
    }
    return withoutFirst(readText(platform_.windows.findChild(window, 0, kLabelClass)), kUploadLabelCut);
}

}  // namespace lantern
