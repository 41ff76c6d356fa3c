#include "standin/win32/layout.h"

#include <algorithm>

namespace lantern::standin::win32 {

namespace {

constexpr int kMargin = 8;

// The place of each control of a client window, by the kind of window and what the
// control is, for the window's current client size.
class ClientLayout {
public:
    ClientLayout(int width, int height) : width_(width), height_(height) {}

    RECT chatRoom(Part part) {
        const int inputTop = height_ - kMargin - 26;
        const int toolsTop = inputTop - 6 - 22;
        switch (part) {
        case Part::Label:
            return {kMargin, kMargin, width_ - kMargin, kMargin + 16};
        case Part::Transcript:
            return {kMargin, kMargin + 20, width_ - kMargin, toolsTop - 6};
        case Part::ComboBox:
            return {kMargin, toolsTop, kMargin + 130, toolsTop + 22};
        case Part::Icon:
            return {width_ - kMargin - 64, inputTop - 2, width_ - kMargin, inputTop + 28};
        case Part::InputBox:
            return {kMargin, inputTop, width_ - kMargin - 72, inputTop + 26};
        default:
            return {};
        }
    }

    RECT keyword(Part part) {
        switch (part) {
        case Part::Glyph:
            return {kMargin, kMargin, kMargin + 40, kMargin + 40};
        case Part::RichLabel:
            return {kMargin + 50, kMargin, width_ - kMargin, kMargin + 36};
        case Part::LinkBox:
            return {kMargin + 50, kMargin + 44, width_ - kMargin - 60, kMargin + 68};
        case Part::Icon:
            return {width_ - kMargin - 52, kMargin + 42, width_ - kMargin, kMargin + 70};
        default:
            return {};
        }
    }

    RECT welcome(Part part) {
        switch (part) {
        case Part::Glyph:
            return {kMargin, kMargin, kMargin + 56, kMargin + 56};
        case Part::Label:
            return {kMargin + 66, kMargin + 8, width_ - kMargin, kMargin + 48};
        case Part::RichLabel:
            return {kMargin, kMargin + 66, width_ - kMargin, height_ - kMargin - 40};
        case Part::Icon:
            return {kMargin, height_ - kMargin - 32, kMargin + 110, height_ - kMargin};
        default:
            return {};
        }
    }

    RECT transfer(Part part) {
        const int left = kMargin + 58;
        switch (part) {
        case Part::Image:
            return {kMargin, kMargin, kMargin + 48, kMargin + 56};
        case Part::Label:
            return {left, kMargin, width_ - kMargin, kMargin + 34};
        case Part::Gauge:
            return {left, kMargin + 40, width_ - kMargin, kMargin + 60};
        case Part::Checkbox:
            return {kMargin, height_ - kMargin - 24, width_ - kMargin - 106, height_ - kMargin - 4};
        case Part::Icon:
        case Part::PushButton:
            return {width_ - kMargin - 100, height_ - kMargin - 28, width_ - kMargin, height_ - kMargin};
        default:
            return {};
        }
    }

    RECT signOn(Part part) {
        switch (part) {
        case Part::Label:
            return {kMargin, kMargin + 10, width_ - kMargin, kMargin + 50};
        case Part::Icon:
            return {width_ / 2 - 50, height_ - kMargin - 32, width_ / 2 + 50, height_ - kMargin};
        default:
            return {};
        }
    }

private:
    int width_, height_;
};

Part partIn(const std::map<HWND, Part>& parts, HWND window) {
    auto found = parts.find(window);
    return found == parts.end() ? Part::Label : found->second;
}

}  // namespace

RECT initialPlacement(Part part) {
    switch (part) {
    case Part::ChatRoomWindow:
        return {10, 10, 560, 430};
    case Part::WelcomeWindow:
        return {575, 10, 915, 250};
    case Part::KeywordWindow:
        return {180, 140, 600, 260};
    case Part::DownloadWindow:
        return {575, 262, 915, 412};
    case Part::UploadWindow:
        return {575, 420, 915, 570};
    case Part::SignOnWindow:
        return {300, 160, 620, 320};
    default:
        return {20, 20, 360, 260};
    }
}

void layoutClientWindow(HWND window, const std::map<HWND, Part>& parts) {
    RECT client;
    GetClientRect(window, &client);
    ClientLayout layout(client.right, client.bottom);
    const Part kind = partIn(parts, window);
    for (HWND control = GetWindow(window, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
        Part part = partIn(parts, control);
        RECT place{};
        switch (kind) {
        case Part::ChatRoomWindow:
            place = layout.chatRoom(part);
            break;
        case Part::KeywordWindow:
            place = layout.keyword(part);
            break;
        case Part::WelcomeWindow:
            place = layout.welcome(part);
            break;
        case Part::DownloadWindow:
        case Part::UploadWindow:
            place = layout.transfer(part);
            break;
        case Part::SignOnWindow:
            place = layout.signOn(part);
            break;
        default:
            break;
        }
        MoveWindow(control, place.left, place.top, std::max(0L, place.right - place.left),
                   std::max(0L, place.bottom - place.top), TRUE);
    }
}

}  // namespace lantern::standin::win32
