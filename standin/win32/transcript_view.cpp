#include "standin/win32/transcript_view.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>

#include "standin/model/markup.h"

namespace lantern::standin::win32 {

namespace {

const char* const kDefaultFace = "Arial";
const std::uint32_t kNoticeRgb = 0x6E6E6E;  // grey
const std::uint32_t kSpeakerRgb = 0x000080;  // navy
// The transcript bounds what is shown; the rich edit's own default (32K characters)
// would stop showing new lines long before.
constexpr LPARAM kViewTextLimit = 4 * 1024 * 1024;

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
        appendRun(richEdit, line.markup.substr(0, kShownLineChars), notice);
        return;
    }
    TextStyle speaker;
    speaker.bold = true;
    speaker.color = kSpeakerRgb;
    appendRun(richEdit, line.speaker + ":\t", speaker);
    std::size_t room = kShownLineChars;
    for (const StyledRun& run : styledRuns(line.markup)) {
        if (room == 0) break;
        appendRun(richEdit, run.text.substr(0, room), run.style);
        room -= std::min(room, run.text.size());
    }
}

}  // namespace

TranscriptView::TranscriptView(HWND container, HINSTANCE instance) {
    richEdit_ = CreateWindowExA(0, RICHEDIT_CLASSA, "",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0,
                                0, 0, container, nullptr, instance, nullptr);
    if (!richEdit_) return;
    SendMessageA(richEdit_, EM_SETBKGNDCOLOR, 0, RGB(255, 255, 255));
    SendMessageA(richEdit_, EM_EXLIMITTEXT, 0, kViewTextLimit);
    SendMessageA(richEdit_, EM_SETUNDOLIMIT, 0, 0);  // nothing to undo in a read-only view
    PARAFORMAT2 tabs{};
    tabs.cbSize = sizeof tabs;
    tabs.dwMask = PFM_TABSTOPS | PFM_STARTINDENT | PFM_OFFSET;
    tabs.cTabCount = 1;
    tabs.rgxTabs[0] = 2160;  // an inch and a half: room for a long screen name
    tabs.dxOffset = 2160;  // wrapped text lines up with the text, not the name
    SendMessageA(richEdit_, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&tabs));
}

LONG TranscriptView::length() const {
    // Characters as the selection counts them (a line break is one).
    GETTEXTLENGTHEX ask{GTL_NUMCHARS | GTL_PRECISE, 1200};
    return static_cast<LONG>(SendMessageA(richEdit_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&ask), 0));
}

bool TranscriptView::update(const Transcript& transcript, std::size_t droppedFromTop) {
    if (!richEdit_ || transcript.lines().empty()) return false;
    const int scrolledBefore = GetScrollPos(richEdit_, SB_VERT);
    SendMessageA(richEdit_, WM_SETREDRAW, FALSE, 0);
    dropTop(droppedFromTop);
    append(transcript.lines().back());
    SendMessageA(richEdit_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(richEdit_, nullptr, TRUE);
    SendMessageA(richEdit_, WM_VSCROLL, SB_BOTTOM, 0);
    return GetScrollPos(richEdit_, SB_VERT) != scrolledBefore;
}

void TranscriptView::dropTop(std::size_t lines) {
    if (lines == 0) return;
    if (lines >= lineChars_.size()) {
        SetWindowTextA(richEdit_, "");
        lineChars_.clear();
        return;
    }
    LONG chars = 0;
    for (std::size_t i = 0; i < lines; ++i) chars += lineChars_[i];
    lineChars_.erase(lineChars_.begin(), lineChars_.begin() + static_cast<std::ptrdiff_t>(lines));
    // The break before the line that is now first goes too.
    CHARRANGE top{0, chars + 1};
    SendMessageA(richEdit_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&top));
    SendMessageA(richEdit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
    lineChars_.front() -= 1;
}

void TranscriptView::append(const TranscriptLine& line) {
    const LONG before = length();
    appendLine(richEdit_, line, lineChars_.empty());
    lineChars_.push_back(length() - before);
}

}  // namespace lantern::standin::win32
