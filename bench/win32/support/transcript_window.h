#pragma once
// The stand-in's chat room transcript as a bench finds it, in a few lines of its own:
// "AOL Frame25" > "MDIClient" > the first "AOL Child" with a "RICHCNTLREADONLY" child.
// Header only, so the poller reference stays a bare program.

#include <windows.h>

namespace lantern::bench {

inline HWND findTranscript() {
    HWND frame = FindWindowA("AOL Frame25", nullptr);
    HWND mdi = frame ? FindWindowExA(frame, nullptr, "MDIClient", nullptr) : nullptr;
    for (HWND child = mdi ? FindWindowExA(mdi, nullptr, "AOL Child", nullptr) : nullptr; child;
         child = FindWindowExA(mdi, child, "AOL Child", nullptr)) {
        if (HWND transcript = FindWindowExA(child, nullptr, "RICHCNTLREADONLY", nullptr)) {
            return transcript;
        }
    }
    return nullptr;
}

}  // namespace lantern::bench
