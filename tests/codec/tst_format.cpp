#include <gtest/gtest.h>

#include "codec/format.h"

namespace zv::format {
namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (const int v : values) {
        s += static_cast<char>(v);
    }
    return s;
}

TEST(Format, HeaderKeyAndOffset) {
    EXPECT_EQ(header(""), ":DN");
    EXPECT_EQ(contentKey(""), 0x6D);
    EXPECT_EQ(bodyOffset(""), 3);

    // "ab": 0x61 + 0x19 = 0x7A, 0x62 + 0x19 = 0x7B; key 0x61 + 0x62 = 0xC3.
    EXPECT_EQ(header("ab"), bytes({':', 'D', 'N', 0x0B, 0x7A, 0x7B, 0x0B}));
    EXPECT_EQ(contentKey("ab"), 0xC3);
    EXPECT_EQ(bodyOffset("ab"), 7);

    // The shifted bytes wrap past 255, and so does the key.
    EXPECT_EQ(header(bytes({0xF0})), bytes({':', 'D', 'N', 0x0B, 0x09, 0x0B}));
    EXPECT_EQ(contentKey(bytes({0xFF, 0x02})), 0x01);
    // A byte sum that is a multiple of 256 gives the key 0.
    EXPECT_EQ(contentKey(bytes({0x80, 0x80})), 0x00);
}

TEST(Format, EncodeAndDecodeWrap) {
    EXPECT_EQ(encodeByte(0xF0, 0x20), 0x10);
    EXPECT_EQ(decodeByte(0x10, 0x20), 0xF0);
    std::string data = bytes({0x00, 0x7F, 0x80, 0xFF});
    std::string out(4, '\0');
    encodeBytes(data.data(), out.data(), 4, 0x81);
    EXPECT_EQ(out, bytes({0x81, 0x00, 0x01, 0x80}));
    decodeBytes(out.data(), out.data(), 4, 0x81);  // in place
    EXPECT_EQ(out, data);
}

TEST(Format, IsEncrypted) {
    EXPECT_FALSE(isEncrypted(""));
    EXPECT_FALSE(isEncrypted(":"));
    EXPECT_FALSE(isEncrypted(":D"));
    EXPECT_TRUE(isEncrypted(":DN"));
    EXPECT_TRUE(isEncrypted(":DNplain text that happens to start so"));
    EXPECT_FALSE(isEncrypted(":Dn"));
}

TEST(Format, HeaderCheckOutcomes) {
    using O = HeaderOutcome;
    const std::string prot = header("pw") + "body";
    struct Case {
        const char* what;
        std::string file;
        std::string password;
        O outcome;
        int key;
        std::int64_t offset;
    };
    const Case cases[] = {
        {"plain file", "hello", "", O::NotEncrypted, 0, 0},
        {"two bytes", ":D", "", O::NotEncrypted, 0, 0},
        {"magic alone, no password", ":DN", "", O::Decode, 0x6D, 3},
        {"magic alone, password", ":DN", "pw", O::PasswordGivenNoneStored, 0, 0},
        {"unprotected, no password", ":DNxyz", "", O::Decode, 0x6D, 3},
        {"unprotected, password", ":DNxyz", "pw", O::PasswordGivenNoneStored, 0, 0},
        {"protected, no password", prot, "", O::PasswordNeeded, 0, 0},
        {"protected, right password", prot, "pw", O::Decode, ('p' + 'w') & 0xFF, 7},
        {"protected, empty body", header("pw"), "pw", O::Decode, ('p' + 'w') & 0xFF, 7},
        {"wrong length, shorter", prot, "p", O::WrongPassword, 0, 0},
        {"wrong length, longer", prot, "pwx", O::WrongPassword, 0, 0},
        {"wrong byte", prot, "pX", O::WrongPassword, 0, 0},
        {"wrong case", prot, "PW", O::WrongPassword, 0, 0},
        {"no closing marker", bytes({':', 'D', 'N', 0x0B, 'p' + 0x19, 'w' + 0x19}), "pw",
         O::WrongPassword, 0, 0},
        {"marker only", bytes({':', 'D', 'N', 0x0B}), "pw", O::WrongPassword, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const HeaderCheck check = checkHeader(c.file, c.password);
        EXPECT_EQ(check.outcome, c.outcome);
        if (c.outcome == O::Decode) {
            EXPECT_EQ(check.key, c.key);
            EXPECT_EQ(check.bodyOffset, c.offset);
        }
    }
}

TEST(Format, HeaderCheckNeedsOnlyItsPrefix) {
    const std::string file = header("secret") + std::string(1000, 'x');
    const auto prefix = static_cast<std::size_t>(headerCheckLength("secret"));
    EXPECT_EQ(checkHeader(std::string_view(file).substr(0, prefix), "secret").outcome,
              HeaderOutcome::Decode);
    // A longer stored password is caught from the prefix too.
    const std::string longer = header("secretX") + "x";
    EXPECT_EQ(checkHeader(std::string_view(longer).substr(0, prefix), "secret").outcome,
              HeaderOutcome::WrongPassword);
}

TEST(Format, ValuesTheFormatCannotHold) {
    EXPECT_TRUE(canStorePassword("any ascii"));
    EXPECT_TRUE(canStorePassword("\xC3\xDC\xC2\xEB"));  // 密码
    EXPECT_FALSE(canStorePassword("a\xF2" "b"));        // stored as the marker
    EXPECT_TRUE(canStoreContent("", "x"));
    EXPECT_TRUE(canStoreContent("", ""));
    EXPECT_FALSE(canStoreContent("", "\x9E rest"));  // 0x9E + 0x6D = 0x0B
    EXPECT_TRUE(canStoreContent("pw", "\x9E rest"));
}

}  // namespace
}  // namespace zv::format
