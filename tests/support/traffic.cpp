#include "support/traffic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "platform/messages.h"

namespace lantern::test {

namespace {

std::string describe(const Sent& m) {
    return "#" + std::to_string(m.window) + " " + messageName(m.message) + " " + std::to_string(m.wParam) + " \"" +
           m.text + "\"" + (m.at >= 0 ? " @" + std::to_string(m.at) : "") + (m.delivered ? "" : " (lost)");
}

bool timeFits(const Traffic& expected, const Traffic& actual, std::size_t i, Timing timing) {
    double want = expected[i].at, got = actual[i].at;
    if (want < 0) return true;
    if (timing.gaps) {
        if (i == 0 || expected[i - 1].at < 0) return true;
        want -= expected[i - 1].at;
        got -= actual[i - 1].at;
    }
    return got >= want - timing.early && got <= want + timing.late;
}

}  // namespace

void expectTraffic(const Traffic& expected, const Traffic& actual, Timing timing, std::source_location caller) {
    bool same = actual.size() == expected.size();
    std::ostringstream table;
    for (std::size_t i = 0; i < std::max(actual.size(), expected.size()); ++i) {
        const Sent* e = i < expected.size() ? &expected[i] : nullptr;
        const Sent* a = i < actual.size() ? &actual[i] : nullptr;
        const bool match = e && a && (e->window == 0 || e->window == a->window) && e->message == a->message &&
                           e->wParam == a->wParam && e->text == a->text && timeFits(expected, actual, i, timing);
        same = same && match;
        table << (match ? "  " : "* ") << (e ? describe(*e) : "(none)") << "  |  " << (a ? describe(*a) : "(none)")
              << "\n";
    }
    if (!same) {
        ADD_FAILURE_AT(caller.file_name(), static_cast<int>(caller.line()))
            << "message traffic\n  expected  |  actual (* where they differ)\n"
            << table.str();
    }
}

Traffic sendChatTraffic(const std::string& typed, const std::string& line) {
    return {{0, msg::GetTextLength, 0, "", 0.0}, {0, msg::GetText, typed.size() + 1, typed, 0.0},
            {0, msg::SetText, 0, "", 0.0},       {0, msg::SetText, 0, "", 0.0},
            {0, msg::SetText, 0, "", 0.3},       {0, msg::SetText, 0, line, 0.3},
            {0, msg::Char, kVkReturn, "", 0.6},  {0, msg::SetText, 0, "", 1.0},
            {0, msg::SetText, 0, typed, 1.0}};
}

unsigned messageNumber(const std::string& name) {
#define LANTERN_MESSAGE_NUMBER(id, value, text) \
    if (name == text) return value;
    LANTERN_MESSAGES(LANTERN_MESSAGE_NUMBER)
#undef LANTERN_MESSAGE_NUMBER
    return 0;
}

}  // namespace lantern::test
