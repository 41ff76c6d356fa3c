#include "standin/model/transfer.h"

#include <cmath>
#include <cstdio>

namespace lantern::standin {

namespace {

std::string plural(long count, const char* unit) {
    return std::to_string(count) + " " + unit + (count == 1 ? "" : "s");
}

double secondsLeft(const TransferState& transfer) {
    double left = static_cast<double>(transfer.bytes) * (100 - transfer.percent) / 100.0;
    return left / kDialUpBytesPerSecond;
}

}  // namespace

std::string sizeText(std::uint64_t bytes) {
    char buffer[32];
    if (bytes < 1024) {
        std::snprintf(buffer, sizeof buffer, "%llu bytes", static_cast<unsigned long long>(bytes));
    } else if (bytes < 1024 * 1024) {
        std::snprintf(buffer, sizeof buffer, "%llu KB", static_cast<unsigned long long>((bytes + 512) / 1024));
    } else {
        std::snprintf(buffer, sizeof buffer, "%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
    }
    return buffer;
}

std::string remainingText(double seconds) {
    long minutes = std::lround(seconds / 60.0);
    if (minutes < 1) return "less than a minute";
    if (minutes < 60) return "about " + plural(minutes, "minute");
    std::string text = "about " + plural(minutes / 60, "hour");
    if (minutes % 60) text += " " + plural(minutes % 60, "minute");
    return text;
}

std::string transferCaption(const TransferState& transfer) {
    std::string lead = transfer.kind == TransferKind::Download ? "File Transfer - " : "File Uploading: ";
    return lead + std::to_string(transfer.percent) + "% of " + transfer.file;
}

std::string transferLabel(const TransferState& transfer) {
    bool done = transfer.percent >= 100;
    if (transfer.kind == TransferKind::Download) {
        return "Time Remaining: " + (done ? std::string("done") : remainingText(secondsLeft(transfer)));
    }
    return "Now Uploading: " + sizeText(transfer.bytes) + ", " +
           (done ? std::string("done") : remainingText(secondsLeft(transfer)) + " left");
}

const char* transferName(TransferKind kind) { return kind == TransferKind::Download ? "download" : "upload"; }

}  // namespace lantern::standin
