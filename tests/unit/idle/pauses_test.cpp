// The presence's own pauses, measured in virtual time between the messages around
// them: before the load banner, after a room link, and the chores of every line.

#include <algorithm>

#include "platform/messages.h"
#include "presence_scene.h"

namespace lantern {
namespace {

constexpr double kExact = 1e-4;  // virtual time: each send costs a microsecond, nothing else drifts

class Pauses : public PresenceScene {
protected:
    // The first message sent to `window` at or after `from`, or null.
    const sim::RecordedMessage* firstTo(WindowHandle window, double from) {
        for (const sim::RecordedMessage& m : desktop.messages()) {
            if (m.window == window && m.time >= from) return &m;
        }
        return nullptr;
    }
    // The last message of the given kind, or null.
    const sim::RecordedMessage* last(unsigned message) {
        const auto& all = desktop.messages();
        auto found = std::find_if(all.rbegin(), all.rend(), [&](auto& m) { return m.message == message; });
        return found == all.rend() ? nullptr : &*found;
    }
};

TEST_F(Pauses, TheLoadBannerComesAFifthOfASecondAfterTheCaption) {
    ASSERT_FALSE(startUp());
    const sim::RecordedMessage* caption = nullptr;
    for (const sim::RecordedMessage& m : desktop.messages()) {
        if (m.window == chat->frame() && m.message == msg::SetText && m.text == expected::kStartCaption) caption = &m;
    }
    ASSERT_NE(caption, nullptr) << "no start-up caption";
    const sim::RecordedMessage* typing = firstTo(chat->inputBox(), caption->time);
    ASSERT_NE(typing, nullptr) << "nothing was typed after the caption";
    EXPECT_NEAR(typing->time - caption->time, 0.2, kExact);
}

TEST_F(Pauses, ARoomLinkIsGivenSixTenthsOfASecondBeforeItsKeywordWindowCloses) {
    started();
    for (const char* command : {".pr lounge", ".aim buddy"}) {
        desktop.clearMessages();
        ASSERT_FALSE(says(command));
        const sim::RecordedMessage* close = last(msg::Close);
        ASSERT_NE(close, nullptr) << command << ": the keyword window was not closed";
        // The last click before it is the keyword window's Go.
        const auto& all = desktop.messages();
        auto go = std::find_if(std::make_reverse_iterator(all.begin() + (close - all.data())), all.rend(),
                               [](auto& m) { return m.message == msg::KeyUp; });
        ASSERT_NE(go, all.rend()) << command << ": Go was not clicked";
        EXPECT_NEAR(close->time - go->time, 0.6, kExact) << command;
    }
}

TEST_F(Pauses, EveryLineEndsWithThreeTenthsOfASecondAfterItsChores) {
    started();
    chat->startTransfer(standin::TransferKind::Download);
    for (const char* author : {"Someone Else", kUser}) {
        desktop.clearMessages();
        ASSERT_FALSE(says("hello all", author));
        ASSERT_FALSE(desktop.messages().empty());
        EXPECT_NEAR(desktop.now() - desktop.messages().back().time, 0.3, kExact) << author;
    }
}

}  // namespace
}  // namespace lantern
