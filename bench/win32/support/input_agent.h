#pragma once
// Real input for the benchmarks: a program under Wine cannot start xdotool, so
// scripts/bench-win32.sh runs an agent beside it that does, one loopback connection
// a request ("xdotool<TAB>arg...<LF>", answered "<exit code><TAB><output><LF>"), on
// the port named by LANTERN_INPUT_AGENT. Keys and clicks go to the window under
// the pointer (there is no window manager).

#include <string>
#include <vector>

namespace lantern::bench {

// Whether an agent was named in the environment.
bool inputAgentPresent();

// Runs `xdotool <arguments>` through the agent; whether it ran and exited with 0.
bool xdotool(const std::vector<std::string>& arguments);

}  // namespace lantern::bench
