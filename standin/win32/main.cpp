// standin-client.exe: the stand-in chat client as a real Windows program.
//
//   standin-client.exe [--name <screen name>] [--room <room>] [--log <file>]
//                      [--text-limit <bytes>]
//   standin-client.exe --send "<command>"
//
// The first form runs the client (the log also comes from LANTERN_STANDIN_LOG);
// the second hands one control command to the running client and exits with 0 when
// it was carried out. See standin/README.md.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "standin/model/commands.h"
#include "standin/model/record.h"
#include "standin/model/standin_client.h"
#include "standin/win32/control_window.h"
#include "standin/win32/frame_menu.h"
#include "standin/win32/log_file.h"
#include "standin/win32/win32_host.h"

namespace lantern::standin::win32 {
namespace {

struct Arguments {
    std::string name = "lantern tester";
    std::string room = "Lobby";
    std::string logPath;
    std::optional<std::size_t> textLimit;  // the transcript's byte limit; none: the model's default
    std::optional<std::string> send;
    std::string error;
};

Arguments parseArguments(int argc, char** argv) {
    Arguments arguments;
    if (const char* log = std::getenv("LANTERN_STANDIN_LOG")) arguments.logPath = log;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (i + 1 >= argc) {
            arguments.error = option + " needs a value";
            break;
        }
        std::string value = argv[++i];
        if (option == "--name") {
            arguments.name = value;
        } else if (option == "--room") {
            arguments.room = value;
        } else if (option == "--log") {
            arguments.logPath = value;
        } else if (option == "--text-limit") {
            char* end = nullptr;
            const unsigned long long bytes = std::strtoull(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0') {
                arguments.error = "--text-limit needs a number of bytes";
                break;
            }
            arguments.textLimit = static_cast<std::size_t>(bytes);
        } else if (option == "--send") {
            arguments.send = unescapeFromLog(value);
        } else {
            arguments.error = "unknown option " + option;
            break;
        }
    }
    return arguments;
}

int run(HINSTANCE instance, const Arguments& arguments, int show) {
    LogFile log(arguments.logPath);
    MenuActions actions;
    FrameMenu menu = buildFrameMenu();
    menu.onCommand = [&](int command) { actions.run(command); };
    menu.onTick = [&] { actions.tick(); };
    menu.onFrameDestroyed = [] { PostQuitMessage(0); };

    Win32Host host(instance, menu);
    Options options;
    options.screenName = arguments.name;
    options.rooms = {arguments.room};
    if (arguments.textLimit) {
        // A trim keeps three quarters, as the default limits do (512 KiB down to 384).
        options.transcript.maxBytes = *arguments.textLimit;
        options.transcript.keepBytes = *arguments.textLimit / 4 * 3;
    }
    StandinClient client(host, options);
    host.attach(client);
    actions.attach(client, host);

    // What happened while the windows were made, then every event as it comes; the
    // log is the record, nothing is kept in memory.
    client.record().handOver([&](const Event& event) { log.write(event); });

    ControlWindow control(instance, client, log);
    ShowWindow(host.frame(), show);
    UpdateWindow(host.frame());

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (host.mdiClient() && TranslateMDISysAccel(host.mdiClient(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    client.record().handOver(nullptr);
    return 0;
}

}  // namespace
}  // namespace lantern::standin::win32

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    using namespace lantern::standin::win32;
    Arguments arguments = parseArguments(__argc, __argv);
    if (!arguments.error.empty()) {
        std::fprintf(stderr, "standin-client: %s\n%s", arguments.error.c_str(), lantern::standin::kCommandHelp);
        return 64;
    }
    if (arguments.send) return sendCommand(*arguments.send);
    return run(instance, arguments, show);
}
