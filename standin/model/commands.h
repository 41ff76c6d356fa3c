#pragma once
// The stand-in client's control commands as text, one command per message, so that
// tests in another process (and the Win32 program's own menu) can drive it. The
// forms are listed in kCommandHelp and in standin/README.md.

#include <string>
#include <string_view>

#include "standin/model/standin_client.h"

namespace lantern::standin {

struct CommandResult {
    bool ok = false;
    std::string message;  // why it failed; "" when it worked
};

// Runs one command. Trailing line breaks and NULs are ignored.
CommandResult runCommand(StandinClient& client, std::string_view command);

extern const char* const kCommandHelp;

}  // namespace lantern::standin
