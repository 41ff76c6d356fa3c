#pragma once
// The test side of the input agent (input_agent.py): the real mouse and keyboard are
// driven by xdotool on the X server that Wine draws on, which a Windows program
// cannot start itself, so each request goes to the agent over loopback TCP.

#include <string>
#include <vector>

namespace lantern::e2e {

struct AgentAnswer {
    int exitCode = -1;   // xdotool's exit code; -1 when the agent could not be asked
    std::string output;  // what it printed (newlines kept as "\n")
    bool ok() const { return exitCode == 0; }
};

class InputAgent {
public:
    // The agent's address from LANTERN_INPUT_AGENT ("127.0.0.1:<port>"), which
    // run.sh sets; empty when it is not set.
    static std::string addressFromEnvironment();

    explicit InputAgent(std::string address) : address_(std::move(address)) {}

    // Runs xdotool with these arguments and waits for it to end.
    AgentAnswer xdotool(const std::vector<std::string>& arguments) const;
    // Saves a picture of the whole screen under `name` in the agent's folder.
    AgentAnswer screenshot(const std::string& name) const;

private:
    AgentAnswer ask(const std::vector<std::string>& fields) const;

    std::string address_;
};

}  // namespace lantern::e2e
