#pragma once
// The stand-in chat client mounted on the simulated desktop: its windows are
// desktop windows, their messages go to the client model, a hang is a desktop hang,
// and the record's times are the desktop's virtual seconds.
//
//   sim::Desktop desktop;
//   standin::SimStandin client(desktop, {.screenName = "lantern tester", .rooms = {"Lobby"}});
//   client.say("buddy", "hi all");            // another member speaks
//   ... run the program under test ...
//   client.record().posted();                 // raw mark-up of every posted line

#include <map>
#include <vector>

#include "platform/sim/desktop.h"
#include "standin/model/standin_client.h"

namespace lantern::standin {

class SimHost : public WindowHost {
public:
    explicit SimHost(sim::Desktop& desktop) : desktop_(desktop) {}
    ~SimHost() override;  // the client's windows go with it, as with a process that ends
    SimHost(const SimHost&) = delete;
    SimHost& operator=(const SimHost&) = delete;

    // Messages for the host's windows go to `client` from now on.
    void attach(StandinClient& client) { client_ = &client; }

    WindowHandle create(const NewWindow& window) override;
    void destroy(WindowHandle window) override;
    std::string text(WindowHandle window) override;
    void setText(WindowHandle window, const std::string& text) override;
    std::vector<WindowHandle> children(WindowHandle parent) override;
    void bringToTop(WindowHandle window) override;
    bool minimized(WindowHandle window) override;
    void hang(WindowHandle frame, double seconds) override;
    double now() override;
    void transcriptChanged(WindowHandle view, const Transcript& transcript, std::size_t droppedFromTop,
                           bool reported) override;

private:
    std::optional<std::intptr_t> dispatch(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                          std::string& text);

    sim::Desktop& desktop_;  // not owned; outlives the host
    StandinClient* client_ = nullptr;  // not owned; set once the client is built
    std::vector<WindowHandle> topLevel_;  // the windows this host made at the top level
    std::map<WindowHandle, std::size_t> scrolledTo_;  // each transcript view's scroll position
};

namespace detail {
// Holds the host so that it is built before the client that uses it.
struct SimHostHolder {
    explicit SimHostHolder(sim::Desktop& desktop) : host(desktop) {}
    SimHost host;
};
}  // namespace detail

class SimStandin : private detail::SimHostHolder, public StandinClient {
public:
    explicit SimStandin(sim::Desktop& desktop, Options options = {});

    // The record, with the windows minimised since the client last got a message
    // noted first (ShowWindow sends the client nothing on the simulated desktop).
    Record& record() {
        syncMinimized();
        return StandinClient::record();
    }

    sim::Desktop& desktop() { return desktop_; }

private:
    sim::Desktop& desktop_;  // not owned
};

}  // namespace lantern::standin
