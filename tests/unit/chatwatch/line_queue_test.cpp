// The queue of lines waiting for the handler: chores fold, commands stay.

#include "chatwatch/line_queue.h"

#include <gtest/gtest.h>

#include "chat_line_print.h"

namespace lantern {
namespace {

TEST(LineQueue, ChoresFoldIntoTheNewestAndPossibleCommandsStay) {
    struct Case {
        const char* name;
        std::vector<ChatLine> pushed;
        std::optional<std::string> signedOnName;  // then the others' dot-lines fold
        std::vector<ChatLine> pushedAfter;
        std::vector<ChatLine> expected;
        std::uint64_t coalesced;
    };
    const Case cases[] = {
        {"before the name is known",
         {{"Bob", "hi"},
          {"Al", "yo"},
          {"Bob", " .idleon"},
          {"me", ".idleon"},
          {"me", ".idleon"},
          {"Bob", ""},
          {"Al", "bye"}},
         std::nullopt,
         {},
         {{"Bob", " .idleon"}, {"me", ".idleon"}, {"me", ".idleon"}, {"Al", "bye"}},
         3},
        {"others' dot-lines, and later chores join them",
         {{"me", ".pr a"},
          {"Bob", ".end"},
          {"Al", "lol"},
          {"ME", ".end"},
          {"me", ".coms"},
          {"Bob", ".exit"}},
         "me",
         {{"Al", "brb"}},
         {{"me", ".pr a"}, {"ME", ".end"}, {"me", ".coms"}, {"Al", "brb"}},
         3},
        {"nobody signed on",
         {{"me", ".idleon"}, {"Bob", ".end"}},
         "[not online]",
         {},
         {{"Bob", ".end"}},
         1},
    };
    for (const Case& c : cases) {
        LineQueue queue;
        for (const ChatLine& line : c.pushed) {
            queue.push(line);
        }
        if (c.signedOnName) {
            queue.demoteOthers(*c.signedOnName);
        }
        for (const ChatLine& line : c.pushedAfter) {
            queue.push(line);
        }
        EXPECT_EQ(queue.coalesced(), c.coalesced) << c.name;
        std::vector<ChatLine> popped;
        while (std::optional<ChatLine> line = queue.pop()) {
            popped.push_back(*line);
        }
        EXPECT_EQ(popped, c.expected) << c.name;
    }
}

}  // namespace
}  // namespace lantern
