#pragma once
// The texts that a file transfer window shows while it runs: its caption and the
// label over its gauge, both changing with the progress. The download window reads
// "File Transfer - 12% of photo.jpg" over "Time Remaining: about 8 minutes"; the
// upload window "File Uploading: 23% of resume.doc" over "Now Uploading: 850 KB,
// about 2 minutes left". Times assume a dial-up line.

#include <cstdint>
#include <string>

namespace lantern::standin {

enum class TransferKind { Download, Upload };

struct TransferState {
    TransferKind kind = TransferKind::Download;
    std::string file;
    std::uint64_t bytes = 0;
    int percent = 0;  // 0 to 100
};

inline constexpr double kDialUpBytesPerSecond = 5 * 1024;

// "850 KB", "2.4 MB", "512 bytes".
std::string sizeText(std::uint64_t bytes);
// "less than a minute", "about 1 minute", "about 8 minutes", "about 1 hour 5 minutes".
std::string remainingText(double seconds);

std::string transferCaption(const TransferState& transfer);
std::string transferLabel(const TransferState& transfer);

const char* transferName(TransferKind kind);  // "download", "upload"

}  // namespace lantern::standin
