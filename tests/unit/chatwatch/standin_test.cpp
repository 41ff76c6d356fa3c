// The watcher against the stand-in client: its transcript, its trimming in chunks
// and its welcome window, read by the watcher's own default for the signed-on name.

#include <gtest/gtest.h>

#include "chat_line_print.h"
#include "chatwatch/chat_watcher.h"
#include "standin/sim/sim_standin.h"

namespace lantern {
namespace {

TEST(ChatWatcherWithStandin, TheUsersCommandsComeThroughAFloodInTheTrimmingClient) {
    sim::Desktop desktop;
    standin::Options options;
    options.screenName = "Lantern Tester";
    options.transcript = {40, 25};
    standin::SimStandin client(desktop, options);
    Platform platform = desktop.platform();
    std::vector<ChatLine> mine;
    std::size_t handled = 0;
    ChatWatcher watcher(platform, [&](const std::string& name, const std::string& text) {
        ++handled;
        if (name == "Lantern Tester") {
            mine.push_back({name, text});
        }
        desktop.events().waitForEvents(0.3);  // the chores' pause
    });
    client.say("Early Bird", ".end");  // before the start: old
    watcher.start();

    std::vector<ChatLine> expected;
    for (int i = 0; i < 1500; ++i) {
        desktop.post(0.02 * i, [&client, i] {
            client.say(i % 2 ? "Spammer" : "Lantern Tester ",
                       ".end <b>" + std::to_string(i) + "</b>");
        });
        if (i % 100 == 50) {
            const std::string command = ".pr room " + std::to_string(i);
            expected.push_back({"Lantern Tester", command});
            desktop.post(0.02 * i + 0.01, [&client, command] { client.send(command); });
        }
    }
    desktop.runFor(60);
    EXPECT_EQ(mine, expected);
    EXPECT_LT(handled, 400u);
    EXPECT_EQ(watcher.stats().linesSeen, 1500u + expected.size());
    EXPECT_LE(watcher.stats().queuePeak, 64u);
}

}  // namespace
}  // namespace lantern
