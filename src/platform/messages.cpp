#include "platform/messages.h"

#include <cstdio>

namespace lantern {

std::string messageName(unsigned message) {
    switch (message) {
#define LANTERN_MESSAGE_CASE(name, value, text) \
    case value:                                 \
        return text;
        LANTERN_MESSAGES(LANTERN_MESSAGE_CASE)
#undef LANTERN_MESSAGE_CASE
    }
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%04X", message);
    return buffer;
}

}  // namespace lantern
