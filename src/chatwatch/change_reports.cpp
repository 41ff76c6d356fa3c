#include "chatwatch/change_reports.h"

#include <utility>

namespace lantern {

void ChangeReports::watch(WindowSystem& windows, WindowHandle transcript, std::function<void()> onReport) {
    forget();
    watch_ = windows.watchChanges(transcript, std::move(onReport));
}

void ChangeReports::forget() {
    watch_.reset();
    trust_ = Trust::Unproven;
    pending_ = false;
    suspect_ = false;
}

void ChangeReports::reported() {
    ++reports_;
    pending_ = true;
    suspect_ = false;
    if (trust_ == Trust::Unproven) trust_ = Trust::Trusted;
}

void ChangeReports::read(bool changed) {
    if (trust_ == Trust::Trusted && changed && !pending_) suspect_ = true;
    pending_ = false;
}

void ChangeReports::judge() {
    if (!suspect_) return;
    suspect_ = false;
    ++missed_;
    trust_ = Trust::Distrusted;
}

}  // namespace lantern
