#include "e2e_input/input_agent.h"

#include <winsock2.h>

#include <cstdlib>

namespace lantern::e2e {
namespace {

// Long enough for xdotool to end a command that itself waits (a mouse move with a
// sync); the agent gives up on a command after 30 seconds.
constexpr DWORD kAnswerTimeoutMs = 40000;

// Winsock is started once for the whole run and never stopped: the process ends.
bool winsockStarted() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

// One connection, closed whatever happens.
class Connection {
public:
    Connection() : socket_(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)) {}
    ~Connection() {
        if (socket_ != INVALID_SOCKET) closesocket(socket_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool open(const std::string& address) {
        const std::size_t colon = address.rfind(':');
        if (socket_ == INVALID_SOCKET || colon == std::string::npos) return false;
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(static_cast<u_short>(std::atoi(address.c_str() + colon + 1)));
        to.sin_addr.s_addr = inet_addr(address.substr(0, colon).c_str());
        DWORD timeout = kAnswerTimeoutMs;
        setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
        return connect(socket_, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0;
    }

    bool sendAll(const std::string& bytes) {
        for (std::size_t sent = 0; sent < bytes.size();) {
            const int n = send(socket_, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
            if (n <= 0) return false;
            sent += static_cast<std::size_t>(n);
        }
        return true;
    }

    // Everything up to the first newline; empty when the agent hung up or timed out.
    std::string readLine() {
        std::string line;
        char buffer[1024];
        for (;;) {
            const int n = recv(socket_, buffer, sizeof buffer, 0);
            if (n <= 0) return {};
            line.append(buffer, static_cast<std::size_t>(n));
            const std::size_t end = line.find('\n');
            if (end != std::string::npos) return line.substr(0, end);
        }
    }

private:
    SOCKET socket_;  // owned: closed in the destructor
};

}  // namespace

std::string InputAgent::addressFromEnvironment() {
    const char* address = std::getenv("LANTERN_INPUT_AGENT");
    return address ? address : "";
}

AgentAnswer InputAgent::xdotool(const std::vector<std::string>& arguments) const {
    std::vector<std::string> fields{"xdotool"};
    fields.insert(fields.end(), arguments.begin(), arguments.end());
    return ask(fields);
}

AgentAnswer InputAgent::screenshot(const std::string& name) const { return ask({"screenshot", name}); }

AgentAnswer InputAgent::ask(const std::vector<std::string>& fields) const {
    AgentAnswer answer;
    if (!winsockStarted()) {
        answer.output = "Winsock did not start";
        return answer;
    }
    std::string request;
    for (const std::string& field : fields) request += (request.empty() ? "" : "\t") + field;
    Connection connection;
    if (!connection.open(address_) || !connection.sendAll(request + "\n")) {
        answer.output = "the input agent at '" + address_ + "' did not answer";
        return answer;
    }
    const std::string line = connection.readLine();
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) {
        answer.output = "the input agent hung up on: " + request;
        return answer;
    }
    answer.exitCode = std::atoi(line.substr(0, tab).c_str());
    answer.output = line.substr(tab + 1);
    return answer;
}

}  // namespace lantern::e2e
