#include <gtest/gtest.h>

#include "platform/code_page.h"

namespace zv {
namespace {

TEST(CodePage, KnownVectors) {
    struct Case {
        const char* utf8;
        std::string cp936;
    };
    const Case cases[] = {
        {"", ""},
        {"abc 123", "abc 123"},
        {"密码", "\xC3\xDC\xC2\xEB"},
        {"全角ＡＢ", "\xC8\xAB\xBD\xC7\xA3\xC1\xA3\xC2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(utf8ToCp936(c.utf8), c.cp936);
        EXPECT_EQ(cp936ToUtf8(c.cp936), c.utf8);
    }
}

TEST(CodePage, CharactersWithoutCp936FormAreErrorsNotQuestionMarks) {
    EXPECT_EQ(utf8ToCp936("a\xF0\x9F\x94\x92"), std::nullopt);  // U+1F512, a padlock emoji
    EXPECT_EQ(utf8ToCp936("\xEA\xB0\x80"), std::nullopt);       // U+AC00, a Hangul syllable
    EXPECT_EQ(utf8ToCp936("bad \xFF utf8"), std::nullopt);
    EXPECT_EQ(utf8ToCp936("cut \xE5\xAF"), std::nullopt);  // truncated sequence
}

TEST(CodePage, InvalidCp936IsAnError) { EXPECT_EQ(cp936ToUtf8("\xC3"), std::nullopt); }

}  // namespace
}  // namespace zv
