#include "bench/support/sim_scene.h"

namespace lantern::bench {

SimScene::SimScene()
    : client(desktop, {.screenName = kSignedOnUser, .rooms = {"Lobby"}}), platform(desktop.platform()) {
    client.record().onEvent = [this](const standin::Event& event) {
        posted += event.kind == standin::EventKind::Posted;
    };
}

void SimScene::clearRecords() {
    desktop.clearMessages();
    client.record().clear();
}

void SimScene::clearRecordsEvery(double seconds) {
    clearRecords();
    desktop.post(seconds, [this, seconds] { clearRecordsEvery(seconds); });
}

}  // namespace lantern::bench
