// Fuzzes reading and writing a setting over registry values of any type and any
// bytes, as the simulated registry stores them, and as a registry that answers the
// size query differently from the read (Wine adding a NUL to a string stored without
// one; the value changing between the two queries).
//
// Input: byte 0 picks the stored value's type (low four bits), the registry's quirks
// (a bit each) and the type of the value that replaces it (top two); byte 1 cuts the
// rest in two: the stored value's bytes, then the bytes written or replaced later.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "platform/sim/desktop.h"
#include "style/settings.h"

namespace lantern::fuzz {
namespace {

// The usual types, unknown ones, and ones that equal REG_SZ only in some of their bits.
constexpr unsigned long kTypes[16] = {
    reg::Sz, reg::None, reg::ExpandSz, reg::Binary, reg::Dword,   reg::MultiSz, 5, 6, 8, 9,
    10,      11,        0x101,         0x10001,     0x80000001ul, 0xFFFFFFFFul};
constexpr const char* kName = "Colour1";

struct Quirks {
    bool addsNul = false;  // Wine's reading of a string stored without a NUL
    bool changesBetweenQueries = false;  // another write lands between size query and read
};

// What a REG_SZ value reads as: the bytes before its first NUL; "" for other types.
std::string expectedText(unsigned long type, std::string_view bytes) {
    return type == reg::Sz ? std::string(bytes.substr(0, bytes.find('\0'))) : std::string();
}

// A registry that passes everything to the simulated one but answers queries the
// way a real one may.
class QuirkyRegistry : public Registry {
public:
    QuirkyRegistry(sim::Desktop& desktop, Quirks quirks, unsigned long laterType, std::string later)
        : desktop_(desktop),
          inner_(desktop.registry()),
          quirks_(quirks),
          laterType_(laterType),
          later_(std::move(later)) {}

    long openKey(const std::string& path, RegistryKey& key) override { return inner_.openKey(path, key); }
    long createKey(const std::string& path, RegistryKey& key) override { return inner_.createKey(path, key); }
    long setValue(RegistryKey key, const std::string& name, unsigned long type, const char* data,
                  unsigned long size) override {
        return inner_.setValue(key, name, type, data, size);
    }
    long closeKey(RegistryKey key) override { return inner_.closeKey(key); }

    long queryValue(RegistryKey key, const std::string& name, unsigned long* type, char* data,
                    unsigned long* size) override {
        const long result = quirks_.addsNul ? queryAddingNul(key, name, type, data, size)
                                            : inner_.queryValue(key, name, type, data, size);
        if (quirks_.changesBetweenQueries && !changed_) {
            desktop_.setRegistryValue(kSettingsKey, kName, laterType_, later_);
            changed_ = true;
        }
        return result;
    }

private:
    // A string stored without a terminating NUL reads back one byte longer, with one.
    long queryAddingNul(RegistryKey key, const std::string& name, unsigned long* type, char* data,
                        unsigned long* size) {
        unsigned long storedType = 0;
        unsigned long storedSize = 0;
        const long found = inner_.queryValue(key, name, &storedType, nullptr, &storedSize);
        if (found != reg::Success || storedType != reg::Sz) {
            return inner_.queryValue(key, name, type, data, size);
        }
        std::string bytes(storedSize, '\0');
        inner_.queryValue(key, name, &storedType, bytes.data(), &storedSize);
        if (bytes.empty() || bytes.back() != '\0') bytes += '\0';

        if (type) *type = storedType;
        const auto length = static_cast<unsigned long>(bytes.size());
        if (data && *size < length) {
            *size = length;
            return reg::MoreData;
        }
        if (data) std::memcpy(data, bytes.data(), length);
        if (size) *size = length;
        return reg::Success;
    }

    sim::Desktop& desktop_;  // not owned: outlives this registry
    Registry& inner_;  // the desktop's own registry
    Quirks quirks_;
    unsigned long laterType_;
    std::string later_;
    bool changed_ = false;
};

void check(std::uint8_t selector, std::string_view stored, std::string_view later) {
    const unsigned long type = kTypes[selector & 0xF];
    const Quirks quirks{(selector & 0x10) != 0, (selector & 0x20) != 0};
    const unsigned long laterTypes[4] = {reg::Sz, type, reg::Binary, reg::ExpandSz};
    const unsigned long laterType = laterTypes[selector >> 6];
    const std::string context = "type " + std::to_string(type) + " adds NUL " + std::to_string(quirks.addsNul) +
                                " changes " + std::to_string(quirks.changesBetweenQueries) + " stored " +
                                printable(stored) + " later " + printable(later);

    sim::Desktop desktop;
    desktop.setRegistryValue(kSettingsKey, kName, type, std::string(stored));
    QuirkyRegistry registry(desktop, quirks, laterType, std::string(later));
    const std::string text = readSetting(registry, kSettingsKey, kName);

    if (!quirks.changesBetweenQueries) {
        FUZZ_CHECK(text == expectedText(type, stored), context + "\nread " + printable(text));
    } else {
        // Either nothing, or the text of the value as it stands after the change:
        // never a mix of the two, never bytes the registry did not give.
        const std::string now = expectedText(laterType, later);
        FUZZ_CHECK(text.empty() || text == now, context + "\nread " + printable(text));
        // A value that shrank still fits the buffer sized for the old one.
        if (!quirks.addsNul && type == reg::Sz && laterType == reg::Sz && later.size() <= stored.size()) {
            FUZZ_CHECK(text == now, context + "\nread " + printable(text));
        }
    }

    // Writing stores the text's bytes exactly, as REG_SZ, and reads back up to a NUL.
    writeSetting(desktop.registry(), kSettingsKey, "Written", std::string(later));
    const auto written = desktop.registryValue(kSettingsKey, "Written");
    FUZZ_CHECK(written && written->type == reg::Sz && written->data == later, context);
    FUZZ_CHECK(readSetting(desktop.registry(), kSettingsKey, "Written") == expectedText(reg::Sz, later), context);
    FUZZ_CHECK(readSetting(desktop.registry(), kSettingsKey, "Missing").empty(), context);
}

}  // namespace
}  // namespace lantern::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::uint8_t selector = input.size() > 0 ? static_cast<std::uint8_t>(input[0]) : 0;
    const std::uint8_t share = input.size() > 1 ? static_cast<std::uint8_t>(input[1]) : 0;
    const std::string_view rest = input.substr(std::min<std::size_t>(2, input.size()));
    const std::size_t cut = rest.size() * share / 255;
    lantern::fuzz::check(selector, rest.substr(0, cut), rest.substr(cut));
    return 0;
}
