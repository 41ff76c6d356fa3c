#include "standin/win32/transcript_view.h"

#include <richedit.h>

#include <cstring>

#include "standin/model/markup.h"

namespace lantern::standin::win32 {

namespace {

const char* const kDefaultFace = "Arial";
const std::uint32_t kNoticeRgb = 0x6E6E6E;   // grey
const std::uint32_t kSpeakerRgb = 0x000080;  // navy

CHARFORMAT2A formatFor(const TextStyle& style) {
    CHARFORMAT2A format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_FACE | CFM_SIZE;
    format.yHeight = 10 * 20;  // twips: ten points
    if (style.color) {
        std::uint32_t rgb = *style.color;
        format.crTextColor = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    } else {
        format.dwEffects |= CFE_AUTOCOLOR;
    }
    if (style.bold) format.dwEffects |= CFE_BOLD;
    if (style.italic) format.dwEffects |= CFE_ITALIC;
    if (style.underline) format.dwEffects |= CFE_UNDERLINE;
    const std::string& face = style.face.empty() ? std::string(kDefaultFace) : style.face;
    std::strncpy(format.szFaceName, face.c_str(), LF_FACESIZE - 1);
    return format;
}

// Appends text in a style at the end of the rich edit.
void appendRun(HWND richEdit, const std::string& text, const TextStyle& style) {
    if (text.empty()) return;
    CHARRANGE end{-1, -1};
    SendMessageA(richEdit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    CHARFORMAT2A format = formatFor(style);
    SendMessageA(richEdit, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    SendMessageA(richEdit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void appendLine(HWND richEdit, const TranscriptLine& line, bool first) {
    if (!first) appendRun(richEdit, "\r\n", {});
    if (line.speaker.empty()) {
        TextStyle notice;
        notice.color = kNoticeRgb;
        notice.italic = true;
        appendRun(richEdit, line.markup, notice);
        return;
    }
    TextStyle speaker;
    speaker.bold = true;
    speaker.color = kSpeakerRgb;
    appendRun(richEdit, line.speaker + ":\t", speaker);
    for (const StyledRun& run : styledRuns(line.markup)) appendRun(richEdit, run.text, run.style);
}

}  // namespace

HWND createTranscriptView(HWND container, HINSTANCE instance) {
    HWND richEdit = CreateWindowExA(0, RICHEDIT_CLASSA, "",
                                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                                    0, 0, 0, 0, container, nullptr, instance, nullptr);
    if (!richEdit) return nullptr;
    SendMessageA(richEdit, EM_SETBKGNDCOLOR, 0, RGB(255, 255, 255));
    PARAFORMAT2 tabs{};
    tabs.cbSize = sizeof tabs;
    tabs.dwMask = PFM_TABSTOPS | PFM_STARTINDENT | PFM_OFFSET;
    tabs.cTabCount = 1;
    tabs.rgxTabs[0] = 2160;  // an inch and a half: room for a long screen name
    tabs.dxOffset = 2160;    // wrapped text lines up with the text, not the name
    SendMessageA(richEdit, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&tabs));
    return richEdit;
}

void renderTranscript(HWND richEdit, const Transcript& transcript, bool onlyAppended) {
    if (!richEdit || transcript.lines().empty()) return;
    SendMessageA(richEdit, WM_SETREDRAW, FALSE, 0);
    if (onlyAppended) {
        appendLine(richEdit, transcript.lines().back(), GetWindowTextLengthA(richEdit) == 0);
    } else {
        SetWindowTextA(richEdit, "");
        bool first = true;
        for (const TranscriptLine& line : transcript.lines()) {
            appendLine(richEdit, line, first);
            first = false;
        }
    }
    SendMessageA(richEdit, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(richEdit, nullptr, TRUE);
    SendMessageA(richEdit, WM_VSCROLL, SB_BOTTOM, 0);
}

}  // namespace lantern::standin::win32
