// Start-up against the real stand-in: the frame's caption, the load banner, the
// exact messages that typed it into the room's input box, and the settings stored
// beforehand with reg.exe.

#include <cstdio>

#include "e2e/expected_lines.h"
#include "e2e/harness.h"

namespace lantern::e2e {
namespace {

struct InputMessage {
    std::string message;
    std::string wParam;
    std::string text;
};

std::vector<InputMessage> messagesOf(const std::vector<LogEntry>& entries) {
    std::vector<InputMessage> messages;
    for (const LogEntry& entry : entries) messages.push_back({entry.field(1), entry.field(2), entry.field(3)});
    return messages;
}

std::string describe(const std::vector<InputMessage>& expected, const std::vector<LogEntry>& actual) {
    std::string out = "  expected                         | actual\n";
    for (std::size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
        char row[160];
        std::snprintf(row, sizeof row, "  %-18s %-6s", i < expected.size() ? expected[i].message.c_str() : "-",
                      i < expected.size() ? expected[i].wParam.c_str() : "");
        out += row;
        out += i < expected.size() ? " \"" + printable(expected[i].text).substr(0, 40) + "\"" : "";
        out += " | ";
        if (i < actual.size()) out += describe(actual[i], 40) + " at " + std::to_string(actual[i].ms);
        out += "\n";
    }
    return out;
}

// Wine answers an ANSI program's WM_GETTEXTLENGTH to another process's window by
// fetching the text once more from the asking process: one extra WM_GETTEXT right
// after the length may reach the box. Exactly that one is dropped.
std::vector<LogEntry> withoutWineExtraGetText(std::vector<LogEntry> entries) {
    for (std::size_t i = 0; i + 2 < entries.size(); ++i) {
        if (entries[i].field(1) == "WM_GETTEXTLENGTH" && entries[i + 1].field(1) == "WM_GETTEXT" &&
            entries[i + 2].field(1) == "WM_GETTEXT") {
            entries.erase(entries.begin() + static_cast<long>(i) + 1);
            break;
        }
    }
    return entries;
}

std::vector<LogEntry> since(std::vector<LogEntry> entries, long long ms) {
    std::erase_if(entries, [&](const LogEntry& entry) { return entry.ms < ms; });
    return entries;
}

double secondsBetween(const LogEntry& earlier, const LogEntry& later) {
    return static_cast<double>(later.ms - earlier.ms) / 1000.0;
}

using StartUp = EndToEnd;

TEST_F(StartUp, MarksTheFramePostsTheLoadBannerAndGivesTheTypedTextBack) {
    startStandin();
    const std::string typed = "half a thought";
    ASSERT_TRUE(command("type " + typed));
    const long long started = nowMs();
    startAddOn();
    waitForStartUp();

    const std::string banner = loadBanner(defaultPrefix("000000"), Colours{});
    EXPECT_EQ(log().posted(), std::vector<std::string>{banner}) << "expected: " << printable(banner);

    EXPECT_EQ(printable(caption(frame())), printable(kStartCaption));
    std::vector<std::string> captions;
    for (const LogEntry& entry : since(log().entries("caption"), started)) captions.push_back(entry.field(0));
    EXPECT_EQ(captions, (std::vector<std::string>{"", kStartCaption})) << "the caption goes in with two WM_SETTEXT";

    const std::vector<InputMessage> expected = {
        {"WM_GETTEXTLENGTH", "0", ""},
        {"WM_GETTEXT", std::to_string(typed.size() + 1), typed},
        {"WM_SETTEXT", "0", ""},
        {"WM_SETTEXT", "0", ""},
        {"WM_SETTEXT", "0", ""},
        {"WM_SETTEXT", "0", banner},
        {"WM_CHAR", "13", ""},
        {"WM_SETTEXT", "0", ""},
        {"WM_SETTEXT", "0", typed},
    };
    const std::vector<LogEntry> actual = withoutWineExtraGetText(since(log().inputs(), started));
    const std::vector<InputMessage> got = messagesOf(actual);
    const bool same = got.size() == expected.size() &&
                      std::equal(got.begin(), got.end(), expected.begin(), [](const auto& a, const auto& b) {
                          return a.message == b.message && a.wParam == b.wParam && a.text == b.text;
                      });
    ASSERT_TRUE(same) << describe(expected, actual);

    // The pauses between clearing the box, typing the line, Enter, and the text
    // coming back: about 0.3, 0.3 and 0.4 seconds (wide margins under Wine).
    const double pauses[] = {secondsBetween(actual[3], actual[4]), secondsBetween(actual[5], actual[6]),
                             secondsBetween(actual[6], actual[7])};
    const double planned[] = {0.3, 0.3, 0.4};
    for (int i = 0; i < 3; ++i) {
        EXPECT_GE(pauses[i], planned[i] - 0.05) << "pause " << i << " too short";
        EXPECT_LE(pauses[i], planned[i] + 2.0) << "pause " << i << " far too long";
    }
    std::printf("pauses while posting: %.3f %.3f %.3f s\n", pauses[0], pauses[1], pauses[2]);

    EXPECT_EQ(controlText(inputBox()), typed) << "the user's half-typed text is not back";
}

struct StoredSettings {
    const char* name;
    std::vector<std::vector<std::string>> regAdds;  // name, type, data
    std::string prefix;
    Colours colours;
};

class StoredSettingsShapeTheBanner : public EndToEnd, public ::testing::WithParamInterface<StoredSettings> {};

TEST_P(StoredSettingsShapeTheBanner, AsTheUserStoredThem) {
    for (const std::vector<std::string>& value : GetParam().regAdds) {
        ASSERT_TRUE(regAdd(value[0], value[1], value[2])) << "reg.exe add " << value[0] << " failed";
    }
    startStandin();
    startAddOn();
    waitForStartUp();
    const std::string expected = loadBanner(GetParam().prefix, GetParam().colours);
    const std::vector<std::string> posted = log().posted();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(printable(posted[0]), printable(expected));
}

const std::string kStoredPrefix = "<font face=Arial><font color=#00ff00>\xE9t\xE9</font><font face=Tahoma> ";

INSTANTIATE_TEST_SUITE_P(
    Registry, StoredSettingsShapeTheBanner,
    ::testing::Values(
        // A number where a colour belongs reads as not set: the default second colour.
        StoredSettings{"ColoursAndANumber",
                       {{"asciiCol", "REG_SZ", "9900cc"},
                        {"firstColor", "REG_SZ", "0066cc"},
                        {"secondColor", "REG_DWORD", "255"}},
                       defaultPrefix("9900cc"),
                       {"9900cc", "0066cc", "000066"}},
        // A stored prefix is used as it is, whatever the stored ascii colour says.
        StoredSettings{"StoredPrefix",
                       {{"ascii", "REG_SZ", kStoredPrefix},
                        {"asciiCol", "REG_SZ", "9900cc"},
                        {"secondColor", "REG_SZ", "336633"}},
                       kStoredPrefix,
                       {"9900cc", "ff3300", "336633"}}),
    [](const ::testing::TestParamInfo<StoredSettings>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace lantern::e2e
