#pragma once
// How a chat line reads in a failed expectation.

#include <gtest/gtest.h>

#include <ostream>

#include "chatwatch/transcript.h"

namespace lantern {

inline void PrintTo(const ChatLine& line, std::ostream* out) {
    *out << "{" << ::testing::PrintToString(line.screenName) << ", "
         << ::testing::PrintToString(line.text) << "}";
}

}  // namespace lantern
