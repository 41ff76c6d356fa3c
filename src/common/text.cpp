#include "common/text.h"

#include <array>

namespace lantern::text {

namespace {

// CP1252 upper-case letters above 0x7F and their lower-case forms.
unsigned char lowerByte(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);  // À..Þ but ×
    switch (c) {
    case 0x8A:
        return 0x9A;  // Š
    case 0x8C:
        return 0x9C;  // Œ
    case 0x8E:
        return 0x9E;  // Ž
    case 0x9F:
        return 0xFF;  // Ÿ
    default:
        return c;
    }
}

// Unicode code points of CP1252 0x80..0x9F; 0 where the code page has a hole.
constexpr std::array<char32_t, 32> kHighControls = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t codePointOf(unsigned char c) {
    if (c >= 0x80 && c <= 0x9F) {
        char32_t cp = kHighControls[c - 0x80];
        return cp ? cp : c;  // the holes map to the C1 controls, as Windows does
    }
    return c;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char cp1252Of(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == cp) return static_cast<char>(0x80 + i);
    }
    // Only the holes stand for their C1 control; U+0097 is no em dash (0x97).
    if (cp >= 0x80 && cp <= 0x9F && kHighControls[cp - 0x80] == 0) return static_cast<char>(cp);
    return '?';
}

}  // namespace

std::string toLower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(lowerByte(static_cast<unsigned char>(c)));
    return out;
}

bool contains(std::string_view s, std::string_view word) { return s.find(word) != std::string_view::npos; }

std::string from(std::string_view s, std::size_t position) {
    if (position == 0) position = 1;
    if (position > s.size()) return {};
    return std::string(s.substr(position - 1));
}

std::string removeAll(std::string_view s, std::string_view what) {
    std::string out(s);
    if (what.empty()) return out;
    for (std::size_t at = out.find(what); at != std::string::npos; at = out.find(what, at)) {
        out.erase(at, what.size());
    }
    return out;
}

bool matchesPattern(std::string_view s, std::string_view pattern) {
    // Iterative wildcard match with one backtrack point for the last '*'.
    std::size_t si = 0, pi = 0, star = std::string_view::npos, mark = 0;
    while (si < s.size()) {
        if (pi < pattern.size() && pattern[pi] == '*') {
            star = pi++;
            mark = si;
        } else if (pi < pattern.size() && pattern[pi] == s[si]) {
            ++pi;
            ++si;
        } else if (star != std::string_view::npos) {
            pi = star + 1;
            si = ++mark;
        } else {
            return false;
        }
    }
    while (pi < pattern.size() && pattern[pi] == '*') ++pi;
    return pi == pattern.size();
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::string stripMarkup(std::string_view markup) {
    std::string out;
    out.reserve(markup.size());
    for (std::size_t i = 0; i < markup.size();) {
        if (markup[i] == '<') {
            const std::size_t close = markup.find('>', i);
            if (close != std::string_view::npos) {
                i = close + 1;
                continue;
            }
        }
        out += markup[i++];
    }
    return out;
}

std::string cp1252ToUtf8(std::string_view s) {
    std::string out;
    out.reserve(s.size() + s.size() / 4);
    for (char c : s) appendUtf8(out, codePointOf(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8ToCp1252(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        auto c = static_cast<unsigned char>(s[i]);
        int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
        if (extra < 0 || (extra > 0 && i + extra >= s.size())) {  // bad lead byte or cut short
            out += '?';
            ++i;
            continue;
        }
        char32_t cp = extra == 0 ? c : (c & (0x3F >> extra));
        bool valid = true;
        for (int k = 1; k <= extra; ++k) {
            auto next = static_cast<unsigned char>(s[i + k]);
            if ((next & 0xC0) != 0x80) valid = false;
            cp = (cp << 6) | (next & 0x3F);
        }
        // An overlong form ("\xC0\xBC" for '<') is no character: decoding it would let
        // a byte through that a check on the plain bytes never saw.
        constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        if (!valid || cp < kLeast[extra]) {
            out += '?';
            ++i;
            continue;
        }
        out += cp1252Of(cp);
        i += extra + 1;
    }
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string hexEscape(unsigned char byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {'\\', 'x', kDigits[byte >> 4], kDigits[byte & 0xF]};
}

}  // namespace lantern::text
