#pragma once
// The simulated desktop with the stand-in client on it, signed on in one room, as
// every benchmark on the simulated desktop starts. The desktop records every
// message and the stand-in every event; over a long run those records are the
// harness's memory and time, not the program's, so the scene can empty them at a
// steady pace of virtual time.

#include <cstdint>

#include "platform/sim/desktop.h"
#include "standin/sim/sim_standin.h"

namespace lantern::bench {

inline constexpr const char* kSignedOnUser = "lantern tester";

class SimScene {
public:
    SimScene();
    SimScene(const SimScene&) = delete;
    SimScene& operator=(const SimScene&) = delete;

    // Empties both records now, and then every `seconds` of virtual time.
    void clearRecordsEvery(double seconds);
    void clearRecords();

    sim::Desktop desktop;
    standin::SimStandin client;
    Platform platform;  // the desktop's seams, for whatever runs on it
    std::uint64_t posted = 0;  // lines the signed-on user posted, records emptied or not
};

}  // namespace lantern::bench
