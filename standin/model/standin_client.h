#pragma once
// The stand-in chat client: a small chat client with the window tree, classes,
// captions and reactions that lantern-idle relies on, written once over a
// WindowHost and mounted on the simulated desktop and as a real Win32 program.
//
//   "AOL Frame25" main frame
//     "AOL Toolbar" > "_AOL_Toolbar" > "_AOL_Icon" x N   the 19th opens the keyword window
//     "MDIClient"
//       "AOL Child" client windows, the latest opened on top:
//         chat room   "_AOL_Static" "RICHCNTLREADONLY" "_AOL_Combobox" "_AOL_Icon" "RICHCNTL"
//         welcome     "Welcome, <name>!" with "_AOL_Icon" "_AOL_Static" "_AOL_Glyph" "RICHCNTLSTATIC"
//         keyword     "_AOL_Glyph" "RICHCNTLSTATIC" "_AOL_Edit" (the link) "_AOL_Icon" (Go)
//         download    "_AOL_Static" "_AOL_Gauge" "_AOL_Checkbox" "_AOL_Icon" "_AOL_Image"
//         upload      "_AOL_Static" "_AOL_Gauge" "_AOL_Checkbox" "_AOL_Button"
//         sign on     shown while nobody is signed on
//
// Reactions: WM_CHAR 13 on a room's input box posts the box's text as a line of the
// signed-on user; WM_LBUTTONDOWN then WM_KEYUP with the space key (or a mouse
// release) on a button carries out its action; WM_CLOSE closes a client window (or
// the whole client, on the frame); the transcript answers WM_GETTEXT with its plain
// text. Everything else that a window is sent gets the host's default behaviour.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "standin/model/record.h"
#include "standin/model/transcript.h"
#include "standin/model/transfer.h"
#include "standin/model/window_host.h"

namespace lantern::standin {

inline constexpr int kKeywordIconNumber = 19;
inline constexpr const char* kPrivateRoomLink = "aol://2719:2-2-";
inline constexpr const char* kChatLink = "aol://2719:10-4-";

struct Options {
    std::string screenName = "lantern tester";
    bool signedOn = true;
    std::vector<std::string> rooms{"Lobby"};  // opened in this order: the last ends on top
    std::string frameCaption = "AOL";
    TranscriptLimits transcript{};
    int toolbarIcons = 22;  // at least kKeywordIconNumber
    // Whether the system hears of each new line in a transcript, as it does from a
    // standard control whose scroll bar moves on; false: a client whose windows
    // report nothing, so a watcher must find every change by looking.
    bool reportsTranscriptChanges = true;
};

class StandinClient {
public:
    StandinClient(WindowHost& host, Options options = {});
    StandinClient(const StandinClient&) = delete;
    StandinClient& operator=(const StandinClient&) = delete;

    // ---- from the host
    // A message for one of the client's windows. nullopt: the host's default
    // behaviour applies. For WM_GETTEXT the answer's text is left in `text` (the
    // host copies what fits).
    std::optional<std::intptr_t> handleMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                               std::string& text);
    // A message that a room's input box has handled, for the record (the Win32
    // program logs them; the simulated desktop has its own recorder).
    void noteInputMessage(WindowHandle inputBox, unsigned message, std::uintptr_t wParam, const std::string& text);
    // Looks at which windows are minimised now and records the newly minimised ones.
    void syncMinimized();

    // ---- the control interface. `room` "" means the room on top. False when there
    // is no such room or window, or the arguments make no sense.
    bool say(const std::string& name, const std::string& markup, const std::string& room = "");
    bool type(const std::string& text, const std::string& room = "");
    // The signed-on user types `markup` and presses Enter.
    bool send(const std::string& markup, const std::string& room = "");
    bool signOn(const std::string& name);
    bool signOff();
    bool openRoom(const std::string& name);
    bool closeRoom(const std::string& name);
    bool startTransfer(TransferKind kind, const std::string& file = "", std::uint64_t bytes = 0);
    bool stopTransfer(TransferKind kind);
    bool setTransferProgress(TransferKind kind, int percent);
    bool hang(double seconds);

    // ---- looking at it
    Record& record() { return record_; }
    const Record& record() const { return record_; }
    bool running() const { return frame_ != 0; }
    bool signedOn() const { return signedOn_; }
    const std::string& screenName() const { return screenName_; }

    WindowHandle frame() const { return frame_; }
    WindowHandle mdiClient() const { return mdi_; }
    WindowHandle toolbarIcon(int number) const;  // 1-based; 0 when there is none
    WindowHandle welcomeWindow() const { return welcome_; }
    WindowHandle signOnWindow() const { return signOnWindow_; }
    WindowHandle keywordWindow() const { return keyword_; }
    WindowHandle keywordLinkBox() const { return keywordLinkBox_; }
    WindowHandle transferWindow(TransferKind kind) const;
    const TransferState* transfer(TransferKind kind) const;

    // Room names in sibling order, the top one first.
    std::vector<std::string> roomNames();
    WindowHandle roomWindow(const std::string& name = "");
    WindowHandle inputBox(const std::string& room = "");
    WindowHandle transcriptWindow(const std::string& room = "");
    const Transcript* transcript(const std::string& room = "");
    std::string inputText(const std::string& room = "");
    // What a window is, or nullopt for a window that is not the client's.
    std::optional<Part> partOf(WindowHandle window) const;

private:
    struct Room {
        std::string name;
        WindowHandle window = 0, label = 0, view = 0, fontBox = 0, sendIcon = 0, input = 0;
        Transcript transcript;
        std::vector<std::string> people;
    };
    struct Transfer {
        TransferState state;
        WindowHandle window = 0, label = 0, gauge = 0;
    };
    struct Known {
        Part part;
        WindowHandle owner;  // the client window a control sits in; 0 for others
    };

    WindowHandle make(WindowHandle parent, const char* className, Part part, const std::string& text = "",
                      Placement placement = Placement::Bottom);
    WindowHandle openClientWindow(Part part, const std::string& caption);
    WindowHandle addButton(WindowHandle owner, const char* className, Part part, const std::string& text,
                           std::function<void()> action);
    void buildFrame(const Options& options);
    void openWelcome();
    void openSignOnWindow();
    void openKeywordWindow();
    void goToLink();
    void updateTransfer(Transfer& transfer);

    Room* findRoom(const std::string& name);  // "" = the top room
    Room* roomOwning(WindowHandle control);
    void postFromInput(Room& room);
    void appendLine(Room& room, const std::string& speaker, const std::string& markup);
    void updatePeople(Room& room, const std::string& speaker);
    void enterPrivateRoom(const std::string& name);
    void leaveRoom(Room& room);

    std::optional<std::intptr_t> onClose(WindowHandle window);
    std::optional<std::intptr_t> onButton(WindowHandle window, unsigned message, std::uintptr_t wParam);
    void closeClientWindow(WindowHandle window);
    void forgetClientWindow(WindowHandle window);
    void closeFrame();
    void event(Event event);

    WindowHost& host_;  // not owned; outlives the client
    TranscriptLimits limits_;
    Record record_;
    bool signedOn_ = false;
    std::string screenName_;
    bool reportsTranscriptChanges_ = true;  // see Options

    // Window handles are the host's; the client destroys them through the host.
    WindowHandle frame_ = 0, mdi_ = 0;
    std::vector<WindowHandle> toolbarIcons_;
    WindowHandle welcome_ = 0, signOnWindow_ = 0, keyword_ = 0, keywordLinkBox_ = 0;
    std::vector<std::unique_ptr<Room>> rooms_;
    std::map<TransferKind, Transfer> transfers_;

    std::map<WindowHandle, Known> known_;
    std::map<WindowHandle, std::function<void()>> actions_;
    WindowHandle armed_ = 0;  // the button that got WM_LBUTTONDOWN last
    std::set<WindowHandle> minimized_;
};

}  // namespace lantern::standin
