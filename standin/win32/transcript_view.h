#pragma once
// The visible side of a chat room's transcript: a read-only rich edit inside the
// "RICHCNTLREADONLY" window, showing each line with its colours, faces and bold.
// The "RICHCNTLREADONLY" window itself answers for the plain text. The view holds
// only what the transcript keeps: lines dropped from the transcript's top are
// deleted from the view's top, and it keeps no undo history.

#include <windows.h>

#include <cstddef>
#include <deque>

#include "standin/model/transcript.h"

namespace lantern::standin::win32 {

class TranscriptView {
public:
    // Makes the rich edit that fills `container`.
    TranscriptView(HWND container, HINSTANCE instance);
    TranscriptView(const TranscriptView&) = delete;
    TranscriptView& operator=(const TranscriptView&) = delete;

    HWND window() const { return richEdit_; }

    // The transcript's newest line was added and `droppedFromTop` lines went from its
    // top. True when the view's scroll bar moved (it shows the newest line).
    bool update(const Transcript& transcript, std::size_t droppedFromTop);

private:
    void dropTop(std::size_t lines);
    void append(const TranscriptLine& line);
    LONG length() const;

    HWND richEdit_ = nullptr;  // child of the container, destroyed with it
    std::deque<LONG> lineChars_;  // characters each shown line takes, its leading break included
};

}  // namespace lantern::standin::win32
