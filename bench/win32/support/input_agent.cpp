#include "bench/win32/support/input_agent.h"

#include <winsock2.h>  // before <windows.h>

#include <cstdlib>

namespace lantern::bench {

bool inputAgentPresent() { return std::getenv("LANTERN_INPUT_AGENT") != nullptr; }

bool xdotool(const std::vector<std::string>& arguments) {
    static WSADATA winsock;
    static const bool started = WSAStartup(MAKEWORD(2, 2), &winsock) == 0;
    const char* port = std::getenv("LANTERN_INPUT_AGENT");
    if (!started || !port) {
        return false;
    }
    std::string request = "xdotool";
    for (const std::string& argument : arguments) {
        request += "\t" + argument;
    }
    request += "\n";
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<u_short>(std::atoi(port)));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const SOCKET agent = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    std::string answer;
    if (!connect(agent, reinterpret_cast<const sockaddr*>(&to), sizeof to) &&
        send(agent, request.data(), static_cast<int>(request.size()), 0) == static_cast<int>(request.size())) {
        char buffer[1024];
        for (int n = 0; answer.find('\n') == std::string::npos && (n = recv(agent, buffer, sizeof buffer, 0)) > 0;) {
            answer.append(buffer, static_cast<std::size_t>(n));
        }
    }
    closesocket(agent);
    return answer.find('\t') != std::string::npos && std::atoi(answer.c_str()) == 0;
}

}  // namespace lantern::bench
