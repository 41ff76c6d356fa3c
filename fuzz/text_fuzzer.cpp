// Fuzzes the CP1252 text helpers: lower-casing, "*" patterns, and the conversions
// to and from UTF-8 at the terminal's edge.
//
// Input: byte 0 cuts the rest in two: a pattern (also taken as raw UTF-8), then a
// subject text.

#include <clocale>
#include <cstddef>
#include <cstdint>
#include <cwctype>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"
#include "fuzz_support.h"

namespace lantern::fuzz {
namespace {

// Decodes well-formed UTF-8 only (no overlong forms, no surrogates, nothing past
// U+10FFFF), as the Unicode standard defines it; nothing for anything else.
std::optional<std::vector<char32_t>> decodeStrictUtf8(std::string_view bytes) {
    std::vector<char32_t> points;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int extra = 0;
        char32_t point = lead;
        char32_t least = 0;
        if (lead < 0x80) {
            extra = 0;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1, point = lead & 0x1F, least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2, point = lead & 0x0F, least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3, point = lead & 0x07, least = 0x10000;
        } else {
            return std::nullopt;
        }
        if (i + extra >= bytes.size()) return std::nullopt;  // cut short
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return std::nullopt;
            point = (point << 6) | (next & 0x3F);
        }
        if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return std::nullopt;
        points.push_back(point);
        i += extra + 1;
    }
    return points;
}

// Everything learnt once from the C library and from the byte-by-byte conversion.
struct Tables {
    char32_t codePoint[256] = {};  // what each CP1252 byte stands for
    std::optional<unsigned char> lower[256];  // its lower case, when the C library knows it
};

const Tables& tables() {
    static const Tables built = [] {
        Tables t;
        const bool unicodeLocale = std::setlocale(LC_CTYPE, "C.UTF-8") != nullptr;
        for (int byte = 0; byte < 256; ++byte) {
            const auto points = decodeStrictUtf8(text::cp1252ToUtf8(std::string(1, static_cast<char>(byte))));
            if (!points || points->size() != 1) continue;  // checked per input, with the details
            t.codePoint[byte] = points->front();
        }
        if (!unicodeLocale) return t;
        for (int byte = 0; byte < 256; ++byte) {
            const auto lowered = static_cast<char32_t>(std::towlower(static_cast<wint_t>(t.codePoint[byte])));
            for (int other = 0; other < 256; ++other) {
                if (t.codePoint[other] == lowered) t.lower[byte] = static_cast<unsigned char>(other);
            }
        }
        return t;
    }();
    return built;
}

void checkLowerCase(std::string_view s) {
    const std::string lower = text::toLower(s);
    const std::string context = printable(s) + "\nlower " + printable(lower);
    FUZZ_CHECK(lower.size() == s.size(), context);
    FUZZ_CHECK(text::toLower(lower) == lower, context);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto byte = static_cast<unsigned char>(s[i]);
        const auto expected = tables().lower[byte];
        FUZZ_CHECK(!expected || static_cast<unsigned char>(lower[i]) == *expected,
                   context + "\nat " + std::to_string(i));
    }
}

// Whether `pattern` matches all of `s`, by the table of every prefix pair.
bool slowMatch(std::string_view s, std::string_view pattern) {
    // matches[j]: pattern's first j characters match the part of s read so far.
    std::vector<char> matches(pattern.size() + 1, 0);
    matches[0] = 1;
    for (std::size_t j = 1; j <= pattern.size() && pattern[j - 1] == '*'; ++j) matches[j] = 1;
    for (const char c : s) {
        std::vector<char> next(pattern.size() + 1, 0);
        for (std::size_t j = 1; j <= pattern.size(); ++j) {
            if (pattern[j - 1] == '*') {
                next[j] = next[j - 1] || matches[j];
            } else {
                next[j] = matches[j - 1] && pattern[j - 1] == c;
            }
        }
        matches.swap(next);
    }
    return matches[pattern.size()];
}

void checkPattern(std::string_view s, std::string_view pattern) {
    const std::string context = printable(s) + " ~ " + printable(pattern);
    const bool match = text::matchesPattern(s, pattern);
    if (s.size() * pattern.size() <= (1u << 20)) FUZZ_CHECK(match == slowMatch(s, pattern), context);

    FUZZ_CHECK(text::matchesPattern(s, s), context);
    FUZZ_CHECK(text::matchesPattern(s, "*"), context);
    FUZZ_CHECK(text::matchesPattern(s, "") == s.empty(), context);
    const std::string word = text::removeAll(pattern, "*");
    if (word.size() == pattern.size()) FUZZ_CHECK(match == (s == pattern), context);
    FUZZ_CHECK(text::matchesPattern(s, "*" + word + "*") == text::contains(s, word), context);
}

void checkCp1252ToUtf8(std::string_view s) {
    const std::string utf8 = text::cp1252ToUtf8(s);
    const std::string context = printable(s) + "\nutf-8 " + printable(utf8);
    const auto points = decodeStrictUtf8(utf8);
    FUZZ_CHECK(points && points->size() == s.size(), context);
    for (std::size_t i = 0; i < s.size(); ++i) {
        FUZZ_CHECK((*points)[i] == tables().codePoint[static_cast<unsigned char>(s[i])], context);
    }
    FUZZ_CHECK(text::utf8ToCp1252(utf8) == s, context);
}

void checkUtf8ToCp1252(std::string_view raw) {
    const std::string cp1252 = text::utf8ToCp1252(raw);
    const std::string context = printable(raw) + "\ncp1252 " + printable(cp1252);
    FUZZ_CHECK(cp1252.size() <= raw.size(), context);

    // An ASCII character in the result is that very byte of the input, never one
    // decoded from a longer (overlong) form that would slip past checks on bytes.
    std::size_t counts[128] = {};
    for (const char c : raw) {
        if (static_cast<unsigned char>(c) < 0x80) ++counts[static_cast<unsigned char>(c)];
    }
    for (const char c : cp1252) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || c == '?') continue;
        FUZZ_CHECK(counts[byte] > 0, context);
        --counts[byte];
    }

    // Well-formed UTF-8 converts character by character, '?' for those CP1252 lacks.
    if (const auto points = decodeStrictUtf8(raw)) {
        std::string expected;
        for (const char32_t point : *points) {
            char mapped = '?';
            for (int byte = 0; byte < 256; ++byte) {
                if (tables().codePoint[byte] == point) mapped = static_cast<char>(byte);
            }
            expected += mapped;
        }
        FUZZ_CHECK(cp1252 == expected, context + "\nexpected " + printable(expected));
    }
}

}  // namespace
}  // namespace lantern::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace lantern::fuzz;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::uint8_t share = input.empty() ? 0 : static_cast<std::uint8_t>(input[0]);
    const std::string_view rest = input.substr(input.empty() ? 0 : 1);
    const std::size_t cut = rest.size() * share / 255;
    const std::string_view pattern = rest.substr(0, cut);
    const std::string_view subject = rest.substr(cut);

    checkLowerCase(subject);
    checkPattern(subject, pattern);
    checkCp1252ToUtf8(subject);
    checkUtf8ToCp1252(pattern);
    return 0;
}
