#include "chatwatch/line_queue.h"

#include <algorithm>
#include <utility>

namespace lantern {

void LineQueue::append(std::deque<Entry>& entries, Entry entry, std::uint64_t& coalesced) {
    if (entry.chores && !entries.empty() && entries.back().chores) {
        entries.back() = std::move(entry);
        ++coalesced;
        return;
    }
    entries.push_back(std::move(entry));
}

void LineQueue::push(ChatLine line) {
    const bool chores = !mayBeCommand(line.text);
    append(entries_, Entry{std::move(line), chores}, coalesced_);
    peak_ = std::max(peak_, entries_.size());
}

std::optional<ChatLine> LineQueue::pop() {
    if (entries_.empty()) {
        return std::nullopt;
    }
    ChatLine line = std::move(entries_.front().line);
    entries_.pop_front();
    return line;
}

void LineQueue::demoteOthers(const std::string& signedOnName) {
    std::deque<Entry> kept;
    for (Entry& entry : entries_) {
        entry.chores = entry.chores || entry.line.screenName != signedOnName;
        append(kept, std::move(entry), coalesced_);
    }
    entries_ = std::move(kept);
}

void LineQueue::clear() { entries_.clear(); }

}  // namespace lantern
