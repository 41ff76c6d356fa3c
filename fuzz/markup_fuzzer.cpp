// Fuzzes the stand-in client's reading of chat mark-up: the plain text a transcript
// shows and the styled runs a window draws. The whole input is the mark-up.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"
#include "fuzz_support.h"
#include "standin/model/markup.h"

namespace lantern::fuzz {
namespace {

using standin::StyledRun;

// Where the first "<" stands that no ">" follows: a tag that never closed, so plain
// text from there on. npos when every "<" is closed.
std::size_t firstUnclosed(std::string_view markup) {
    const std::size_t lastClose = markup.rfind('>');
    return markup.find('<', lastClose == std::string_view::npos ? 0 : lastClose + 1);
}

bool isSubsequence(std::string_view part, std::string_view whole) {
    std::size_t at = 0;
    for (const char c : whole) {
        if (at < part.size() && part[at] == c) ++at;
    }
    return at == part.size();
}

void checkStripped(std::string_view markup) {
    const std::string context = printable(markup);
    const std::string plain = standin::stripTags(markup);

    // Only whole tags go: the plain text is the mark-up with bytes taken out, and a
    // "<" left in it is one that never closed, so no tag survives in it.
    FUZZ_CHECK(isSubsequence(plain, markup), context + "\nplain " + printable(plain));
    FUZZ_CHECK(firstUnclosed(plain) == plain.find('<'), context + "\nplain " + printable(plain));
    FUZZ_CHECK(standin::stripTags(plain) == plain, context + "\nplain " + printable(plain));
    if (markup.find('<') == std::string_view::npos) FUZZ_CHECK(plain == markup, context);

    // Text after the last tag that closes is kept whole, an unclosed "<" included.
    const std::size_t unclosed = firstUnclosed(markup);
    if (unclosed != std::string_view::npos) {
        FUZZ_CHECK(plain.ends_with(markup.substr(unclosed)), context + "\nplain " + printable(plain));
    }

    // Mark-up whose tags all close strips the same alone as in front of more.
    const std::string_view head = markup.substr(0, markup.size() / 2);
    const std::string_view closedHead = head.substr(0, firstUnclosed(head));
    const std::string_view tail = markup.substr(closedHead.size());
    FUZZ_CHECK(standin::stripTags(closedHead) + standin::stripTags(tail) == plain,
               context + "\ncut at " + std::to_string(closedHead.size()));

    // A tag in front goes whole, whatever it holds, and changes nothing after it.
    const std::string tag = "<" + text::removeAll(head, ">") + ">";
    FUZZ_CHECK(standin::stripTags(tag + std::string(markup)) == plain, context + "\nafter " + printable(tag));
}

void checkRuns(std::string_view markup) {
    const std::string context = printable(markup);
    const std::vector<StyledRun> runs = standin::styledRuns(markup);
    std::string joined;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const StyledRun& run = runs[i];
        FUZZ_CHECK(!run.text.empty(), context + "\nempty run " + std::to_string(i));
        FUZZ_CHECK(i == 0 || !(runs[i - 1].style == run.style), context + "\nrun " + std::to_string(i) + " not split");
        FUZZ_CHECK(!run.style.color || *run.style.color <= 0xFFFFFFu, context);
        joined += run.text;
    }
    FUZZ_CHECK(joined == standin::stripTags(markup), context + "\njoined " + printable(joined));

    // Tags it does not know, and closing tags with nothing open, leave no trace.
    FUZZ_CHECK(standin::styledRuns("<p align=center>" + std::string(markup)) == runs, context);
    FUZZ_CHECK(standin::styledRuns("</b></I></u></font>" + std::string(markup)) == runs, context);

    // Bold that nothing closes stays on to the end.
    if (markup.find("</") == std::string_view::npos) {
        for (const StyledRun& run : standin::styledRuns("<B>" + std::string(markup))) {
            FUZZ_CHECK(run.style.bold, context + "\nnot bold: " + printable(run.text));
        }
    }
}

}  // namespace
}  // namespace lantern::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view markup(reinterpret_cast<const char*>(data), size);
    lantern::fuzz::checkStripped(markup);
    lantern::fuzz::checkRuns(markup);
    return 0;
}
