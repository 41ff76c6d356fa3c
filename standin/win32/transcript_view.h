#pragma once
// The visible side of a chat room's transcript: a read-only rich edit inside the
// "RICHCNTLREADONLY" window, showing each line with its colours, faces and bold.
// The "RICHCNTLREADONLY" window itself answers for the plain text.

#include <windows.h>

#include "standin/model/transcript.h"

namespace lantern::standin::win32 {

// Makes the rich edit that fills `container`.
HWND createTranscriptView(HWND container, HINSTANCE instance);

// Shows the transcript's lines: only the last one added, or all of them afresh.
void renderTranscript(HWND richEdit, const Transcript& transcript, bool onlyAppended);

}  // namespace lantern::standin::win32
