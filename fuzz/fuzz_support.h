#pragma once
// What every fuzz target here shares: a check that stops the run with a message
// (libFuzzer then keeps the input as a crash artifact), and the way an input is cut
// into a few byte strings so that one file can describe a whole scene.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"

namespace lantern::fuzz {

[[noreturn]] inline void fail(const char* file, int line, const char* condition, const std::string& detail) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n%s\n", file, line, condition, detail.c_str());
    std::abort();
}

// Escapes control and high bytes so that a failing text prints on one line.
inline std::string printable(std::string_view bytes) {
    std::string out = "\"";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            out += text::hexEscape(byte);
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// The input as a header byte followed by parts separated by NUL bytes. A NUL never
// reaches a window's text (WM_GETTEXT stops at the first one), so the targets that
// take texts from windows lose nothing by reserving it as the separator.
struct Parts {
    std::uint8_t header = 0;
    std::vector<std::string> texts;  // at least one, possibly empty

    std::string_view text(std::size_t index) const {
        return index < texts.size() ? std::string_view(texts[index]) : std::string_view();
    }
};

inline Parts splitInput(const std::uint8_t* data, std::size_t size) {
    Parts parts;
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    if (!rest.empty()) {
        parts.header = static_cast<std::uint8_t>(rest.front());
        rest.remove_prefix(1);
    }
    for (;;) {
        const std::size_t separator = rest.find('\0');
        parts.texts.emplace_back(rest.substr(0, separator));
        if (separator == std::string_view::npos) break;
        rest.remove_prefix(separator + 1);
    }
    return parts;
}

}  // namespace lantern::fuzz

#define FUZZ_CHECK(condition, detail)                                                    \
    do {                                                                                 \
        if (!(condition)) ::lantern::fuzz::fail(__FILE__, __LINE__, #condition, detail); \
    } while (0)
