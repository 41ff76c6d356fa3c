#pragma once
// The commands list (frmComs): the dot-commands the user can type in the chat room.
// Created and loaded on first use; while it exists, showing it again only shows it.

#include <array>

#include "idle/presence.h"
#include "ui/form_slot.h"

namespace lantern {

inline constexpr std::array<const char*, 7> kCommandLines = {
    ".idleon - turns idle on", ".idleoff - turns idle off", ".end - closes program", ".exit - closes program",
    ".pr * - go to pr *",      ".aim * - go to aim chat *", ".coms - shows this",
};

class CommandsList : public ReopenableWindow {
public:
    CommandsList(Platform& platform, Client& client);

private:
    void createAndLoad() override;

    Platform& platform_;  // not owned
    Client& client_;  // not owned
};

}  // namespace lantern
