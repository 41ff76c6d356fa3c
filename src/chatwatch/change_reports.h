#pragma once
// Whether the watched transcript tells us of its changes, and so how the watcher
// must look at it. The system reports a change of a standard control (its scroll bar
// moving on to a new line) to whoever watches its window, but many programs' windows
// report nothing, and a report can be missed (a user who scrolled the transcript up
// stops its scroll bar). So reports are trusted only once they have been seen, and
// only as long as no change turns up without one:
//
//   Unproven    no report yet: look often, as if there were none
//   Trusted     reports come: look when one does, and now and then to be safe
//   Distrusted  a change came without a report: look often again (for this room)
//
// A change found without a report may just be ahead of its report, which comes
// through our queue a little later; it is held against the reports only if no
// report has come when the watcher judges it, a moment later.

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/window_system.h"

namespace lantern {

class ChangeReports {
public:
    // A new transcript: forget what the last one did and ask for its reports.
    // `onReport` runs on each report, while events run, never inside a call of ours.
    void watch(WindowSystem& windows, WindowHandle transcript, std::function<void()> onReport);
    void forget();

    // A report came from the watched transcript.
    void reported();

    // Whether a report has come since the last read, so the text must be read whatever
    // its length says.
    bool pending() const { return pending_; }

    // The transcript was read; `changed`: it differed from the read before. A change
    // found while trusted with no report pending raises a suspicion.
    void read(bool changed);
    // A moment after a suspicion: if no report has cleared it since, the reports
    // missed a change and are no longer trusted.
    void judge();

    bool trusted() const { return trust_ == Trust::Trusted; }
    // Whether a change without a report waits to be judged.
    bool suspicious() const { return suspect_; }
    std::uint64_t reports() const { return reports_; }
    std::uint64_t missed() const { return missed_; }

private:
    enum class Trust { Unproven, Trusted, Distrusted };

    std::unique_ptr<ChangeWatch> watch_;
    Trust trust_ = Trust::Unproven;
    bool pending_ = false;
    bool suspect_ = false;
    std::uint64_t reports_ = 0;
    std::uint64_t missed_ = 0;
};

}  // namespace lantern
