// lantern-demo: plays a short session of lantern-idle against the stand-in client
// on the simulated desktop, in virtual time, and shows the chat room.
//
//   lantern-demo            colours when stdout is a terminal, plain text otherwise
//   lantern-demo --raw      also the raw mark-up of every posted line
//   lantern-demo --plain | --color

#include <unistd.h>

#include <cstring>
#include <iostream>

#include "app/demo/demo_session.h"

int main(int argc, char** argv) {
    using namespace lantern;
    demo::DemoOptions options;
    options.rendering = isatty(STDOUT_FILENO) ? terminal::Rendering::Ansi : terminal::Rendering::Plain;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--raw") == 0) {
            options.showRawMarkup = true;
        } else if (std::strcmp(argv[i], "--plain") == 0) {
            options.rendering = terminal::Rendering::Plain;
        } else if (std::strcmp(argv[i], "--color") == 0) {
            options.rendering = terminal::Rendering::Ansi;
        } else {
            std::cerr << "usage: lantern-demo [--raw] [--plain | --color]\n";
            return 2;
        }
    }
    std::cout << "lantern-idle against the stand-in chat client, on the simulated desktop (virtual time)\n";
    demo::DemoSession session(options);
    int posted = session.run(demo::demoScript());
    std::cout << "\n" << posted << " lines posted into the room.\n";
    return 0;
}
