// The queue of lines waiting for the handler: chores fold, commands stay.

#include "chatwatch/line_queue.h"

#include <gtest/gtest.h>

#include "chat_line_print.h"

namespace lantern {
namespace {

std::vector<ChatLine> drain(LineQueue& queue) {
    std::vector<ChatLine> lines;
    while (std::optional<ChatLine> line = queue.pop()) {
        lines.push_back(*line);
    }
    return lines;
}

TEST(LineQueue, LinesThatCannotBeCommandsFoldIntoTheNewest) {
    LineQueue queue;
    for (const ChatLine& line : std::vector<ChatLine>{{"Bob", "hi"},
                                                      {"Al", "yo"},
                                                      {"Bob", " .idleon"},  // a space first: no command
                                                      {"me", ".idleon"},
                                                      {"me", ".idleon"},
                                                      {"Bob", ""},
                                                      {"Al", "bye"}}) {
        queue.push(line);
    }
    EXPECT_EQ(queue.coalesced(), 3u);
    EXPECT_EQ(queue.peak(), 4u);
    EXPECT_EQ(drain(queue), (std::vector<ChatLine>{{"Bob", " .idleon"},
                                                   {"me", ".idleon"},
                                                   {"me", ".idleon"},
                                                   {"Al", "bye"}}));
}

TEST(LineQueue, OtherAuthorsDotLinesFoldOnceTheSignedOnNameIsKnown) {
    LineQueue queue;
    for (const ChatLine& line : std::vector<ChatLine>{{"me", ".pr a"},
                                                      {"Bob", ".end"},
                                                      {"Al", "lol"},
                                                      {"ME", ".end"},  // case differs: someone else
                                                      {"me", ".coms"},
                                                      {"Bob", ".exit"}}) {
        queue.push(line);
    }
    queue.demoteOthers("me");
    EXPECT_EQ(queue.coalesced(), 2u);
    // A chores line pushed now joins the folded tail rather than queueing anew.
    queue.push({"Al", "brb"});
    EXPECT_EQ(drain(queue), (std::vector<ChatLine>{{"me", ".pr a"},
                                                   {"ME", ".end"},
                                                   {"me", ".coms"},
                                                   {"Al", "brb"}}));
}

TEST(LineQueue, NobodySignedOnFoldsEverything) {
    LineQueue queue;
    queue.push({"me", ".idleon"});
    queue.push({"Bob", ".end"});
    queue.demoteOthers("[not online]");
    EXPECT_EQ(drain(queue), (std::vector<ChatLine>{{"Bob", ".end"}}));
}

}  // namespace
}  // namespace lantern
