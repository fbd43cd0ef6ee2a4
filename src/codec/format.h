#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The encrypted file layout: ":DN", then for a password of L bytes the marker
// 0x0B, each password byte plus 0x19, and 0x0B again; then the content, whose
// first PrefixLimit bytes have a one-byte key added and the rest stored as is.
namespace zv::format {

inline constexpr std::string_view kMagic = ":DN";
inline constexpr std::uint8_t kMarker = 0x0B;
inline constexpr std::uint8_t kBlockShift = 0x19;
inline constexpr std::uint8_t kUnprotectedKey = 0x6D;

// How many leading content bytes each codec transforms. Decimal on purpose:
// files written by either codec must keep reading back.
inline constexpr std::int64_t kMemoryPrefixLimit = 1'200'000;
inline constexpr std::int64_t kStreamPrefixLimit = 512'000;

// Plain files up to this size go through the in-memory codec.
inline constexpr std::int64_t kMemoryCodecLimit = 10'485'760;

// Sum of the password bytes modulo 256, or 0x6D for an empty password.
std::uint8_t contentKey(std::string_view password);

// ":DN" alone for an empty password, else ":DN", 0x0B, the shifted bytes, 0x0B.
std::string header(std::string_view password);

// Where the content starts: the header's length (3, or 5 + L).
std::int64_t bodyOffset(std::string_view password);

inline std::uint8_t encodeByte(std::uint8_t b, std::uint8_t key) {
    return static_cast<std::uint8_t>(b + key);
}
inline std::uint8_t decodeByte(std::uint8_t b, std::uint8_t key) {
    return static_cast<std::uint8_t>(b - key);
}

// Add (encode) or subtract (decode) the key over n bytes: src to dst, which may be the same.
void encodeBytes(const char* src, char* dst, std::size_t n, std::uint8_t key);
void decodeBytes(const char* src, char* dst, std::size_t n, std::uint8_t key);

// True when the data begins with ":DN"; anything shorter than three bytes is plain.
bool isEncrypted(std::string_view fileStart);

enum class HeaderOutcome {
    NotEncrypted,
    PasswordGivenNoneStored,
    PasswordNeeded,
    WrongPassword,
    Decode,
};

struct HeaderCheck {
    HeaderOutcome outcome = HeaderOutcome::NotEncrypted;
    std::uint8_t key = 0;         // valid for Decode
    std::int64_t bodyOffset = 0;  // valid for Decode
};

// How many leading bytes of a file checkHeader needs for this password.
std::int64_t headerCheckLength(std::string_view password);

// Check the start of a file (at least headerCheckLength bytes, or the whole
// file when shorter) against the entered password. A block without its closing
// marker counts as a wrong password; nothing is read past the data given.
HeaderCheck checkHeader(std::string_view fileStart, std::string_view password);

// A password byte 0xF2 is stored as the marker 0x0B and would cut the block
// short, so a file written with it could never be decrypted.
bool canStorePassword(std::string_view password);

// Without a password the first content byte sits where a reader looks for the
// opening marker; a first byte that encodes to 0x0B would make the file read as
// protected. True when the content can be written with this password.
bool canStoreContent(std::string_view password, std::string_view contentStart);

}  // namespace zv::format
