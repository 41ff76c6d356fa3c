#pragma once
// Text as the program keeps it: std::string of CP1252 bytes, one byte a character,
// exactly as it crosses to the client's windows and the registry through the ANSI
// calls. Accented letters in literals are written as single bytes ("lant\xE8rn").
// Conversions happen only at edges that need another encoding (the terminal).

#include <string>
#include <string_view>

namespace lantern::text {

// Every letter lower-cased, accented CP1252 letters included ("\xC8" -> "\xE8");
// nothing else changed.
std::string toLower(std::string_view s);

// Whether `word` stands anywhere in `s` (exact, case-sensitive).
bool contains(std::string_view s, std::string_view word);

// `s` from its `position`-th character on (1-based); "" when it is shorter.
std::string from(std::string_view s, std::size_t position);

// Every occurrence of `what` removed.
std::string removeAll(std::string_view s, std::string_view what);

// "*" matches any run of characters; every other character stands for itself.
bool matchesPattern(std::string_view s, std::string_view pattern);

// Case-insensitive comparison for window class names (ASCII letters).
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// The text that a chat room shows for a line of mark-up: every tag, from "<" to the
// next ">", removed; a "<" with no ">" after it is kept as text.
std::string stripMarkup(std::string_view markup);

// The value of a hexadecimal digit of either case, or -1 for any other character.
int hexDigit(char c);
// "\xHH" for a byte, upper-case digits: how logs and failure messages show bytes.
std::string hexEscape(unsigned char byte);

// CP1252 to UTF-8 and back (characters with no CP1252 form become '?').
std::string cp1252ToUtf8(std::string_view s);
std::string utf8ToCp1252(std::string_view s);

}  // namespace lantern::text
