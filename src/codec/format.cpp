#include "codec/format.h"

namespace zv::format {

std::uint8_t contentKey(std::string_view password) {
    if (password.empty()) {
        return kUnprotectedKey;
    }
    std::uint8_t sum = 0;
    for (const char c : password) {
        sum = static_cast<std::uint8_t>(sum + static_cast<std::uint8_t>(c));
    }
    return sum;
}

std::string header(std::string_view password) {
    std::string h(kMagic);
    if (!password.empty()) {
        h += static_cast<char>(kMarker);
        for (const char c : password) {
            h += static_cast<char>(static_cast<std::uint8_t>(c) + kBlockShift);
        }
        h += static_cast<char>(kMarker);
    }
    return h;
}

std::int64_t bodyOffset(std::string_view password) {
    return password.empty() ? 3 : 5 + static_cast<std::int64_t>(password.size());
}

// Plain loops over unsigned bytes: the compiler vectorises both.
void encodeBytes(const char* src, char* dst, std::size_t n, std::uint8_t key) {
    const auto* s = reinterpret_cast<const std::uint8_t*>(src);
    auto* d = reinterpret_cast<std::uint8_t*>(dst);
    for (std::size_t i = 0; i < n; ++i) {
        d[i] = static_cast<std::uint8_t>(s[i] + key);
    }
}

void decodeBytes(const char* src, char* dst, std::size_t n, std::uint8_t key) {
    encodeBytes(src, dst, n, static_cast<std::uint8_t>(-key));
}

bool isEncrypted(std::string_view fileStart) { return fileStart.substr(0, 3) == kMagic; }

std::int64_t headerCheckLength(std::string_view password) {
    return password.empty() ? 4 : 5 + static_cast<std::int64_t>(password.size());
}

HeaderCheck checkHeader(std::string_view fileStart, std::string_view password) {
    if (!isEncrypted(fileStart)) {
        return {HeaderOutcome::NotEncrypted};
    }
    const bool stored = fileStart.size() > 3 && static_cast<std::uint8_t>(fileStart[3]) == kMarker;
    if (!stored) {
        if (password.empty()) {
            return {HeaderOutcome::Decode, kUnprotectedKey, 3};
        }
        return {HeaderOutcome::PasswordGivenNoneStored};
    }
    if (password.empty()) {
        return {HeaderOutcome::PasswordNeeded};
    }
    const std::size_t close = fileStart.find(static_cast<char>(kMarker), 4);
    if (close == std::string_view::npos || close - 4 != password.size()) {
        return {HeaderOutcome::WrongPassword};
    }
    for (std::size_t i = 0; i < password.size(); ++i) {
        const auto expected = static_cast<std::uint8_t>(password[i] + kBlockShift);
        if (static_cast<std::uint8_t>(fileStart[4 + i]) != expected) {
            return {HeaderOutcome::WrongPassword};
        }
    }
    return {HeaderOutcome::Decode, contentKey(password), bodyOffset(password)};
}

bool canStorePassword(std::string_view password) {
    return password.find(static_cast<char>(kMarker - kBlockShift)) == std::string_view::npos;
}

bool canStoreContent(std::string_view password, std::string_view contentStart) {
    if (!password.empty() || contentStart.empty()) {
        return true;
    }
    return encodeByte(static_cast<std::uint8_t>(contentStart[0]), kUnprotectedKey) != kMarker;
}

}  // namespace zv::format
