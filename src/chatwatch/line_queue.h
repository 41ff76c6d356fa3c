#pragma once
// The chat lines waiting for the handler, and how they are kept bounded under a
// flood without losing a command.
//
// Only a line whose text begins with "." can be a command, and only a line of the
// signed-on user runs one; for every other line the handler only does its chores
// (the same small housekeeping each time). So:
// - consecutive lines that cannot be commands collapse into one chores entry that
//   holds the newest of them: the handler still runs once for them, so the chores
//   run, but the queue holds at most one such entry between two dot-lines;
// - dot-lines are kept as they come, since the queue does not know who is signed on;
//   once a backlog builds up, the owner reads the signed-on name and calls
//   demoteOthers, which turns every other author's dot-line into chores too.
// After that the queue holds at most one entry more than twice the signed-on user's
// own waiting commands, and nothing that could be one of them is ever dropped.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

#include "chatwatch/transcript.h"

namespace lantern {

class LineQueue {
public:
    void push(ChatLine line);
    // The oldest entry, taken off the queue; nullopt when empty.
    std::optional<ChatLine> pop();
    // Every dot-line not written by `signedOnName` becomes chores, and neighbouring
    // chores entries collapse into the newest of them.
    void demoteOthers(const std::string& signedOnName);
    void clear();

    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }
    std::size_t peak() const { return peak_; }
    // Lines that collapsed into a newer one and so never reached the handler.
    std::uint64_t coalesced() const { return coalesced_; }

private:
    struct Entry {
        ChatLine line;
        bool chores = false;  // cannot be a command of the signed-on user
    };
    // Appends, or replaces the last entry when both are chores.
    static void append(std::deque<Entry>& entries, Entry entry, std::uint64_t& coalesced);

    std::deque<Entry> entries_;
    std::size_t peak_ = 0;
    std::uint64_t coalesced_ = 0;
};

// Whether a chat line's text could be a command at all.
inline bool mayBeCommand(const std::string& text) { return !text.empty() && text.front() == '.'; }

}  // namespace lantern
