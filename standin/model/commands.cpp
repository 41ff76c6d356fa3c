#include "standin/model/commands.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <optional>

namespace lantern::standin {

const char* const kCommandHelp =
    "say <name>\\t<text>            another member says <text> in the room on top\n"
    "say-in <room>\\t<name>\\t<text>  the same in a named room\n"
    "type <text>                   puts <text> in the top room's input box, unsent\n"
    "send <text>                   the signed-on user types <text> and presses Enter\n"
    "signon <name>                 signs on (or switches) to <name>\n"
    "signoff                       signs off\n"
    "room open|close|top <name>    opens, closes or brings a chat room to the top\n"
    "download start [<file>[\\t<bytes>]] | stop | progress <percent>\n"
    "upload start [<file>[\\t<bytes>]] | stop | progress <percent>\n"
    "hang <seconds>                the client stops answering for a while\n";

namespace {

CommandResult done(bool ok, const char* failure) {
    return ok ? CommandResult{true, ""} : CommandResult{false, failure};
}

CommandResult failed(std::string message) { return {false, std::move(message)}; }

struct Split {
    std::string_view head, rest;
    bool found = false;  // whether the separator was there
};

// Splits "head<separator>rest"; with no separator the head is everything.
Split splitAt(std::string_view s, char separator) {
    std::size_t at = s.find(separator);
    if (at == std::string_view::npos) return {s, {}, false};
    return {s.substr(0, at), s.substr(at + 1), true};
}

std::optional<long long> wholeNumber(std::string_view s) {
    std::string digits(s);
    if (digits.empty()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    long long value = std::strtoll(digits.c_str(), &end, 10);
    if (errno || *end != '\0') return std::nullopt;
    return value;
}

std::optional<double> realNumber(std::string_view s) {
    std::string digits(s);
    if (digits.empty()) return std::nullopt;
    char* end = nullptr;
    double value = std::strtod(digits.c_str(), &end);
    if (*end != '\0') return std::nullopt;
    return value;
}

CommandResult runSay(StandinClient& client, std::string_view rest, bool namedRoom) {
    std::string_view room;
    if (namedRoom) {
        Split roomAndRest = splitAt(rest, '\t');
        if (!roomAndRest.found) return failed("say-in needs <room>\\t<name>\\t<text>");
        room = roomAndRest.head;
        rest = roomAndRest.rest;
    }
    Split nameAndText = splitAt(rest, '\t');
    if (!nameAndText.found || nameAndText.head.empty()) return failed("say needs <name>\\t<text>");
    bool said = client.say(std::string(nameAndText.head), std::string(nameAndText.rest), std::string(room));
    return done(said, "no such room");
}

CommandResult runRoom(StandinClient& client, std::string_view rest) {
    Split split = splitAt(rest, ' ');
    std::string_view action = split.head;
    std::string room(split.rest);
    if (room.empty()) return failed("room needs a name");
    if (action == "open" || action == "top") return done(client.openRoom(room), "the client is closed");
    if (action == "close") return done(client.closeRoom(room), "no such room");
    return failed("room open|close|top <name>");
}

CommandResult runTransfer(StandinClient& client, TransferKind kind, std::string_view rest) {
    Split split = splitAt(rest, ' ');
    std::string_view action = split.head, argument = split.rest;
    if (action == "start") {
        Split fileAndSize = splitAt(argument, '\t');
        std::string_view file = fileAndSize.head, size = fileAndSize.rest;
        std::uint64_t bytes = 0;
        if (!size.empty()) {
            auto number = wholeNumber(size);
            if (!number || *number <= 0) return failed("the size must be a whole number of bytes");
            bytes = static_cast<std::uint64_t>(*number);
        }
        return done(client.startTransfer(kind, std::string(file), bytes), "the client is closed");
    }
    if (action == "stop") return done(client.stopTransfer(kind), "no such transfer is running");
    if (action == "progress") {
        auto percent = wholeNumber(argument);
        if (!percent) return failed("progress needs a percentage");
        auto clamped = static_cast<int>(std::max(-1LL, std::min(*percent, 101LL)));
        return done(client.setTransferProgress(kind, clamped), "no such transfer is running");
    }
    return failed("start, stop or progress <percent>");
}

}  // namespace

CommandResult runCommand(StandinClient& client, std::string_view command) {
    while (!command.empty() && (command.back() == '\0' || command.back() == '\r' || command.back() == '\n')) {
        command.remove_suffix(1);
    }
    Split split = splitAt(command, ' ');
    std::string_view verb = split.head, rest = split.rest;
    if (verb == "say") return runSay(client, rest, false);
    if (verb == "say-in") return runSay(client, rest, true);
    if (verb == "type") return done(client.type(std::string(rest)), "no chat room is open");
    if (verb == "send")
        return done(client.send(std::string(rest)), "no chat room, nobody signed on, or nothing to send");
    if (verb == "signon") return done(client.signOn(std::string(rest)), "signon needs a screen name");
    if (verb == "signoff") return done(client.signOff(), "nobody is signed on");
    if (verb == "room") return runRoom(client, rest);
    if (verb == "download") return runTransfer(client, TransferKind::Download, rest);
    if (verb == "upload") return runTransfer(client, TransferKind::Upload, rest);
    if (verb == "hang") {
        auto seconds = realNumber(rest);
        if (!seconds || !(*seconds > 0)) return failed("hang needs a number of seconds above 0");
        return done(client.hang(*seconds), "the client is closed");
    }
    return failed("unknown command: " + std::string(verb));
}

}  // namespace lantern::standin
